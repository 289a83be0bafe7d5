// Furniture and fittings: things to sit at, sleep in, pray before.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

constexpr Rgb kEdge = {26, 22, 18};
const Faces kTimber = faces_of({142, 100, 60});

void legs(Canvas& c, const Iso& iso, bool y, float u0, float v0, float u1, float v1, float h) {
    const float t = 0.06f;
    for (float u : {u0, u1 - t})
        for (float v : {v0, v1 - t}) oriented_box(c, iso, y, u, v, u + t, v + t, 0, h, faces_of(kWoodDark), 0.05f, 3);
}

void table(Canvas& c, const Iso& iso, bool y) {
    legs(c, iso, y, 0.12f, 0.28f, 0.88f, 0.72f, 14);
    oriented_box(c, iso, y, 0.08f, 0.24f, 0.92f, 0.76f, 14, 18, kTimber, 0.12f, 4);
    Pt mug = y ? iso.at(0.55f, 0.3f, 18) : iso.at(0.3f, 0.55f, 18);
    iso_cylinder(c, iso, y ? 0.55f : 0.3f, y ? 0.3f : 0.55f, 0.05f, 18, 24, faces_of({170, 170, 180}), 5);
    fill_ellipse(c, mug.x + 10, mug.y + 4, 5, 2.5f, paint_solid({200, 190, 170}));
}

void round_table(Canvas& c, const Iso& iso) {
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.07f, 0, 14, faces_of(kWoodDark), 6);
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.36f, 14, 18, kTimber, 7);
    Pt p = iso.at(0.45f, 0.45f, 18);
    fill_ellipse(c, p.x, p.y, 4, 2, paint_solid({230, 226, 210}));
}

// facing: 0 towards x + 1, 1 towards x - 1, 2 towards y + 1, 3 towards y - 1.
void chair(Canvas& c, const Iso& iso, int facing) {
    bool y = facing >= 2, back_first = (facing & 1) == 0;
    float bu0 = back_first ? 0.3f : 0.64f;
    legs(c, iso, y, 0.3f, 0.3f, 0.7f, 0.7f, 10);
    if (back_first) oriented_box(c, iso, y, bu0, 0.3f, bu0 + 0.06f, 0.7f, 10, 30, kTimber, 0.1f, 8);
    oriented_box(c, iso, y, 0.3f, 0.3f, 0.7f, 0.7f, 10, 13, kTimber, 0.1f, 9);
    if (!back_first) oriented_box(c, iso, y, bu0, 0.3f, bu0 + 0.06f, 0.7f, 10, 30, kTimber, 0.1f, 8);
}

void stool(Canvas& c, const Iso& iso) {
    legs(c, iso, false, 0.36f, 0.36f, 0.64f, 0.64f, 10);
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.16f, 10, 13, kTimber, 10);
}

void bench(Canvas& c, const Iso& iso, bool y) {
    legs(c, iso, y, 0.1f, 0.38f, 0.9f, 0.62f, 9);
    oriented_box(c, iso, y, 0.06f, 0.36f, 0.94f, 0.64f, 9, 12, kTimber, 0.12f, 11);
}

void bed(Canvas& c, const Iso& iso, bool y) {
    oriented_box(c, iso, y, 0.02f, 0.2f, 0.08f, 0.8f, 0, 26, kTimber, 0.1f, 12);
    oriented_box(c, iso, y, 0.08f, 0.2f, 0.95f, 0.8f, 0, 9, kTimber, 0.1f, 13);
    oriented_box(c, iso, y, 0.08f, 0.23f, 0.93f, 0.77f, 9, 13, faces_of({214, 206, 186}), 0.04f, 14);
    oriented_box(c, iso, y, 0.1f, 0.3f, 0.3f, 0.7f, 13, 16, faces_of({240, 236, 226}), 0.03f, 15);
    oriented_box(c, iso, y, 0.36f, 0.21f, 0.95f, 0.79f, 9, 15, faces_of({150, 40, 40}), 0.06f, 16);
    oriented_box(c, iso, y, 0.36f, 0.21f, 0.42f, 0.79f, 15, 15.5f, faces_of({200, 170, 80}), 0.0f, 17);
}

void shelf(Canvas& c, const Iso& iso, bool y) {
    const Rgb kBooks[5] = {{140, 30, 30}, {40, 70, 130}, {40, 110, 60}, {150, 120, 50}, {90, 50, 100}};
    oriented_box(c, iso, y, 0.08f, 0.04f, 0.92f, 0.08f, 0, 54, faces_of(kWoodDark), 0.1f, 18);
    oriented_box(c, iso, y, 0.08f, 0.04f, 0.13f, 0.3f, 0, 54, kTimber, 0.1f, 19);
    Rng rng(y ? 41 : 42);
    for (float h : {2.0f, 19.0f, 36.0f}) {
        oriented_box(c, iso, y, 0.13f, 0.08f, 0.87f, 0.3f, h, h + 2, kTimber, 0.1f, 20);
        for (float u = 0.15f; u < 0.83f; u += 0.06f) {
            float tall = rng.range(9.0f, 14.0f);
            if (rng.below(6) == 0) continue;
            oriented_box(c, iso, y, u, 0.1f, u + 0.05f, 0.27f, h + 2, h + 2 + tall, faces_of(kBooks[rng.below(5)]),
                         0.05f, 21);
        }
    }
    oriented_box(c, iso, y, 0.13f, 0.08f, 0.87f, 0.3f, 52, 54, kTimber, 0.1f, 22);
    oriented_box(c, iso, y, 0.87f, 0.04f, 0.92f, 0.3f, 0, 54, kTimber, 0.1f, 23);
}

void candle(Canvas& c, const Iso& iso, float u, float v, float h, int frame) {
    iso_cylinder(c, iso, u, v, 0.025f, h, h + 8, faces_of({236, 228, 200}), 24);
    Pt t = iso.at(u, v, h + 8);
    flame(c, t.x, t.y, 6.0f, frame);
}

void altar(Canvas& c, const Iso& iso) {
    Rgb marble = {196, 192, 184};
    iso_box(c, iso, 0.2f, 0.2f, 0.8f, 0.8f, 0, 4, faces_of(rgb_scale(marble, 0.85f)), 0.05f, 25);
    iso_box(c, iso, 0.26f, 0.26f, 0.74f, 0.74f, 4, 18, faces_of(marble), 0.06f, 26);
    iso_box(c, iso, 0.22f, 0.22f, 0.78f, 0.78f, 18, 21, faces_of(rgb_scale(marble, 1.08f)), 0.03f, 27);
    iso_box(c, iso, 0.4f, 0.21f, 0.6f, 0.79f, 8, 21.5f, faces_of({120, 30, 60}), 0.04f, 28);
    iso_box(c, iso, 0.4f, 0.2f, 0.6f, 0.21f, 8, 10, faces_of({220, 180, 70}), 0.0f, 29);
    candle(c, iso, 0.3f, 0.3f, 21, 0);
    candle(c, iso, 0.7f, 0.7f, 21, 2);
    Pt p = iso.at(0.5f, 0.5f, 21);
    fill_polygon(c, {{p.x - 1.5f, p.y - 22}, {p.x + 1.5f, p.y - 22}, {p.x + 1.5f, p.y}, {p.x - 1.5f, p.y}},
                 paint_solid({230, 200, 90}));
    fill_polygon(c, {{p.x - 6, p.y - 16}, {p.x + 6, p.y - 16}, {p.x + 6, p.y - 13}, {p.x - 6, p.y - 13}},
                 paint_solid({230, 200, 90}));
}

void rug(Canvas& c, const Iso& iso, bool y) {
    const Rgb kBands[4] = {{120, 30, 30}, {200, 160, 70}, {150, 40, 36}, {50, 60, 110}};
    float inset[4] = {0.0f, 0.04f, 0.07f, 0.16f};
    for (int i = 0; i < 4; ++i) {
        float s = inset[i];
        oriented_box(c, iso, y, 0.08f + s, 0.22f + s, 0.92f - s, 0.78f - s, 0, 1, faces_of(kBands[i]), 0.12f,
                     30u + static_cast<u32>(i));
    }
    oriented_box(c, iso, y, 0.4f, 0.44f, 0.6f, 0.56f, 0, 1.2f, faces_of({200, 160, 70}), 0.1f, 34);
}

void well(Canvas& c, const Iso& iso) {
    iso_shadow(c, iso, 0.5f, 0.5f, 0.45f);
    for (float v : {0.14f, 0.86f})
        if (v < 0.5f) iso_box(c, iso, 0.46f, v - 0.04f, 0.54f, v + 0.04f, 0, 54, faces_of(kWoodDark), 0.08f, 35);
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.36f, 0, 18, faces_of(kStone), 36);
    Pt top = iso.at(0.5f, 0.5f, 18);
    fill_ellipse(c, top.x, top.y, 7.5f, 3.8f, paint_solid({30, 50, 70}));
    fill_ellipse(c, top.x - 2, top.y - 1, 3, 1.2f, paint_solid({80, 110, 140}));
    iso_box(c, iso, 0.48f, 0.14f, 0.52f, 0.86f, 40, 42, faces_of(kIron), 0.0f, 37);
    iso_box(c, iso, 0.46f, 0.82f, 0.54f, 0.9f, 0, 54, faces_of(kWoodDark), 0.08f, 38);
    // A little gable roof with its ridge along map y.
    Faces tiles = faces_of({150, 70, 46});
    Pt a0 = iso.at(0.18f, 0.04f, 50), a1 = iso.at(0.18f, 0.96f, 50), r0 = iso.at(0.5f, 0.04f, 64),
       r1 = iso.at(0.5f, 0.96f, 64), b0 = iso.at(0.82f, 0.04f, 50), b1 = iso.at(0.82f, 0.96f, 50);
    fill_polygon(c, {a0, r0, r1, a1}, paint_grain(tiles.top, 0.15f, 39));
    fill_polygon(c, {r0, b0, b1, r1}, paint_grain(tiles.right, 0.15f, 40));
    outline(c, kEdge);
}

void statue(Canvas& c, const Iso& iso) {
    Rgb stone = {170, 168, 160};
    iso_box(c, iso, 0.22f, 0.22f, 0.78f, 0.78f, 0, 14, faces_of(rgb_scale(stone, 0.85f)), 0.06f, 42);
    Pt base = iso.at(0.5f, 0.5f, 14);
    Paint body = paint_linear({base.x - 8, 0}, rgb_scale(stone, 1.15f), {base.x + 8, 0}, rgb_scale(stone, 0.7f));
    fill_capsule(c, {base.x - 3, base.y - 2}, {base.x - 3, base.y - 22}, 5, body);
    fill_capsule(c, {base.x + 3, base.y - 2}, {base.x + 3, base.y - 22}, 5, body);
    fill_polygon(c, {{base.x - 9, base.y - 10}, {base.x + 9, base.y - 10}, {base.x + 7, base.y - 40}, {base.x - 7, base.y - 40}},
                 body);
    fill_capsule(c, {base.x - 7, base.y - 38}, {base.x - 12, base.y - 22}, 4, body);
    fill_capsule(c, {base.x + 7, base.y - 38}, {base.x + 12, base.y - 52}, 4, body);
    fill_capsule(c, {base.x + 12, base.y - 48}, {base.x + 12, base.y - 72}, 2.5f, body);
    fill_ellipse(c, base.x, base.y - 46, 5, 6, body);
    outline(c, kEdge);
}

void signpost(Canvas& c, const Iso& iso) {
    iso_box(c, iso, 0.46f, 0.46f, 0.54f, 0.54f, 0, 46, faces_of(kWoodDark), 0.08f, 43);
    iso_box(c, iso, 0.54f, 0.47f, 0.95f, 0.53f, 34, 42, faces_of({170, 130, 80}), 0.1f, 44);
    iso_box(c, iso, 0.47f, 0.54f, 0.53f, 0.9f, 24, 32, faces_of({160, 120, 74}), 0.1f, 45);
    outline(c, kEdge);
}

void pillar(Canvas& c, const Iso& iso, bool broken) {
    iso_box(c, iso, 0.2f, 0.2f, 0.8f, 0.8f, 0, 8, faces_of(rgb_scale(kStone, 0.9f)), 0.06f, 46);
    float top = broken ? 34.0f : 80.0f;
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.22f, 8, top, faces_of(rgb_scale(kStone, 1.05f)), 47);
    if (!broken) {
        iso_box(c, iso, 0.2f, 0.2f, 0.8f, 0.8f, top, top + 8, faces_of(rgb_scale(kStone, 0.95f)), 0.06f, 48);
        return;
    }
    Pt t = iso.at(0.5f, 0.5f, top);
    fill_polygon(c, {{t.x - 6.2f, t.y}, {t.x - 3, t.y - 8}, {t.x + 1, t.y - 3}, {t.x + 4, t.y - 10}, {t.x + 6.2f, t.y}},
                 paint_solid(rgb_scale(kStone, 0.85f)));
    Pt r = iso.at(0.85f, 0.7f, 0);
    blob(c, r.x, r.y - 4, 7, 4, kStone, 49, 4);
    outline(c, kEdge);
}

void tombstone(Canvas& c, const Iso& iso) {
    Pt m = iso.at(0.55f, 0.6f, 0);
    fill_ellipse(c, m.x, m.y, 15, 6, paint_grain({96, 78, 56}, 0.2f, 50));
    Pt foot = iso.at(0.4f, 0.4f, 0);
    Paint face = paint_linear({foot.x - 7, 0}, {176, 176, 170}, {foot.x + 7, 0}, {110, 110, 108});
    fill_polygon(c, {{foot.x - 7, foot.y}, {foot.x + 7, foot.y - 2}, {foot.x + 7, foot.y - 20}, {foot.x - 7, foot.y - 18}}, face);
    fill_ellipse(c, foot.x, foot.y - 19, 7, 5, face);
    Rgb cut = {84, 84, 84};
    draw_line(c, static_cast<int>(foot.x), static_cast<int>(foot.y - 20), static_cast<int>(foot.x), static_cast<int>(foot.y - 9), cut);
    draw_line(c, static_cast<int>(foot.x - 3), static_cast<int>(foot.y - 16), static_cast<int>(foot.x + 3), static_cast<int>(foot.y - 16), cut);
    outline(c, kEdge);
}

void bones(Canvas& c, const Iso& iso) {
    Rgb bone = {226, 220, 196};
    Rng rng(77);
    for (int i = 0; i < 5; ++i) {
        Pt a = iso.at(rng.range(0.2f, 0.8f), rng.range(0.2f, 0.8f), 1);
        float ang = rng.range(0.0f, 3.14f);
        Pt b = {a.x + 9 * std::cos(ang), a.y + 4 * std::sin(ang)};
        fill_capsule(c, a, b, 2.0f, paint_solid(bone));
        fill_ellipse(c, a.x, a.y, 1.8f, 1.8f, paint_solid(bone));
        fill_ellipse(c, b.x, b.y, 1.8f, 1.8f, paint_solid(bone));
    }
    Pt s = iso.at(0.45f, 0.55f, 4);
    fill_ellipse(c, s.x, s.y, 5, 4.5f, paint_solid(bone));
    fill_ellipse(c, s.x - 2, s.y, 1.2f, 1.2f, paint_solid({40, 30, 30}));
    fill_ellipse(c, s.x + 2, s.y, 1.2f, 1.2f, paint_solid({40, 30, 30}));
    outline(c, {60, 54, 44});
}

struct Piece {
    int n;
    void (*draw)(Canvas&, const Iso&);
    u8 passage, sight, surface;
    u32 passcost;
};

void table_x(Canvas& c, const Iso& i) { table(c, i, false); }
void table_y(Canvas& c, const Iso& i) { table(c, i, true); }
void chair0(Canvas& c, const Iso& i) { chair(c, i, 0); }
void chair1(Canvas& c, const Iso& i) { chair(c, i, 1); }
void chair2(Canvas& c, const Iso& i) { chair(c, i, 2); }
void chair3(Canvas& c, const Iso& i) { chair(c, i, 3); }
void bench_x(Canvas& c, const Iso& i) { bench(c, i, false); }
void bench_y(Canvas& c, const Iso& i) { bench(c, i, true); }
void bed_x(Canvas& c, const Iso& i) { bed(c, i, false); }
void bed_y(Canvas& c, const Iso& i) { bed(c, i, true); }
void shelf_x(Canvas& c, const Iso& i) { shelf(c, i, false); }
void shelf_y(Canvas& c, const Iso& i) { shelf(c, i, true); }
void rug_x(Canvas& c, const Iso& i) { rug(c, i, false); }
void rug_y(Canvas& c, const Iso& i) { rug(c, i, true); }
void pillar_whole(Canvas& c, const Iso& i) { pillar(c, i, false); }
void pillar_broken(Canvas& c, const Iso& i) { pillar(c, i, true); }

const Piece kPieces[] = {
    {ITEM_TABLE_X, table_x, 1, 0, 12, 0},      {ITEM_TABLE_Y, table_y, 1, 0, 12, 0},
    {ITEM_TABLE_ROUND, round_table, 1, 0, 12, 0}, {ITEM_CHAIR_XPLUS, chair0, 0, 0, 0, 0},
    {ITEM_CHAIR_XMINUS, chair1, 0, 0, 0, 0},   {ITEM_CHAIR_YPLUS, chair2, 0, 0, 0, 0},
    {ITEM_CHAIR_YMINUS, chair3, 0, 0, 0, 0},   {ITEM_STOOL, stool, 0, 0, 0, 0},
    {ITEM_BENCH_X, bench_x, 1, 0, 8, 4},       {ITEM_BENCH_Y, bench_y, 1, 0, 8, 4},
    {ITEM_BED_X, bed_x, 1, 0, 10, 0},          {ITEM_BED_Y, bed_y, 1, 0, 10, 0},
    {ITEM_SHELF_X, shelf_x, 1, 0, 0, 0},       {ITEM_SHELF_Y, shelf_y, 1, 0, 0, 0},
    {ITEM_ALTAR, altar, 1, 0, 18, 0},          {ITEM_RUG_X, rug_x, 0, 0, 0, 0},
    {ITEM_RUG_Y, rug_y, 0, 0, 0, 0},           {ITEM_WELL, well, 1, 0, 16, 0},
    {ITEM_STATUE, statue, 1, 0, 0, 0},         {ITEM_SIGNPOST, signpost, 1, 0, 0, 0},
    {ITEM_PILLAR, pillar_whole, 1, 1, 0, 0},   {ITEM_PILLAR_BROKEN, pillar_broken, 1, 0, 0, 8},
    {ITEM_TOMBSTONE, tombstone, 1, 0, 0, 0},   {ITEM_BONES, bones, 0, 0, 0, 0},
};

}  // namespace

bool make_furniture_items(ItemSet& set, std::string& why) {
    for (const Piece& p : kPieces) {
        Canvas c = item_canvas();
        p.draw(c, item_iso());
        ItemFlags f;
        f.passage = p.passage;
        f.sight = p.sight;
        f.surface = p.surface;
        f.passcost = p.passcost;
        if (!add_item(set, p.n, c, f, why)) return false;
    }
    return true;
}
