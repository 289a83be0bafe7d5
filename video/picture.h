#pragma once
// Pictures as plain 16-bit buffers in the display's layout, and the fonts'
// 8-bit coverage buffers.
#include <string>
#include <vector>

#include "platform/types.h"

extern u32 bmpwidth, bmpheight;
extern u16* rgb333;

// The size the program draws a picture at. Code that cuts pieces out of a
// picture relies on it, so a file of any other size is refused at load.
// {0, 0}: whatever size the file has.
struct picsize {
    u32 width, height;
};
constexpr picsize ANYSIZE = {0, 0};

// A picture file converted to the display's layout. The caller owns the
// buffer (bmpwidth x bmpheight pixels) and frees it with gamefree. A file
// that is missing, unreadable or not of the size wanted ends the program
// with code 3, naming the file.
u16* loadandunpackbmp(const char* file, picsize want = ANYSIZE);
// The same from the file's bytes: nullptr with the buffer in *out, or the
// reason (no picture, or not the size wanted) and nothing allocated.
const char* unpackbmpbytes(const u8* data, size_t size, picsize want, u16** out);
// Builds the 9-bit colour code of every 16-bit colour.
void buildrgb333();
// One colour's 9-bit code under the current pixel format.
u16 colour333(u16 p);
