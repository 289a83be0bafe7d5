#pragma once
// Floating-point pictures for the shell's artwork. Layers are mixed at full
// precision and only the finished picture is rounded, with an ordered dither,
// to the 5-bit levels the game keeps: its 16-bit screen truncates each
// channel, and smooth skies would otherwise break into bands.
#include <vector>

#include "tools/content/canvas.h"

struct Col {
    float r, g, b;
};

inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Col operator*(Col a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Col operator*(Col a, Col b) { return {a.r * b.r / 255.0f, a.g * b.g / 255.0f, a.b * b.b / 255.0f}; }
Col col_mix(Col a, Col b, float t);  // t clamped to 0..1
float col_luma(Col c);

struct Img {
    int w = 0, h = 0;
    std::vector<Col> px;
};

Img img_make(int w, int h, Col fill);
bool img_in(const Img& im, int x, int y);
Col img_get(const Img& im, int x, int y);  // nearest edge pixel outside
void img_set(Img& im, int x, int y, Col c);  // ignored outside
void img_blend(Img& im, int x, int y, Col c, float a);
// Light added on top, as a glow or a lit window spills.
void img_add(Img& im, int x, int y, Col c, float a);
// src placed with its top-left at (x, y), replacing what is there.
void img_paste(Img& dst, const Img& src, int x, int y);
// The rectangle (x, y, w, h) of src as a picture of its own.
Img img_crop(const Img& src, int x, int y, int w, int h);

// Rounded to the game's 5-bit levels with a dither. A pixel never comes out
// pure black, so only what a picture cuts away on purpose is transparent.
Canvas img_to_canvas(const Img& im);
