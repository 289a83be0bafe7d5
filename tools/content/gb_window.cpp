// The framed window the game cuts message boxes from. The box keeps the
// picture's 6-pixel edges and stretches nothing: it takes as much of each
// edge as it needs, so every edge is one profile repeated along its length,
// and only the 6 x 6 corners and the inside may vary.
#include <algorithm>
#include <cmath>

#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/noise.h"

namespace {

// Across the edge from the outside (0) inward (5): an ink line, a bright
// bevel, the bronze body and a dark lip before the inside begins.
const Rgb kLitProfile[kWindowEdge] = {{24, 14, 8}, {250, 214, 140}, {214, 162, 78},
                                      {170, 118, 52}, {112, 74, 34}, {30, 18, 10}};
const Rgb kShadeProfile[kWindowEdge] = {{24, 14, 8}, {150, 100, 44}, {124, 82, 36},
                                        {100, 64, 28}, {74, 46, 22}, {30, 18, 10}};

Rgb inside_at(int x, int y) {
    // Dark slate with a faint cloud, lit a little toward the top.
    float n = fbm(x * 0.02f, y * 0.02f, 9300u, 4), fine = hash01(x, y, 9301u);
    float k = 0.8f + 0.35f * n + 0.06f * fine - 0.15f * std::min(1.0f, y / 440.0f);
    auto ch = [&](float v) { return static_cast<u8>(std::clamp(v * k, 8.0f, 255.0f)); };
    return {ch(44), ch(40), ch(52)};
}

}  // namespace

Canvas draw_window() {
    Canvas c = canvas_make(kWindowW, kWindowH);
    const int e = kWindowEdge;
    for (int y = 0; y < kWindowH; ++y)
        for (int x = 0; x < kWindowW; ++x) {
            int top = y, left = x, bottom = kWindowH - 1 - y, right = kWindowW - 1 - x;
            int d = std::min({top, left, bottom, right});
            if (d >= e) {
                canvas_set(c, x, y, inside_at(x, y));
                continue;
            }
            // In a corner the two edges meet on a mitre: the nearer edge wins,
            // the top and left taking the diagonal itself.
            bool lit;
            if (top < e && left < e) lit = true;
            else if (bottom < e && right < e) lit = false;
            else if (top < e && right < e) lit = top <= right;
            else if (bottom < e && left < e) lit = left < bottom;
            else lit = (d == top || d == left);
            canvas_set(c, x, y, lit ? kLitProfile[d] : kShadeProfile[d]);
        }
    // Corner rivets, inside the corner squares only.
    for (int cy : {2, kWindowH - 4})
        for (int cx : {2, kWindowW - 4}) {
            canvas_set(c, cx, cy, {255, 240, 190});
            canvas_set(c, cx + 1, cy, {200, 150, 70});
            canvas_set(c, cx, cy + 1, {200, 150, 70});
            canvas_set(c, cx + 1, cy + 1, {90, 56, 24});
        }
    return c;
}
