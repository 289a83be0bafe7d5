#include "tools/content/cursor_style.h"

#include <cmath>

namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kRoot2 = 1.41421356f;
}  // namespace

void add_part(Canvas& cell, const std::function<void(Canvas&)>& draw) {
    Canvas layer = canvas_make(cell.w, cell.h);
    draw(layer);
    outline(layer, kInk);
    blit_keyed(cell, layer, 0, 0);
}

Pt diag(Pt o, float u, float v) { return {o.x + (u + v) / kRoot2, o.y + (u - v) / kRoot2}; }

std::vector<Pt> place(const std::vector<Pt>& pts, float deg, float scale, Pt at) {
    float a = deg * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
    std::vector<Pt> out;
    out.reserve(pts.size());
    for (const Pt& p : pts)
        out.push_back({at.x + scale * (p.x * c - p.y * s), at.y + scale * (p.x * s + p.y * c)});
    return out;
}

std::vector<Pt> star(Pt centre, int n, float outer, float inner, float deg) {
    std::vector<Pt> out;
    for (int i = 0; i < 2 * n; ++i) {
        float r = (i & 1) ? inner : outer;
        float a = (deg + 180.0f * i / n) * kPi / 180.0f;
        out.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return out;
}

Paint paint_lit(Pt from, Pt to, const Ramp& r) { return paint_linear3(from, r.light, r.mid, to, r.dark); }

void add_tip(Canvas& cell, const Ramp& r) {
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, {{1, 1}, {1, 11}, {3.5f, 8.5f}, {6, 12.5f}, {7.5f, 11.5f}, {5.5f, 7.5f}, {9, 7.5f}},
                     paint_lit({1, 1}, {7, 11}, r));
    });
}

void add_glint(Canvas& cell, int x, int y, Rgb col) {
    add_part(cell, [&](Canvas& l) {
        fill_rect(l, x - 1, y, 3, 1, col);
        fill_rect(l, x, y - 1, 1, 3, col);
    });
}
