// What flies: arrows for the eight facings and the magic missile with its
// sparks. Missiles are centred on their position, so each is drawn about
// the middle of its picture.
#include <cmath>

#include "tools/content/cursor_style.h"
#include "tools/content/gamebitmaps_parts.h"

namespace {

constexpr int kArrowCell = 24;

// Facing 1..8 on the screen: the facing's map step projected, as the view
// projects positions (map x right and down, map y left and down, 2:1).
Pt arrow_dir(int facing) {
    static const int steps[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    float sx = static_cast<float>(steps[facing - 1][0] - steps[facing - 1][1]);
    float sy = static_cast<float>(steps[facing - 1][0] + steps[facing - 1][1]) * 0.5f;
    float len = std::hypot(sx, sy);
    return {sx / len, sy / len};
}

Canvas arrow(int facing) {
    Canvas c = canvas_make(kArrowCell, kArrowCell);
    Pt d = arrow_dir(facing), n = {-d.y, d.x};
    Pt mid = {kArrowCell * 0.5f, kArrowCell * 0.5f};
    auto at = [&](float along, float across) { return Pt{mid.x + d.x * along + n.x * across, mid.y + d.y * along + n.y * across}; };
    // Fletching first, so the shaft runs over it.
    add_part(c, [&](Canvas& l) {
        for (float side : {-1.0f, 1.0f})
            fill_polygon(l, {at(-10.0f, 0.0f), at(-6.0f, 0.0f), at(-8.5f, side * 2.6f), at(-11.0f, side * 2.6f)},
                         paint_solid(side < 0 ? Rgb{176, 40, 28} : Rgb{214, 72, 44}));
    });
    add_part(c, [&](Canvas& l) {
        fill_capsule(l, at(-9.5f, 0.0f), at(4.0f, 0.0f), 1.7f, paint_linear(at(0, -1), {206, 150, 86}, at(0, 1), {120, 76, 38}));
    });
    add_part(c, [&](Canvas& l) {
        fill_polygon(l, {at(9.5f, 0.0f), at(3.0f, -3.0f), at(4.5f, 0.0f), at(3.0f, 3.0f)},
                     paint_linear(at(6, -2), kSteel.light, at(6, 2), kSteel.dark));
    });
    return c;
}

Canvas magic() {
    Canvas c = canvas_make(16, 16);
    Pt m = {8.0f, 8.0f};
    fill_polygon(c, star(m, 4, 7.8f, 2.2f, 45.0f), paint_radial(m, 7.8f, {190, 150, 255}, {70, 30, 160}));
    fill_polygon(c, star(m, 4, 7.2f, 2.4f, 0.0f), paint_radial(m, 7.2f, {220, 200, 255}, {96, 50, 200}));
    fill_ellipse(c, 8.0f, 8.0f, 4.0f, 4.0f, paint_radial(m, 4.0f, {255, 255, 255}, {160, 120, 255}));
    fill_ellipse(c, 7.0f, 7.0f, 1.5f, 1.5f, paint_solid({255, 255, 255}));
    return c;
}

Canvas magic_small() {
    Canvas c = canvas_make(8, 8);
    Pt m = {4.0f, 4.0f};
    fill_polygon(c, star(m, 4, 3.9f, 1.1f, 0.0f), paint_radial(m, 3.9f, {255, 240, 255}, {130, 80, 230}));
    canvas_set(c, 3, 3, {255, 255, 255});
    canvas_set(c, 4, 4, {255, 255, 255});
    return c;
}

}  // namespace

Pt arrow_screen_direction(int facing) { return arrow_dir(facing); }

void add_missile_pictures(std::vector<GamePic>& out) {
    out.push_back({"bitmaps/magic.bmp", magic(), true});
    out.push_back({"bitmaps/magicsmall.bmp", magic_small(), true});
    for (int f = 1; f <= 8; ++f) out.push_back({"bitmaps/arrows/arrow" + std::to_string(f) + ".bmp", arrow(f), true});
}
