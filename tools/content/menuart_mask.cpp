#include "tools/content/menuart_mask.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSub = 4;  // samples per pixel side

// One horizontal or vertical running-sum box pass.
Mask box_pass(const Mask& m, int r, bool horizontal) {
    Mask out = mask_make(m.w, m.h);
    int len = horizontal ? m.w : m.h, lines = horizontal ? m.h : m.w;
    float norm = 1.0f / static_cast<float>(2 * r + 1);
    for (int l = 0; l < lines; ++l) {
        auto get = [&](int i) { return horizontal ? mask_get(m, i, l) : mask_get(m, l, i); };
        float sum = 0.0f;
        for (int i = -r; i <= r; ++i) sum += get(i);
        for (int i = 0; i < len; ++i) {
            if (horizontal)
                mask_set(out, i, l, sum * norm);
            else
                mask_set(out, l, i, sum * norm);
            sum += get(i + r + 1) - get(i - r);
        }
    }
    return out;
}

float segment_dist2(Pt a, Pt b, float x, float y) {
    float dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    float t = len2 > 0.0f ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0.0f;
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    float px = a.x + dx * t - x, py = a.y + dy * t - y;
    return px * px + py * py;
}

}  // namespace

Mask mask_make(int w, int h) {
    Mask m;
    m.w = w;
    m.h = h;
    m.a.assign(static_cast<size_t>(w) * h, 0.0f);
    return m;
}

float mask_get(const Mask& m, int x, int y) {
    if (x < 0 || y < 0 || x >= m.w || y >= m.h) return 0.0f;
    return m.a[static_cast<size_t>(y) * m.w + x];
}

void mask_set(Mask& m, int x, int y, float v) {
    if (x < 0 || y < 0 || x >= m.w || y >= m.h) return;
    m.a[static_cast<size_t>(y) * m.w + x] = v;
}

void mask_union(Mask& m, int x, int y, float v) {
    if (v > mask_get(m, x, y)) mask_set(m, x, y, v);
}

void mask_shape(Mask& m, float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside) {
    int ix0 = std::max(0, static_cast<int>(std::floor(x0))), iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    int ix1 = std::min(m.w - 1, static_cast<int>(std::ceil(x1))), iy1 = std::min(m.h - 1, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx)
                    hits += inside(x + (sx + 0.5f) / kSub, y + (sy + 0.5f) / kSub);
            if (hits) mask_union(m, x, y, static_cast<float>(hits) / (kSub * kSub));
        }
}

void mask_polygon(Mask& m, const std::vector<Pt>& pts) {
    if (pts.size() < 3) return;
    float x0, y0, x1, y1;
    polygon_bounds(pts, &x0, &y0, &x1, &y1);
    mask_shape(m, x0, y0, x1, y1, [&pts](float x, float y) { return inside_polygon(pts, x, y); });
}

void mask_rect(Mask& m, float x0, float y0, float x1, float y1) {
    mask_shape(m, x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

void mask_ellipse(Mask& m, float cx, float cy, float rx, float ry) {
    if (rx <= 0.0f || ry <= 0.0f) return;
    mask_shape(m, cx - rx, cy - ry, cx + rx, cy + ry, [=](float x, float y) {
        float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0f;
    });
}

void mask_capsule(Mask& m, Pt a, Pt b, float width) {
    float r = width * 0.5f;
    mask_shape(m, std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
               [=](float x, float y) { return segment_dist2(a, b, x, y) <= r * r; });
}

Mask mask_blur(const Mask& m, int radius) {
    if (radius <= 0) return m;
    Mask out = m;
    for (int pass = 0; pass < 3; ++pass) out = box_pass(box_pass(out, radius, true), radius, false);
    return out;
}

Mask mask_dilate(const Mask& m, int r) {
    Mask out = mask_make(m.w, m.h);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0.0f;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if (dx * dx + dy * dy <= r * r + r) best = std::max(best, mask_get(m, x + dx, y + dy));
            mask_set(out, x, y, best);
        }
    return out;
}

void mask_scale(Mask& m, float k) {
    for (float& v : m.a) v = std::min(1.0f, v * k);
}

void mask_paint(Img& im, const Mask& m, int ox, int oy, const std::function<Col(int, int)>& col, float opacity) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float a = mask_get(m, x, y) * opacity;
            if (a > 0.0f) img_blend(im, ox + x, oy + y, col(ox + x, oy + y), a);
        }
}

void mask_paint_solid(Img& im, const Mask& m, int ox, int oy, Col c, float opacity) {
    mask_paint(im, m, ox, oy, [c](int, int) { return c; }, opacity);
}

void mask_glow(Img& im, const Mask& m, int ox, int oy, Col c, float strength) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) img_add(im, ox + x, oy + y, c, mask_get(m, x, y) * strength);
}
