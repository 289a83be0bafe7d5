// Rocks, barrels and crates that can be smashed through, and plants that
// only decorate.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

constexpr Rgb kEdge = {24, 22, 20};

void rock(Canvas& c, const Iso& iso, int k) {
    Rng rng(static_cast<u64>(k) * 31 + 7);
    float size = 0.22f + 0.03f * static_cast<float>(k);
    iso_shadow(c, iso, 0.5f, 0.5f, size * 1.1f);
    Pt p = iso.at(0.5f, 0.5f, 0);
    Rgb tint = k & 1 ? Rgb{128, 122, 112} : Rgb{112, 116, 122};
    float rx = 28.0f * size * 1.3f, ry = rx * (0.6f + 0.1f * rng.unit());
    blob(c, p.x, p.y - ry * 0.8f, rx, ry, tint, static_cast<u32>(k) + 100, 7 + k);
    if (k >= 4) blob(c, p.x + rx * 0.45f, p.y - ry * 0.4f, rx * 0.5f, ry * 0.5f, rgb_scale(tint, 0.9f), 200u + k, 4);
    outline(c, kEdge);
}

void hoop(Canvas& c, Pt centre, float rx, float ry, Rgb col) {
    for (int i = 0; i < 16; ++i) {
        float a0 = 3.1416f * static_cast<float>(i) / 16.0f, a1 = 3.1416f * static_cast<float>(i + 1) / 16.0f;
        draw_line(c, static_cast<int>(centre.x + rx * std::cos(a0)), static_cast<int>(centre.y + ry * std::sin(a0)),
                  static_cast<int>(centre.x + rx * std::cos(a1)), static_cast<int>(centre.y + ry * std::sin(a1)), col);
    }
}

void barrel(Canvas& c, const Iso& iso, float u, float v, float r, Rgb wood) {
    const float height = 26.0f, rx = 28.28f * r, ry = 14.14f * r;
    iso_shadow(c, iso, u, v, r * 1.15f);
    iso_cylinder(c, iso, u, v, r, 0, height, faces_of(wood), 17);
    // Staves bulge at the middle: a wider band over the plain cylinder.
    Pt mid = iso.at(u, v, height / 2);
    fill_polygon(c, {{mid.x - rx - 1.5f, mid.y - 6}, {mid.x + rx + 1.5f, mid.y - 6}, {mid.x + rx + 1.5f, mid.y + 6},
                     {mid.x - rx - 1.5f, mid.y + 6}},
                 paint_linear({mid.x - rx, 0}, faces_of(wood).left, {mid.x + rx, 0}, faces_of(wood).right));
    for (float x = -0.6f; x < 0.7f; x += 0.3f)
        draw_line(c, static_cast<int>(mid.x + x * rx), static_cast<int>(mid.y - height / 2 + 2),
                  static_cast<int>(mid.x + x * rx), static_cast<int>(mid.y + height / 2 + 2), rgb_scale(wood, 0.6f));
    for (float h : {4.0f, 20.0f}) {
        Pt ctr = iso.at(u, v, h);
        hoop(c, ctr, rx + 0.5f, ry, kIron);
        hoop(c, {ctr.x, ctr.y + 1}, rx + 0.5f, ry, kIron);
    }
    Pt top = iso.at(u, v, height);
    fill_ellipse(c, top.x, top.y, rx - 1.5f, ry - 1.0f, paint_solid(rgb_scale(wood, 0.8f)));
}

void crate(Canvas& c, const Iso& iso, float u0, float v0, float s, float h0) {
    Faces f = faces_of({150, 110, 64});
    iso_box(c, iso, u0, v0, u0 + s, v0 + s, h0, h0 + s * 44.0f, f, 0.1f, 51);
    iso_courses(c, iso, u0, v0, u0 + s, v0 + s, h0, h0 + s * 44.0f, s * 22.0f, s * 0.5f, kWoodDark);
}

void bush(Canvas& c, const Iso& iso, int k) {
    static const Rgb kGreens[4] = {{62, 120, 48}, {48, 100, 52}, {88, 124, 50}, {54, 110, 70}};
    float size = 0.26f + 0.025f * static_cast<float>(k);
    iso_shadow(c, iso, 0.5f, 0.5f, size);
    Pt p = iso.at(0.5f, 0.5f, 0);
    float rx = 30.0f * size, ry = rx * 0.8f;
    blob(c, p.x, p.y - ry, rx, ry, kGreens[k & 3], static_cast<u32>(k) + 300, 10 + k);
    if (k >= 4) {
        Rng rng(static_cast<u64>(k) + 40);
        Rgb berry = k & 1 ? Rgb{200, 40, 50} : Rgb{236, 220, 120};
        for (int i = 0; i < 9; ++i)
            fill_ellipse(c, p.x + rng.range(-rx * 0.7f, rx * 0.7f), p.y - ry + rng.range(-ry * 0.6f, ry * 0.6f), 1.5f,
                         1.5f, paint_solid(berry));
    }
    outline(c, {20, 34, 18});
}

void flowers(Canvas& c, const Iso& iso, int k) {
    static const Rgb kPetals[4] = {{220, 60, 60}, {240, 220, 90}, {150, 110, 220}, {245, 245, 240}};
    Rng rng(static_cast<u64>(k) + 500);
    for (int i = 0; i < 11; ++i) {
        Pt p = iso.at(rng.range(0.2f, 0.8f), rng.range(0.2f, 0.8f), 0);
        float h = rng.range(4.0f, 8.0f);
        draw_line(c, static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.x),
                  static_cast<int>(p.y - h), {60, 120, 40});
        fill_ellipse(c, p.x - 1.5f, p.y - 2, 2.0f, 1.0f, paint_solid({70, 140, 50}));
        fill_ellipse(c, p.x, p.y - h, 2.0f, 1.6f, paint_solid(kPetals[(k + i / 4) & 3]));
        canvas_set(c, static_cast<int>(p.x), static_cast<int>(p.y - h), {250, 230, 120});
    }
}

void stump(Canvas& c, const Iso& iso) {
    iso_shadow(c, iso, 0.5f, 0.5f, 0.28f);
    for (int i = 0; i < 5; ++i) {
        float a = 1.2566f * static_cast<float>(i);
        Pt root = iso.at(0.5f + 0.3f * std::cos(a), 0.5f + 0.3f * std::sin(a), 0);
        fill_capsule(c, root, iso.at(0.5f, 0.5f, 6), 4.0f, paint_solid(kWoodDark));
    }
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.2f, 0, 14, faces_of({110, 80, 50}), 61);
    Pt top = iso.at(0.5f, 0.5f, 14);
    fill_ellipse(c, top.x, top.y, 5.6f, 2.8f, paint_solid({186, 150, 100}));
    hoop(c, top, 3.0f, 1.5f, {140, 104, 66});
    outline(c, kEdge);
}

void log_lying(Canvas& c, const Iso& iso, bool y) {
    Pt a = y ? iso.at(0.5f, 0.12f, 7) : iso.at(0.12f, 0.5f, 7), b = y ? iso.at(0.5f, 0.88f, 7) : iso.at(0.88f, 0.5f, 7);
    iso_shadow(c, iso, 0.5f, 0.5f, 0.3f);
    fill_capsule(c, a, b, 14.0f, paint_linear({0, a.y - 8}, {130, 96, 60}, {0, a.y + 8}, {70, 48, 30}));
    fill_ellipse(c, b.x, b.y, 5.0f, 7.0f, paint_solid({190, 152, 100}));
    hoop(c, {b.x, b.y}, 3.0f, 4.0f, {140, 104, 66});
    outline(c, kEdge);
}

}  // namespace

bool make_obstacle_items(ItemSet& set, std::string& why) {
    for (int k = 0; k < ITEM_ROCK_COUNT; ++k) {
        ItemFlags f;
        f.passage = 1;
        f.passcost = static_cast<u32>(7 + k / 2);
        f.sight = k >= 6 ? 1 : 0;
        Canvas c = item_canvas();
        rock(c, item_iso(), k);
        if (!add_item(set, ITEM_ROCK_FIRST + k, c, f, why)) return false;
    }
    ItemFlags light, heavy;
    light.passage = heavy.passage = 1;
    light.passcost = 4;
    heavy.passcost = 6;
    Canvas c = item_canvas();
    barrel(c, item_iso(), 0.5f, 0.5f, 0.3f, {140, 96, 56});
    outline(c, kEdge);
    if (!add_item(set, ITEM_BARREL, c, light, why)) return false;
    c = item_canvas();
    barrel(c, item_iso(), 0.25f, 0.6f, 0.24f, {140, 96, 56});
    barrel(c, item_iso(), 0.7f, 0.35f, 0.24f, {126, 88, 54});
    outline(c, kEdge);
    if (!add_item(set, ITEM_BARRELS_PAIR, c, heavy, why)) return false;
    c = item_canvas();
    barrel(c, item_iso(), 0.5f, 0.5f, 0.3f, {120, 90, 62});
    Pt water = item_iso().at(0.5f, 0.5f, 26);
    fill_ellipse(c, water.x, water.y, 6.5f, 3.2f, paint_solid({50, 90, 150}));
    canvas_set(c, static_cast<int>(water.x) - 2, static_cast<int>(water.y) - 1, {170, 200, 240});
    outline(c, kEdge);
    if (!add_item(set, ITEM_WATER_BARREL, c, light, why)) return false;
    c = item_canvas();
    crate(c, item_iso(), 0.22f, 0.22f, 0.56f, 0);
    outline(c, kEdge);
    if (!add_item(set, ITEM_CRATE, c, light, why)) return false;
    c = item_canvas();
    crate(c, item_iso(), 0.1f, 0.1f, 0.5f, 0);
    crate(c, item_iso(), 0.45f, 0.45f, 0.5f, 0);
    crate(c, item_iso(), 0.15f, 0.15f, 0.42f, 22);
    outline(c, kEdge);
    if (!add_item(set, ITEM_CRATES_STACK, c, heavy, why)) return false;
    for (int k = 0; k < ITEM_BUSH_COUNT; ++k) {
        c = item_canvas();
        bush(c, item_iso(), k);
        if (!add_item(set, ITEM_BUSH_FIRST + k, c, ItemFlags{}, why)) return false;
    }
    for (int k = 0; k < ITEM_FLOWERS_COUNT; ++k) {
        c = item_canvas();
        flowers(c, item_iso(), k);
        if (!add_item(set, ITEM_FLOWERS_FIRST + k, c, ItemFlags{}, why)) return false;
    }
    c = item_canvas();
    stump(c, item_iso());
    if (!add_item(set, ITEM_STUMP, c, heavy, why)) return false;
    for (bool y : {false, true}) {
        c = item_canvas();
        log_lying(c, item_iso(), y);
        if (!add_item(set, y ? ITEM_LOG_Y : ITEM_LOG_X, c, light, why)) return false;
    }
    return true;
}
