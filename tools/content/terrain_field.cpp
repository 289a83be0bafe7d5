#include "tools/content/terrain_field.h"

#include <algorithm>
#include <cmath>

#include "tools/content/noise.h"

namespace {

constexpr u32 kInner = 0x5bd1e995u;  // keeps inner lattice points apart from edge ones

int wrap(int i, int n) { return ((i % n) + n) % n; }
float fade(float t) { return t * t * (3.0f - 2.0f * t); }
float lerp(float a, float b, float t) { return a + (b - a) * t; }

// Lattice points on a cell's edge are keyed by their place in the cell only,
// so every cell's edge carries the same values and any two cells join.
float lattice(int i, int j, int nu, int nv, u32 seed) {
    int li = wrap(i, nu), lj = wrap(j, nv);
    if (li == 0 || lj == 0) return hash01(li, lj, seed);
    return hash01(wrap(i, kPatch * nu), wrap(j, kPatch * nv), seed ^ kInner);
}

u32 key3(int i, int j, u32 seed, float* out) {
    u32 h = hash2(i, j, seed);
    for (int k = 0; k < 3; ++k) {
        h = hash_u32(h + 0x9e3779b9u);
        out[k] = static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
    }
    return h;
}

}  // namespace

LandCol land_mix(LandCol a, LandCol b, float t) { return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t)}; }
LandCol land_scale(LandCol c, float k) { return {c.r * k, c.g * k, c.b * k}; }
LandCol land_mul(LandCol c, LandCol tint) { return {c.r * tint.r, c.g * tint.g, c.b * tint.b}; }

void tile_to_world(int cx, int cy, int px, int py, float& u, float& v) {
    // Screen x grows with u - v and y with u + v: (1, 0) is 20 px right and
    // 10 down, (0, 1) 20 px left and 10 down. Row py sits at height py, so
    // row 10 reaches both side corners.
    float x = static_cast<float>(px) + 0.5f - 20.0f, y = 2.0f * static_cast<float>(py);
    u = static_cast<float>(cx) + (y + x) / 40.0f;
    v = static_cast<float>(cy) + (y - x) / 40.0f;
}

float edge_noise(float u, float v, int n, u32 seed) { return edge_noise2(u, v, n, n, seed); }

float edge_noise2(float u, float v, int nu, int nv, u32 seed) {
    float a = u * static_cast<float>(nu), b = v * static_cast<float>(nv);
    float fa = std::floor(a), fb = std::floor(b);
    int i = static_cast<int>(fa), j = static_cast<int>(fb);
    float ta = fade(a - fa), tb = fade(b - fb);
    float top = lerp(lattice(i, j, nu, nv, seed), lattice(i + 1, j, nu, nv, seed), ta);
    float bottom = lerp(lattice(i, j + 1, nu, nv, seed), lattice(i + 1, j + 1, nu, nv, seed), ta);
    return lerp(top, bottom, tb);
}

float edge_fbm(float u, float v, int n, int octaves, u32 seed) {
    float sum = 0.0f, amp = 1.0f, total = 0.0f;
    for (int k = 0; k < octaves; ++k, n *= 2, amp *= 0.5f) {
        sum += edge_noise(u, v, n, seed + static_cast<u32>(k) * 977u) * amp;
        total += amp;
    }
    return sum / total;
}

float land_grain(float u, float v, u32 seed) {
    constexpr int kFine = 64;  // finer than a pixel's footprint along both axes
    int i = static_cast<int>(std::floor(u * kFine)), j = static_cast<int>(std::floor(v * kFine));
    return hash01(wrap(i, kPatch * kFine), wrap(j, kPatch * kFine), seed);
}

namespace {

LandSpot spot_in(int i, int j, int n, float a, float b, u32 seed, bool edge_shared) {
    constexpr float kMargin = 0.3f;  // of a box: room for the thing's own size
    float r[3];
    int li = wrap(i, n), lj = wrap(j, n);
    bool shared = edge_shared && (li == 0 || lj == 0 || li == n - 1 || lj == n - 1);
    u32 h = shared ? key3(li, lj, seed, r) : key3(wrap(i, kPatch * n), wrap(j, kPatch * n), seed ^ kInner, r);
    float ju = static_cast<float>(h & 0xffff) / 65536.0f, jv = static_cast<float>(h >> 16) / 65536.0f;
    float cu = static_cast<float>(i) + kMargin + ju * (1.0f - 2.0f * kMargin);
    float cv = static_cast<float>(j) + kMargin + jv * (1.0f - 2.0f * kMargin);
    return {(a - cu) / static_cast<float>(n), (b - cv) / static_cast<float>(n), r[0], r[1], r[2]};
}

}  // namespace

LandSpot land_scatter(float u, float v, int n, u32 seed) {
    float a = u * static_cast<float>(n), b = v * static_cast<float>(n);
    int i = static_cast<int>(std::floor(a)), j = static_cast<int>(std::floor(b));
    return spot_in(i, j, n, a, b, seed, false);
}

// Things in the boxes along a cell's edge are the only ones that can be
// nearest to a point on that edge, so keying those by their place in the
// cell makes every cell's edge agree.
LandSpot land_nearest(float u, float v, int n, u32 seed) {
    float a = u * static_cast<float>(n), b = v * static_cast<float>(n);
    int i = static_cast<int>(std::floor(a)), j = static_cast<int>(std::floor(b));
    LandSpot best{};
    float best_d = 1e9f;
    for (int dj = -1; dj <= 1; ++dj)
        for (int di = -1; di <= 1; ++di) {
            LandSpot s = spot_in(i + di, j + dj, n, a, b, seed, true);
            float d = s.du * s.du + s.dv * s.dv;
            if (d < best_d) best_d = d, best = s;
        }
    return best;
}

float spot_len(const LandSpot& s) { return std::sqrt(s.du * s.du + s.dv * s.dv); }

float spot_px(float du, float dv) {
    float x = 20.0f * (du - dv), y = 10.0f * (du + dv);
    return std::sqrt(x * x + y * y);
}

LandBlock block_at(float u, float v, int nu, int nv, float shift, u32 seed) {
    float b = v * static_cast<float>(nv);
    int j = static_cast<int>(std::floor(b));
    float s = (wrap(j, nv) % 2 == 1) ? shift : 0.0f;  // by row in the cell, as tiles move
    float a = u * static_cast<float>(nu) - s;
    int i = static_cast<int>(std::floor(a));
    // A block across a cell's edge is drawn half in each cell, so it must be
    // the same block in every cell: key it by its place in the cell.
    float start = (static_cast<float>(i) + s) / static_cast<float>(nu);
    float end = start + 1.0f / static_cast<float>(nu);
    bool across = std::floor(start + 1e-4f) != std::floor(end - 1e-4f);
    float r[3];
    if (across)
        key3(wrap(i, nu), wrap(j, nv), seed, r);
    else
        key3(wrap(i, kPatch * nu), wrap(j, kPatch * nv), seed ^ kInner, r);
    return {a - static_cast<float>(i), b - static_cast<float>(j), r[0], r[1], r[2]};
}
