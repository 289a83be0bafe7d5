#include "tools/content/itemdraw.h"

#include <cmath>

#include "tools/content/noise.h"

Faces faces_of(Rgb base) { return {rgb_scale(base, 1.15f), rgb_scale(base, 0.9f), rgb_scale(base, 0.65f)}; }

Paint paint_grain(Rgb c, float amount, u32 seed) {
    return [c, amount, seed](float x, float y) {
        float n = hash01(static_cast<int>(x), static_cast<int>(y), seed) * 2.0f - 1.0f;
        return rgb_scale(c, 1.0f + amount * n);
    };
}

void iso_box(Canvas& c, const Iso& iso, float u0, float v0, float u1, float v1, float h0, float h1, Faces f,
             float grain, u32 seed) {
    fill_polygon(c, {iso.at(u0, v1, h0), iso.at(u1, v1, h0), iso.at(u1, v1, h1), iso.at(u0, v1, h1)},
                 paint_grain(f.left, grain, seed));
    fill_polygon(c, {iso.at(u1, v0, h0), iso.at(u1, v1, h0), iso.at(u1, v1, h1), iso.at(u1, v0, h1)},
                 paint_grain(f.right, grain, seed + 1));
    fill_polygon(c, {iso.at(u0, v0, h1), iso.at(u1, v0, h1), iso.at(u1, v1, h1), iso.at(u0, v1, h1)},
                 paint_grain(f.top, grain, seed + 2));
}

namespace {

void line(Canvas& c, Pt a, Pt b, Rgb col) {
    draw_line(c, static_cast<int>(std::floor(a.x)), static_cast<int>(std::floor(a.y)),
              static_cast<int>(std::floor(b.x)), static_cast<int>(std::floor(b.y)), col);
}

// Courses on the face at a fixed coordinate; along selects which of u or v
// runs across the face.
void face_courses(Canvas& c, const Iso& iso, bool along_u, float fixed, float a0, float a1, float h0, float h1,
                  float course, float joint, Rgb mortar) {
    auto at = [&](float a, float h) { return along_u ? iso.at(a, fixed, h) : iso.at(fixed, a, h); };
    int row = 0;
    for (float h = h0 + course; h < h1 - 1.0f; h += course, ++row) line(c, at(a0, h), at(a1, h), mortar);
    row = 0;
    for (float h = h0; h < h1 - 1.0f; h += course, ++row) {
        float top = std::fmin(h + course, h1);
        for (float a = a0 + (row & 1 ? joint * 0.5f : joint); a < a1 - 0.05f; a += joint)
            line(c, at(a, h), at(a, top), mortar);
    }
}

}  // namespace

void iso_courses(Canvas& c, const Iso& iso, float u0, float v0, float u1, float v1, float h0, float h1,
                 float course, float joint, Rgb mortar) {
    face_courses(c, iso, true, v1, u0, u1, h0, h1, course, joint, mortar);
    // The right face is in shade, and so are its joints.
    face_courses(c, iso, false, u1, v0, v1, h0, h1, course, joint, rgb_scale(mortar, 0.7f));
}

void iso_cylinder(Canvas& c, const Iso& iso, float cu, float cv, float r, float h0, float h1, Faces f, u32 seed) {
    Pt b = iso.at(cu, cv, h0), t = iso.at(cu, cv, h1);
    float rx = 28.28f * r, ry = 14.14f * r;
    Paint side = paint_linear({b.x - rx, 0}, f.left, {b.x + rx, 0}, f.right);
    Paint grainy = [side, seed](float x, float y) {
        float n = hash01(static_cast<int>(x), static_cast<int>(y), seed) * 2.0f - 1.0f;
        return rgb_scale(side(x, y), 1.0f + 0.06f * n);
    };
    fill_ellipse(c, b.x, b.y, rx, ry, grainy);
    fill_polygon(c, {{b.x - rx, t.y}, {b.x + rx, t.y}, {b.x + rx, b.y}, {b.x - rx, b.y}}, grainy);
    fill_ellipse(c, t.x, t.y, rx, ry, paint_grain(f.top, 0.06f, seed + 3));
}

void iso_shadow(Canvas& c, const Iso& iso, float cu, float cv, float r) {
    Pt p = iso.at(cu, cv, 0);
    fill_ellipse(c, p.x, p.y, 28.28f * r, 14.14f * r, paint_solid({22, 24, 20}));
}

void blob(Canvas& c, float cx, float cy, float rx, float ry, Rgb base, u32 seed, int lumps) {
    Rng rng(seed);
    fill_ellipse(c, cx, cy, rx, ry, paint_solid(rgb_scale(base, 0.55f)));
    for (int i = 0; i < lumps; ++i) {
        float a = rng.range(0.0f, 6.2832f), d = rng.range(0.0f, 0.6f);
        float x = cx + std::cos(a) * rx * d, y = cy + std::sin(a) * ry * d - ry * 0.15f;
        float r = rng.range(0.3f, 0.5f) * rx;
        // Lumps higher up and to the left catch more light.
        float lit = 0.8f + 0.5f * (cy + ry - y) / (2.0f * ry) - 0.15f * (x - cx) / rx;
        Pt hi = {x - r * 0.35f, y - r * 0.4f};
        fill_ellipse(c, x, y, r, r * ry / rx,
                     paint_radial(hi, r * 1.2f, rgb_scale(base, lit * 1.15f), rgb_scale(base, lit * 0.6f)));
    }
}

void flame(Canvas& c, float cx, float base_y, float height, int frame) {
    static const float kSway[4] = {0.0f, 1.5f, -0.5f, -1.5f};
    static const float kStretch[4] = {1.0f, 1.12f, 0.92f, 1.06f};
    float h = height * kStretch[frame & 3], sway = kSway[frame & 3] * height / 10.0f;
    float w = height * 0.32f;
    auto tongue = [&](float scale, Rgb col) {
        float hh = h * scale, ww = w * scale;
        fill_polygon(c,
                     {{cx - ww, base_y - hh * 0.25f}, {cx - ww * 0.6f, base_y - hh * 0.6f},
                      {cx + sway, base_y - hh}, {cx + ww * 0.6f, base_y - hh * 0.55f},
                      {cx + ww, base_y - hh * 0.25f}},
                     paint_solid(col));
        fill_ellipse(c, cx, base_y - hh * 0.22f, ww, hh * 0.24f, paint_solid(col));
    };
    tongue(1.0f, {200, 60, 16});
    tongue(0.75f, {246, 140, 30});
    tongue(0.48f, {255, 220, 90});
    tongue(0.25f, {255, 250, 210});
}
