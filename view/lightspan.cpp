#include "view/lightspan.h"

#include <bit>
#include <cstring>

#include "view/light.h"

lightlayout darklayout = {{0, 0, 0}, {0, 0, 0}, false};

const u8 darkenfactor[16] = {16, 16, 15, 14, 13, 12, 12, 11, 10, 9, 8, 8, 7, 6, 5, 4};

void setlightlayout(u16 rmask, u8 rshift, u16 gmask, u8 gshift, u16 bmask, u8 bshift) {
    darklayout = {{rmask, gmask, bmask}, {rshift, gshift, bshift}, true};
    // A field value times 16 must still fit the 16 bits of a lane.
    for (int c = 0; c < 3; c++)
        if (darklayout.shift[c] > 15 || (darklayout.mask[c] >> darklayout.shift[c]) > 4095) darklayout.arithmetic = false;
    if constexpr (std::endian::native != std::endian::little) darklayout.arithmetic = false;
}

typedef u16 lanes __attribute__((vector_size(16)));

static u16 darkenone(u32 v, u32 f) {
    const lightlayout& l = darklayout;
    u32 out = 0;
    for (int c = 0; c < 3; c++) out |= ((v & l.mask[c]) >> l.shift[c]) * f >> 4 << l.shift[c];
    return (u16)out;
}

void darkenspan(u16* d, const u8* src, i32 n, u32 level) {
    const lightlayout& l = darklayout;
    if (!l.arithmetic) {
        const u16* table = lighttable + level * 65536;
        for (i32 i = 0; i < n; i++) d[i] = table[src[2 * i] | src[2 * i + 1] << 8];
        return;
    }
    const u16 f = darkenfactor[level];
    const u16 m0 = l.mask[0], m1 = l.mask[1], m2 = l.mask[2];
    const u8 s0 = l.shift[0], s1 = l.shift[1], s2 = l.shift[2];
    i32 i = 0;
    for (; i + 8 <= n; i += 8) {
        lanes v;
        std::memcpy(&v, src + 2 * i, sizeof v);
        lanes r = ((v & m0) >> s0) * f >> 4 << s0;
        lanes g = ((v & m1) >> s1) * f >> 4 << s1;
        lanes b = ((v & m2) >> s2) * f >> 4 << s2;
        lanes out = r | g | b;
        std::memcpy(d + i, &out, sizeof out);
    }
    for (; i < n; i++) d[i] = darkenone((u32)(src[2 * i] | src[2 * i + 1] << 8), f);
}
