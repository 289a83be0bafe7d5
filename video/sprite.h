#pragma once
// Numbered pictures drawn into the Virtual Screen, optionally blended, and
// erased again by putting back what they covered.
#include "platform/types.h"
#include "video/picture.h"

constexpr int MAXSPRITES = 80;
constexpr int PICTURESLOT = 55; // drawpicture's slot

struct spriterec {
    u16* pixels;
    u16* bgptr;
    i16 height;
    i16 width;
    i16 x, y;
    u8 drawn;
    u8 inuse;
    u8 alpha; // 0: opaque, black skipped; 1..32: weight in 32nds
};

extern spriterec sprite[MAXSPRITES];

void clearsprites();
// A picture the program uses at a fixed size names it; any other size is
// refused as a missing file is.
void initsprite(int slot, const char* file, picsize want = ANYSIZE);
void deletesprite(int slot);
void drawsprite(int slot);
void erasesprite(int slot);
void drawpicture(const char* file, i32 x, i32 y, picsize want = ANYSIZE);
void drawbitmap(const char* file, i32 x, i32 y, picsize want = ANYSIZE);
// Per-component mix of s over d with weight a in 32nds.
u16 blendpixel(u16 d, u16 s, u32 a);
