#pragma once
// The one way to look at a neighbour, a region or a line of cells: a cell
// off the 256 x 256 map has no land, item or unit. Callers that walk past
// the map's edge (light shapes, paths, sight, missiles, the view) use these
// instead of indexing the grids with a computed offset.
#include "world/grids.h"

inline bool onmap(i32 x, i32 y) { return (u32)x < (u32)MAPSIZE && (u32)y < (u32)MAPSIZE; }
inline i32 cellof(i32 x, i32 y) { return y * MAPSIZE + x; }

inline u16 landat(i32 x, i32 y) { return onmap(x, y) ? landmap[cellof(x, y)] : 0; }
inline u16 itemat(i32 x, i32 y) { return onmap(x, y) ? itemmap[cellof(x, y)] : 0; }
inline u16 npcat(i32 x, i32 y) { return onmap(x, y) ? npcmap[cellof(x, y)] : 0; }
