#pragma once
// Bronze fittings shared by the title picture's border, its button panel and
// the text box: mitred rims lit from the upper left, studs and set stones.
#include "tools/content/menuart_img.h"

// Worn bronze: the metal's tint wanders and darkens in the pits.
Col bronze_at(int x, int y);

// A raised rim of the given thickness just inside the rectangle (x, y, w, h),
// with a dark line along both of its sides.
void bronze_rim(Img& im, int x, int y, int w, int h, int thickness);
// Darkens the inside of the rectangle along its top and left edges, as if it
// were sunk below its rim.
void inner_shadow(Img& im, int x, int y, int w, int h, int depth, float strength);
void stud(Img& im, float cx, float cy, float r);
void gem(Img& im, float cx, float cy, float r, Col c);
