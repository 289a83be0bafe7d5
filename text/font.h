#pragma once
// The seven bitmap fonts and text drawing. Glyph pixels are coverage
// levels, blended into the screen in the current text colour.
#include <cstddef>

#include "platform/types.h"
#include "text/glyphtables.h"

struct fontrec {
    const glyph* table; // 96 entries, codes 32..127
    u8* picture;        // picwidth x at least height coverage bytes
    u8 height;          // rows every glyph has
    u32 picwidth;       // row length of the strip as decoded
};

extern fontrec font[NUMFONTS];
extern u8 currentfont;
extern u16 textr, textg, textb;
extern u8 textclamp;
extern u8 textalt;
extern u16* textaltbuf;     // a 640-wide picture text goes into while textalt is set
extern u32 textaltheight;   // its rows

// Reads and parses every font's picture; a file missing or refused ends the
// program.
void initfonts();
// Font f's picture from a PCX file: it must decode and be at least as wide
// as the font's glyphs reach and as high as the font. Nullptr when taken,
// else the reason and the font as it was.
const char* parsefont(int f, const u8* bytes, size_t size);
i32 textwidth(const char* text);
void drawglyph(u8 code, i32 x, i32 y);
void drawtext(const char* text, i32 x, i32 y);
void drawtextright(const char* text, i32 x, i32 y);
void drawtextcentered(const char* text, i32 y, i32 left, i32 right);
void settextcolor(u16 r, u16 g, u16 b);
