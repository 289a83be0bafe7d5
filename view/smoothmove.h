#pragma once
// How far the world is shifted under a unit walking between two cells: step
// eighths (7 or 6 down to 1) of a cell's screen step in its facing.
#include "platform/types.h"

void smoothshift(int facing, int step, i32* dx, i32* dy);
// The entry of the unit in a slot (0, 0 when it stands or the slot is empty).
void npcsmoothshift(int slot, i32* dx, i32* dy);
