#pragma once
// A whole font picture: every glyph of one game font side by side.
#include <string>
#include <vector>

#include "platform/types.h"

constexpr int kOutlinedFont = 6;  // black outline round a half-blended fill

struct FontStrip {
    int w = 0, h = 0;
    std::vector<u8> px;  // w x h values as the game reads them (fonts_levels.h)
};

bool draw_font_strip(int font, FontStrip& out, std::string& why);
