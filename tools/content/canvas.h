#pragma once
// An RGB drawing surface for the content generator. Pure black is the
// colour-key of most game pictures, so "empty" means (0,0,0) throughout.
#include <functional>
#include <vector>

#include "platform/types.h"

struct Rgb {
    u8 r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

struct Pt {
    float x, y;
};

struct Canvas {
    int w = 0, h = 0;
    std::vector<u8> px;  // w * h * 3 bytes, rows top to bottom
};

// The colour of every pixel a shape covers, given that pixel's centre.
using Paint = std::function<Rgb(float x, float y)>;

Rgb rgb_mix(Rgb a, Rgb b, float t);  // t = 0 gives a, 1 gives b
Rgb rgb_scale(Rgb c, float k);       // k > 1 brightens, clamped

Paint paint_solid(Rgb c);
// c0 at p0 through c1 at p1; clamped beyond the ends.
Paint paint_linear(Pt p0, Rgb c0, Pt p1, Rgb c1);
// Three stops: c0 at p0, cm halfway, c1 at p1 (a lit ridge or a groove).
Paint paint_linear3(Pt p0, Rgb c0, Rgb cm, Pt p1, Rgb c1);
// c0 at the centre fading to c1 at radius r.
Paint paint_radial(Pt centre, float r, Rgb c0, Rgb c1);

Canvas canvas_make(int w, int h, Rgb fill = {0, 0, 0});
bool canvas_in(const Canvas& c, int x, int y);
Rgb canvas_get(const Canvas& c, int x, int y);      // black outside
void canvas_set(Canvas& c, int x, int y, Rgb col);  // ignored outside
// Covers the pixel with col at opacity a (0..1).
void canvas_blend(Canvas& c, int x, int y, Rgb col, float a);

void fill_rect(Canvas& c, int x, int y, int w, int h, Rgb col);
void fill_vgradient(Canvas& c, int x, int y, int w, int h, Rgb top, Rgb bottom);
void draw_line(Canvas& c, int x0, int y0, int x1, int y1, Rgb col);
// Wu's anti-aliased line, blended over what is already there.
void draw_line_aa(Canvas& c, float x0, float y0, float x1, float y1, Rgb col);

// Shape fills test each pixel centre, so edges are hard: colour-keyed
// pictures have no partial transparency to soften them with.
// Even-odd test of a point against a closed polygon.
bool inside_polygon(const std::vector<Pt>& pts, float x, float y);
// The polygon's bounding box.
void polygon_bounds(const std::vector<Pt>& pts, float* x0, float* y0, float* x1, float* y1);
void fill_polygon(Canvas& c, const std::vector<Pt>& pts, const Paint& paint);
void fill_ellipse(Canvas& c, float cx, float cy, float rx, float ry, const Paint& paint);
void fill_ring(Canvas& c, float cx, float cy, float outer, float inner, const Paint& paint);
// A line of the given width with round ends.
void fill_capsule(Canvas& c, Pt a, Pt b, float width, const Paint& paint);

// Paints col on every empty pixel that touches a non-empty one (including
// diagonally when diagonal is set), so shapes read on any background.
void outline(Canvas& c, Rgb col, bool diagonal = true);
// Copies src's non-empty pixels onto dst with src's top-left at (x, y).
void blit_keyed(Canvas& dst, const Canvas& src, int x, int y);
// Every pixel scaled up by an integer factor.
Canvas canvas_scaled(const Canvas& c, int factor);
