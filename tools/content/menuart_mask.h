#pragma once
// Coverage masks: how much of each pixel a shape covers, 0..1. Shapes are
// drawn into a mask first so that their edges, outlines, glows and rim light
// can all be worked out from the one coverage before any colour is laid.
#include <functional>
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/menuart_img.h"

struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
};

Mask mask_make(int w, int h);
float mask_get(const Mask& m, int x, int y);  // 0 outside
void mask_set(Mask& m, int x, int y, float v);  // ignored outside
// Adds a shape to the mask as a union: each pixel keeps its larger coverage.
void mask_union(Mask& m, int x, int y, float v);

// Fills a shape given by a point test, sampled 4 x 4 per pixel over the
// box (x0, y0)..(x1, y1), so that silhouettes come out anti-aliased.
void mask_shape(Mask& m, float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside);
void mask_polygon(Mask& m, const std::vector<Pt>& pts);
void mask_rect(Mask& m, float x0, float y0, float x1, float y1);
void mask_ellipse(Mask& m, float cx, float cy, float rx, float ry);
void mask_capsule(Mask& m, Pt a, Pt b, float width);

// Approximately Gaussian: three box passes of the radius each way.
Mask mask_blur(const Mask& m, int radius);
// Grows the coverage by r pixels (the maximum over a disc).
Mask mask_dilate(const Mask& m, int r);
// Every coverage times k, clamped to 1.
void mask_scale(Mask& m, float k);

// Lays colour over im where the mask covers, the mask's top-left at (ox, oy).
void mask_paint(Img& im, const Mask& m, int ox, int oy, const std::function<Col(int x, int y)>& col,
                float opacity = 1.0f);
void mask_paint_solid(Img& im, const Mask& m, int ox, int oy, Col c, float opacity = 1.0f);
// The same, but as added light.
void mask_glow(Img& im, const Mask& m, int ox, int oy, Col c, float strength);
