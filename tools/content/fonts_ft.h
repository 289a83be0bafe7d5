#pragma once
// The FreeType side of the font step: one face at one pixel size, and the
// coverage bitmap of a character drawn from it.
#include <string>
#include <vector>

#include "platform/types.h"

enum class Hinting {
    native,  // the face's own hints (TrueType bytecode, CFF hinter)
    light,   // vertical-only hinting: keeps the face's shapes at small sizes
    mono,    // hinted for one-bit output; every pixel is 0 or 255
};

struct FtRender {
    int pixel_size = 0;
    Hinting hinting = Hinting::light;
    float x_scale = 1.0f;  // below 1 condenses a glyph that would not fit
    int embolden = 0;      // outline growth in 1/64 px, for faces too thin at this size
    int x_shift = 0;       // in 1/64 px: moves stems across pixel boundaries
};

struct GlyphImage {
    int w = 0, h = 0;
    int left = 0, top = 0;  // pen-relative: top is rows above the baseline
    std::vector<u8> cov;    // w x h coverage, 0..255, rows top to bottom
};

struct FtFont;  // a loaded face; opaque so FreeType stays out of the headers

// Null with a reason when the library or the file cannot be opened.
FtFont* ft_open(const std::string& path, std::string& why);
void ft_close(FtFont* f);
bool ft_has_char(FtFont* f, int ch);
bool ft_render(FtFont* f, int ch, const FtRender& how, GlyphImage& out, std::string& why);
