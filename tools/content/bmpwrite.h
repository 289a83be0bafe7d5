#pragma once
// BMP files as the game reads them: uncompressed, bottom-up, BITMAPINFOHEADER.
#include <vector>

#include "platform/types.h"

// 24-bit from rgb: w x h pixels of three bytes, rows top to bottom.
std::vector<u8> bmp_encode24(int w, int h, const u8* rgb);
// 8-bit from one palette index per pixel, rows top to bottom. palette holds
// up to 256 colours of three bytes (r, g, b); indices must lie within it.
std::vector<u8> bmp_encode8(int w, int h, const u8* indices, const std::vector<u8>& palette);
