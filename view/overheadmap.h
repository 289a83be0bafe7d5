#pragma once
// The overhead map: the whole map in miniature over the darkened view, a
// modal screen opened from the mission's panel.
#include "platform/types.h"

// Runs the screen until a click, Enter or Escape closes it; returns its
// result (1). The view position it was scrolled to stays.
u32 overheadmap();

// The input handler while the overhead map is the current screen.
void overheadinput(u32 message, u32 wparam, i32 lparam);
