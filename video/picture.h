#pragma once
// Pictures as plain 16-bit buffers in the display's layout, and the fonts'
// 8-bit coverage buffers.
#include <string>
#include <vector>

#include "platform/types.h"

extern u32 bmpwidth, bmpheight;
extern u16* rgb333;

// A picture file converted to the display's layout. The caller owns the
// buffer (bmpwidth x bmpheight pixels) and frees it with gamefree.
u16* loadandunpackbmp(const char* file);
// A PCX file's pixels, width x height bytes; the caller knows the size.
u8* unpackpcx(const char* file);
// Builds the 9-bit colour code of every 16-bit colour.
void buildrgb333();
// One colour's 9-bit code under the current pixel format.
u16 colour333(u16 p);
