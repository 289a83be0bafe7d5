#pragma once
// The look shared by every cursor shape: palette, layering and the small
// arrow tip that marks the hot spot on shapes that are not pointed.
#include <functional>
#include <vector>

#include "tools/content/canvas.h"

constexpr int kCursorCell = 32;

// Pure black is the key colour, so outlines use a black that is drawn.
constexpr Rgb kInk = {8, 8, 8};

struct Ramp {
    Rgb dark, mid, light;
};

constexpr Ramp kSteel = {{78, 86, 102}, {160, 168, 182}, {236, 240, 246}};
constexpr Ramp kGold = {{128, 84, 18}, {210, 160, 44}, {255, 232, 130}};
constexpr Ramp kWood = {{72, 42, 20}, {134, 84, 42}, {186, 128, 72}};
constexpr Ramp kLeather = {{84, 46, 22}, {146, 88, 44}, {196, 138, 84}};
constexpr Ramp kCloth = {{112, 84, 48}, {176, 140, 90}, {226, 196, 146}};
constexpr Ramp kSkin = {{150, 92, 62}, {222, 164, 124}, {252, 214, 180}};
constexpr Ramp kRed = {{112, 12, 12}, {204, 32, 26}, {255, 120, 96}};
constexpr Ramp kMagic = {{58, 30, 122}, {124, 84, 222}, {206, 186, 255}};
constexpr Ramp kIce = {{44, 104, 170}, {120, 186, 236}, {226, 246, 255}};
constexpr Ramp kGlass = {{96, 126, 150}, {164, 196, 216}, {232, 244, 250}};
constexpr Ramp kSand = {{176, 120, 36}, {226, 178, 80}, {252, 222, 140}};

// Draws one part on its own layer, outlines it and lays it over cell, so
// parts drawn later are edged in ink where they cross earlier ones.
void add_part(Canvas& cell, const std::function<void(Canvas&)>& draw);

// A point relative to o along the cell's main diagonal: u runs toward the
// bottom-right corner, v across it toward the top-right.
Pt diag(Pt o, float u, float v);
// pts rotated by deg (clockwise on screen), scaled, then moved to at.
std::vector<Pt> place(const std::vector<Pt>& pts, float deg, float scale, Pt at);
// A star with n points, the first pointing along deg (0 = right, clockwise).
std::vector<Pt> star(Pt centre, int n, float outer, float inner, float deg);

// Lit from the top-left: light there, dark toward the bottom-right.
Paint paint_lit(Pt from, Pt to, const Ramp& r);

// A small arrowhead with its point at (1, 1).
void add_tip(Canvas& cell, const Ramp& r);
// A 3 x 3 plus-shaped glint centred on (x, y).
void add_glint(Canvas& cell, int x, int y, Rgb col);
