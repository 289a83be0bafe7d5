#pragma once
// Text drawn onto a canvas by the game's own rules for its fonts, so a
// contact sheet shows the fonts as players will see them.
#include "tools/content/canvas.h"
#include "tools/content/fonts_strip.h"

// Left edge at x, top at y, like the game's drawtext without its clamping.
void preview_text(Canvas& c, const FontStrip& strip, int font, const char* text, int x, int y, Rgb colour);
// What the game's textwidth gives for text in font.
int preview_width(int font, const char* text);
