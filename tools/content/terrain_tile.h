#pragma once
// One land tile from a ground: the cell's diamond sampled at its pixels'
// world points, dithered down to 5-5-5.
#include "tools/content/terrain.h"
#include "tools/content/terrain_ground.h"

// Never pure black: the map view keys on 0.
u16 pack555(LandCol c, int px, int py);
LandCol unpack555(u16 p);

// Calls f(index, px, py) for each of the tile's pixels in file order.
template <typename F>
void for_tile_pixels(F f) {
    int n = 0;
    for (int r = 0; r < 20; ++r) {
        int first = 0, count = 0;
        tilerow(r, &first, &count);
        for (int k = 0; k < count; ++k) f(n++, first + k, r);
    }
}

Tile paint_tile(GroundPaint paint, u32 seed, LandCol tint, int cx, int cy);
