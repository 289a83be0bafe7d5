#include <cmath>

#include "tools/content/cursor_shapes.h"
#include "tools/content/cursor_style.h"

namespace {

constexpr Pt kTip = {1.2f, 1.2f};

// Pixels along a quadratic curve from a to b bending toward c, as capsules.
void stroke_curve(Canvas& l, Pt a, Pt c, Pt b, float width, const Paint& paint) {
    const int steps = 16;
    Pt prev = a;
    for (int i = 1; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps, s = 1.0f - t;
        Pt q = {s * s * a.x + 2 * s * t * c.x + t * t * b.x, s * s * a.y + 2 * s * t * c.y + t * t * b.y};
        fill_capsule(l, prev, q, width, paint);
        prev = q;
    }
}

void add_blade(Canvas& cell) {
    add_part(cell, [](Canvas& l) {
        const float w = 2.4f, len = 23;
        std::vector<Pt> blade = {diag(kTip, 0, 0), diag(kTip, 5, w), diag(kTip, len, w), diag(kTip, len, -w),
                                 diag(kTip, 5, -w)};
        fill_polygon(l, blade, paint_linear(diag(kTip, 0, w), kSteel.light, diag(kTip, 0, -w), kSteel.dark));
        Pt a = diag(kTip, 3, 0), b = diag(kTip, len, 0);
        draw_line(l, int(a.x), int(a.y), int(b.x), int(b.y), kSteel.mid);  // the fuller
    });
}

}  // namespace

Canvas cursor_sword() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_part(cell, [](Canvas& l) {  // grip
        Paint leather = paint_lit(diag(kTip, 26, 2), diag(kTip, 26, -2), kLeather);
        fill_capsule(l, diag(kTip, 26, 0), diag(kTip, 34, 0), 3.4f, leather);
    });
    add_blade(cell);
    add_part(cell, [](Canvas& l) {  // cross-guard
        fill_capsule(l, diag(kTip, 24.5f, -7), diag(kTip, 24.5f, 7), 3.2f,
                     paint_lit(diag(kTip, 23, 7), diag(kTip, 26, -7), kGold));
    });
    add_part(cell, [](Canvas& l) {  // pommel
        Pt c = diag(kTip, 36.5f, 0);
        fill_ellipse(l, c.x, c.y, 2.8f, 2.8f, paint_lit({c.x - 2, c.y - 2}, {c.x + 2, c.y + 2}, kGold));
    });
    return cell;
}

// A drawn bow seen from above, the arrow's head on the hot spot.
Canvas cursor_bow() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    Pt grip = diag(kTip, 14, 0), nock = diag(kTip, 29, 0);
    Pt end1 = diag(kTip, 22, 14), end2 = diag(kTip, 22, -14);
    Pt bend = {2 * grip.x - 0.5f * (end1.x + end2.x), 2 * grip.y - 0.5f * (end1.y + end2.y)};
    add_part(cell, [&](Canvas& l) {
        draw_line_aa(l, end1.x, end1.y, nock.x, nock.y, {226, 218, 190});
        draw_line_aa(l, end2.x, end2.y, nock.x, nock.y, {226, 218, 190});
    });
    add_part(cell, [&](Canvas& l) { stroke_curve(l, end1, bend, end2, 2.6f, paint_lit(end2, end1, kWood)); });
    add_part(cell, [&](Canvas& l) {  // shaft and fletching
        fill_capsule(l, diag(kTip, 5, 0), diag(kTip, 31, 0), 1.4f, paint_solid(kWood.light));
        for (float side : {2.6f, -2.6f}) {
            std::vector<Pt> vane = {diag(kTip, 25, 0), diag(kTip, 28, side), diag(kTip, 33, side), diag(kTip, 31, 0)};
            fill_polygon(l, vane, paint_solid(side > 0 ? kRed.light : kRed.mid));
        }
    });
    add_part(cell, [](Canvas& l) {  // head
        fill_polygon(l, {diag(kTip, 0, 0), diag(kTip, 7, 2.6f), diag(kTip, 6, 0), diag(kTip, 7, -2.6f)},
                     paint_linear(diag(kTip, 0, 2), kSteel.light, diag(kTip, 0, -2), kSteel.dark));
    });
    return cell;
}

// A wand whose star marks the hot spot.
Canvas cursor_wand() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_part(cell, [](Canvas& l) {
        fill_capsule(l, {11, 11}, {28, 28}, 3.6f, paint_lit({10, 12}, {12, 10}, kMagic));
    });
    for (float u : {6.0f, 22.0f})
        add_part(cell, [&](Canvas& l) {
            Pt c = diag({11, 11}, u, 0);
            fill_capsule(l, diag(c, 0, -2.2f), diag(c, 0, 2.2f), 2.4f, paint_solid(kGold.mid));
        });
    add_part(cell, [](Canvas& l) {
        Paint glow = paint_radial({7, 7}, 7, {255, 255, 236}, kGold.mid);
        fill_polygon(l, star({7.5f, 7.5f}, 5, 7.2f, 3.0f, -135), glow);
    });
    add_glint(cell, 17, 4, kMagic.light);
    add_glint(cell, 4, 17, kMagic.light);
    add_glint(cell, 18, 14, kIce.light);
    return cell;
}

// A magnifying glass, the lens over the hot spot.
Canvas cursor_look() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_part(cell, [](Canvas& l) {
        fill_capsule(l, {18, 18}, {28.5f, 28.5f}, 5.0f, paint_lit({17, 20}, {20, 17}, kWood));
    });
    add_part(cell, [](Canvas& l) {
        fill_capsule(l, {15, 15}, {17.5f, 17.5f}, 5.6f, paint_lit({14, 17}, {17, 14}, kGold));
    });
    add_part(cell, [](Canvas& l) {
        fill_ring(l, 10, 10, 9, 6.5f, paint_lit({2, 2}, {18, 18}, kGold));
        fill_ellipse(l, 10, 10, 6.5f, 6.5f, paint_linear({4, 4}, kGlass.light, {16, 16}, kGlass.dark));
        draw_line_aa(l, 6, 9, 9, 6, {255, 255, 255});
    });
    return cell;
}
