#pragma once
// Cursor shapes: which cell of the cursor picture is drawn, and how the map
// view marks the cell under the mouse.
#include "platform/types.h"

extern u8 cursormode;
extern u32 cursorvisible;
extern u32 cursorpicx, cursorpicy;
extern u8 cursortint;
extern u16 cursorcolor;

void setcursormode(u8 mode);
// The plain arrow, untinted and still.
constexpr u8 CURSORPLAIN = 35;
