// Land source pictures for the land editor. The editor draws a source at
// screen (0, 1) and takes tile k's diamond from the box at
// (60 + 20 (b - a), 60 - 10 (a + b)), so in the picture that box starts one
// row higher. (a, b) is how far tile k lies back from the section's first
// cell, the same table the map editor lays sections with.
#include <cmath>

#include "tools/content/editorart.h"
#include "tools/content/terrain.h"
#include "tools/content/terrain_sections.h"
#include "tools/content/terrain_tile.h"

namespace {

const int kBack[16][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {1, 2},
                          {0, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}};

// A ground no generated section has, to show a source need not be one.
const GroundSection kRedSand{ground_sand, 101, {0.96f, 0.6f, 0.44f}};

const GroundSection& ground_of(const LandSource& s) {
    return s.section >= 0 ? ground_section(s.section) : kRedSand;
}

// Each 5-bit component moved to the top of its byte with the low bits clear:
// a 5-5-5 display takes the top five bits back, and a 5-6-5 one the top six,
// which gives the green the game makes of a stored 5-5-5 tile (g5 x 2).
Rgb widen555(u16 p) {
    return {static_cast<u8>(((p >> 10) & 31) << 3), static_cast<u8>(((p >> 5) & 31) << 3),
            static_cast<u8>((p & 31) << 3)};
}

float wrap4(float x) {
    float w = std::fmod(x, static_cast<float>(kPatch));
    return w < 0 ? w + static_cast<float>(kPatch) : w;
}

}  // namespace

const std::vector<LandSource>& land_sources() {
    // Sections 0 and 79 hold special tiles, so the copies are of plain grounds.
    static const std::vector<LandSource> list = {{"terrain/meadow.bmp", 5},
                                                 {"terrain/cobbles.bmp", 17},
                                                 {"terrain/shallows.bmp", 30},
                                                 {"terrain/carpet.bmp", 47},
                                                 {"terrain/redsand.bmp", -1}};
    return list;
}

Canvas land_source_picture(const LandSource& s) {
    const GroundSection& g = ground_of(s);
    Canvas c = canvas_make(kLandSourceW, kLandSourceH);
    std::vector<bool> laid(static_cast<size_t>(kLandSourceW) * kLandSourceH, false);
    for (int k = 0; k < kSectionTiles; ++k) {
        int a = kBack[k][0], b = kBack[k][1];
        int cx, cy;
        section_cell(k, &cx, &cy);
        Tile t = paint_tile(g.paint, g.seed, g.tint, cx, cy);
        int bx = 60 + 20 * (b - a), by = 59 - 10 * (a + b);
        for_tile_pixels([&](int n, int px, int py) {
            int x = bx + px, y = by + py;
            if (!canvas_in(c, x, y)) return;
            canvas_set(c, x, y, widen555(t[n]));
            laid[static_cast<size_t>(y) * kLandSourceW + x] = true;
        });
    }
    // Between and round the diamonds the ground goes on, so the picture
    // reads as one piece of land. Tile 0's cell maps every pixel to the same
    // world point any other cell would.
    int cx0, cy0;
    section_cell(0, &cx0, &cy0);
    for (int y = 0; y < kLandSourceH; ++y)
        for (int x = 0; x < kLandSourceW; ++x) {
            if (laid[static_cast<size_t>(y) * kLandSourceW + x]) continue;
            float u = 0, v = 0;
            tile_to_world(cx0, cy0, x - 60, y - 59, u, v);
            canvas_set(c, x, y, widen555(pack555(land_mul(g.paint(wrap4(u), wrap4(v), g.seed), g.tint), x, y)));
        }
    return c;
}
