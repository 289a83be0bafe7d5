#pragma once
// Seeded, stateless noise for the generator's textures: integer hashing and
// plain float arithmetic, so the same seed and coordinates give the same
// value on every run.
#include "platform/types.h"

u32 hash_u32(u32 x);
// A lattice point's hash; seed picks one of many unrelated fields.
u32 hash2(int x, int y, u32 seed);
// The same as a number in [0, 1).
float hash01(int x, int y, u32 seed);

// Smooth value noise in [0, 1] with features about one unit apart.
float value_noise(float x, float y, u32 seed);
// Octaves of value noise, each twice as fine and half as strong; in [0, 1].
float fbm(float x, float y, u32 seed, int octaves);
// Sharp-crested noise in [0, 1] for ridges and cracks: 1 along the creases.
float ridged(float x, float y, u32 seed, int octaves);

// The threshold of an 8 x 8 ordered dither at a pixel, in (0, 1).
float bayer8(int x, int y);

float smoothstep(float e0, float e1, float x);

// A small sequential generator for placing things (stars, knots, windows).
struct Rng {
    u64 state;
    explicit Rng(u64 seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    u32 next();
    float unit();                  // [0, 1)
    float range(float a, float b); // [a, b)
    int below(int n);              // 0 .. n-1
};
