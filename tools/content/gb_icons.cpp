// Small inventory-style icons and the frame that marks an armed spell slot.
#include <algorithm>
#include <cmath>

#include "tools/content/cursor_style.h"
#include "tools/content/gamebitmaps_parts.h"

namespace {

constexpr int kIcon = 32;

Canvas icon_sword() {
    Canvas c = canvas_make(kIcon, kIcon);
    add_part(c, [](Canvas& l) {
        fill_polygon(l, place({{-2.2f, 0}, {2.2f, 0}, {1.6f, -17}, {0, -21}, {-1.6f, -17}}, 45.0f, 1.0f, {12.0f, 20.0f}),
                     paint_lit({20, 4}, {12, 20}, kSteel));
    });
    add_part(c, [](Canvas& l) { fill_capsule(l, {6.0f, 14.0f}, {18.0f, 26.0f}, 3.0f, paint_lit({6, 14}, {18, 26}, kGold)); });
    add_part(c, [](Canvas& l) { fill_capsule(l, {11.5f, 20.5f}, {5.0f, 27.0f}, 3.0f, paint_lit({5, 20}, {12, 27}, kLeather)); });
    add_part(c, [](Canvas& l) { fill_ellipse(l, 4.0f, 28.0f, 2.4f, 2.4f, paint_lit({2, 26}, {6, 30}, kGold)); });
    return c;
}

Canvas icon_shield() {
    Canvas c = canvas_make(kIcon, kIcon);
    add_part(c, [](Canvas& l) {
        fill_polygon(l, {{4, 4}, {28, 4}, {28, 15}, {16, 29}, {4, 15}}, paint_lit({4, 4}, {28, 29}, kSteel));
    });
    add_part(c, [](Canvas& l) {
        fill_polygon(l, {{7, 7}, {25, 7}, {25, 15}, {16, 25.5f}, {7, 15}}, paint_lit({7, 7}, {25, 25}, kRed));
    });
    add_part(c, [](Canvas& l) {
        fill_rect(l, 15, 8, 2, 16, kGold.light);
        fill_rect(l, 9, 12, 14, 2, kGold.mid);
    });
    return c;
}

Canvas icon_potion() {
    Canvas c = canvas_make(kIcon, kIcon);
    add_part(c, [](Canvas& l) { fill_ellipse(l, 16.0f, 21.0f, 9.0f, 8.5f, paint_lit({10, 14}, {22, 29}, kGlass)); });
    add_part(c, [](Canvas& l) { fill_ellipse(l, 16.0f, 23.0f, 7.0f, 5.5f, paint_lit({10, 18}, {22, 28}, kRed)); });
    add_part(c, [](Canvas& l) { fill_rect(l, 13, 6, 6, 8, kGlass.mid); });
    add_part(c, [](Canvas& l) { fill_rect(l, 12, 2, 8, 5, kWood.mid); });
    add_glint(c, 12, 18, {255, 255, 255});
    return c;
}

Canvas icon_scroll() {
    Canvas c = canvas_make(kIcon, kIcon);
    add_part(c, [](Canvas& l) { fill_rect(l, 6, 7, 20, 18, kCloth.light); });
    add_part(c, [](Canvas& l) {
        for (int y : {11, 15, 19}) fill_rect(l, 9, y, 14 - (y == 19 ? 5 : 0), 1, {92, 64, 40});
    });
    add_part(c, [](Canvas& l) { fill_capsule(l, {4.0f, 6.0f}, {28.0f, 6.0f}, 4.0f, paint_lit({4, 4}, {28, 8}, kCloth)); });
    add_part(c, [](Canvas& l) { fill_capsule(l, {4.0f, 26.0f}, {28.0f, 26.0f}, 4.0f, paint_lit({4, 24}, {28, 28}, kCloth)); });
    add_part(c, [](Canvas& l) { fill_ellipse(l, 21.0f, 22.0f, 3.0f, 3.0f, paint_lit({19, 20}, {23, 24}, kRed)); });
    return c;
}

Canvas icon_coins() {
    Canvas c = canvas_make(kIcon, kIcon);
    const Pt coins[] = {{10, 24}, {22, 24}, {16, 22}, {12, 18}, {20, 17}, {16, 12}};
    for (Pt p : coins)
        add_part(c, [p](Canvas& l) {
            fill_ellipse(l, p.x, p.y, 6.0f, 3.5f, paint_lit({p.x - 6, p.y - 3}, {p.x + 6, p.y + 3}, kGold));
        });
    add_glint(c, 14, 11, {255, 255, 230});
    return c;
}

// Laid over an armed spell slot (90 x 14): a violet glow round a clear inside.
Canvas spell_box() {
    Canvas c = canvas_make(90, 14);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            int d = std::min(std::min(x, y), std::min(c.w - 1 - x, c.h - 1 - y));
            if (d == 0) canvas_set(c, x, y, kMagic.dark);
            else if (d == 1) canvas_set(c, x, y, (x + y) % 2 ? kMagic.light : kMagic.mid);
        }
    for (int x : {2, 87})
        for (int y : {2, 11}) canvas_set(c, x, y, {255, 255, 255});
    return c;
}

}  // namespace

void add_icon_pictures(std::vector<GamePic>& out) {
    out.push_back({"bitmaps/icons/icon0.bmp", icon_sword(), true});
    out.push_back({"bitmaps/icons/icon1.bmp", icon_shield(), true});
    out.push_back({"bitmaps/icons/icon2.bmp", icon_potion(), true});
    out.push_back({"bitmaps/icons/icon3.bmp", icon_scroll(), true});
    out.push_back({"bitmaps/icons/icon5.bmp", icon_coins(), true});
    out.push_back({"bitmaps/spellbox.bmp", spell_box(), true});
}
