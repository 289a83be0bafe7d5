#pragma once
// Darkening a row of picture pixels to a light level by arithmetic, eight
// pixels at a time, giving exactly what the light table of that level holds.
// A lookup per pixel into a 128 KB table, one table per level, misses the
// cache on nearly every pixel of a busy view; the arithmetic does not.
// Rows of pictures are short (a land tile's are 4 to 40 pixels), so the
// per-row work is inline and everything a level needs is set up once per
// picture in a darkpen.
//
// A channel c of width w at shift s darkened by f sixteenths is
// floor(c * f / 16) << s, which is the high half of (v & mask) * (f << 12),
// masked: one multiply per channel and no shifts. Two channels share a
// multiply when the lower one's product stays below the upper one's kept
// bits, which holds for the outer channels of 5-5-5 and 5-6-5.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/types.h"

// The colour layout the light tables were built for, kept by the tables'
// builder so that the arithmetic always matches the tables in use.
struct lightlayout {
    u16 group[3]; // channel masks sharing one multiply each; 0 when unused
    u16 keep;     // every channel's bits
    bool arithmetic; // false: overlapping or odd fields, use the table
};
extern lightlayout darklayout;

// Sixteenths of each channel kept at light levels 0..15.
extern const u8 darkenfactor[16];

// Fills darklayout from the masks and shifts the tables are built with.
void setlightlayout(u16 rmask, u8 rshift, u16 gmask, u8 gshift, u16 bmask, u8 bshift);

struct darkpen {
    u16 group[3];
    u16 keep;
    u16 multiplier; // factor << 12; 0 for full light, which only keeps the channels
    bool arithmetic;
    const u16* table; // the level's light table, when not arithmetic
#if defined(__SSE2__)
    // The same in every lane, set up once for a picture's many short rows.
    __m128i lanekeep, lanemultiplier, lanegroup[3];
#endif
};

darkpen darkpenfor(u32 level);

inline u16 littlepixel(const u8* src, i32 i) { return (u16)(src[2 * i] | src[2 * i + 1] << 8); }

inline u16 darkenpixel(const darkpen& p, u32 v) {
    if (!p.multiplier) return (u16)(v & p.keep);
    u32 r = 0;
    for (u16 g : p.group) r |= ((v & g) * p.multiplier >> 16) & g;
    return (u16)r;
}

#if defined(__SSE2__)
// The pen's lanes as plain values, for a picture's loop to keep in
// registers: read through the pen they would be read again after every
// store, as a stored pixel might be any of them as far as the compiler knows.
struct darklanes {
    __m128i keep, multiplier, group0, group1, group2;
    bool full, arithmetic;
    const u16* table;
};

inline darklanes lanesof(const darkpen& p) {
    return {p.lanekeep, p.lanemultiplier, p.lanegroup[0], p.lanegroup[1], p.lanegroup[2], !p.multiplier, p.arithmetic, p.table};
}

__attribute__((always_inline)) inline __m128i darkenlanes(const darklanes& k, __m128i v) {
    if (k.full) return _mm_and_si128(v, k.keep);
    __m128i a = _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(v, k.group0), k.multiplier), k.group0);
    __m128i b = _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(v, k.group1), k.multiplier), k.group1);
    __m128i c = _mm_and_si128(_mm_mulhi_epu16(_mm_and_si128(v, k.group2), k.multiplier), k.group2);
    return _mm_or_si128(a, _mm_or_si128(b, c));
}

// d[i] = the level's light table at pixel i of src, src holding n
// little-endian 16-bit pixels: eight at a time, then four, two and one.
__attribute__((always_inline)) inline void darkenrow(const darklanes& k, u16* d, const u8* src, i32 n) {
    i32 i = 0;
    if (!k.arithmetic) {
        for (; i < n; i++) d[i] = k.table[littlepixel(src, i)];
        return;
    }
    // A row's last pieces overlap pixels already written, which is harmless
    // (each pixel depends on its own source pixel only) and spares the
    // branches a short row's tail would cost.
    if (n >= 8) {
        for (; i + 8 <= n; i += 8) _mm_storeu_si128((__m128i*)(d + i), darkenlanes(k, _mm_loadu_si128((const __m128i*)(src + 2 * i))));
        if (i < n) _mm_storeu_si128((__m128i*)(d + n - 8), darkenlanes(k, _mm_loadu_si128((const __m128i*)(src + 2 * (n - 8)))));
        return;
    }
    if (n >= 4) {
        _mm_storel_epi64((__m128i*)d, darkenlanes(k, _mm_loadl_epi64((const __m128i*)src)));
        _mm_storel_epi64((__m128i*)(d + n - 4), darkenlanes(k, _mm_loadl_epi64((const __m128i*)(src + 2 * (n - 4)))));
        return;
    }
    if (i + 2 <= n) {
        u32 two;
        std::memcpy(&two, src + 2 * i, 4);
        two = (u32)_mm_cvtsi128_si32(darkenlanes(k, _mm_cvtsi32_si128((int)two)));
        std::memcpy(d + i, &two, 4);
        i += 2;
    }
    if (i < n) d[i] = (u16)_mm_cvtsi128_si32(darkenlanes(k, _mm_cvtsi32_si128(littlepixel(src, i))));
}

inline void darkenrow(const darkpen& p, u16* d, const u8* src, i32 n) { darkenrow(lanesof(p), d, src, n); }
#else
struct darklanes {
    darkpen pen;
};

inline darklanes lanesof(const darkpen& p) { return {p}; }

inline void darkenrow(const darklanes& k, u16* d, const u8* src, i32 n) {
    for (i32 i = 0; i < n; i++)
        d[i] = k.pen.arithmetic ? darkenpixel(k.pen, littlepixel(src, i)) : k.pen.table[littlepixel(src, i)];
}

inline void darkenrow(const darkpen& p, u16* d, const u8* src, i32 n) { darkenrow(lanesof(p), d, src, n); }
#endif

// The same row as stored: fixed-size pieces, as a call to a general copy
// costs more than the few bytes of a short row.
inline void copyrow(u16* d, const u8* src, i32 n) {
    i32 i = 0;
    if (n >= 8) {
        for (; i + 8 <= n; i += 8) std::memcpy(d + i, src + 2 * i, 16);
        if (i < n) std::memcpy(d + n - 8, src + 2 * (n - 8), 16);
        return;
    }
    if (n >= 4) {
        std::memcpy(d, src, 8);
        std::memcpy(d + n - 4, src + 2 * (n - 4), 8);
        return;
    }
    for (; i < n; i++) std::memcpy(d + i, src + 2 * i, 2);
}
