#pragma once
#include "platform/types.h"

// The colour picker: every 15-bit colour; returns the pixel under the mouse
// when it is closed.
u16 selectcolor();
void selectcolorinput(u32 message, u32 wparam, i32 lparam);
// Any key or button ends a wait for input.
void waitforinput(u32 message, u32 wparam, i32 lparam);
