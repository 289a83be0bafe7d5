// Markers laid on the ground: the cursor's cell, the map editor's selection
// edges, the selection ring, spots for blood and for numbers, and the
// overhead map's frames. A cell's floor is the 40 x 20 diamond of its box.
#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/content/cursor_style.h"
#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/noise.h"

namespace {

// How far a point lies out on a diamond of half-sizes (hw, hh): 1 on its edge.
float diamond(float x, float y, float cx, float cy, float hw, float hh) {
    return std::fabs(x - cx) / hw + std::fabs(y - cy) / hh;
}

// The cursor's marker is placed 4 left and 2 above the cell's box: a band
// just outside the floor's edge, its corners studded.
Canvas cell_marker(Ramp r) {
    Canvas c = canvas_make(48, 24);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float outer = diamond(px, py, 24.0f, 12.0f, 22.5f, 11.25f), inner = diamond(px, py, 24.0f, 12.0f, 19.0f, 9.5f);
            if (outer <= 1.0f && inner > 1.0f) canvas_set(c, x, y, py < 12.0f ? r.light : r.mid);
        }
    for (Pt k : {Pt{24.0f, 2.0f}, Pt{44.0f, 12.0f}, Pt{24.0f, 22.0f}, Pt{4.0f, 12.0f}})
        fill_ellipse(c, k.x, k.y, 2.2f, 1.6f, paint_radial({k.x - 0.7f, k.y - 0.7f}, 2.2f, {255, 255, 255}, r.mid));
    outline(c, kInk, false);
    return c;
}

// The map editor's selection edge: which sides of the cell's floor to
// trace, as the bits 1 north (the first row, upper right), 2 east (the last
// column, lower right), 4 south (lower left), 8 west (upper left).
Canvas selection_edge(int sides) {
    Canvas c = canvas_make(40, 20);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            float px = x + 0.5f, py = y + 0.5f, s = diamond(px, py, 20.0f, 10.0f, 20.0f, 10.0f);
            if (s > 1.0f || s < 0.72f) continue;
            int side = px >= 20.0f ? (py < 10.0f ? 1 : 2) : (py < 10.0f ? 8 : 4);
            if (!(sides & side)) continue;
            canvas_set(c, x, y, s > 0.86f ? Rgb{150, 240, 255} : Rgb{40, 120, 170});
        }
    return c;
}

Canvas ring(int w, int h, float thick, Ramp r) {
    Canvas c = canvas_make(w, h);
    float cx = w * 0.5f, cy = h * 0.5f, rx = w * 0.5f - 1.5f, ry = h * 0.5f - 1.5f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float dx = (x + 0.5f - cx), dy = (y + 0.5f - cy);
            float o = dx * dx / (rx * rx) + dy * dy / (ry * ry);
            float i = dx * dx / ((rx - thick) * (rx - thick)) + dy * dy / ((ry - thick * 0.5f) * (ry - thick * 0.5f));
            if (o <= 1.0f && i > 1.0f) canvas_set(c, x, y, dy < 0 ? r.light : r.mid);
        }
    outline(c, kInk, false);
    return c;
}

Canvas blood_spot() {
    Canvas c = canvas_make(28, 16);
    Rng rng(4242);
    fill_ellipse(c, 14.0f, 8.0f, 8.0f, 4.2f, paint_radial({12.0f, 7.0f}, 8.0f, {170, 20, 16}, {96, 8, 8}));
    for (int k = 0; k < 9; ++k) {
        float a = rng.range(0.0f, 6.2832f), d = rng.range(6.0f, 11.5f), r = rng.range(0.8f, 2.2f);
        float x = 14.0f + std::cos(a) * d, y = 8.0f + std::sin(a) * d * 0.5f;
        fill_ellipse(c, x, y, r, r * 0.6f + 0.3f, paint_solid({140, 14, 12}));
    }
    canvas_set(c, 11, 6, {230, 90, 80});
    canvas_set(c, 12, 6, {200, 50, 44});
    outline(c, {50, 4, 4}, false);
    return c;
}

// Under a number a spell shows over a unit: a soft green glow with a rim.
Canvas green_spot() {
    Canvas c = canvas_make(48, 28);
    fill_ellipse(c, 24.0f, 14.0f, 22.0f, 12.5f, paint_radial({24.0f, 12.0f}, 22.0f, {170, 255, 150}, {24, 110, 40}));
    outline(c, {10, 50, 16}, true);
    return c;
}

// Over a fallen body that can still be raised: a pale glow lying on the
// cell's ground, its ellipse as wide as the cell, with motes rising from it.
Canvas grave_mark() {
    Canvas c = canvas_make(44, 30);
    fill_ellipse(c, 22.0f, 21.0f, 20.0f, 8.5f, paint_solid({150, 255, 220}));
    fill_ellipse(c, 22.0f, 21.0f, 18.5f, 7.3f, paint_radial({22.0f, 21.0f}, 18.5f, {215, 255, 240}, {20, 120, 96}));
    for (Pt m : {Pt{13.0f, 11.0f}, Pt{22.0f, 5.0f}, Pt{31.0f, 9.0f}, Pt{18.0f, 15.0f}, Pt{27.0f, 14.0f}})
        fill_ellipse(c, m.x, m.y, 1.6f, 2.2f, paint_radial({m.x, m.y - 0.5f}, 2.2f, {235, 255, 250}, {60, 170, 140}));
    return c;
}

// Four gilt corner brackets: the overhead map's view frame.
Canvas corner_frame(int w, int h, int arm, Ramp r) {
    Canvas c = canvas_make(w, h);
    for (int cy : {1, h - 3})
        for (int cx : {1, w - 3}) {
            int sx = cx == 1 ? 1 : -1, sy = cy == 1 ? 1 : -1;
            for (int k = 0; k < arm; ++k) {
                fill_rect(c, cx + sx * k, cy, 2, 2, r.light);
                fill_rect(c, cx, cy + sy * k, 2, 2, r.mid);
            }
        }
    outline(c, kInk, false);
    return c;
}

// A thin bronze frame with studs at the corners, see-through inside.
Canvas border_frame(int w, int h) {
    Canvas c = canvas_make(w, h);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            int d = std::min(std::min(x - 1, y - 1), std::min(w - 2 - x, h - 2 - y));
            if (d > 2) continue;
            bool lit = (x - 1 == d || y - 1 == d);
            canvas_set(c, x, y, d == 1 ? (lit ? kGold.light : kGold.mid) : kGold.dark);
        }
    for (Pt k : {Pt{4.0f, 4.0f}, Pt{w - 4.0f, 4.0f}, Pt{4.0f, h - 4.0f}, Pt{w - 4.0f, h - 4.0f}})
        fill_ellipse(c, k.x, k.y, 3.2f, 3.2f, paint_radial({k.x - 1, k.y - 1}, 3.2f, kGold.light, kGold.dark));
    outline(c, kInk, false);
    return c;
}

}  // namespace

void add_marker_pictures(std::vector<GamePic>& out) {
    constexpr Ramp kGreen = {{30, 120, 40}, {80, 210, 90}, {190, 255, 180}};
    constexpr Ramp kBlue = {{30, 70, 160}, {80, 150, 250}, {190, 220, 255}};
    out.push_back({"bitmaps/circle.bmp", ring(44, 22, 2.2f, kGold), true});
    out.push_back({"bitmaps/blodspot.bmp", blood_spot(), true});
    out.push_back({"bitmaps/greenspot.bmp", green_spot(), true});
    out.push_back({"bitmaps/gravemark.bmp", grave_mark(), true});
    out.push_back({"bitmaps/mapselec.bmp", corner_frame(32, 32, 8, kGold), true});
    out.push_back({"bitmaps/border.bmp", border_frame(96, 72), true});
    out.push_back({"bitmaps/sel.bmp", cell_marker(kGold), true});
    out.push_back({"bitmaps/sel1.bmp", cell_marker(kRed), true});
    out.push_back({"bitmaps/sel2.bmp", cell_marker(kGreen), true});
    out.push_back({"bitmaps/sel3.bmp", cell_marker(kBlue), true});
    const std::pair<const char*, int> edges[] = {{"gseln", 1}, {"gsele", 2},  {"gsels", 4},  {"gselw", 8},
                                                 {"gselne", 3}, {"gselnw", 9}, {"gselse", 6}, {"gselsw", 12}};
    for (const auto& [name, sides] : edges) out.push_back({std::string("bitmaps/") + name + ".bmp", selection_edge(sides), true});
}
