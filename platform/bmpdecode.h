#pragma once
// BMP files: uncompressed 24-bit and 8-bit palettized, bottom-up and top-down.
// Every header size is checked against the bytes before it is used.
#include <string>

#include "platform/ddraw.h"

// Decodes a whole BMP file held in memory. False (with a reason in *why when
// given) for anything truncated, malformed or of an unsupported kind.
bool bmp_decode(const u8* data, size_t size, platbitmap* out, std::string* why = nullptr);
