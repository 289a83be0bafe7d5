#pragma once
// One character rendered into its range of a font strip.
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/content/fonts_faces.h"

// The part of a cell a glyph's ink may use.
struct InkBox {
    int x0, x1;  // columns [x0, x1)
    int y0, y1;  // rows [y0, y1)
};

struct GlyphCell {
    int w = 0, h = 0;
    std::vector<u8> cov;  // w x h coverage, 0..255
};

// The ink is centred across the box and sits on the face's baseline. A
// glyph too wide for the box is condensed until it fits; one too tall is
// drawn smaller, and a symbol may also be moved up or down to fit.
bool glyph_cell(FtFont* face, const FaceSetup& setup, int ch, int w, int h, const InkBox& box, GlyphCell& out,
                std::string& why);
