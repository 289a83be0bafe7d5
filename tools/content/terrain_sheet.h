#pragma once
// The terrain contact sheet: every section assembled as its 4 x 4 patch,
// then a strip of a few sections laid from their tiles in random order.
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/terrain.h"

// Draws tile at cell (cx, cy) of a field whose cell (0, 0) has its box's
// top-left corner at (x0, y0).
void draw_tile_at(Canvas& c, const Tile& t, int x0, int y0, int cx, int cy);
Canvas terrain_sheet(const std::vector<Tile>& tiles);
