#pragma once
// Line of sight between cells: a straight walk of single-precision steps
// from one cell to the other, stopped by a unit (unless it is a hidden
// enemy of the human player) or an item that blocks sight. The two end
// cells are never tested; a cell off the map blocks.
#include "platform/types.h"

u32 lineofsight(u32 fromoff, u32 tooff);
u32 npclineofsight(int fromslot, int toslot);
