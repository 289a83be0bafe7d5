#pragma once
// SDL's own BMP reader behind the checks of platform/bmpdecode.cpp.
#include <string>

#include "platform/ddraw.h"

// Hands a whole file, whose header has been checked, to SDL and converts what
// it reads to 8-bit RGB. colours is the palette's length (0 without one):
// every index is checked against it, as SDL does not for run-length data.
bool sdlbmp_decode(const u8* data, size_t size, u32 colours, platbitmap* out, std::string* why);
