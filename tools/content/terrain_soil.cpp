// Ground that grows or lies loose: grass, earth, leaf litter, stones.
#include <cmath>

#include "tools/content/noise.h"
#include "tools/content/terrain_ground.h"

namespace {

// Light falls from the top left of the screen, which is the -u side of
// the ground, so a bump's -u half is lit.
float dome_light(const LandSpot& s, float radius) { return 1.0f - 1.6f * (0.9f * s.du + 0.35f * s.dv) / radius; }

LandCol grass_colour(float u, float v, u32 seed, LandCol dark, LandCol light) {
    float base = edge_fbm(u, v, 3, 3, seed);
    float tuft = edge_noise(u, v, 16, seed + 1);
    float g = land_grain(u, v, seed + 2);
    LandCol c = land_mix(dark, light, base * 0.9f + tuft * 0.5f - 0.25f);
    c = land_scale(c, 0.9f + 0.2f * g);
    if (g > 0.94f) c = land_mix(c, LandCol{170, 180, 90}, 0.35f);  // a blade catching the light
    return c;
}

LandCol pebbles(LandCol ground, float u, float v, int n, float size, float share, u32 seed) {
    LandSpot s = land_nearest(u, v, n, seed);
    float r = size * (0.7f + 0.6f * s.b);
    float d = spot_len(s);
    if (s.a > share) return ground;
    if (d > r) return d < r * 1.25f ? land_scale(ground, 0.8f) : ground;  // the hollow it sits in
    LandCol stone = land_mix(land_scale(ground, 0.9f), LandCol{160, 152, 136}, 0.3f + 0.5f * s.c);
    return land_scale(stone, 0.75f + 0.3f * dome_light(s, r));
}

}  // namespace

LandCol ground_grass(float u, float v, u32 seed) { return grass_colour(u, v, seed, {44, 82, 30}, {98, 142, 52}); }

LandCol ground_meadow(float u, float v, u32 seed) {
    static const LandCol kPetals[3][2] = {{{236, 232, 220}, {232, 206, 70}},
                                      {{196, 60, 70}, {150, 80, 170}},
                                      {{90, 120, 210}, {230, 230, 240}}};
    LandCol c = grass_colour(u, v, seed, {50, 90, 32}, {106, 150, 56});
    LandSpot s = land_scatter(u, v, 5, seed + 7);
    float d = spot_len(s);
    float bed = edge_fbm(u, v, 3, 2, seed + 8);  // flowers grow in drifts
    if (s.a > bed * 0.7f - 0.05f || d > 0.05f) return c;
    if (d < 0.017f) return {240, 214, 90};
    const LandCol* pal = kPetals[seed % 3];
    return land_scale(pal[s.b < 0.5f ? 0 : 1], 0.85f + 0.3f * s.c);
}

LandCol ground_dry_grass(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 3, seed);
    float stalk = edge_noise2(u, v, 8, 28, seed + 3);
    float g = land_grain(u, v, seed + 4);
    LandCol c = land_mix(LandCol{124, 108, 58}, LandCol{186, 166, 94}, base * 0.8f + stalk * 0.45f - 0.15f);
    float bare = smoothstep(0.62f, 0.7f, edge_fbm(u, v, 4, 2, seed + 5));
    c = land_mix(c, LandCol{128, 100, 66}, bare * 0.7f);
    return land_scale(c, 0.9f + 0.2f * g);
}

LandCol ground_dirt(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 4, seed);
    float g = land_grain(u, v, seed + 1);
    LandCol c = land_mix(LandCol{92, 64, 40}, LandCol{140, 102, 64}, base);
    c = land_scale(c, 0.9f + 0.2f * g);
    return pebbles(c, u, v, 8, 0.03f, 0.18f, seed + 2);
}

LandCol ground_mud(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 4, seed);
    LandCol c = land_mix(LandCol{58, 42, 28}, LandCol{92, 70, 44}, base);
    float wet = smoothstep(0.56f, 0.64f, edge_fbm(u, v, 3, 2, seed + 5));
    float sheen = edge_noise(u, v, 12, seed + 6);
    LandCol puddle = land_mix(LandCol{40, 34, 28}, LandCol{96, 92, 84}, smoothstep(0.7f, 0.9f, sheen));
    c = land_mix(c, puddle, wet * 0.85f);
    return land_scale(c, 0.93f + 0.14f * land_grain(u, v, seed + 7));
}

LandCol ground_path(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 3, seed);
    float grit = land_grain(u, v, seed + 1);
    LandCol c = land_mix(LandCol{134, 108, 76}, LandCol{172, 146, 108}, base * 0.8f + 0.1f);
    c = land_scale(c, 0.9f + 0.18f * grit);
    return pebbles(c, u, v, 7, 0.035f, 0.15f, seed + 2);
}

LandCol ground_forest(float u, float v, u32 seed) {
    static const LandCol kLeaves[4] = {{122, 78, 38}, {98, 96, 44}, {158, 88, 34}, {84, 58, 34}};
    float base = edge_fbm(u, v, 3, 3, seed);
    LandCol c = land_mix(LandCol{48, 34, 22}, LandCol{80, 60, 36}, base);
    c = land_scale(c, 0.9f + 0.2f * land_grain(u, v, seed + 1));
    LandSpot s = land_nearest(u, v, 7, seed + 2);
    float ang = s.c * 3.14159f;
    float along = s.du * std::cos(ang) + s.dv * std::sin(ang);
    float across = -s.du * std::sin(ang) + s.dv * std::cos(ang);
    float e = (along * along) / (0.09f * 0.09f) + (across * across) / (0.045f * 0.045f);
    if (s.a > 0.8f || e > 1.0f) return c;
    LandCol leaf = kLeaves[static_cast<int>(s.b * 4.0f) & 3];
    float vein = std::fabs(across) < 0.006f ? 0.8f : 1.0f;
    return land_scale(leaf, (0.8f + 0.3f * (1.0f - e)) * vein);
}

LandCol ground_moss(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 3, seed);
    float lump = edge_noise(u, v, 12, seed + 1);
    LandCol c = land_mix(LandCol{52, 80, 34}, LandCol{104, 128, 50}, base * 0.6f + lump * 0.6f - 0.1f);
    float g = land_grain(u, v, seed + 2);
    if (g > 0.96f) c = land_mix(c, LandCol{190, 200, 100}, 0.4f);
    return land_scale(c, 0.92f + 0.14f * g);
}

LandCol ground_gravel(float u, float v, u32 seed) {
    LandCol gap = land_scale(LandCol{66, 60, 54}, 0.85f + 0.3f * land_grain(u, v, seed + 1));
    return pebbles(gap, u, v, 9, 0.05f, 1.0f, seed);
}

LandCol ground_rock(float u, float v, u32 seed) {
    float base = edge_fbm(u, v, 3, 4, seed);
    LandCol c = land_mix(LandCol{92, 90, 86}, LandCol{150, 146, 138}, base);
    float crack = 1.0f - std::fabs(edge_fbm(u, v, 4, 2, seed + 1) * 2.0f - 1.0f);
    if (crack > 0.95f) c = land_scale(c, 0.62f);
    float lichen = smoothstep(0.66f, 0.72f, edge_fbm(u, v, 6, 2, seed + 2));
    c = land_mix(c, LandCol{132, 140, 84}, lichen * 0.5f);
    return land_scale(c, 0.9f + 0.2f * land_grain(u, v, seed + 3));
}
