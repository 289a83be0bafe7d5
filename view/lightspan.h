#pragma once
// Darkening a row of picture pixels to a light level by arithmetic, eight
// pixels at a time, giving exactly what the light table of that level holds.
// A lookup per pixel into a 128 KB table, one table per level, misses the
// cache on nearly every pixel of a busy view; the arithmetic does not.
// Rows of pictures are short (a land tile's are 4 to 40 pixels), so the
// per-row work is inline and everything a level needs is set up once per
// picture in a darkpen.
#include <cstring>

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

typedef u16 lanes8 __attribute__((vector_size(16)));
typedef u16 lanes4 __attribute__((vector_size(8)));

struct darkpen {
    u16 mask[3];
    u8 shift[3];
    u16 factor;
    bool arithmetic;
    const u16* table; // the level's light table, when not arithmetic
};

darkpen darkpenfor(u32 level);

// The fields as plain values: read through the pen inside a loop, they
// would be read again after every store, since a u16 stored might be one.
struct darkfields {
    u16 m0, m1, m2, f;
    u8 s0, s1, s2;
};

template <typename V> inline V darkenlanes(const darkfields& k, V v) {
    return (((v & k.m0) >> k.s0) * k.f >> 4 << k.s0) | (((v & k.m1) >> k.s1) * k.f >> 4 << k.s1) |
           (((v & k.m2) >> k.s2) * k.f >> 4 << k.s2);
}

inline u16 littlepixel(const u8* src, i32 i) { return (u16)(src[2 * i] | src[2 * i + 1] << 8); }

// d[i] = the level's light table at pixel i of src, src holding n
// little-endian 16-bit pixels.
inline void darkenrow(const darkpen& p, u16* d, const u8* src, i32 n) {
    i32 i = 0;
    if (!p.arithmetic) {
        for (; i < n; i++) d[i] = p.table[littlepixel(src, i)];
        return;
    }
    const darkfields k = {p.mask[0], p.mask[1], p.mask[2], p.factor, p.shift[0], p.shift[1], p.shift[2]};
    for (; i + 8 <= n; i += 8) {
        lanes8 v;
        std::memcpy(&v, src + 2 * i, sizeof v);
        v = darkenlanes(k, v);
        std::memcpy(d + i, &v, sizeof v);
    }
    if (i + 4 <= n) {
        lanes4 v;
        std::memcpy(&v, src + 2 * i, sizeof v);
        v = darkenlanes(k, v);
        std::memcpy(d + i, &v, sizeof v);
        i += 4;
    }
    for (; i < n; i++) d[i] = darkenlanes(k, (u32)littlepixel(src, i));
}

// The same row as stored: fixed-size pieces, as a call to a general copy
// costs more than the few bytes of a short row.
inline void copyrow(u16* d, const u8* src, i32 n) {
    i32 i = 0;
    for (; i + 8 <= n; i += 8) std::memcpy(d + i, src + 2 * i, 16);
    if (i + 4 <= n) std::memcpy(d + i, src + 2 * i, 8), i += 4;
    for (; i < n; i++) std::memcpy(d + i, src + 2 * i, 2);
}
