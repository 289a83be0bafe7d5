#pragma once
// Lettering for the shell's artwork, rendered by FreeType from free Debian
// faces into a coverage mask, which the artwork then shades itself.
#include <string>

#include "tools/content/menuart_mask.h"

// Linux Libertine (fonts-linuxlibertine): a book serif whose capitals carry
// the title well; its regular weight sets the smaller lines.
extern const char* const kTitleFace;
extern const char* const kLineFace;

struct Lettering {
    const char* face;  // font file
    int px;            // pixel size
    float tracking;    // extra pixels after every letter
};

// Draws text into the mask (union) centred on cx with its baseline at y.
// False, with the reason, when the face cannot be opened or rendered.
bool letter_centred(Mask& m, const Lettering& style, const std::string& text, float cx, float baseline,
                    std::string& why);
