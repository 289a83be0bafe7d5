#pragma once
// PCX files as the game's font reader takes them: one 8-bit plane, packed
// row by row, with the 256-colour palette at the end.
#include <vector>

#include "platform/types.h"

// w x h palette indices, rows top to bottom. palette holds up to 256
// colours of three bytes (r, g, b); the rest of the 256 are written black.
// w must be even: PCX pads rows to an even length and the reader does not
// skip padding.
std::vector<u8> pcx_encode8(int w, int h, const u8* indices, const std::vector<u8>& palette);

// levels greys from black to white, for pictures whose indices are
// intensities rather than colours.
std::vector<u8> pcx_grey_palette(int levels);
