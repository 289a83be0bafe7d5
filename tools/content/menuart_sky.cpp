// The dusk sky: a gradient that warms toward the set sun, stars that thin
// out toward the horizon, the rising moon and clouds lit from below.
#include <cmath>

#include "tools/content/menuart_parts.h"
#include "tools/content/noise.h"

namespace {

struct Stop {
    float y;
    Col c;
};

const Stop kSky[] = {
    {0.0f, {8, 8, 26}},      {120.0f, {22, 18, 50}},  {200.0f, {52, 30, 70}},
    {255.0f, {108, 48, 74}}, {285.0f, {168, 78, 62}}, {kHorizon, {214, 122, 70}},
    {480.0f, {214, 122, 70}},
};

Col gradient(float y) {
    for (size_t i = 1; i < sizeof kSky / sizeof kSky[0]; ++i)
        if (y <= kSky[i].y) return col_mix(kSky[i - 1].c, kSky[i].c, (y - kSky[i - 1].y) / (kSky[i].y - kSky[i - 1].y));
    return kSky[0].c;
}

// A big star with a four-pointed glint, for the few that catch the eye.
void bright_star(Img& im, int x, int y, float b) {
    Col white = {230, 225, 255};
    img_add(im, x, y, white, b);
    for (int d = 1; d <= 3; ++d) {
        float a = b * (0.55f - d * 0.15f);
        img_add(im, x + d, y, white, a);
        img_add(im, x - d, y, white, a);
        img_add(im, x, y + d, white, a);
        img_add(im, x, y - d, white, a);
    }
}

void paint_stars(Img& im) {
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < im.w; ++x) {
            float chance = 0.006f * (1.0f - y / 250.0f);
            if (hash01(x, y, 71u) >= chance) continue;
            float b = 0.25f + 0.6f * hash01(x, y, 72u);
            img_add(im, x, y, {220, 215, 255}, b * (1.0f - y / 300.0f));
        }
    Rng rng(5);
    for (int i = 0; i < 14; ++i) {
        int x = rng.below(im.w), y = 12 + rng.below(170);
        bright_star(im, x, y, rng.range(0.5f, 0.9f));
    }
}

float cloud_density(float x, float y) {
    float band = smoothstep(110.0f, 170.0f, y) * (1.0f - smoothstep(255.0f, 292.0f, y));
    float n = fbm(x * 0.0042f, y * 0.021f, 301u, 5);
    return smoothstep(0.48f, 0.72f, n) * band;
}

}  // namespace

Col sky_at(int x, int y) {
    Col c = gradient(static_cast<float>(y));
    float dx = (x - kSunX) / 360.0f, dy = (y - kHorizon) / 150.0f;
    float glow = std::exp(-(dx * dx + dy * dy) * 2.2f);
    return c + Col{60, 26, 6} * glow;
}

void paint_sky(Img& im) {
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) img_set(im, x, y, sky_at(x, y));
    paint_stars(im);
}

void paint_moon(Img& im) {
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) {
            float d = std::hypot(x + 0.5f - kMoonX, y + 0.5f - kMoonY);
            if (d > kMoonR + 1.0f) {
                float halo = std::exp(-(d - kMoonR) / 38.0f);
                img_add(im, x, y, {70, 62, 80}, halo);
                continue;
            }
            float edge = std::fmin(1.0f, kMoonR + 1.0f - d);
            float maria = fbm(x * 0.09f, y * 0.09f, 17u, 4);
            Col face = col_mix({246, 232, 204}, {196, 180, 170}, smoothstep(0.45f, 0.7f, maria));
            face = col_mix(face, {214, 170, 150}, (y - (kMoonY - kMoonR)) / (2.0f * kMoonR) * 0.35f);
            img_blend(im, x, y, face, edge);
        }
}

void paint_clouds(Img& im) {
    for (int y = 100; y < 300; ++y)
        for (int x = 0; x < im.w; ++x) {
            float d = cloud_density(x, y);
            if (d <= 0.0f) continue;
            float lit = smoothstep(150.0f, 290.0f, y);
            float under = cloud_density(x, y + 4) < d ? 0.5f : 0.0f;  // the rim facing the horizon
            Col dark = {44, 28, 56}, warm = {196, 96, 72};
            Col c = col_mix(dark, warm, lit * 0.8f + under * lit);
            float tex = 0.85f + 0.3f * fbm(x * 0.05f, y * 0.12f, 303u, 3);
            img_blend(im, x, y, c * tex, d * 0.85f);
        }
}
