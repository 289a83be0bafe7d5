// The button skin: dark walnut in a thin bronze rim. The game cuts buttons
// of any width from anywhere along it, so the rim runs the whole length, the
// grain never repeats, and the ends are kept for the buttons' own ends.
#include <cmath>
#include <vector>

#include "tools/content/menuart.h"
#include "tools/content/menuart_frame.h"
#include "tools/content/menuart_img.h"
#include "tools/content/noise.h"

namespace {

constexpr u32 kSeed = 700u;
const Col kOutline = {14, 8, 5};

struct Knot {
    float x, y, r;
};

std::vector<Knot> knots() {
    Rng rng(kSeed);
    std::vector<Knot> out;
    for (float x = 24.0f; x < kSkinW - 16.0f; x += rng.range(40.0f, 90.0f))
        out.push_back({x, rng.range(5.0f, 19.0f), rng.range(2.5f, 4.5f)});
    return out;
}

// Where along the grain a point lies; knots swirl the rings around them.
float grain_phase(const std::vector<Knot>& ks, float x, float y) {
    float p = y * 0.42f + 7.0f * fbm(x * 0.006f, y * 0.04f, kSeed + 1u, 4);
    for (const Knot& k : ks) {
        float dx = (x - k.x) / (k.r * 3.5f), dy = (y - k.y) / (k.r * 1.6f);
        p += 2.2f * std::exp(-(dx * dx + dy * dy));
    }
    return p;
}

Col wood(const std::vector<Knot>& ks, int x, int y) {
    float fx = x + 0.5f, fy = y + 0.5f;
    float ring = grain_phase(ks, fx, fy);
    float line = std::fabs(ring - std::floor(ring) - 0.5f) * 2.0f;  // 0 on a ring
    float tint = fbm(fx * 0.005f, 0.5f, kSeed + 2u, 3);
    Col base = col_mix({44, 28, 19}, {70, 44, 27}, tint);
    Col c = col_mix(base * 0.62f, base, smoothstep(0.0f, 0.5f, line));
    c = c * (0.9f + 0.2f * fbm(fx * 0.4f, fy * 0.15f, kSeed + 3u, 2));
    for (const Knot& k : ks) {
        float dx = (fx - k.x) / k.r, dy = (fy - k.y) / (k.r * 0.6f), d = dx * dx + dy * dy;
        if (d < 1.0f) c = col_mix(c, {28, 16, 10}, 0.8f * (1.0f - d));
    }
    return c;
}

// A few shallow scratches, each a pale cut with its shaded lip below.
void scratches(Img& im) {
    Rng rng(kSeed + 9u);
    for (int i = 0; i < 14; ++i) {
        float x = rng.range(8.0f, kSkinW - 30.0f), y = rng.range(5.0f, 19.0f);
        float len = rng.range(6.0f, 22.0f), slope = rng.range(-0.25f, 0.25f);
        for (int s = 0; s < static_cast<int>(len); ++s) {
            int px = static_cast<int>(x) + s, py = static_cast<int>(std::lround(y + s * slope));
            float fade = std::sin(3.14159f * s / len);
            img_blend(im, px, py, {128, 96, 66}, 0.35f * fade);
            img_blend(im, px, py + 1, {20, 12, 8}, 0.25f * fade);
        }
    }
}

Img wood_strip() {
    std::vector<Knot> ks = knots();
    Img im = img_make(kSkinW, kFaceH + 1, {0, 0, 0});
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) img_set(im, x, y, wood(ks, x, y));
    scratches(im);
    return im;
}

// The bronze rim around a face: dark outline, then one bright or shaded row.
// Raised faces are lit on the top and left; pressed ones the other way.
void rim(Img& im, int top, bool pressed) {
    for (int x = 0; x < kSkinW; ++x) {
        img_set(im, x, top, kOutline);
        img_set(im, x, top + kFaceH - 1, kOutline);
        img_set(im, x, top + 1, bronze_at(x, top + 1) * (pressed ? 0.55f : 1.45f));
        img_set(im, x, top + kFaceH - 2, bronze_at(x, top + kFaceH - 2) * (pressed ? 1.2f : 0.6f));
    }
    for (int y = top; y < top + kFaceH; ++y) {
        img_set(im, 0, y, kOutline);
        img_set(im, kSkinW - 1, y, kOutline);
        img_set(im, 1, y, bronze_at(1, y) * (pressed ? 0.55f : 1.3f));
        img_set(im, kSkinW - 2, y, bronze_at(kSkinW - 2, y) * (pressed ? 1.1f : 0.6f));
    }
    for (int x : {0, kSkinW - 1})
        for (int y : {top, top + kFaceH - 1}) img_set(im, x, y, {12, 8, 6});
}

// Rows 2..21 of a face: raised wood bulges toward the light; pressed wood is
// sunk, shadowed under its upper rim and shifted as if pushed in.
void face(Img& im, const Img& strip, int top, bool pressed) {
    for (int r = 2; r < kFaceH - 2; ++r) {
        float t = (r - 2.0f) / (kFaceH - 5.0f);
        float k = pressed ? 0.68f + 0.2f * t : 1.14f - 0.3f * t;
        if (pressed && r < 5) k *= 0.55f + 0.15f * (r - 2);
        for (int x = 2; x < kSkinW - 2; ++x) {
            Col c = pressed ? img_get(strip, x - 1, r - 1) : img_get(strip, x, r);
            c = c * k;
            if (!pressed && r == 2) c = col_mix(c, {150, 110, 70}, 0.35f);
            if (!pressed && r == kFaceH - 3) c = c * 0.75f;
            img_set(im, x, top + r, c);
        }
    }
}

}  // namespace

Canvas draw_button_skin() {
    Img strip = wood_strip();
    Img im = img_make(kSkinW, kSkinH, {0, 0, 0});
    face(im, strip, 0, false);
    face(im, strip, kFaceH, true);
    rim(im, 0, false);
    rim(im, kFaceH, true);
    return img_to_canvas(im);
}

Canvas cut_button(const Canvas& skin, int w, int skin_offset, bool pressed) {
    Canvas out = canvas_make(w, kFaceH);
    int top = pressed ? kFaceH : 0;
    for (int y = 0; y < kFaceH; ++y)
        for (int x = 0; x < w; ++x) {
            int sx = x < 2 ? x : (x >= w - 2 ? kSkinW - (w - x) : skin_offset + x);
            canvas_set(out, x, y, canvas_get(skin, sx, top + y));
        }
    return out;
}
