// Trees and buildings, drawn whole over several cells and then cut into
// sections the way the item editor cuts a large picture.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

constexpr Rgb kEdge = {22, 20, 16};

void trunk(Canvas& c, const Iso& iso, float cu, float cv, float height, Rgb bark) {
    iso_cylinder(c, iso, cu, cv, 0.11f, 0, height, faces_of(bark), 70);
    for (int i = 0; i < 4; ++i) {
        float a = 1.57f * static_cast<float>(i) + 0.4f;
        fill_capsule(c, iso.at(cu + 0.22f * std::cos(a), cv + 0.22f * std::sin(a), 0), iso.at(cu, cv, 8), 4.0f,
                     paint_solid(rgb_scale(bark, 0.8f)));
    }
}

void oak(Canvas& c, const Iso& iso, u32 seed, Rgb leaf) {
    iso_shadow(c, iso, 1.0f, 1.0f, 0.9f);
    trunk(c, iso, 1.0f, 1.0f, 70, {104, 76, 52});
    Pt top = iso.at(1.0f, 1.0f, 100);
    Rng rng(seed);
    // Clumps behind first, then the crown, then clumps in front.
    for (int i = 0; i < 5; ++i)
        blob(c, top.x + rng.range(-22, 22), top.y + rng.range(-34, -10), rng.range(12, 16), rng.range(10, 13),
             rgb_scale(leaf, 0.85f), seed + i, 6);
    blob(c, top.x, top.y, 37, 38, leaf, seed + 10, 22);
    for (int i = 0; i < 4; ++i)
        blob(c, top.x + rng.range(-20, 20), top.y + rng.range(5, 22), rng.range(11, 14), rng.range(9, 11), leaf,
             seed + 20 + i, 6);
    outline(c, kEdge);
}

void pine(Canvas& c, const Iso& iso, u32 seed, float height) {
    iso_shadow(c, iso, 1.0f, 1.0f, 0.7f);
    trunk(c, iso, 1.0f, 1.0f, 30, {96, 66, 44});
    Pt base = iso.at(1.0f, 1.0f, 24);
    Rng rng(seed);
    const int tiers = 5;
    for (int t = 0; t < tiers; ++t) {
        float f = static_cast<float>(t) / tiers;
        float w = 36.0f * (1.0f - 0.75f * f), y0 = base.y - height * f * 0.82f, y1 = y0 - height * 0.34f;
        u8 g = static_cast<u8>(6 * t);
        Rgb dark = {28, static_cast<u8>(70 + g), 46}, lit = {60, static_cast<u8>(118 + g), 70};
        fill_polygon(c, {{base.x - w, y0}, {base.x, y0 + 5}, {base.x + w, y0}, {base.x, y1}},
                     paint_linear({base.x - w, 0}, lit, {base.x + w, 0}, dark));
        for (int i = 0; i < 5; ++i) {
            float x = base.x + rng.range(-w * 0.7f, w * 0.5f);
            draw_line(c, static_cast<int>(x), static_cast<int>(y0 - 2), static_cast<int>(base.x),
                      static_cast<int>(y1 + 6), rgb_scale(dark, 0.8f));
        }
    }
    outline(c, kEdge);
}

void branch(Canvas& c, Pt from, float angle, float length, float width, int depth, Rng& rng) {
    Pt to = {from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
    fill_capsule(c, from, to, width, paint_solid(rgb_scale({110, 96, 84}, 0.7f + 0.1f * static_cast<float>(depth))));
    if (depth == 0) return;
    for (int k = 0; k < 2; ++k) {
        float turn = (k == 0 ? -1.0f : 1.0f) * rng.range(0.25f, 0.5f);
        branch(c, to, angle + turn, length * rng.range(0.6f, 0.78f), width * 0.68f, depth - 1, rng);
    }
}

void dead_tree(Canvas& c, const Iso& iso) {
    iso_shadow(c, iso, 1.0f, 1.0f, 0.5f);
    trunk(c, iso, 1.0f, 1.0f, 40, {110, 96, 84});
    Rng rng(31);
    branch(c, iso.at(1.0f, 1.0f, 38), -1.57f, 24.0f, 7.0f, 4, rng);
    outline(c, kEdge);
}

struct House {
    float u0, v0, u1, v1, eave, ridge;
    bool ridge_along_u;
    Rgb wall, roof;
};

void framed_walls(Canvas& c, const Iso& iso, const House& h, bool timber) {
    iso_box(c, iso, h.u0, h.v0, h.u1, h.v1, 0, h.eave, faces_of(h.wall), 0.05f, 80);
    if (timber)
        iso_courses(c, iso, h.u0, h.v0, h.u1, h.v1, 0, h.eave, h.eave / 2.0f, 0.5f, kWoodDark);
    else
        iso_courses(c, iso, h.u0, h.v0, h.u1, h.v1, 0, h.eave, 7.0f, 0.28f, kMortar);
    // A door on the face towards y + 1 and windows on both visible faces.
    float du = (h.u0 + h.u1) / 2.0f;
    Pt d0 = iso.at(du - 0.2f, h.v1, 0), d1 = iso.at(du + 0.2f, h.v1, 0);
    fill_polygon(c, {d0, d1, {d1.x, d1.y - 30}, {d0.x, d0.y - 30}}, paint_grain(kWoodDark, 0.15f, 81));
    for (float s : {0.28f, 0.72f}) {
        float u = h.u0 + (h.u1 - h.u0) * s, v = h.v0 + (h.v1 - h.v0) * s;
        Pt a = iso.at(h.u1, v - 0.12f, 22), b = iso.at(h.u1, v + 0.12f, 22);
        fill_polygon(c, {a, b, {b.x, b.y - 12}, {a.x, a.y - 12}}, paint_solid({40, 36, 50}));
        if (std::fabs(u - du) > 0.3f) {
            Pt e = iso.at(u - 0.12f, h.v1, 22), f = iso.at(u + 0.12f, h.v1, 22);
            fill_polygon(c, {e, f, {f.x, f.y - 12}, {e.x, e.y - 12}}, paint_solid({60, 54, 70}));
        }
    }
}

void roof(Canvas& c, const Iso& iso, const House& h) {
    const float o = 0.12f;
    Faces f = faces_of(h.roof);
    if (h.ridge_along_u) {
        float m = (h.v0 + h.v1) / 2.0f;
        fill_polygon(c, {iso.at(h.u0 - o, h.v0 - o, h.eave), iso.at(h.u1 + o, h.v0 - o, h.eave),
                         iso.at(h.u1 + o, m, h.ridge), iso.at(h.u0 - o, m, h.ridge)},
                     paint_grain(f.right, 0.15f, 82));
        fill_polygon(c, {iso.at(h.u1, h.v0, h.eave), iso.at(h.u1, h.v1, h.eave), iso.at(h.u1, m, h.ridge)},
                     paint_grain(faces_of(h.wall).right, 0.05f, 83));
        fill_polygon(c, {iso.at(h.u0 - o, m, h.ridge), iso.at(h.u1 + o, m, h.ridge),
                         iso.at(h.u1 + o, h.v1 + o, h.eave), iso.at(h.u0 - o, h.v1 + o, h.eave)},
                     paint_grain(f.top, 0.15f, 84));
        for (float u = h.u0; u < h.u1 + o; u += 0.25f)
            draw_line_aa(c, iso.at(u, m, h.ridge).x, iso.at(u, m, h.ridge).y, iso.at(u, h.v1 + o, h.eave).x,
                         iso.at(u, h.v1 + o, h.eave).y, rgb_scale(h.roof, 0.7f));
        return;
    }
    float m = (h.u0 + h.u1) / 2.0f;
    fill_polygon(c, {iso.at(h.u0 - o, h.v0 - o, h.eave), iso.at(h.u0 - o, h.v1 + o, h.eave),
                     iso.at(m, h.v1 + o, h.ridge), iso.at(m, h.v0 - o, h.ridge)},
                 paint_grain(f.left, 0.15f, 85));
    fill_polygon(c, {iso.at(h.u0, h.v1, h.eave), iso.at(h.u1, h.v1, h.eave), iso.at(m, h.v1, h.ridge)},
                 paint_grain(faces_of(h.wall).left, 0.05f, 86));
    fill_polygon(c, {iso.at(m, h.v0 - o, h.ridge), iso.at(m, h.v1 + o, h.ridge), iso.at(h.u1 + o, h.v1 + o, h.eave),
                     iso.at(h.u1 + o, h.v0 - o, h.eave)},
                 paint_grain(f.top, 0.15f, 87));
    for (float v = h.v0; v < h.v1 + o; v += 0.25f)
        draw_line_aa(c, iso.at(m, v, h.ridge).x, iso.at(m, v, h.ridge).y, iso.at(h.u1 + o, v, h.eave).x,
                     iso.at(h.u1 + o, v, h.eave).y, rgb_scale(h.roof, 0.7f));
}

void house(Canvas& c, const Iso& iso, const House& h, bool timber) {
    framed_walls(c, iso, h, timber);
    // The chimney rises from the back slope, so it goes before the roof's front.
    iso_box(c, iso, h.u0 + 0.3f, h.v0 + 0.25f, h.u0 + 0.55f, h.v0 + 0.5f, h.eave, h.ridge + 10,
            faces_of({120, 90, 80}), 0.1f, 88);
    roof(c, iso, h);
    outline(c, kEdge);
}

void tower(Canvas& c, const Iso& iso) {
    iso_cylinder(c, iso, 1.0f, 1.0f, 0.82f, 0, 118, faces_of(kStone), 90);
    Pt b = iso.at(1.0f, 1.0f, 0), t = iso.at(1.0f, 1.0f, 118);
    for (float h = 10; h < 118; h += 9)
        for (float x = -20; x < 22; x += 10) {
            float at = x + (static_cast<int>(h) % 2 ? 5.0f : 0.0f);
            if (std::fabs(at) > 20.0f) continue;
            canvas_set(c, static_cast<int>(b.x + at), static_cast<int>(b.y - h + 11.0f * std::sqrt(1 - at * at / 540.0f)),
                       kMortar);
        }
    fill_polygon(c, {{b.x - 6, b.y + 11}, {b.x + 6, b.y + 11}, {b.x + 6, b.y - 16}, {b.x - 6, b.y - 16}},
                 paint_solid(kWoodDark));
    fill_ellipse(c, b.x, b.y - 16, 6, 5, paint_solid(kWoodDark));
    for (float h : {52.0f, 88.0f}) fill_rect(c, static_cast<int>(b.x) - 2, static_cast<int>(b.y - h), 4, 10, {30, 28, 40});
    fill_ellipse(c, t.x, t.y, 27, 13, paint_solid({90, 40, 40}));
    fill_polygon(c, {{t.x - 27, t.y}, {t.x + 27, t.y}, {t.x, t.y - 54}}, paint_linear({t.x - 27, 0}, {176, 74, 60}, {t.x + 27, 0}, {96, 36, 30}));
    fill_ellipse(c, t.x, t.y, 27, 4, paint_linear({t.x - 27, 0}, {176, 74, 60}, {t.x + 27, 0}, {96, 36, 30}));
    fill_capsule(c, {t.x, t.y - 54}, {t.x, t.y - 66}, 1.5f, paint_solid(kIron));
    fill_polygon(c, {{t.x, t.y - 66}, {t.x + 10, t.y - 63}, {t.x, t.y - 60}}, paint_solid({200, 40, 40}));
    outline(c, kEdge);
}

void tent(Canvas& c, const Iso& iso) {
    Pt apex = iso.at(1.0f, 1.0f, 64);
    Pt a = iso.at(0.2f, 0.2f, 0), b = iso.at(1.8f, 0.2f, 0), d = iso.at(1.8f, 1.8f, 0), e = iso.at(0.2f, 1.8f, 0);
    Rgb cloth = {200, 180, 130};
    fill_polygon(c, {a, b, apex}, paint_solid(rgb_scale(cloth, 0.7f)));
    fill_polygon(c, {a, e, apex}, paint_solid(rgb_scale(cloth, 0.8f)));
    fill_polygon(c, {e, d, apex}, paint_linear3(e, rgb_scale(cloth, 1.05f), {170, 60, 50}, d, rgb_scale(cloth, 1.05f)));
    fill_polygon(c, {b, d, apex}, paint_linear3(b, rgb_scale(cloth, 0.72f), {120, 44, 36}, d, rgb_scale(cloth, 0.72f)));
    Pt m = {(e.x + d.x) / 2.0f, (e.y + d.y) / 2.0f};
    fill_polygon(c, {{m.x - 9, m.y - 4}, {m.x + 9, m.y + 4}, {m.x + 1, m.y - 34}}, paint_solid({50, 36, 28}));
    fill_capsule(c, apex, {apex.x, apex.y - 10}, 1.5f, paint_solid(kWoodDark));
    outline(c, kEdge);
}

bool large(ItemSet& set, int n, int xs, int ys, void (*draw)(Canvas&, const Iso&), std::string& why) {
    Canvas c = large_canvas(xs, ys);
    draw(c, large_iso(xs, ys));
    ItemFlags f;
    f.passage = f.sight = 1;
    return add_large(set, n, xs, ys, c, f, why);
}

void oak1(Canvas& c, const Iso& i) { oak(c, i, 1000, {70, 120, 50}); }
void oak2(Canvas& c, const Iso& i) { oak(c, i, 2000, {98, 126, 46}); }
void pine1(Canvas& c, const Iso& i) { pine(c, i, 3000, 120.0f); }
void pine2(Canvas& c, const Iso& i) { pine(c, i, 4000, 96.0f); }
void big_house(Canvas& c, const Iso& i) { house(c, i, {0.2f, 0.25f, 2.8f, 2.75f, 48, 92, true, {222, 206, 170}, {150, 60, 44}}, true); }
void cottage(Canvas& c, const Iso& i) { house(c, i, {0.2f, 0.2f, 1.8f, 1.8f, 36, 70, false, {168, 160, 146}, {190, 160, 84}}, false); }

}  // namespace

bool make_large_items(ItemSet& set, std::string& why) {
    return large(set, ITEM_TREE_OAK, 2, 2, oak1, why) && large(set, ITEM_TREE_OAK2, 2, 2, oak2, why) &&
           large(set, ITEM_TREE_PINE, 2, 2, pine1, why) && large(set, ITEM_TREE_PINE2, 2, 2, pine2, why) &&
           large(set, ITEM_TREE_DEAD, 2, 2, dead_tree, why) && large(set, ITEM_HOUSE, 3, 3, big_house, why) &&
           large(set, ITEM_COTTAGE, 2, 2, cottage, why) && large(set, ITEM_TOWER, 2, 2, tower, why) &&
           large(set, ITEM_TENT, 2, 2, tent, why);
}
