// The command panel along the bottom of the mission screen. The game prints
// the stat labels, bars, gold and tab names over it at fixed places, so the
// panel gives each of them a dark, calm ground and keeps its ornament in
// between; the buttons sit inside their click rectangles.
#include <algorithm>
#include <cmath>

#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/menuart_frame.h"
#include "tools/content/menuart_img.h"
#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_text.h"
#include "tools/content/noise.h"

namespace {

constexpr u32 kSeed = 8100u;
const Col kGroove = {14, 10, 9};
const Col kGoldLight = {255, 226, 140}, kGoldDark = {150, 96, 30};

// Oiled leather stretched over the panel: a soft mottle and fine creases.
Col leather(int x, int y) {
    float m = fbm(x * 0.035f, y * 0.05f, kSeed, 4);
    float crease = ridged(x * 0.06f, y * 0.09f, kSeed + 1u, 3);
    Col c = col_mix({54, 34, 24}, {84, 54, 34}, m);
    return c * (0.86f + 0.1f * (1.0f - crease) + 0.06f * hash01(x, y, kSeed + 2u));
}

// A sunk plate: darker ground, shadow under its top and left lips, a thin
// lit lip along its bottom and right edges where the light catches.
void recess(Img& im, int x, int y, int w, int h, Col ground) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            float n = fbm(i * 0.08f, j * 0.08f, kSeed + 5u, 3);
            img_set(im, i, j, ground * (0.85f + 0.3f * n));
        }
    for (int i = x - 1; i <= x + w; ++i) {
        img_set(im, i, y - 1, {20, 13, 9});
        img_blend(im, i, y + h, {150, 110, 70}, 0.6f);
    }
    for (int j = y - 1; j <= y + h; ++j) {
        img_set(im, x - 1, j, {20, 13, 9});
        img_blend(im, x + w, j, {150, 110, 70}, 0.6f);
    }
    inner_shadow(im, x, y, w, h, 4, 0.6f);
}

// A gold chevron pointing left (dir -1) or right (+1) centred on (cx, cy).
void chevron(Img& im, float cx, float cy, float half_h, int dir, float glow) {
    float d = static_cast<float>(dir), len = half_h * 0.9f;
    std::vector<Pt> pts = {{cx - d * len, cy - half_h}, {cx + d * len * 0.6f, cy}, {cx - d * len, cy + half_h},
                           {cx - d * len * 0.35f, cy}};
    Mask m = mask_make(im.w, im.h);
    mask_polygon(m, pts);
    Mask shade = mask_dilate(m, 1);
    mask_paint_solid(im, shade, 1, 1, kGroove, 0.9f);
    mask_paint_solid(im, shade, 0, 0, {30, 18, 8}, 0.9f);
    mask_paint(im, m, 0, 0, [&](int, int j) {
        float t = (j - (cy - half_h)) / (2.0f * half_h);
        return col_mix(kGoldLight, kGoldDark, t) * glow;
    });
}

// A raised wooden button face in a bronze rim with an engraved symbol.
void button_face(Img& im, int x, int y, int w, int h, void (*symbol)(Img&, float, float, float)) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            float g = fbm(i * 0.02f, j * 0.3f, kSeed + 9u, 3);
            float t = static_cast<float>(j - y) / h;
            img_set(im, i, j, col_mix({112, 74, 42}, {70, 44, 26}, t) * (0.85f + 0.3f * g));
        }
    bronze_rim(im, x, y, w, h, 3);
    symbol(im, x + w * 0.5f, y + h * 0.5f, static_cast<float>(std::fmin(w, h) * 0.5f - 4.0f));
}

void sym_map(Img& im, float cx, float cy, float r) {
    // A parchment map: curled ends, a dotted route and the red cross it leads to.
    float hw = 13.0f, hh = std::fmin(r + 1.0f, 4.5f);
    Mask sheet = mask_make(im.w, im.h);
    mask_rect(sheet, cx - hw, cy - hh, cx + hw, cy + hh);
    mask_paint_solid(im, mask_dilate(sheet, 1), 0, 0, {36, 22, 12});
    mask_paint(im, sheet, 0, 0, [&](int i, int) { return col_mix({240, 220, 170}, {196, 166, 110}, (i - cx + hw) / (2 * hw)); });
    for (float ex : {cx - hw - 1.0f, cx + hw})
        for (int j = static_cast<int>(cy - hh - 1); j <= static_cast<int>(cy + hh); ++j)
            img_set(im, static_cast<int>(ex), j, {150, 110, 64});
    for (int k = 0; k < 8; ++k) {
        float px = cx - hw + 3.0f + k * 2.5f, py = cy + std::sin(k * 0.9f) * (hh - 1.5f);
        img_set(im, static_cast<int>(px), static_cast<int>(py), {120, 70, 36});
    }
    int tx = static_cast<int>(cx + hw - 4.0f), ty = static_cast<int>(cy);
    for (int k = -1; k <= 1; ++k) img_set(im, tx + k, ty + k, {200, 30, 20}), img_set(im, tx + k, ty - k, {200, 30, 20});
}

void sym_hourglass(Img& im, float cx, float cy, float r) {
    Mask glass = mask_make(im.w, im.h);
    mask_polygon(glass, {{cx - r * 0.7f, cy - r}, {cx + r * 0.7f, cy - r}, {cx + 1.2f, cy}, {cx + r * 0.7f, cy + r},
                         {cx - r * 0.7f, cy + r}, {cx - 1.2f, cy}});
    mask_paint_solid(im, mask_dilate(glass, 1), 0, 0, {30, 18, 10});
    mask_paint_solid(im, glass, 0, 0, {150, 170, 180});
    Mask sand = mask_make(im.w, im.h);
    mask_polygon(sand, {{cx - r * 0.5f, cy + r - 1}, {cx + r * 0.5f, cy + r - 1}, {cx, cy + r * 0.35f}});
    mask_polygon(sand, {{cx - r * 0.3f, cy - r * 0.5f}, {cx + r * 0.3f, cy - r * 0.5f}, {cx, cy - 1}});
    mask_paint_solid(im, sand, 0, 0, {232, 184, 90});
    Mask caps = mask_make(im.w, im.h);
    mask_rect(caps, cx - r * 0.95f, cy - r - 2.5f, cx + r * 0.95f, cy - r + 0.5f);
    mask_rect(caps, cx - r * 0.95f, cy + r - 0.5f, cx + r * 0.95f, cy + r + 2.5f);
    mask_paint(im, caps, 0, 0, [](int i, int j) { return bronze_at(i, j) * 1.2f; });
}

// Three slim studs and a set stone between the gold plate and the spells.
void crest(Img& im, float cx, float cy) {
    Mask shield = mask_make(im.w, im.h);
    mask_polygon(shield, {{cx - 14, cy - 12}, {cx + 14, cy - 12}, {cx + 14, cy + 2}, {cx, cy + 14}, {cx - 14, cy + 2}});
    mask_paint_solid(im, mask_dilate(shield, 1), 0, 0, {22, 12, 8});
    mask_paint(im, shield, 0, 0, [&](int i, int j) {
        float t = (i - cx + j - cy) / 28.0f;
        return bronze_at(i, j) * (1.1f - 0.5f * t);
    });
    Mask field = mask_make(im.w, im.h);
    mask_polygon(field, {{cx - 11, cy - 9}, {cx + 11, cy - 9}, {cx + 11, cy + 1}, {cx, cy + 10.5f}, {cx - 11, cy + 1}});
    mask_paint(im, field, 0, 0, [&](int, int j) { return col_mix({120, 22, 18}, {60, 8, 8}, (j - cy + 9) / 20.0f); });
    gem(im, cx, cy - 1, 4.0f, {90, 150, 230});
    for (float dx : {-34.0f, -24.0f, 24.0f, 34.0f}) stud(im, cx + dx, cy, 2.5f);
}

void medallion(Img& im, float cx, float cy) {
    for (int j = static_cast<int>(cy - 32); j <= static_cast<int>(cy + 32); ++j)
        for (int i = static_cast<int>(cx - 32); i <= static_cast<int>(cx + 32); ++i) {
            float d = std::hypot(i + 0.5f - cx, j + 0.5f - cy);
            if (d > 30.5f) continue;
            if (d > 28.5f) {
                bool lit = (i - cx) + (j - cy) > 0;  // the sunk ring's far side catches the light
                img_set(im, i, j, lit_ring(bronze_at(i, j), lit));
            } else {
                img_blend(im, i, j, {10, 6, 5}, 0.35f + 0.25f * (1.0f - d / 28.5f));
            }
        }
    // A faint compass rose engraved into the ground, under where the labels go.
    for (int k = 0; k < 8; ++k) {
        float a = k * 3.14159265f / 4.0f, len = (k % 2) ? 14.0f : 24.0f;
        for (float s = 4.0f; s < len; s += 0.5f)
            img_blend(im, static_cast<int>(cx + std::cos(a) * s), static_cast<int>(cy + std::sin(a) * s), {120, 86, 50},
                      0.25f * (1.0f - s / len));
    }
}

}  // namespace

Col lit_ring(Col base, bool lit) { return lit ? base * 0.95f : base * 0.45f; }

// The panel without anything the game prints on it.
Canvas draw_menubar() {
    Img im = img_make(kPanelW, kPanelH, {0, 0, 0});
    for (int y = 0; y < kPanelH; ++y)
        for (int x = 0; x < kPanelW; ++x) img_set(im, x, y, leather(x, y));
    bronze_rim(im, 0, 0, kPanelW, kPanelH, 4);

    // Left: the previous / centre / next cluster behind the stat labels.
    // One dark plate runs under the labels and on under the bars, so the
    // words and the bars they name read as one line each.
    recess(im, 6, 6, 196, 68, {34, 22, 17});
    medallion(im, 56.0f, 40.0f);
    chevron(im, 15.0f, 40.0f, 5.0f, -1, 1.0f);
    chevron(im, 93.0f, 27.5f, 3.0f, +1, 0.8f);  // between the first two labels

    // The three bar troughs; the game draws each bar's own frame inside.
    for (int k = 0; k < 3; ++k) recess(im, 100, 12 + 20 * k, 99, 12, {12, 9, 8});

    // Gold (or courage) line, and the page below it.
    recess(im, 206, 7, 132, 20, {28, 18, 13});
    stud(im, 326.0f, 17.0f, 5.5f);
    recess(im, 206, 33, 218, 42, {38, 26, 18});
    crest(im, 383.0f, 17.0f);

    // The tab rail with its dividers, and the spell slots under it.
    recess(im, 430, 3, 206, 12, {20, 13, 10});
    for (int x : {488, 526, 552, 576})
        for (int y = 4; y < 14; ++y) img_set(im, x, y, {120, 84, 44});
    recess(im, 432, 18, 88, 57, {30, 20, 15});
    for (int y : {24, 38, 52})
        for (int x = 432; x < 520; ++x) {
            img_set(im, x, y, {16, 10, 8});
            img_set(im, x, y + 1, {96, 68, 42});
        }
    for (int k = 0; k < 4; ++k) gem(im, 440.0f, k == 0 ? 21.0f : 31.0f + 14.0f * (k - 1), 2.5f, {160, 60, 200});

    // The map and end-turn buttons, inside their click rectangles.
    const PanelButton& map = kPanelButtons[3];
    const PanelButton& end = kPanelButtons[2];
    button_face(im, map.x, map.y - kPanelTop, map.w, map.h, sym_map);
    button_face(im, end.x, end.y - kPanelTop, end.w, end.h, sym_hourglass);
    return img_to_canvas(im);
}

Canvas draw_pressed(const Canvas& panel, const PanelButton& b) {
    // The same place pushed in: the face slides a pixel down and right and
    // loses light, and a shadow falls under the upper and left edges.
    Img im = img_make(b.w, b.h, {0, 0, 0});
    int top = b.y - kPanelTop;
    for (int j = 0; j < b.h; ++j)
        for (int i = 0; i < b.w; ++i) {
            Rgb p = canvas_get(panel, b.x + std::max(0, i - 1), top + std::max(0, j - 1));
            img_set(im, i, j, Col{static_cast<float>(p.r), static_cast<float>(p.g), static_cast<float>(p.b)} * 0.8f);
        }
    inner_shadow(im, 0, 0, b.w, b.h, 3, 0.7f);
    for (int i = 0; i < b.w; ++i) img_set(im, i, 0, {16, 10, 8});
    for (int j = 0; j < b.h; ++j) img_set(im, 0, j, {16, 10, 8});
    for (int i = 0; i < b.w; ++i) img_blend(im, i, b.h - 1, {200, 160, 100}, 0.5f);
    for (int j = 0; j < b.h; ++j) img_blend(im, b.w - 1, j, {200, 160, 100}, 0.5f);
    return img_to_canvas(im);
}

// The panel while the computer moves: the same leather and rim, one long
// plate with the words and an hourglass at each end.
Canvas draw_compturn(std::string& why, bool& ok) {
    Img im = img_make(kPanelW, kPanelH, {0, 0, 0});
    for (int y = 0; y < kPanelH; ++y)
        for (int x = 0; x < kPanelW; ++x) img_set(im, x, y, leather(x, y) * 0.85f);
    bronze_rim(im, 0, 0, kPanelW, kPanelH, 4);
    recess(im, 60, 14, 520, 52, {26, 16, 12});
    sym_hourglass(im, 32.0f, 40.0f, 16.0f);
    sym_hourglass(im, 608.0f, 40.0f, 16.0f);
    for (float x : {120.0f, 520.0f}) stud(im, x, 8.0f, 2.5f), stud(im, x, 72.0f, 2.5f);
    Mask words = mask_make(kPanelW, kPanelH);
    ok = letter_centred(words, {kTitleFace, 26, 1.0f}, "The enemy is moving", 320.0f, 52.0f, why);
    mask_paint_solid(im, mask_blur(words, 1), 2, 2, {6, 4, 4}, 0.9f);
    mask_paint(im, words, 0, 0, [](int, int j) { return col_mix(kGoldLight, kGoldDark, (j - 32) / 22.0f); });
    return img_to_canvas(im);
}
