// What the figure carries: the right hand's weapon, and a shield or a bow
// in the left.
#include <cmath>

#include "tools/content/unitlook.h"

namespace {

constexpr V3 kRight = {0, 1, 0};

void blob(Figure& f, V3 a, V3 b, float ra, float rb, Rgb col, Finish fin = Finish::matte) {
    f.blobs.push_back({a, b, ra, rb, col, fin});
}

// The weapon's sweep side: forward when it is held up, down when it points ahead.
V3 edge_of(V3 w) { return v3_unit(v3_cross(kRight, w)); }

void sword(Figure& f, const Look& l, V3 h, V3 w, float length) {
    V3 cross = v3_unit(v3_cross(w, edge_of(w)));
    blob(f, h - w * 2.5f, h + w * 1.5f, 0.9f, 0.9f, l.wood);
    blob(f, h + w * 1.8f - cross * 3.2f, h + w * 1.8f + cross * 3.2f, 0.9f, 0.9f, l.trim, Finish::metal);
    blob(f, h + w * 2.2f, h + w * length, 1.25f, 0.45f, l.steel, Finish::metal);
}

void axe(Figure& f, const Look& l, V3 h, V3 w) {
    V3 e = edge_of(w);
    blob(f, h - w * 4.0f, h + w * 17.0f, 1.0f, 1.0f, l.wood);
    blob(f, h + w * 14.5f, h + w * 14.5f + e * 5.5f, 2.2f, 3.4f, l.steel, Finish::metal);
    blob(f, h + w * 15.0f - e * 1.0f, h + w * 15.0f - e * 3.0f, 1.6f, 0.8f, l.steel, Finish::metal);
}

void club(Figure& f, const Look& l, V3 h, V3 w) {
    blob(f, h - w * 3.0f, h + w * 17.0f, 1.3f, 3.8f, l.wood);
    for (float t : {9.0f, 13.0f}) blob(f, h + w * t, h + w * t + edge_of(w) * 3.2f, 0.8f, 0.3f, {200, 190, 170});
}

void mace(Figure& f, const Look& l, V3 h, V3 w) {
    blob(f, h - w * 3.0f, h + w * 12.0f, 0.9f, 1.0f, l.wood);
    blob(f, h + w * 13.5f, h + w * 13.5f, 3.0f, 3.0f, l.steel, Finish::metal);
    V3 e = edge_of(w), c = v3_unit(v3_cross(w, e));
    for (V3 d : {e, e * -1.0f, c, c * -1.0f, w})
        blob(f, h + w * 13.5f + d * 2.5f, h + w * 13.5f + d * 4.2f, 1.0f, 0.4f, l.steel, Finish::metal);
}

void staff(Figure& f, const Look& l, const Pose& p, V3 h, V3 w) {
    blob(f, h - w * 17.0f, h + w * 21.0f, 1.0f, 1.1f, l.wood);
    Rgb core = rgb_mix(l.glow, {255, 255, 255}, 0.5f * p.glow);
    blob(f, h + w * 23.0f, h + w * 23.0f, 2.0f + 1.2f * p.glow, 2.0f + 1.2f * p.glow, core, Finish::glow);
}

void bow(Figure& f, const Look& l, const Joints& j, const Pose& p) {
    V3 g = j.hand[0], a = j.forearm[0];
    V3 up = v3_unit(V3{0, 0, 1} - a * a.z);
    V3 prev = g;
    V3 tips[2];
    for (int side = 0; side < 2; ++side) {
        prev = g;
        float s = side ? -1.0f : 1.0f;
        for (int i = 1; i <= 5; ++i) {
            float t = (float)i / 5;
            V3 pt = g + up * (15.0f * t * s) - a * (4.0f * t * t);
            blob(f, prev, pt, 1.1f - 0.1f * (float)i, 1.0f - 0.1f * (float)i, l.wood);
            prev = pt;
        }
        tips[side] = prev;
    }
    Rgb str = {220, 214, 190};
    V3 nock = p.draw > 0 ? j.hand[1] : (tips[0] + tips[1]) * 0.5f;
    blob(f, tips[0], nock, 0.5f, 0.5f, str);
    blob(f, nock, tips[1], 0.5f, 0.5f, str);
    if (p.draw <= 0) return;
    V3 dir = v3_unit(g - nock);
    blob(f, nock, nock + dir * 24.0f, 0.6f, 0.6f, {150, 110, 60});
    blob(f, nock + dir * 24.0f, nock + dir * 26.5f, 1.0f, 0.3f, l.steel, Finish::metal);
}

void shield(Figure& f, const Look& l, const Joints& j) {
    V3 c = j.elbow[0] + (j.hand[0] - j.elbow[0]) * 0.55f + V3{0.5f, -2.6f, 0};
    V3 n = v3_unit(V3{0.75f, -1.0f, 0.05f});
    f.discs.push_back({c, n, 7.8f, l.shieldcol, Finish::cloth});
    blob(f, c + n * 0.7f, c + n * 0.7f, 1.7f, 1.7f, l.trim, Finish::metal);
}

void quiver(Figure& f, const Look& l, const Joints& j) {
    V3 top = j.chest - V3{5.5f, -2.5f, -5.0f}, bottom = j.pelvis - V3{5.5f, 2.5f, 0};
    blob(f, top, bottom, 2.2f, 2.0f, l.trim);
    for (float s : {-0.9f, 0.9f}) blob(f, top, top + V3{-0.5f, s, 3.0f}, 0.8f, 0.6f, {230, 230, 220});
}

}  // namespace

void add_weapon(Figure& fig, const Look& l, const Joints& j, const Pose& p) {
    V3 h = j.hand[1], w = j.weapon;
    switch (l.weapon) {
        case Weapon::sword: sword(fig, l, h, w, 19.0f); break;
        case Weapon::dagger: sword(fig, l, h, w, 9.5f); break;
        case Weapon::axe: axe(fig, l, h, w); break;
        case Weapon::club: club(fig, l, h, w); break;
        case Weapon::mace: mace(fig, l, h, w); break;
        case Weapon::staff: staff(fig, l, p, h, w); break;
        case Weapon::bow: bow(fig, l, j, p); break;
    }
    if (l.shield) shield(fig, l, j);
    if (l.quiver) quiver(fig, l, j);
}
