// The heal spell's glow, eight steps from a first shimmer to full strength
// (the game plays 0..7 and back). Drawn 60 left of and 80 above a cell's
// anchor, the picture's column 20 is the middle of the cell and row 60 the
// middle of its floor, where a ring of light lies and motes rise from.
#include <cmath>

#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/noise.h"

namespace {

constexpr int kHealW = 40, kHealH = 70;
constexpr float kFloorX = 20.0f, kFloorY = 60.0f;

Rgb glow(float t) {  // t = 0 at the heart of the light, 1 at its fringe
    return rgb_mix({250, 255, 210}, {60, 190, 80}, std::fmin(1.0f, std::fmax(0.0f, t)));
}

Canvas heal(int f) {
    Canvas c = canvas_make(kHealW, kHealH);
    float k = (f + 1) / 8.0f;
    // The ring on the floor, widening with the step.
    float rx = 8.0f + 10.0f * k, ry = rx * 0.5f;
    for (int y = 0; y < kHealH; ++y)
        for (int x = 0; x < kHealW; ++x) {
            float dx = (x + 0.5f - kFloorX) / rx, dy = (y + 0.5f - kFloorY) / ry, d = std::sqrt(dx * dx + dy * dy);
            if (d > 0.78f && d <= 1.0f) canvas_set(c, x, y, glow(dy < 0 ? 0.2f : 0.5f));
        }
    // The column of light: dense at its heart, thinning to scattered motes.
    float top = kFloorY - 8.0f - 50.0f * k, half = 4.0f + 9.0f * k;
    for (int y = static_cast<int>(top); y < static_cast<int>(kFloorY); ++y)
        for (int x = 0; x < kHealW; ++x) {
            float across = std::fabs(x + 0.5f - kFloorX) / half;
            float up = (kFloorY - y) / (kFloorY - top);
            if (across > 1.0f) continue;
            float density = (1.0f - across * across) * (1.0f - 0.7f * up) * (0.35f + 0.6f * k);
            if (hash01(x, y + 7 * f, 6100u) < density) canvas_set(c, x, y, glow(across * 0.8f + up * 0.3f));
        }
    // Rising sparkles: each climbs a little more at every step.
    Rng rng(6200u);
    for (int s = 0; s < 12; ++s) {
        float x = kFloorX + rng.range(-half, half), y0 = rng.range(kFloorY - 12.0f, kFloorY), speed = rng.range(4.0f, 7.0f);
        float y = y0 - speed * f;
        if (y < 2.0f || s >= 4 + f) continue;
        int ix = static_cast<int>(x), iy = static_cast<int>(y);
        canvas_set(c, ix, iy, {255, 255, 255});
        for (Pt d : {Pt{-1, 0}, Pt{1, 0}, Pt{0, -1}, Pt{0, 1}})
            canvas_set(c, ix + static_cast<int>(d.x), iy + static_cast<int>(d.y), {190, 255, 170});
    }
    return c;
}

}  // namespace

void add_heal_pictures(std::vector<GamePic>& out) {
    for (int f = 0; f < 8; ++f) out.push_back({"bitmaps/spells/heal" + std::to_string(f) + ".bmp", heal(f), true});
}
