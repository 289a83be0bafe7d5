#include "tools/content/canvas.h"

#include <algorithm>
#include <cmath>

namespace {

u8 clamp8(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<u8>(std::lround(v));
}

float clamp01(float t) { return t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t); }

// Where p falls along p0 -> p1, 0 at p0 and 1 at p1.
float project(Pt p0, Pt p1, float x, float y) {
    float dx = p1.x - p0.x, dy = p1.y - p0.y;
    float len2 = dx * dx + dy * dy;
    if (len2 <= 0.0f) return 0.0f;
    return clamp01(((x - p0.x) * dx + (y - p0.y) * dy) / len2);
}

bool is_empty(const Canvas& c, int x, int y) { return canvas_get(c, x, y) == Rgb{0, 0, 0}; }

// Paints each pixel of the clipped box whose centre inside() accepts.
template <typename Inside>
void fill_box(Canvas& c, float x0, float y0, float x1, float y1, Inside inside, const Paint& paint) {
    int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    int ix1 = std::min(c.w - 1, static_cast<int>(std::ceil(x1)));
    int iy1 = std::min(c.h - 1, static_cast<int>(std::ceil(y1)));
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            if (inside(fx, fy)) canvas_set(c, x, y, paint(fx, fy));
        }
}

float segment_dist2(Pt a, Pt b, float x, float y) {
    float t = project(a, b, x, y);
    float px = a.x + (b.x - a.x) * t - x, py = a.y + (b.y - a.y) * t - y;
    return px * px + py * py;
}

void plot_wu(Canvas& c, bool steep, int major, int minor, Rgb col, float a) {
    if (steep)
        canvas_blend(c, minor, major, col, a);
    else
        canvas_blend(c, major, minor, col, a);
}

}  // namespace

Rgb rgb_mix(Rgb a, Rgb b, float t) {
    t = clamp01(t);
    return {clamp8(a.r + (b.r - a.r) * t), clamp8(a.g + (b.g - a.g) * t), clamp8(a.b + (b.b - a.b) * t)};
}

Rgb rgb_scale(Rgb c, float k) { return {clamp8(c.r * k), clamp8(c.g * k), clamp8(c.b * k)}; }

Paint paint_solid(Rgb c) {
    return [c](float, float) { return c; };
}

Paint paint_linear(Pt p0, Rgb c0, Pt p1, Rgb c1) {
    return [=](float x, float y) { return rgb_mix(c0, c1, project(p0, p1, x, y)); };
}

Paint paint_linear3(Pt p0, Rgb c0, Rgb cm, Pt p1, Rgb c1) {
    return [=](float x, float y) {
        float t = project(p0, p1, x, y);
        return t < 0.5f ? rgb_mix(c0, cm, t * 2.0f) : rgb_mix(cm, c1, t * 2.0f - 1.0f);
    };
}

Paint paint_radial(Pt centre, float r, Rgb c0, Rgb c1) {
    return [=](float x, float y) {
        float d = std::hypot(x - centre.x, y - centre.y);
        return rgb_mix(c0, c1, r > 0.0f ? d / r : 1.0f);
    };
}

Canvas canvas_make(int w, int h, Rgb fill) {
    Canvas c;
    c.w = w;
    c.h = h;
    c.px.resize(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < c.px.size(); i += 3) {
        c.px[i] = fill.r;
        c.px[i + 1] = fill.g;
        c.px[i + 2] = fill.b;
    }
    return c;
}

bool canvas_in(const Canvas& c, int x, int y) { return x >= 0 && y >= 0 && x < c.w && y < c.h; }

Rgb canvas_get(const Canvas& c, int x, int y) {
    if (!canvas_in(c, x, y)) return {0, 0, 0};
    const u8* p = &c.px[(static_cast<size_t>(y) * c.w + x) * 3];
    return {p[0], p[1], p[2]};
}

void canvas_set(Canvas& c, int x, int y, Rgb col) {
    if (!canvas_in(c, x, y)) return;
    u8* p = &c.px[(static_cast<size_t>(y) * c.w + x) * 3];
    p[0] = col.r;
    p[1] = col.g;
    p[2] = col.b;
}

void canvas_blend(Canvas& c, int x, int y, Rgb col, float a) {
    if (!canvas_in(c, x, y)) return;
    canvas_set(c, x, y, rgb_mix(canvas_get(c, x, y), col, a));
}

void fill_rect(Canvas& c, int x, int y, int w, int h, Rgb col) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) canvas_set(c, i, j, col);
}

void fill_vgradient(Canvas& c, int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) {
        Rgb col = rgb_mix(top, bottom, h > 1 ? static_cast<float>(j) / (h - 1) : 0.0f);
        fill_rect(c, x, y + j, w, 1, col);
    }
}

void draw_line(Canvas& c, int x0, int y0, int x1, int y1, Rgb col) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        canvas_set(c, x0, y0, col);
        if (x0 == x1 && y0 == y1) return;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void draw_line_aa(Canvas& c, float x0, float y0, float x1, float y1, Rgb col) {
    bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    float dx = x1 - x0;
    float grad = dx > 0.0f ? (y1 - y0) / dx : 0.0f;
    int start = static_cast<int>(std::lround(x0)), end = static_cast<int>(std::lround(x1));
    for (int x = start; x <= end; ++x) {
        float y = y0 + grad * (x - x0);
        int iy = static_cast<int>(std::floor(y));
        float f = y - iy;
        plot_wu(c, steep, x, iy, col, 1.0f - f);
        plot_wu(c, steep, x, iy + 1, col, f);
    }
}

bool inside_polygon(const std::vector<Pt>& pts, float x, float y) {
    bool in = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Pt &a = pts[i], &b = pts[j];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
    }
    return in;
}

void polygon_bounds(const std::vector<Pt>& pts, float* x0, float* y0, float* x1, float* y1) {
    *x0 = *x1 = pts[0].x;
    *y0 = *y1 = pts[0].y;
    for (const Pt& p : pts) {
        *x0 = std::min(*x0, p.x);
        *y0 = std::min(*y0, p.y);
        *x1 = std::max(*x1, p.x);
        *y1 = std::max(*y1, p.y);
    }
}

void fill_polygon(Canvas& c, const std::vector<Pt>& pts, const Paint& paint) {
    if (pts.size() < 3) return;
    float x0, y0, x1, y1;
    polygon_bounds(pts, &x0, &y0, &x1, &y1);
    fill_box(c, x0, y0, x1, y1, [&pts](float x, float y) { return inside_polygon(pts, x, y); }, paint);
}

void fill_ellipse(Canvas& c, float cx, float cy, float rx, float ry, const Paint& paint) {
    if (rx <= 0.0f || ry <= 0.0f) return;
    auto inside = [=](float x, float y) {
        float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0f;
    };
    fill_box(c, cx - rx, cy - ry, cx + rx, cy + ry, inside, paint);
}

void fill_ring(Canvas& c, float cx, float cy, float outer, float inner, const Paint& paint) {
    auto inside = [=](float x, float y) {
        float d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 <= outer * outer && d2 >= inner * inner;
    };
    fill_box(c, cx - outer, cy - outer, cx + outer, cy + outer, inside, paint);
}

void fill_capsule(Canvas& c, Pt a, Pt b, float width, const Paint& paint) {
    float r = width * 0.5f;
    auto inside = [=](float x, float y) { return segment_dist2(a, b, x, y) <= r * r; };
    fill_box(c, std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
             std::max(a.y, b.y) + r, inside, paint);
}

void outline(Canvas& c, Rgb col, bool diagonal) {
    Canvas src = c;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            if (!is_empty(src, x, y)) continue;
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx) {
                    if ((dx == 0 && dy == 0) || (!diagonal && dx != 0 && dy != 0)) continue;
                    edge = !is_empty(src, x + dx, y + dy);
                }
            if (edge) canvas_set(c, x, y, col);
        }
}

void blit_keyed(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i)
            if (!is_empty(src, i, j)) canvas_set(dst, x + i, y + j, canvas_get(src, i, j));
}

Canvas canvas_scaled(const Canvas& c, int factor) {
    Canvas out = canvas_make(c.w * factor, c.h * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) canvas_set(out, x, y, canvas_get(c, x / factor, y / factor));
    return out;
}
