#pragma once
// Darkening a row of picture pixels to a light level by arithmetic, eight
// pixels at a time, giving exactly what the light table of that level holds.
// A lookup per pixel into a 128 KB table, one table per level, misses the
// cache on nearly every pixel of a busy view; the arithmetic does not.
#include "platform/types.h"

// The colour layout the light tables were built for, kept by the tables'
// builder so that the arithmetic always matches the tables in use.
struct lightlayout {
    u16 mask[3];
    u8 shift[3];
    bool arithmetic; // false: a field too wide for 16-bit lanes, use the table
};
extern lightlayout darklayout;

// Sixteenths of each channel kept at light levels 0..15.
extern const u8 darkenfactor[16];

// Fills darklayout from the masks and shifts the tables are built with.
void setlightlayout(u16 rmask, u8 rshift, u16 gmask, u8 gshift, u16 bmask, u8 bshift);

// d[i] = lighttable[level][pixel i of src], src holding n little-endian
// 16-bit pixels. level is 0..15.
void darkenspan(u16* d, const u8* src, i32 n, u32 level);
