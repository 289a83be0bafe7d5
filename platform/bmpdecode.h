#pragma once
// BMP files of every common kind: 1, 4 and 8 bits with a palette, RLE4 and
// RLE8, 16 bits (5-5-5, 5-6-5), 24 and 32 bits, with colour masks and any
// Windows info header, bottom-up and top-down; alpha is dropped. SDL reads
// the pixels; every header field is checked against the bytes first.
#include <string>

#include "platform/ddraw.h"

// Decodes a whole BMP file held in memory. False (with a reason in *why when
// given, and *out left alone) for anything truncated, malformed, larger than
// the picture limits or of an unsupported kind.
bool bmp_decode(const u8* data, size_t size, platbitmap* out, std::string* why = nullptr);
