// The mountain ranges behind the keep, and the mist lying between them.
#include <cmath>

#include "tools/content/menuart_parts.h"
#include "tools/content/noise.h"

namespace {

struct Range {
    float base, amp, freq;
    u32 seed;
    Col rock, lit, haze;
    float haze_depth, haze_max;
    bool snow;
};

const Range kFar = {292, 120, 0.0068f, 11u, {70, 50, 88}, {214, 124, 98}, {178, 100, 88}, 60, 0.8f, true};
const Range kMid = {322, 62, 0.011f, 23u, {40, 28, 52}, {150, 78, 70}, {96, 62, 86}, 44, 0.4f, false};
constexpr float kSnowLine = 218.0f;

float ridge_height(const Range& r, float x) {
    float crest = ridged(x * r.freq, 0.5f, r.seed, 3);
    float swell = fbm(x * r.freq * 0.5f, 3.5f, r.seed + 7u, 3);
    return r.base - r.amp * (0.75f * smoothstep(0.15f, 1.0f, crest) + 0.25f * swell);
}

// How much a face turns toward the set sun. The skyline's slope is taken
// over a span that widens with depth, and the column wanders with noise, so
// each peak splits into a lit and a shaded face that spread as they fall.
float sunlit(const Range& r, int x, int y, float depth) {
    float span = 1.5f + depth * 0.6f;
    float fx = x + 0.5f + (fbm(x * 0.06f, y * 0.06f, r.seed + 9u, 3) - 0.5f) * std::fmin(depth, 30.0f) * 0.8f;
    float slope = (ridge_height(r, fx + span) - ridge_height(r, fx - span)) / (2.0f * span);
    float side = fx > kSunX ? 1.0f : -1.0f;
    return smoothstep(-0.05f, 0.35f, -slope * side);
}

// Snow on the high peaks only, thinning out below the snow line.
float snow_cover(const Range& r, int x, int y, float top) {
    float depth = y + 0.5f - top;
    float reach = 6.0f + 16.0f * fbm(x * 0.09f, y * 0.03f, r.seed + 5u, 3);
    float high = 1.0f - smoothstep(kSnowLine - 10.0f, kSnowLine + 6.0f, top);
    float drift = 1.0f - smoothstep(reach - 4.0f, reach, depth);
    return high * drift * (1.0f - smoothstep(kSnowLine + 8.0f, kSnowLine + 24.0f, y + 0.0f));
}

Col range_colour(const Range& r, int x, int y, float top) {
    float depth = y + 0.5f - top;
    float strata = ridged(x * 0.035f + y * 0.02f, y * 0.09f, r.seed + 3u, 3);
    float lit = sunlit(r, x, y, depth);
    Col c = r.rock * (0.8f + 0.35f * strata);
    c = col_mix(c, r.lit * (0.8f + 0.3f * strata), lit * 0.55f * std::exp(-depth / 70.0f));
    if (r.snow) c = col_mix(c, col_mix({104, 96, 138}, {236, 176, 170}, lit), 0.85f * snow_cover(r, x, y, top));
    return col_mix(c, r.haze, smoothstep(0.0f, r.haze_depth, depth - 10.0f) * r.haze_max);
}

void paint_range(Img& im, const Range& r) {
    for (int x = 0; x < im.w; ++x) {
        float top = ridge_height(r, x + 0.5f);
        int y0 = static_cast<int>(std::floor(top));
        for (int y = y0; y < im.h; ++y) {
            float cover = y == y0 ? 1.0f - (top - y0) : 1.0f;
            img_blend(im, x, y, range_colour(r, x, y, top), cover);
        }
    }
}

}  // namespace

void paint_mist(Img& im, float y, float depth, float strength, unsigned seed) {
    int y0 = static_cast<int>(y - depth * 2.5f), y1 = static_cast<int>(y + depth * 2.5f);
    for (int yy = y0; yy <= y1; ++yy)
        for (int x = 0; x < im.w; ++x) {
            float dy = (yy - y) / depth;
            float band = std::exp(-dy * dy);
            float n = fbm(x * 0.0065f + yy * 0.012f, yy * 0.045f, seed, 5);
            float a = strength * band * smoothstep(0.32f, 0.78f, n);
            Col c = col_mix({138, 112, 146}, sky_at(x, kHorizon - 6), 0.35f);
            img_blend(im, x, yy, c, a);
        }
}

void paint_ranges(Img& im) {
    paint_range(im, kFar);
    paint_mist(im, 292.0f, 10.0f, 0.55f, 401u);
    paint_range(im, kMid);
    paint_mist(im, 318.0f, 9.0f, 0.5f, 402u);
}
