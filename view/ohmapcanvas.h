#pragma once
// The miniature of the whole map, drawn once into a canvas of its own and
// then cut out at the view's place for every frame: the same blocks in the
// same order, only moved, so a frame costs one pass over the window instead
// of a walk over all 65536 cells. The world stands still while the overhead
// map is open, so the canvas drawn when it opens holds until it closes.
#include "platform/types.h"

// Cell (x, y)'s block in the canvas: left column 2 (x - y) + 512, lowest row
// x + y + 3; every block of the map lies inside.
constexpr int CANVASWIDTH = 1024;
constexpr int CANVASHEIGHT = 514;

// Draws every cell's blocks from the maps as they are now.
void buildminiature();
// The window rows 0..479 around (scx, scy): the canvas's blocks, and where
// it has none the pixel of under (640 x 480), or the window's own when under
// is null.
void putminiature(const u16* under);
// On window row y, a run of columns [*x0, *x1) the miniature covers whole
// (empty when *x0 == *x1): what the map view would draw there never shows.
void miniaturecovers(i32 y, i32* x0, i32* x1);
