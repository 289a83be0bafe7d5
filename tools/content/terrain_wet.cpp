// Ground shaped by water, weather and fire.
#include <cmath>

#include "tools/content/noise.h"
#include "tools/content/terrain_ground.h"

namespace {

constexpr float kTau = 6.2831853f;

// Waves with a whole number of crests per cell keep every cell alike at its
// edges; the edge noise bends them without breaking that.
float ripple(float u, float v, int crests, float bend, u32 seed) {
    float w = edge_fbm(u, v, 3, 2, seed) * bend;
    return 0.5f + 0.5f * std::sin(kTau * (static_cast<float>(crests) * (u + v) + w));
}

LandCol water(float u, float v, u32 seed, LandCol dark, LandCol light, float glint) {
    float depth = edge_fbm(u, v, 3, 3, seed);
    LandCol c = land_mix(dark, light, depth);
    float wave = ripple(u, v, 3, 2.0f, seed + 1) * edge_noise(u, v, 8, seed + 2);
    c = land_scale(c, 0.9f + 0.25f * wave);
    if (wave > 0.8f) c = land_mix(c, LandCol{200, 222, 236}, glint * smoothstep(0.8f, 0.9f, wave));
    return c;
}

}  // namespace

LandCol ground_sand(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 3, seed);
    LandCol c = land_mix(LandCol{196, 172, 120}, LandCol{228, 206, 150}, base);
    c = land_scale(c, 0.93f + 0.1f * ripple(u, v, 4, 1.5f, seed + 1));
    float g = land_grain(u, v, seed + 2);
    return land_scale(c, 0.94f + 0.12f * g);
}

LandCol ground_snow(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 4, seed);
    LandCol c = land_mix(LandCol{196, 206, 224}, LandCol{240, 244, 250}, base);
    float g = land_grain(u, v, seed + 1);
    if (g > 0.985f) return {255, 255, 255};  // sparkle
    return land_scale(c, 0.97f + 0.05f * g);
}

LandCol ground_ice(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 3, seed);
    LandCol c = land_mix(LandCol{130, 170, 200}, LandCol{196, 222, 236}, base);
    float crack = 1.0f - std::fabs(edge_fbm(u, v, 3, 2, seed + 1) * 2.0f - 1.0f);
    if (crack > 0.96f) c = land_mix(c, LandCol{240, 248, 255}, 0.6f);
    return land_scale(c, 0.96f + 0.08f * land_grain(u, v, seed + 2));
}

LandCol ground_shallow(float u, float v, u32 seed) {
    LandCol c = water(u, v, seed, {48, 104, 130}, {86, 150, 160}, 0.45f);
    float bottom = edge_fbm(u, v, 6, 2, seed + 3);
    return land_mix(c, LandCol{150, 140, 100}, smoothstep(0.6f, 0.8f, bottom) * 0.3f);
}

LandCol ground_deep(float u, float v, u32 seed) { return water(u, v, seed, {14, 36, 78}, {30, 70, 118}, 0.25f); }

LandCol ground_swamp(float u, float v, u32 seed) {
    LandCol c = water(u, v, seed, {36, 44, 28}, {62, 72, 40}, 0.15f);
    float weed = 0.75f * smoothstep(0.46f, 0.64f, edge_fbm(u, v, 3, 3, seed + 4));
    LandCol algae = land_mix(LandCol{70, 96, 36}, LandCol{110, 130, 50}, edge_noise(u, v, 16, seed + 5));
    c = land_mix(c, algae, weed);
    return land_scale(c, 0.92f + 0.14f * land_grain(u, v, seed + 6));
}

LandCol ground_lava(float u, float v, u32 seed) {
    float crust = edge_fbm(u, v, 3, 3, seed);
    LandCol c = land_mix(LandCol{34, 22, 20}, LandCol{70, 46, 38}, crust);
    float vein = 1.0f - std::fabs(edge_fbm(u, v, 3, 3, seed + 1) * 2.0f - 1.0f);
    float glow = smoothstep(0.82f, 0.97f, vein);
    LandCol fire = land_mix(LandCol{200, 50, 10}, LandCol{255, 210, 80}, smoothstep(0.93f, 1.0f, vein));
    c = land_mix(c, fire, glow);
    return land_scale(c, 0.92f + 0.14f * land_grain(u, v, seed + 2));
}
