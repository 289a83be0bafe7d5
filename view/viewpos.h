#pragma once
#include "platform/types.h"

// The view centre and the selected cell.
extern i32 scx, scy;
extern i32 selectedwx, selectedwy;

// Moves the view centre by the mouse on the screen's border (a corner moves
// one axis, a side both), then keeps it in 20..230, 20..203; true when it
// changed.
bool borderscroll(i32 mx, i32 my);
