#include "tools/content/noise.h"

#include <cmath>

namespace {

float lerp(float a, float b, float t) { return a + (b - a) * t; }
float fade(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

u32 hash_u32(u32 x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

u32 hash2(int x, int y, u32 seed) {
    return hash_u32(static_cast<u32>(x) * 0x8da6b343u ^ hash_u32(static_cast<u32>(y) * 0xd8163841u ^ seed));
}

float hash01(int x, int y, u32 seed) { return static_cast<float>(hash2(x, y, seed) >> 8) * (1.0f / 16777216.0f); }

float value_noise(float x, float y, u32 seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = fade(x - fx), ty = fade(y - fy);
    float top = lerp(hash01(ix, iy, seed), hash01(ix + 1, iy, seed), tx);
    float bottom = lerp(hash01(ix, iy + 1, seed), hash01(ix + 1, iy + 1, seed), tx);
    return lerp(top, bottom, ty);
}

float fbm(float x, float y, u32 seed, int octaves) {
    float sum = 0.0f, amp = 0.5f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += value_noise(x, y, seed + static_cast<u32>(i) * 101u) * amp;
        total += amp;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 5.1f;
        amp *= 0.5f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float ridged(float x, float y, u32 seed, int octaves) {
    float sum = 0.0f, amp = 0.5f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        float n = 1.0f - std::fabs(value_noise(x, y, seed + static_cast<u32>(i) * 131u) * 2.0f - 1.0f);
        sum += n * n * amp;
        total += amp;
        x = x * 2.0f + 3.7f;
        y = y * 2.0f + 11.9f;
        amp *= 0.5f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float bayer8(int x, int y) {
    // Bit-interleaving the coordinates builds the recursive Bayer matrix.
    int v = 0;
    for (int bit = 2; bit >= 0; --bit) {
        int bx = (x >> (2 - bit)) & 1, by = (y >> (2 - bit)) & 1;
        v |= ((bx ^ by) << (2 * bit + 1)) | (by << (2 * bit));
    }
    return (static_cast<float>(v) + 0.5f) / 64.0f;
}

float smoothstep(float e0, float e1, float x) {
    float t = (x - e0) / (e1 - e0);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    return t * t * (3.0f - 2.0f * t);
}

u32 Rng::next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    u32 xorshifted = static_cast<u32>(((state >> 18u) ^ state) >> 27u);
    u32 rot = static_cast<u32>(state >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Rng::unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
float Rng::range(float a, float b) { return a + (b - a) * unit(); }
int Rng::below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<u32>(n)) : 0; }
