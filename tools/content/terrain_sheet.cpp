#include "tools/content/terrain_sheet.h"

#include <algorithm>
#include <iterator>

#include "tools/content/noise.h"
#include "tools/content/terrain_field.h"
#include "tools/content/terrain_tile.h"

namespace {

constexpr int kAcross = 10;
constexpr int kPatchW = 40 * kPatch, kPatchH = 20 * kPatch;  // a section's patch
constexpr int kGap = 8;
constexpr int kField = 8;  // cells a side in the random strip
constexpr int kFieldW = 40 * kField, kFieldH = 20 * kField;
// Sections shown laid at random: grass, meadow, dirt, cobbles, boards.
constexpr int kStripSections[] = {1, 5, 10, 17, 23};
constexpr Rgb kBack{40, 40, 48};

Rgb to_rgb(u16 p) {
    LandCol c = unpack555(p);
    return {static_cast<u8>(c.r), static_cast<u8>(c.g), static_cast<u8>(c.b)};
}

void draw_patch(Canvas& c, const std::vector<Tile>& tiles, int s, int x, int y) {
    for (int k = 0; k < kSectionTiles; ++k) {
        int cx, cy;
        section_cell(k, &cx, &cy);
        draw_tile_at(c, tiles[s * kSectionTiles + k], x + 20 * (kPatch - 1), y, cx, cy);
    }
}

void draw_field(Canvas& c, const std::vector<Tile>& tiles, int s, int x, int y, Rng& rng) {
    for (int cy = 0; cy < kField; ++cy)
        for (int cx = 0; cx < kField; ++cx)
            draw_tile_at(c, tiles[s * kSectionTiles + rng.below(kSectionTiles)], x + 20 * (kField - 1), y, cx, cy);
}

}  // namespace

void draw_tile_at(Canvas& c, const Tile& t, int x0, int y0, int cx, int cy) {
    int x = x0 + 20 * (cx - cy), y = y0 + 10 * (cx + cy);
    for_tile_pixels([&](int n, int px, int py) { canvas_set(c, x + px, y + py, to_rgb(t[n])); });
}

Canvas terrain_sheet(const std::vector<Tile>& tiles) {
    int down = kTerrainSections / kAcross, strip = static_cast<int>(std::size(kStripSections));
    int w = kGap + kAcross * (kPatchW + kGap);
    int h = kGap + down * (kPatchH + kGap) + kGap + kFieldH + kGap;
    Canvas c = canvas_make(std::max(w, kGap + strip * (kFieldW + kGap)), h, kBack);
    for (int s = 0; s < kTerrainSections; ++s)
        draw_patch(c, tiles, s, kGap + (s % kAcross) * (kPatchW + kGap), kGap + (s / kAcross) * (kPatchH + kGap));
    Rng rng(0x7e77a1u);
    int y = kGap + down * (kPatchH + kGap) + kGap;
    for (int i = 0; i < strip; ++i) draw_field(c, tiles, kStripSections[i], kGap + i * (kFieldW + kGap), y, rng);
    return c;
}
