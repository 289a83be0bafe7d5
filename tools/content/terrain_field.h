#pragma once
// The ground's texture space. A land tile is one cell of the isometric map;
// ground is painted as a function of the world point (u, v) in cell units,
// over a patch of 4 x 4 cells that wraps. Everything here keeps two promises
// so that a section's tiles also join when laid in any order: whatever
// touches a cell's edge looks the same in every cell, and whatever differs
// from cell to cell stays inside its cell.
#include "platform/types.h"

constexpr int kPatch = 4;  // cells along each side of a section's patch

struct LandCol {
    float r, g, b;  // 0..255
};

LandCol land_mix(LandCol a, LandCol b, float t);
LandCol land_scale(LandCol c, float k);
LandCol land_mul(LandCol c, LandCol tint);  // tint 1.0 per channel leaves c alone

// The world point at the centre of pixel (px, py) of cell (cx, cy)'s diamond.
void tile_to_world(int cx, int cy, int px, int py, float& u, float& v);

// Smooth noise in [0, 1] with n lattice steps per cell (n >= 2).
float edge_noise(float u, float v, int n, u32 seed);
// The same, stretched: nu steps per cell along u and nv along v.
float edge_noise2(float u, float v, int nu, int nv, u32 seed);
// Octaves of edge_noise from n steps per cell, each twice as fine, half as strong.
float edge_fbm(float u, float v, int n, int octaves, u32 seed);
// Uncorrelated speckle in [0, 1) about a pixel across.
float land_grain(float u, float v, u32 seed);

// A thing scattered on a jittered grid of n boxes per cell, one per box and
// never crossing its box: the offset to the thing's centre in cell units and
// three random numbers that belong to it.
struct LandSpot {
    float du, dv;
    float a, b, c;
};
// The thing's radius must stay under 0.3 / n cells.
LandSpot land_scatter(float u, float v, int n, u32 seed);
// The nearest of such things, which may reach over a cell's edge (up to
// 1.3 / n cells), n >= 3: the distance to it joins up in any order of tiles.
LandSpot land_nearest(float u, float v, int n, u32 seed);
float spot_len(const LandSpot& s);  // in cells
// Length of a world offset in screen pixels along the ground.
float spot_px(float du, float dv);

// Laid blocks: nu x nv per cell, odd rows shifted by shift of a block along u.
struct LandBlock {
    float fu, fv;  // position inside the block, 0..1 each way
    float a, b, c; // random numbers of the block
};
LandBlock block_at(float u, float v, int nu, int nv, float shift, u32 seed);
