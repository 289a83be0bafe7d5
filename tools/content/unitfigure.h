#pragma once
// A unit figure as a handful of shaded solids, drawn with a depth buffer
// through the map view's projection: 2:1 ground, the camera 30 degrees up
// and looking north. World units are screen pixels along the ground's x.
#include <vector>

#include "tools/content/canvas.h"

struct V3 {
    float x, y, z;  // x east, y south, z up
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float v3_len(V3 a);
V3 v3_unit(V3 a);
V3 v3_cross(V3 a, V3 b);

enum class Finish : u8 { matte, cloth, metal, glow };

// A capsule whose radius runs from ra at a to rb at b; a sphere when a == b.
struct Blob {
    V3 a, b;
    float ra, rb;
    Rgb col;
    Finish fin;
};

// A flat round plate (shield, brim) of radius r facing along normal n.
struct Disc {
    V3 c, n;
    float r;
    Rgb col;
    Finish fin;
};

struct Figure {
    std::vector<Blob> blobs;
    std::vector<Disc> discs;
};

// Draws fig onto c (already filled with key) with the world origin at
// pixel (ox, oy), then rings it with a dark outline. No pixel comes out
// as key, nor as pure black.
void render_figure(const Figure& fig, Canvas& c, int ox, int oy, Rgb key);
