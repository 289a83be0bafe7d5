#include "tools/content/cursor_shapes.h"
#include "tools/content/cursor_style.h"

namespace {

// The classic arrow with its point on pixel (1, 1).
const std::vector<Pt> kArrow = {{1, 0.9f}, {1, 20}, {5.5f, 15.5f}, {9, 23}, {12.5f, 21.5f},
                                {9, 14.5f}, {14.5f, 14.5f}};

void add_arrow(Canvas& cell, const Ramp& r) {
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, kArrow, paint_lit({1, 1}, {10, 20}, r));
        draw_line(l, 2, 3, 2, 16, r.light);  // the lit inner edge
    });
}

void add_shield(Canvas& cell) {
    const std::vector<Pt> rim = {{14, 15}, {29, 15}, {29, 22}, {21.5f, 30}, {14, 22}};
    const std::vector<Pt> field = {{16, 17}, {27, 17}, {27, 21.5f}, {21.5f, 27.2f}, {16, 21.5f}};
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, rim, paint_lit({14, 15}, {28, 29}, kGold));
        fill_polygon(l, field, paint_linear({16, 17}, {70, 110, 210}, {27, 27}, {24, 40, 120}));
        fill_rect(l, 21, 18, 2, 8, kGold.light);  // a pale on the field
    });
}

}  // namespace

Canvas cursor_pointer() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_arrow(cell, kSteel);
    return cell;
}

Canvas cursor_select() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_arrow(cell, kGold);
    add_shield(cell);
    return cell;
}

// A boot striding toward the tip.
Canvas cursor_walk() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    add_part(cell, [](Canvas& l) {
        const std::vector<Pt> boot = {{18, 8},  {28, 8},  {28, 27}, {27, 29.5f}, {9, 29.5f},
                                      {8, 27},  {8.5f, 24.5f}, {12, 22.5f}, {18, 21}};
        fill_polygon(l, boot, paint_lit({8, 8}, {28, 30}, kLeather));
        fill_rect(l, 17, 8, 12, 4, kLeather.light);     // turned-down cuff
        fill_rect(l, 8, 27, 21, 3, kLeather.dark);      // sole
        fill_rect(l, 22, 25, 6, 2, kLeather.dark);      // heel block
        for (int y = 14; y <= 20; y += 3) fill_rect(l, 19, y, 2, 1, kGold.mid);  // lacing
    });
    return cell;
}

// An upright hand pointing its first finger at the hot spot.
Canvas cursor_use() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    const float tilt = -18.0f, scale = 1.0f;
    const Pt at = {4.5f, 1.2f};
    auto p = [&](float x, float y) { return place({{x, y}}, tilt, scale, at)[0]; };
    Paint skin = paint_lit(p(-3, 0), p(14, 26), kSkin);
    add_part(cell, [&](Canvas& l) {  // the back of the hand
        std::vector<Pt> back = {{-2.5f, 12}, {15.5f, 12.5f}, {16, 21}, {12, 27}, {0, 27}, {-3, 21}};
        fill_polygon(l, place(back, tilt, scale, at), skin);
    });
    for (int i = 0; i < 3; ++i) {  // knuckles of the curled fingers
        float x = 4.8f + i * 4.2f;
        add_part(cell, [&](Canvas& l) { fill_capsule(l, p(x, 11.2f + i * 0.7f), p(x, 14), 4.4f, skin); });
    }
    add_part(cell, [&](Canvas& l) { fill_capsule(l, p(0, 2.3f), p(0, 14), 5.0f, skin); });
    add_part(cell, [&](Canvas& l) { fill_capsule(l, p(-1, 21), p(-5.5f, 15.5f), 4.6f, skin); });
    add_part(cell, [&](Canvas& l) {  // sleeve cuff
        fill_polygon(l, place({{-1, 25.5f}, {14, 25.5f}, {14, 30.5f}, {-1, 30.5f}}, tilt, scale, at),
                     paint_lit(p(-1, 26), p(14, 31), kMagic));
    });
    return cell;
}

// A tied sack, for picking things up.
Canvas cursor_pickup() {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    add_tip(cell, kSteel);
    Paint cloth = paint_lit({9, 10}, {29, 30}, kCloth);
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, {{15, 8}, {18, 11}, {21, 7.5f}, {24, 11}, {27, 8}, {25, 14}, {17, 14}}, cloth);
    });
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, {{17, 15}, {25, 15}, {29, 21}, {30, 26}, {27, 30}, {14, 30}, {11, 26}, {12, 21}},
                     cloth);
        draw_line(l, 16, 19, 14, 26, kCloth.light);
    });
    add_part(cell, [](Canvas& l) { fill_rect(l, 16, 13, 10, 2, kGold.mid); });  // the cord
    return cell;
}
