#pragma once
// Once a frame: the cell under the mouse, and the cursor that tells what a
// left click on it will do.
#include "platform/types.h"

// cursoroff when the mouse is over no cell of the map.
constexpr u32 NOCELL = 0xFFFFFFFFu;

// Picks the cell under the mouse (a figure drawn under it is picked; off
// the figures, standing figures of other players reach over the cells
// above them) and sets the cursor mode for it. Skipped while
// the cursor is hidden (mode 0), a path preview shows (3) or mode 9 holds.
void pickcursor();
// The cursor mode for the cell under the mouse as picked (cursoroff), for a
// cursor that is not aiming a spell.
u8 cursorforcell();
// The unit the picking found under the mouse, 0 for none.
int npcundercursor();
