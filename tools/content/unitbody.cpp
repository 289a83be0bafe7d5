// The figure's body from its joints: limbs, trunk, head and headgear.
#include <algorithm>
#include <cmath>

#include "tools/content/unitlook.h"

namespace {

void blob(Figure& f, V3 a, V3 b, float ra, float rb, Rgb col, Finish fin = Finish::matte) {
    f.blobs.push_back({a, b, ra, rb, col, fin});
}
void ball(Figure& f, V3 a, float r, Rgb col, Finish fin = Finish::matte) { blob(f, a, a, r, r, col, fin); }

Finish limb_finish(const Look& l) { return l.body == Body::armour ? Finish::metal : Finish::cloth; }

void legs(Figure& f, const Look& l, const Joints& j) {
    float k = l.body == Body::bones ? 0.45f : l.bulk;
    // Ankles and feet keep to the ground whatever the build.
    float foot = l.body == Body::bones ? 0.6f : std::min(l.bulk, 1.1f);
    for (int s = 0; s < 2; ++s) {
        blob(f, j.hip[s], j.knee[s], 3.3f * k, 2.7f * k, l.legs, limb_finish(l));
        blob(f, j.knee[s], j.ankle[s], 2.6f * k, 2.0f * std::min(k, foot), l.legs, limb_finish(l));
        V3 shin = j.knee[s] + (j.ankle[s] - j.knee[s]) * 0.55f;
        if (l.body != Body::bones) blob(f, shin, j.ankle[s], 2.5f * k, 2.3f * foot, l.boots);
        blob(f, j.ankle[s], j.toe[s], 2.2f * foot, 1.8f * foot, l.boots);
        if (l.body == Body::bones) ball(f, j.knee[s], 1.8f, l.legs);
    }
}

void arms(Figure& f, const Look& l, const Joints& j) {
    float k = l.body == Body::bones ? 0.5f : l.bulk;
    for (int s = 0; s < 2; ++s) {
        Rgb fore = l.body == Body::robe ? l.sleeves : (l.body == Body::armour ? l.sleeves : l.skin);
        blob(f, j.shoulder[s], j.elbow[s], 2.9f * k, 2.4f * k, l.sleeves, limb_finish(l));
        blob(f, j.elbow[s], j.hand[s], 2.3f * k, 1.9f * k, fore, limb_finish(l));
        ball(f, j.hand[s], 2.1f * (l.body == Body::bones ? 0.7f : l.bulk), l.body == Body::armour ? l.legs : l.skin,
             l.body == Body::armour ? Finish::metal : Finish::matte);
        if (l.body == Body::armour) ball(f, j.shoulder[s] + j.up * 0.8f, 3.9f * k, l.sleeves, Finish::metal);
        if (l.body == Body::bones) ball(f, j.elbow[s], 1.5f, l.sleeves);
    }
}

void ribs(Figure& f, const Look& l, const Joints& j) {
    blob(f, j.pelvis, j.neck, 1.5f, 1.3f, l.torso);
    ball(f, j.pelvis, 3.4f, l.torso);
    for (int r = 0; r < 4; ++r) {
        V3 c = j.pelvis + j.up * (8.0f + 2.6f * (float)r);
        float rx = 4.2f - 0.2f * (float)r, ry = 5.4f - 0.3f * (float)r;
        for (int a = 0; a < 12; ++a) {
            float a0 = 6.2831853f * (float)a / 12, a1 = 6.2831853f * (float)(a + 1) / 12;
            blob(f, c + V3{rx * std::cos(a0), ry * std::sin(a0), 0}, c + V3{rx * std::cos(a1), ry * std::sin(a1), 0},
                 0.8f, 0.8f, l.torso);
        }
    }
    for (int s = 0; s < 2; ++s) blob(f, j.neck, j.shoulder[s], 1.1f, 1.1f, l.torso);
}

void trunk(Figure& f, const Look& l, const Joints& j) {
    if (l.body == Body::bones) return ribs(f, l, j);
    float k = l.bulk;
    blob(f, j.pelvis, j.chest, 5.6f * k, 6.6f * k, l.torso, Finish::cloth);
    blob(f, j.chest, j.neck - j.up * 1.5f, 6.6f * k, 5.0f * k, l.body == Body::armour ? l.sleeves : l.torso,
         l.body == Body::armour ? Finish::metal : Finish::cloth);
    blob(f, j.pelvis + j.up * 1.0f, j.pelvis + j.up * 2.2f, 6.0f * k, 6.0f * k, l.trim);
    blob(f, j.neck - j.up * 1.5f, j.neck + j.up * 1.5f, 2.3f * k, 2.2f * k, l.skin);
    if (l.body == Body::robe) {
        // The skirt flares down to a hem lying on the ground, as wide as the stride.
        V3 hem = {(j.ankle[0].x + j.ankle[1].x) * 0.5f, 0, 7.0f};
        blob(f, j.pelvis + j.up * 3.0f, hem, 6.2f * k, 7.8f * k, l.torso, Finish::cloth);
        f.discs.push_back({hem - V3{0, 0, 5.0f}, {0, 0, 1}, 8.2f * k, l.sleeves, Finish::cloth});
    }
}

V3 forward_of(const Joints& j) { return v3_unit({j.up.z, 0, -j.up.x}); }

void face(Figure& f, const Look& l, V3 h, V3 fwd) {
    ball(f, h, 4.6f, l.skin);
    for (float s : {-1.6f, 1.6f}) ball(f, h + fwd * 4.1f + V3{0, s, 0.5f}, 0.75f, {40, 30, 30});
}

void head(Figure& f, const Look& l, const Joints& j) {
    V3 h = j.head, fwd = forward_of(j);
    switch (l.head) {
        case Headgear::skull:
            ball(f, h, 4.6f, l.skin);
            ball(f, h + fwd * 2.2f + V3{0, 0, -2.6f}, 2.8f, l.skin);
            for (float s : {-1.7f, 1.7f}) ball(f, h + fwd * 3.6f + V3{0, s, 0.4f}, 1.3f, {50, 40, 36});
            break;
        case Headgear::helm:
            ball(f, h + V3{0, 0, 0.3f}, 5.4f, l.headcol, Finish::metal);
            blob(f, h + fwd * 5.1f + V3{0, -2.5f, 0.6f}, h + fwd * 5.1f + V3{0, 2.5f, 0.6f}, 0.7f, 0.7f, {30, 30, 40});
            blob(f, h + V3{0, 0, 5.2f}, h - fwd * 4 + V3{0, 0, 3.5f}, 1.3f, 0.8f, l.trim);
            break;
        case Headgear::hood:
            ball(f, h - fwd * 1.4f + V3{0, 0, 0.8f}, 5.9f, l.headcol, Finish::cloth);
            blob(f, h - fwd * 3.0f, j.neck - fwd * 3.5f, 4.5f, 4.5f, l.headcol, Finish::cloth);
            face(f, l, h + fwd * 0.9f, fwd);
            break;
        case Headgear::hat:
            face(f, l, h, fwd);
            ball(f, h - fwd * 0.8f + V3{0, 0, 1.2f}, 4.8f, {200, 200, 210});
            f.discs.push_back({h + V3{0, 0, 3.2f}, {0, 0, 1}, 8.5f, l.headcol, Finish::cloth});
            // A squat crown: a tall one leaves the frame as its wearer walks toward the eye.
            blob(f, h + V3{0, 0, 3.4f}, h - fwd * 1.0f + V3{0, 0, 10.0f}, 4.8f, 0.7f, l.headcol, Finish::cloth);
            break;
        case Headgear::bandana:
            face(f, l, h, fwd);
            ball(f, h - fwd * 0.8f + V3{0, 0, 1.0f}, 4.7f, l.headcol, Finish::cloth);
            blob(f, h - fwd * 4.5f, h - fwd * 7.0f + V3{0, 0, -4}, 1.2f, 0.8f, l.headcol);
            break;
        case Headgear::bare:
            face(f, l, h, fwd);
            ball(f, h - fwd * 1.0f + V3{0, 0, 1.1f}, 4.5f, l.headcol);
            break;
    }
    if (l.ears)
        for (float s : {-1.0f, 1.0f})
            blob(f, h + V3{0, 3.8f * s, 0.5f}, h + V3{-1.5f, 7.5f * s, 2.5f}, 1.4f, 0.4f, l.skin);
}

}  // namespace

Figure build_body(const Look& look, const Joints& j, const Pose& p) {
    Figure f;
    legs(f, look, j);
    trunk(f, look, j);
    arms(f, look, j);
    head(f, look, j);
    add_weapon(f, look, j, p);
    return f;
}
