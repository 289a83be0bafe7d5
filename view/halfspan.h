#pragma once
// A row of picture pixels darkened to a light level and then laid half and
// half over what the screen already holds, eight pixels at a time: each
// channel is the mean of the two, rounded down. The mean is taken as the
// bits both share plus half of those they differ in, (a & b) + ((a ^ b) &
// keep) >> 1: with the lowest bit of every channel cleared before the shift
// no bit crosses into the next channel, and a channel's mean never exceeds
// its field, so the sum never carries either. (Halving each before adding
// would lose one where both are odd.)
#include "view/lightspan.h"

struct halfpen {
    darklanes dark;
    u16 keep; // every channel's bits less the lowest of each
#if defined(__SSE2__)
    __m128i lanekeep;
#endif
};

// The half pen of a light level's darkening, for the display's colour layout.
halfpen halfpenof(const darkpen& dark);

inline u16 halfover(u16 a, u16 b, u16 keep) { return (u16)((a & b) + (((a ^ b) & keep) >> 1)); }

#if defined(__SSE2__)
__attribute__((always_inline)) inline __m128i halflanes(__m128i a, __m128i b, __m128i keep) {
    return _mm_add_epi16(_mm_and_si128(a, b), _mm_srli_epi16(_mm_and_si128(_mm_xor_si128(a, b), keep), 1));
}

// Unlike a plain darkened row, the tail cannot overlap pixels already
// written: those hold the mix now, and would be mixed twice.
__attribute__((always_inline)) inline void halfrow(const halfpen& h, u16* d, const u8* src, i32 n) {
    i32 i = 0;
    if (!h.dark.arithmetic) {
        // Without light tables (nothing lit yet) the picture goes on as it is.
        for (; i < n; i++) {
            u16 v = h.dark.table ? h.dark.table[littlepixel(src, i)] : littlepixel(src, i);
            d[i] = halfover(v, d[i], h.keep);
        }
        return;
    }
    for (; i + 8 <= n; i += 8) {
        __m128i v = darkenlanes(h.dark, _mm_loadu_si128((const __m128i*)(src + 2 * i)));
        __m128i s = _mm_loadu_si128((const __m128i*)(d + i));
        _mm_storeu_si128((__m128i*)(d + i), halflanes(v, s, h.lanekeep));
    }
    if (i + 4 <= n) {
        __m128i v = darkenlanes(h.dark, _mm_loadl_epi64((const __m128i*)(src + 2 * i)));
        __m128i s = _mm_loadl_epi64((const __m128i*)(d + i));
        _mm_storel_epi64((__m128i*)(d + i), halflanes(v, s, h.lanekeep));
        i += 4;
    }
    for (; i < n; i++) {
        u16 v = (u16)_mm_cvtsi128_si32(darkenlanes(h.dark, _mm_cvtsi32_si128(littlepixel(src, i))));
        d[i] = halfover(v, d[i], h.keep);
    }
}
#else
inline void halfrow(const halfpen& h, u16* d, const u8* src, i32 n) {
    const darkpen& p = h.dark.pen;
    for (i32 i = 0; i < n; i++) {
        u16 v = p.arithmetic ? darkenpixel(p, littlepixel(src, i)) : p.table ? p.table[littlepixel(src, i)] : littlepixel(src, i);
        d[i] = halfover(v, d[i], h.keep);
    }
}
#endif
