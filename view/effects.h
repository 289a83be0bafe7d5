#pragma once
// The framed window box, the flash message at the mouse and the lightning
// bolt of the Lightning spell.
#include "platform/types.h"

constexpr int WINDOWPICWIDTH = 600;
constexpr int WINDOWPICHEIGHT = 440;

// A box of w x h at window (x, y), cut from the window picture's frame.
void windowbox(i32 x, i32 y, i32 w, i32 h);
// The text in a box at the mouse, pulsing yellow three times.
void flashmessage(const char* text);
// A jagged white bolt between two window points.
void lightningbolt(i32 x0, i32 y0, i32 x1, i32 y1);
