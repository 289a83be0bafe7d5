#pragma once
// Isometric drawing for item pictures. Map x runs 20 px right and 10 down
// per cell, map y 20 left and 10 down, height straight up, so a cell's
// floor is the 40 x 20 diamond of its box.
#include "platform/types.h"
#include "tools/content/canvas.h"

// Projects cell-local map coordinates (u along x, v along y, h in pixels
// above the floor) for a cell whose box has its top-left corner at (ox, oy).
struct Iso {
    float ox, oy;
    Pt at(float u, float v, float h) const { return {ox + 20.0f + 20.0f * (u - v), oy + 10.0f * (u + v) - h}; }
};

// The three visible faces of a block: top, the face towards map y + 1
// (screen left) and the face towards map x + 1 (screen right).
struct Faces {
    Rgb top, left, right;
};
Faces faces_of(Rgb base);  // lit from the upper left

// A paint that speckles c by up to +-amount of its brightness.
Paint paint_grain(Rgb c, float amount, u32 seed);

// An axis-aligned block from (u0, v0, h0) to (u1, v1, h1).
void iso_box(Canvas& c, const Iso& iso, float u0, float v0, float u1, float v1, float h0, float h1, Faces f,
             float grain = 0.08f, u32 seed = 1);
// Mortar lines on a block's two visible side faces: courses every course
// pixels, joints every joint cells, staggered row by row; mortar is the
// colour on the lit face.
void iso_courses(Canvas& c, const Iso& iso, float u0, float v0, float u1, float v1, float h0, float h1,
                 float course, float joint, Rgb mortar);
// An upright cylinder standing on (cu, cv), radius r in cells.
void iso_cylinder(Canvas& c, const Iso& iso, float cu, float cv, float r, float h0, float h1, Faces f, u32 seed = 1);
// A ground-hugging shadow ellipse around (cu, cv).
void iso_shadow(Canvas& c, const Iso& iso, float cu, float cv, float r);
// A lumpy blob of foliage or stone: overlapping lit ellipses.
void blob(Canvas& c, float cx, float cy, float rx, float ry, Rgb base, u32 seed, int lumps);
// A flame of the given height whose flicker is picked by frame.
void flame(Canvas& c, float cx, float base_y, float height, int frame);
