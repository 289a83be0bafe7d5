#include <cmath>

#include "tools/content/cursor_shapes.h"
#include "tools/content/cursor_style.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr Rgb kClear = {0, 0, 0};

Pt polar(Pt c, float r, float deg) {
    float a = deg * kPi / 180.0f;
    return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

}  // namespace

Canvas cursor_refused() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    add_part(cell, [](Canvas& l) {
        Paint red = paint_lit({8, 8}, {28, 28}, kRed);
        fill_ring(l, 19, 19, 11.5f, 7.5f, red);
        fill_capsule(l, {13.5f, 13.5f}, {24.5f, 24.5f}, 3.8f, red);
    });
    return cell;
}

// A ring glowing on the ground, drawn flat as the map's floor is.
Canvas cursor_area() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    add_part(cell, [](Canvas& l) {
        fill_ellipse(l, 18, 21, 13, 7.5f, paint_solid(kMagic.mid));
        fill_ellipse(l, 18, 21, 11.2f, 6.2f, paint_solid(kMagic.light));
        fill_ellipse(l, 18, 21, 9.6f, 5.0f, paint_solid(kMagic.mid));
        fill_ellipse(l, 18, 21, 8.2f, 3.8f, paint_solid(kClear));
    });
    add_glint(cell, 12, 10, kMagic.light);
    add_glint(cell, 25, 9, kMagic.light);
    add_glint(cell, 19, 12, {255, 255, 255});
    return cell;
}

Canvas cursor_crosshair() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    const int c = 18;  // the centre pixel
    add_part(cell, [&](Canvas& l) {
        Paint gold = paint_lit({10, 10}, {28, 28}, kGold);
        fill_ring(l, c + 0.5f, c + 0.5f, 8.2f, 6.6f, gold);
        for (int d : {-11, 4}) {  // hairs broken at the centre
            fill_rect(l, c, c + d, 1, 7, kGold.light);
            fill_rect(l, c + d, c, 7, 1, kGold.light);
        }
    });
    add_part(cell, [&](Canvas& l) { fill_rect(l, c - 1, c - 1, 3, 3, kRed.mid); });
    return cell;
}

// Out of reach: the sight's ring in dull steel, open, with nothing at its
// centre.
Canvas cursor_far() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    const int c = 18;
    add_part(cell, [&](Canvas& l) {
        Paint steel = paint_lit({10, 10}, {28, 28}, kSteel);
        fill_ring(l, c + 0.5f, c + 0.5f, 8.2f, 6.6f, steel);
        for (int d : {-12, 6}) { // short hairs outside the ring only
            fill_rect(l, c, c + d, 1, 5, kSteel.light);
            fill_rect(l, c + d, c, 5, 1, kSteel.light);
        }
    });
    return cell;
}

// A bolt of lightning, haloed in blue.
Canvas cursor_lightning() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    // The usual bolt, its top bar against the hot spot.
    const std::vector<Pt> bolt = {{0, 0}, {-2, 12}, {4, 12}, {0, 27}, {14, 9.5f}, {8, 9.5f}, {13, 0}};
    Canvas l = canvas_make(kCursorCell, kCursorCell);
    std::vector<Pt> pts = place(bolt, 0.0f, 0.98f, {3.6f, 2.6f});
    fill_polygon(l, pts, paint_linear({2, 2}, {255, 255, 240}, {24, 24}, {250, 210, 60}));
    outline(l, kIce.mid);
    outline(l, kInk);
    blit_keyed(cell, l, 0, 0);
    return cell;
}

// A six-armed snowflake: freezing.
Canvas cursor_freeze() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    const Pt c = {19, 19};
    add_part(cell, [&](Canvas& l) {
        Paint ice = paint_lit({10, 10}, {28, 28}, kIce);
        for (int i = 0; i < 6; ++i) {
            float deg = 90.0f + 60.0f * i;
            fill_capsule(l, c, polar(c, 11, deg), 2.0f, ice);
            Pt fork = polar(c, 6.5f, deg);
            fill_capsule(l, fork, polar(fork, 3.5f, deg + 50), 1.6f, ice);
            fill_capsule(l, fork, polar(fork, 3.5f, deg - 50), 1.6f, ice);
        }
        fill_ellipse(l, c.x, c.y, 2.5f, 2.5f, paint_solid(kIce.light));
    });
    return cell;
}
