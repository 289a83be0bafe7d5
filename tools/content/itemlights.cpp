// Things that burn: wall torches, braziers and camp fires, each a cycle of
// flickering frames that gives off light.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

// A wall along x stands in the cells behind this one, its face about a
// third of a cell beyond our back edge; the torch hangs on that face.
void torch(Canvas& c, const Iso& iso, bool along_y, int frame) {
    float wu = along_y ? -0.34f : 0.5f, wv = along_y ? 0.5f : -0.34f;
    float ou = along_y ? -0.16f : 0.5f, ov = along_y ? 0.5f : -0.16f;
    Pt plate = iso.at(wu, wv, 36);
    fill_rect(c, static_cast<int>(plate.x) - 3, static_cast<int>(plate.y) - 5, 6, 10, rgb_scale(kIron, 0.9f));
    Pt hand = iso.at(ou, ov, 40), tip = iso.at(ou, ov, 52);
    fill_capsule(c, plate, hand, 2.0f, paint_solid(kIron));
    fill_capsule(c, {hand.x, hand.y + 6}, tip, 4.0f, paint_linear(hand, kWood, tip, kWoodDark));
    fill_ellipse(c, tip.x, tip.y, 3.5f, 2.5f, paint_solid({60, 40, 28}));
    flame(c, tip.x, tip.y, 13.0f, frame);
}

void brazier(Canvas& c, const Iso& iso, int frame) {
    iso_shadow(c, iso, 0.5f, 0.5f, 0.3f);
    Pt top = iso.at(0.5f, 0.5f, 24);
    for (float a : {-1.0f, 0.0f, 1.0f}) {
        Pt foot = iso.at(0.5f + 0.22f * a, 0.5f + 0.22f * (a == 0.0f ? 1.0f : -a * 0.3f), 0);
        fill_capsule(c, foot, {top.x + a * 5.0f, top.y + 2}, 2.0f, paint_solid(rgb_scale(kIron, 0.8f)));
    }
    fill_ellipse(c, top.x, top.y + 3, 14, 7, paint_linear({top.x - 14, 0}, {118, 112, 110}, {top.x + 14, 0}, {54, 50, 52}));
    fill_ellipse(c, top.x, top.y, 13, 5, paint_solid({40, 26, 18}));
    Rng rng(static_cast<u64>(frame) + 5);
    for (int i = 0; i < 9; ++i)
        fill_ellipse(c, top.x + rng.range(-10, 10), top.y + rng.range(-3, 3), 2, 1.5f,
                     paint_solid(i & 1 ? Rgb{255, 120, 30} : Rgb{200, 50, 20}));
    flame(c, top.x, top.y + 1, 26.0f, frame);
}

void campfire(Canvas& c, const Iso& iso, int frame) {
    for (int i = 0; i < 9; ++i) {
        float a = 6.2832f * static_cast<float>(i) / 9.0f;
        Pt p = iso.at(0.5f + 0.3f * std::cos(a), 0.5f + 0.3f * std::sin(a), 0);
        if (p.y < iso.at(0.5f, 0.5f, 0).y) blob(c, p.x, p.y - 2, 5, 3.5f, {120, 116, 108}, 60 + i, 3);
    }
    Pt mid = iso.at(0.5f, 0.5f, 0);
    fill_capsule(c, {mid.x - 12, mid.y + 2}, {mid.x + 10, mid.y - 4}, 5.0f, paint_solid(kWoodDark));
    fill_capsule(c, {mid.x - 10, mid.y - 4}, {mid.x + 12, mid.y + 2}, 5.0f, paint_solid(kWood));
    flame(c, mid.x, mid.y, 22.0f, frame);
    for (int i = 0; i < 9; ++i) {
        float a = 6.2832f * static_cast<float>(i) / 9.0f;
        Pt p = iso.at(0.5f + 0.3f * std::cos(a), 0.5f + 0.3f * std::sin(a), 0);
        if (p.y >= mid.y) blob(c, p.x, p.y - 2, 5, 3.5f, {120, 116, 108}, 60 + i, 3);
    }
}

bool cycle(ItemSet& set, int first, u8 brightness, ItemFlags f, void (*draw)(Canvas&, const Iso&, int),
           std::string& why) {
    f.brightness = brightness;
    for (int k = 0; k < LIGHT_FRAMES; ++k) {
        Canvas c = item_canvas();
        draw(c, item_iso(), k);
        if (!add_item(set, first + k, c, f, why)) return false;
    }
    make_cycle(set, first, LIGHT_FRAMES);
    return true;
}

void torch_x(Canvas& c, const Iso& iso, int k) { torch(c, iso, false, k); }
void torch_y(Canvas& c, const Iso& iso, int k) { torch(c, iso, true, k); }

}  // namespace

bool make_light_items(ItemSet& set, std::string& why) {
    ItemFlags open, solid;
    solid.passage = 1;
    return cycle(set, ITEM_TORCH_X_FRAME0, 6, open, torch_x, why) &&
           cycle(set, ITEM_TORCH_Y_FRAME0, 6, open, torch_y, why) &&
           cycle(set, ITEM_BRAZIER_FRAME0, 5, solid, brazier, why) &&
           cycle(set, ITEM_CAMPFIRE_FRAME0, 4, solid, campfire, why);
}
