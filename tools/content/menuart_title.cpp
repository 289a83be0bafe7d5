// The title lettering: FreeType gives the coverage; the gold is this file's
// own. The letters are embossed from a blurred copy of their coverage, lit
// from the upper left, over a dark outline, a drop shadow and a warm glow.
#include <algorithm>
#include <cmath>

#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_parts.h"
#include "tools/content/menuart_text.h"

namespace {

constexpr float kTitleBaseline = 124.0f;
constexpr float kLineBaseline = 160.0f;
constexpr int kBand = 200;  // the lettering lives in the top of the picture

struct Bounds {
    int x0, y0, x1, y1;  // inclusive; x1 < x0 when the mask is empty
};

Bounds ink(const Mask& m) {
    Bounds b = {m.w, m.h, -1, -1};
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (mask_get(m, x, y) > 0.2f) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

struct GoldStop {
    float t;
    Col c;
};

// Polished gold: pale above, a dark band where the metal turns away from the
// sky, bright again below it, then deep toward the foot.
const GoldStop kGold[] = {{0.0f, {255, 246, 196}}, {0.38f, {236, 190, 88}}, {0.5f, {168, 104, 32}},
                          {0.56f, {246, 206, 112}}, {1.0f, {140, 76, 22}}};

Col gold(float t) {
    for (size_t i = 1; i < sizeof kGold / sizeof kGold[0]; ++i)
        if (t <= kGold[i].t) return col_mix(kGold[i - 1].c, kGold[i].c, (t - kGold[i - 1].t) / (kGold[i].t - kGold[i - 1].t));
    return kGold[sizeof kGold / sizeof kGold[0] - 1].c;
}

void shade_gold(Img& im, const Mask& letters, Bounds b) {
    Mask height = mask_blur(letters, 2);
    mask_paint(im, letters, 0, 0, [&](int x, int y) {
        float nx = mask_get(height, x - 1, y) - mask_get(height, x + 1, y);
        float ny = mask_get(height, x, y - 1) - mask_get(height, x, y + 1);
        float lit = (nx + ny) * 0.7071f;  // light from the upper left
        float t = static_cast<float>(y - b.y0) / static_cast<float>(std::max(1, b.y1 - b.y0));
        Col c = gold(t) * (0.9f + 2.2f * lit);
        float shine = std::fmax(0.0f, lit - 0.12f) * 3.0f;
        return col_mix(c, {255, 252, 230}, std::fmin(1.0f, shine));
    });
}

void letters_backing(Img& im, const Mask& letters) {
    Mask grown = mask_dilate(letters, 3);
    mask_glow(im, mask_blur(mask_dilate(letters, 4), 10), 0, 0, {150, 70, 20}, 0.75f);
    mask_paint_solid(im, mask_blur(grown, 3), 5, 6, {6, 2, 8}, 0.8f);
    mask_paint_solid(im, grown, 0, 0, {30, 14, 6});
    mask_paint_solid(im, mask_dilate(letters, 1), 0, 0, {96, 52, 16});
}

void flourish(Img& im, float from, float to, float y) {
    Mask m = mask_make(im.w, kBand);
    float dir = to > from ? 1.0f : -1.0f;
    mask_capsule(m, {from, y}, {to, y}, 1.4f);
    mask_polygon(m, {{from, y - 3.5f}, {from + dir * 4.0f, y}, {from, y + 3.5f}, {from - dir * 4.0f, y}});
    mask_ellipse(m, to, y, 2.0f, 2.0f);
    mask_paint_solid(im, mask_blur(m, 1), 1, 2, {10, 4, 8}, 0.8f);
    mask_paint(im, m, 0, 0, [&](int x, int) {
        float t = (x - from) / (to - from);
        return col_mix({238, 200, 120}, {150, 96, 40}, t);
    });
}

bool subtitle(Img& im, std::string& why) {
    Mask m = mask_make(im.w, kBand);
    if (!letter_centred(m, {kLineFace, 17, 4.0f}, "THE ASHEN CROWN", 320.0f, kLineBaseline, why)) return false;
    Bounds b = ink(m);
    mask_paint_solid(im, mask_blur(m, 1), 1, 1, {8, 4, 10}, 0.9f);
    mask_paint_solid(im, m, 0, 0, {226, 196, 136});
    float y = kLineBaseline - 6.0f;
    flourish(im, b.x0 - 12.0f, b.x0 - 80.0f, y);
    flourish(im, b.x1 + 12.0f, b.x1 + 80.0f, y);
    return true;
}

}  // namespace

bool paint_title(Img& im, std::string& why) {
    Mask letters = mask_make(im.w, kBand);
    if (!letter_centred(letters, {kTitleFace, 108, 9.0f}, "VENNOR", 320.0f, kTitleBaseline, why)) return false;
    letters_backing(im, letters);
    shade_gold(im, letters, ink(letters));
    return subtitle(im, why);
}
