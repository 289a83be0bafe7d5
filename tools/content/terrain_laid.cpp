// Ground laid by hand: setts, slabs, boards, carpet, glazed tiles. Each
// pattern repeats a whole number of times per cell so that any cell's edge
// meets any other's.
#include <algorithm>
#include <cmath>

#include "tools/content/noise.h"
#include "tools/content/terrain_ground.h"

namespace {

// Pixel centres lie 1/80 cell either side of every line at a multiple of
// 1/40 cell, a cell's edges among them. Joints on such lines, wider than
// that, come out two pixels wide everywhere, on cell edges as well as
// inside, so the pixels either side of an edge are both joint.
constexpr float kJoint = 0.02f;
constexpr float kTau = 6.2831853f;

// How far inside its block a point is, in cells, for blocks of w x h cells.
float inset(const LandBlock& b, float w, float h) {
    return std::min(std::min(b.fu, 1.0f - b.fu) * w, std::min(b.fv, 1.0f - b.fv) * h);
}

// A stone's top is lit on its -u side and falls off towards +u.
float bevel(const LandBlock& b, float in, float width) {
    float edge = 1.0f - smoothstep(0.0f, width, in);
    float side = b.fu < 0.5f ? 1.0f : -1.0f;
    return 1.0f + edge * 0.35f * side - 0.1f * (b.fv - 0.5f);
}

}  // namespace

LandCol ground_cobbles(float u, float v, u32 seed) {
    LandBlock b = block_at(u, v, 5, 4, 0.5f, seed);
    float in = inset(b, 0.2f, 0.25f) + (edge_noise(u, v, 24, seed + 1) - 0.5f) * 0.02f;
    LandCol mortar = land_scale(LandCol{74, 68, 58}, 0.85f + 0.3f * land_grain(u, v, seed + 2));
    if (in < 0.014f) return mortar;
    LandCol stone = land_mix(LandCol{112, 108, 102}, LandCol{164, 158, 146}, b.a);
    stone = land_mix(stone, LandCol{150, 126, 96}, b.b * 0.35f);
    stone = land_scale(stone, 0.9f + 0.2f * edge_noise(u, v, 16, seed + 3));
    return land_scale(stone, bevel(b, in - 0.014f, 0.03f) * (0.95f + 0.1f * land_grain(u, v, seed + 4)));
}

LandCol ground_flagstones(float u, float v, u32 seed) {
    LandBlock b = block_at(u, v, 2, 2, 0.5f, seed);
    float in = inset(b, 0.5f, 0.5f);
    if (in < kJoint) return land_scale(LandCol{64, 64, 64}, 0.9f + 0.2f * land_grain(u, v, seed + 1));
    LandCol slab = land_scale(LandCol{128, 128, 128}, 0.86f + 0.24f * b.a);
    slab = land_scale(slab, 0.88f + 0.24f * edge_fbm(u, v, 6, 3, seed + 2));
    float crack = 1.0f - std::fabs(edge_noise(u, v, 4, seed + 3) * 2.0f - 1.0f);
    if (b.b < 0.3f && crack > 0.975f) slab = land_scale(slab, 0.7f);
    return land_scale(slab, bevel(b, in - kJoint, 0.03f) * (0.96f + 0.08f * land_grain(u, v, seed + 4)));
}

LandCol ground_boards(float u, float v, u32 seed) {
    LandBlock b = block_at(u, v, 1, 4, 0.5f, seed);
    float gap_v = std::min(b.fv, 1.0f - b.fv) / 4.0f, gap_u = std::min(b.fu, 1.0f - b.fu);
    float grainline = edge_noise2(u, v, 3, 48, seed + 1);
    LandCol wood = land_mix(LandCol{104, 72, 44}, LandCol{150, 108, 66}, b.a * 0.6f + grainline * 0.6f - 0.1f);
    wood = land_scale(wood, 0.9f + 0.15f * b.b);
    if (gap_v < kJoint * 0.75f || gap_u < kJoint) return land_scale(wood, 0.55f);
    float edge = 1.0f - smoothstep(0.0f, 0.02f, gap_v - kJoint * 0.75f);
    return land_scale(wood, (1.0f - 0.2f * edge) * (0.96f + 0.08f * land_grain(u, v, seed + 2)));
}

LandCol ground_carpet(float u, float v, u32 seed) {
    float fu = u - std::floor(u), fv = v - std::floor(v);
    float d = std::fabs(fu - 0.5f) + std::fabs(fv - 0.5f);
    LandCol field{138, 30, 36}, gold{204, 162, 72}, deep{72, 16, 26};
    LandCol c = field;
    if (d < 0.12f || std::fabs(d - 0.34f) < 0.03f) c = gold;
    else if (d < 0.2f || std::min(std::min(fu, 1.0f - fu), std::min(fv, 1.0f - fv)) < 0.04f) c = deep;
    float weave = std::sin(kTau * 12.0f * u) * std::sin(kTau * 12.0f * v);
    float wear = edge_fbm(u, v, 3, 3, seed);
    return land_scale(c, (0.94f + 0.06f * weave) * (0.88f + 0.2f * wear));
}

LandCol ground_tiles(float u, float v, u32 seed) {
    LandBlock b = block_at(u, v, 2, 2, 0.0f, seed);
    float in = inset(b, 0.5f, 0.5f);
    if (in < kJoint) return {90, 86, 80};
    int i = static_cast<int>(std::floor(u * 2.0f)), j = static_cast<int>(std::floor(v * 2.0f));
    bool light = ((i + j) & 1) == 0;
    LandCol c = light ? LandCol{214, 208, 196} : LandCol{70, 66, 70};
    float vein = 1.0f - std::fabs(edge_fbm(u, v, 3, 3, seed + 1) * 2.0f - 1.0f);
    c = land_mix(c, light ? LandCol{160, 154, 150} : LandCol{120, 116, 118}, smoothstep(0.9f, 1.0f, vein) * 0.6f);
    return land_scale(c, bevel(b, in - kJoint, 0.02f) * (0.97f + 0.06f * land_grain(u, v, seed + 2)));
}
