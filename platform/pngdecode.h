#pragma once
// PNG files of every kind libpng reads: gray, palette, RGB, with or without
// alpha (dropped), 1 to 16 bits, interlaced or not. Output is 8-bit RGB.
#include <string>

#include "platform/ddraw.h"

// True when the bytes start with the PNG signature.
bool png_issignature(const u8* data, size_t size);
// Decodes a whole PNG file held in memory. False (with a reason in *why when
// given, and *out left alone) for anything truncated, damaged or larger than
// the picture limits.
bool png_decode(const u8* data, size_t size, platbitmap* out, std::string* why = nullptr);
