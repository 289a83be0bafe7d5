// The text box: dark tooled leather in a bronze frame with set stones at
// the corners. The game draws it with black skipped, so the corners are cut
// away in pure black and nothing inside is ever black.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/content/menuart.h"
#include "tools/content/menuart_frame.h"
#include "tools/content/menuart_img.h"
#include "tools/content/noise.h"

namespace {

constexpr int kFrame = 7;
constexpr int kCorner = 11;  // half the diagonal of the corner plates
constexpr u32 kSeed = 800u;

Col leather(int x, int y) {
    float fx = x + 0.5f, fy = y + 0.5f;
    float tone = fbm(fx * 0.02f, fy * 0.03f, kSeed, 3);
    float pores = fbm(fx * 0.5f, fy * 0.5f, kSeed + 1u, 2);
    float creases = ridged(fx * 0.06f, fy * 0.09f, kSeed + 2u, 3);
    Col c = col_mix({40, 28, 24}, {56, 38, 30}, tone) * (0.88f + 0.2f * pores);
    c = col_mix(c, {24, 16, 14}, smoothstep(0.6f, 0.9f, creases) * 0.3f);
    float dx = (fx - kTextBoxW * 0.5f) / (kTextBoxW * 0.5f), dy = (fy - kTextBoxH * 0.5f) / (kTextBoxH * 0.5f);
    return c * (1.05f - 0.25f * (dx * dx * 0.5f + dy * dy * 0.5f));
}

// Thread stitched through the leather a little inside the frame.
void stitches(Img& im) {
    constexpr int kIn = kFrame + 4;
    auto stitch = [&](int x, int y, int i) {
        if (i % 5 >= 3) return;
        img_set(im, x, y, {132, 100, 62});
        img_blend(im, x + 1, y + 1, {14, 8, 6}, 0.6f);
    };
    for (int x = kIn + 4, i = 0; x < kTextBoxW - kIn - 4; ++x, ++i) {
        stitch(x, kIn, i);
        stitch(x, kTextBoxH - 1 - kIn, i);
    }
    for (int y = kIn + 4, i = 0; y < kTextBoxH - kIn - 4; ++y, ++i) {
        stitch(kIn, y, i);
        stitch(kTextBoxW - 1 - kIn, y, i);
    }
}

// A diamond of bronze over each corner of the frame, raised toward the light.
void corner_plate(Img& im, int cx, int cy) {
    for (int y = cy - kCorner; y <= cy + kCorner; ++y)
        for (int x = cx - kCorner; x <= cx + kCorner; ++x) {
            int d = std::abs(x - cx) + std::abs(y - cy);
            if (d > kCorner) continue;
            float lit = (x - cx) + (y - cy) < 0 ? 1.25f : 0.7f;
            Col c = d >= kCorner - 1 ? Col{24, 14, 8} : bronze_at(x, y) * (d >= kCorner - 3 ? lit : 1.0f);
            img_set(im, x, y, c);
        }
    gem(im, cx + 0.5f, cy + 0.5f, 4.5f, {30, 90, 120});
}

void crest(Img& im) {
    const float cx = kTextBoxW * 0.5f, cy = 2.0f, r = 11.0f;
    for (int y = 0; y < 16; ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            if (d > r) continue;
            Col c = d > r - 1.2f ? Col{24, 14, 8} : bronze_at(x, y) * (d > r - 3.0f ? 0.75f : 1.1f);
            img_set(im, x, y, c);
        }
    gem(im, cx, cy + 2.0f, 4.5f, {150, 22, 26});
}

// The corners beyond the plates are cut away; the box is symmetric, so one
// test on the mirrored position serves all four.
bool outside(int x, int y) {
    int mx = std::min(x, kTextBoxW - 1 - x), my = std::min(y, kTextBoxH - 1 - y);
    return mx + my < kCorner - 2;
}

}  // namespace

Canvas draw_textbox() {
    Img im = img_make(kTextBoxW, kTextBoxH, {0, 0, 0});
    for (int y = 0; y < kTextBoxH; ++y)
        for (int x = 0; x < kTextBoxW; ++x) img_set(im, x, y, leather(x, y));
    stitches(im);
    inner_shadow(im, kFrame, kFrame, kTextBoxW - 2 * kFrame, kTextBoxH - 2 * kFrame, 6, 0.6f);
    bronze_rim(im, 0, 0, kTextBoxW, kTextBoxH, kFrame);
    crest(im);
    for (int cx : {kCorner - 1, kTextBoxW - kCorner})
        for (int cy : {kCorner - 1, kTextBoxH - kCorner}) corner_plate(im, cx, cy);
    Canvas out = img_to_canvas(im);
    for (int y = 0; y < kTextBoxH; ++y)
        for (int x = 0; x < kTextBoxW; ++x)
            if (outside(x, y)) canvas_set(out, x, y, {0, 0, 0});
    return out;
}
