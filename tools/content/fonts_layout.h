#pragma once
// Which character is drawn into each range of a font strip. The glyph
// tables let several characters point at one range, and let neighbouring
// ranges share columns, so a strip cannot simply hold every character.
#include <vector>

struct GlyphSlot {
    int ch;    // the character whose shape fills the range
    int x, w;  // the range in the strip
};

struct FontLayout {
    std::vector<GlyphSlot> slots;    // one per distinct range, in strip order
    std::vector<bool> shared_cols;   // per strip column: claimed by two ranges, so kept blank
};

FontLayout font_layout(int font);
