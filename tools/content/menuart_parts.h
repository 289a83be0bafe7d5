#pragma once
// The layers the title picture is built from, back to front. Each paints
// into the whole 640 x 480 picture; the horizon and the places of the moon
// and the keep are shared so that the layers agree with each other.
#include <string>

#include "tools/content/menuart_img.h"

constexpr int kHorizon = 300;             // where the sky's glow is brightest
constexpr float kSunX = 190.0f;           // the sun has just set behind the far range here
constexpr float kMoonX = 548.0f, kMoonY = 184.0f, kMoonR = 30.0f;
constexpr float kKeepX = 528.0f;          // the keep stands in front of the moon

Col sky_at(int x, int y);  // the bare dusk gradient, before stars and clouds
void paint_sky(Img& im);
void paint_moon(Img& im);
void paint_clouds(Img& im);
void paint_ranges(Img& im);     // the far and middle mountains
void paint_castle(Img& im);     // the crag and the keep on it
void paint_foreground(Img& im); // near hills, the dead tree, low mist
void paint_mist(Img& im, float y, float depth, float strength, unsigned seed);
bool paint_title(Img& im, std::string& why);
void paint_menu_panel(Img& im);
void paint_border(Img& im);
