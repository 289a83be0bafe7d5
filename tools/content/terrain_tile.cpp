#include "tools/content/terrain_tile.h"

#include <algorithm>
#include <cmath>

#include "tools/content/noise.h"

namespace {

int channel(float c, float dither) {
    // 8 steps of the 0..255 scale make one step of the file's 0..31.
    int q = static_cast<int>(std::floor(c / 8.0f + dither));
    return std::clamp(q, 0, 31);
}

}  // namespace

u16 pack555(LandCol c, int px, int py) {
    float d = bayer8(px, py);
    int r = channel(c.r, d), g = channel(c.g, d), b = channel(c.b, d);
    u16 p = static_cast<u16>((r << 10) | (g << 5) | b);
    return p == 0 ? 1 : p;
}

LandCol unpack555(u16 p) {
    auto ch = [](int v) {
        int level = v * 255 / 31;
        return static_cast<float>(level);
    };
    return {ch((p >> 10) & 31), ch((p >> 5) & 31), ch(p & 31)};
}

Tile paint_tile(GroundPaint paint, u32 seed, LandCol tint, int cx, int cy) {
    Tile t{};
    for_tile_pixels([&](int n, int px, int py) {
        float u = 0, v = 0;
        tile_to_world(cx, cy, px, py, u, v);
        t[n] = pack555(land_mul(paint(u, v, seed), tint), px, py);
    });
    return t;
}
