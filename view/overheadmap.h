#pragma once
// The overhead map: the whole map in miniature over the darkened view, a
// modal screen opened from the mission's panel.
#include "platform/types.h"

// Runs the screen until a click, Enter or Escape closes it; returns its
// result (1). The view position it was scrolled to stays.
u32 overheadmap();

// The input handler while the overhead map is the current screen.
void overheadinput(u32 message, u32 wparam, i32 lparam);

// The pieces of the screen, for the loop and for measuring one frame:
// open darkens and keeps the current picture; a step scrolls at the screen's
// border, redraws the kept picture when the view moved and puts the
// miniature over it (without presenting); close lets the picture go.
void overheadopen();
void overheadstep();
void overheadclose();
// The border scroll alone: moves (scx, scy) by the mouse on the screen's
// border and keeps them in range; true when they changed.
bool overheadscroll();
