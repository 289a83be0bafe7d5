#pragma once
// Where each font's glyphs sit in its picture strip. Shared by the game,
// which reads the fonts, and the content generator, which draws them.
#include "platform/types.h"

constexpr int NUMFONTS = 7;

struct glyph {
    i16 x;    // first column in the strip
    u8 width; // also the advance; 0: the character draws nothing
};

struct fontfile {
    const char* file;
    u8 height;
    u32 picwidth;
};

extern const glyph glyphtables[NUMFONTS][96];
extern const fontfile fontfiles[NUMFONTS];
