// The keep on its crag, a silhouette against the moon: shapes go into one
// coverage mask, and its edges are lit from that mask afterwards.
#include <cmath>

#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_parts.h"
#include "tools/content/noise.h"

namespace {

constexpr float kGround = 262.0f;  // the crag's crown, where the walls stand

// Flat under the walls, then falling away in broken rock.
float crag_top(float x) {
    float off = std::fmax(0.0f, std::fabs(x - kKeepX) - 70.0f) / 100.0f;
    float rough = ridged(x * 0.045f, 1.0f, 77u, 3) * 14.0f + fbm(x * 0.2f, 2.0f, 78u, 2) * 3.0f;
    return kGround + 2.0f + 120.0f * std::pow(off, 1.5f) + rough;
}

void crag(Mask& m) {
    for (int x = 360; x < m.w; ++x) {
        float top = crag_top(x + 0.5f);
        mask_rect(m, static_cast<float>(x), top, x + 1.0f, static_cast<float>(m.h));
    }
}

Col rock(int x, int y) {
    float top = crag_top(x + 0.5f), depth = y + 0.5f - top;
    float strata = ridged(x * 0.04f + y * 0.015f, y * 0.11f, 79u, 3);
    float span = 2.0f + depth * 0.5f;
    float slope = (crag_top(x + span) - crag_top(x - span)) / (2.0f * span);
    float west = smoothstep(0.0f, 0.6f, -slope) * std::exp(-depth / 50.0f);
    Col c = Col{34, 24, 40} * (0.75f + 0.5f * strata);
    return col_mix(c, Col{120, 64, 62} * (0.7f + 0.5f * strata), west * 0.6f);
}

// A run of merlons along the top of a wall or tower from x0 to x1.
void crenels(Mask& m, float x0, float x1, float top, float size) {
    for (float x = x0; x + size <= x1 + 0.01f; x += size * 2.0f) mask_rect(m, x, top - size, x + size, top);
}

void tower(Mask& m, float x0, float x1, float top, float roof) {
    mask_rect(m, x0, top, x1, kGround + 20.0f);
    float cx = (x0 + x1) * 0.5f;
    if (roof > 0.0f)
        mask_polygon(m, {{x0 - 3.0f, top + 1.0f}, {cx, top - roof}, {x1 + 3.0f, top + 1.0f}});
    else
        crenels(m, x0, x1, top, 4.0f);
}

void keep(Mask& m) {
    float k = kKeepX;
    mask_rect(m, k - 62.0f, kGround - 24.0f, k + 62.0f, kGround + 20.0f);  // curtain wall
    crenels(m, k - 62.0f, k + 62.0f, kGround - 24.0f, 3.0f);
    tower(m, k - 70.0f, k - 58.0f, kGround - 34.0f, 16.0f);
    tower(m, k + 58.0f, k + 70.0f, kGround - 32.0f, 15.0f);
    tower(m, k - 18.0f, k + 18.0f, kGround - 64.0f, 0.0f);  // the keep proper
    tower(m, k - 36.0f, k - 22.0f, kGround - 84.0f, 26.0f);
    tower(m, k + 24.0f, k + 37.0f, kGround - 54.0f, 20.0f);
    tower(m, k - 5.0f, k + 5.0f, kGround - 80.0f, 18.0f);  // the watch turret
}

struct Window {
    float x, y, w, h;
};

const Window kWindows[] = {
    {kKeepX - 8.0f, kGround - 52.0f, 2.0f, 4.0f},  {kKeepX + 5.0f, kGround - 52.0f, 2.0f, 4.0f},
    {kKeepX - 2.0f, kGround - 38.0f, 3.0f, 5.0f},  {kKeepX - 30.0f, kGround - 70.0f, 2.0f, 4.0f},
    {kKeepX + 29.0f, kGround - 40.0f, 2.0f, 3.0f}, {kKeepX - 45.0f, kGround - 14.0f, 2.0f, 3.0f},
    {kKeepX + 44.0f, kGround - 14.0f, 2.0f, 3.0f}, {kKeepX - 1.0f, kGround - 72.0f, 2.0f, 3.0f},
};

Col stone(int x, int y) {
    float n = fbm(x * 0.12f, y * 0.12f, 91u, 3);
    return Col{30, 21, 38} * (0.8f + 0.4f * n);
}

// Warm light from the west on the left edges, silver from the moon on the
// right edges near it.
void rim_light(Img& im, const Mask& m) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float c = mask_get(m, x, y);
            if (c <= 0.0f) continue;
            float west = std::fmax(0.0f, c - mask_get(m, x - 2, y - 1));
            float east = std::fmax(0.0f, c - mask_get(m, x + 2, y - 1));
            float moon = std::exp(-std::hypot(x - kMoonX, y - kMoonY) / 45.0f);
            img_blend(im, x, y, {170, 86, 66}, west * 0.55f);
            img_blend(im, x, y, {200, 196, 220}, east * moon * 0.8f);
        }
}

void windows(Img& im) {
    Mask lit = mask_make(im.w, im.h);
    for (const Window& w : kWindows) mask_rect(lit, w.x, w.y, w.x + w.w, w.y + w.h);
    mask_glow(im, mask_blur(lit, 3), 0, 0, {255, 150, 60}, 1.6f);
    mask_paint_solid(im, lit, 0, 0, {255, 196, 104});
}

}  // namespace

void paint_castle(Img& im) {
    Mask walls = mask_make(im.w, im.h), rocks = mask_make(im.w, im.h);
    keep(walls);
    crag(rocks);
    mask_paint(im, walls, 0, 0, stone);
    mask_paint(im, rocks, 0, 0, rock);
    for (size_t i = 0; i < rocks.a.size(); ++i) rocks.a[i] = std::fmax(rocks.a[i], walls.a[i]);
    rim_light(im, rocks);
    windows(im);
    paint_mist(im, kGround + 26.0f, 8.0f, 0.6f, 403u);
}
