#include "tools/content/menuart_frame.h"

#include <algorithm>
#include <cmath>

#include "tools/content/noise.h"

namespace {

constexpr float kPi = 3.14159265f;
const Col kRimDark = {24, 14, 8};

Col lit_metal(Col base, float shade) {
    Col c = base * (1.0f + shade * 0.9f);
    return col_mix(c, {255, 232, 168}, std::fmax(0.0f, shade - 0.35f) * 1.4f);
}

// The profile across a rim: u runs from the outer edge (0) to the inner (1);
// the outer half faces outward, so the top and left rims catch the light
// there and the bottom and right rims there fall into shade.
float rim_shade(float u, bool lit_side) {
    float s = std::cos(u * kPi) * 0.55f;
    return lit_side ? s : -s;
}

}  // namespace

Col bronze_at(int x, int y) {
    float tint = fbm(x * 0.03f, y * 0.03f, 501u, 3);
    float pits = fbm(x * 0.4f, y * 0.4f, 502u, 2);
    Col c = col_mix({132, 86, 38}, {168, 122, 56}, tint);
    return c * (0.82f + 0.3f * pits);
}

void bronze_rim(Img& im, int x, int y, int w, int h, int thickness) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            int top = j - y, left = i - x, bottom = y + h - 1 - j, right = x + w - 1 - i;
            int d = std::min({top, left, bottom, right});
            if (d >= thickness) continue;
            if (d == 0 || d == thickness - 1) {
                img_set(im, i, j, kRimDark);
                continue;
            }
            bool lit = d == top || d == left;
            if (d == bottom && bottom < left && bottom < top) lit = false;
            if (d == right && right < top && right < left) lit = false;
            float u = thickness > 3 ? (d - 1.0f) / (thickness - 3.0f) : 0.5f;
            img_set(im, i, j, lit_metal(bronze_at(i, j), rim_shade(u, lit)));
        }
}

void inner_shadow(Img& im, int x, int y, int w, int h, int depth, float strength) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            int d = std::min(j - y, i - x);
            if (d >= depth) continue;
            float a = strength * (1.0f - static_cast<float>(d) / depth);
            img_blend(im, i, j, {6, 4, 6}, a);
        }
}

void stud(Img& im, float cx, float cy, float r) {
    for (int j = static_cast<int>(cy - r - 2); j <= static_cast<int>(cy + r + 2); ++j)
        for (int i = static_cast<int>(cx - r - 2); i <= static_cast<int>(cx + r + 2); ++i) {
            float dx = (i + 0.5f - cx) / r, dy = (j + 0.5f - cy) / r, d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) {
                if (d2 < 1.7f && dx + dy > 0.0f) img_blend(im, i, j, {6, 4, 6}, 0.5f);
                continue;
            }
            float shade = -(dx + dy) * 0.5f * std::sqrt(1.0f - d2) + 0.1f;
            img_blend(im, i, j, lit_metal(bronze_at(i, j), shade), std::fmin(1.0f, (1.0f - d2) * r));
        }
}

void gem(Img& im, float cx, float cy, float r, Col c) {
    for (int j = static_cast<int>(cy - r - 1); j <= static_cast<int>(cy + r + 1); ++j)
        for (int i = static_cast<int>(cx - r - 1); i <= static_cast<int>(cx + r + 1); ++i) {
            float dx = (i + 0.5f - cx) / r, dy = (j + 0.5f - cy) / r, d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) continue;
            // A cabochon: dark at the rim, glowing from inside, one sharp glint.
            Col body = col_mix(c * 1.35f, c * 0.45f, std::sqrt(d2));
            float glint = std::exp(-((dx + 0.4f) * (dx + 0.4f) + (dy + 0.45f) * (dy + 0.45f)) * 18.0f);
            img_blend(im, i, j, col_mix(body, {255, 244, 230}, glint), std::fmin(1.0f, (1.0f - d2) * r));
        }
}
