#include "view/lightspan.h"

#include <algorithm>
#include <bit>

#include "view/light.h"

lightlayout darklayout = {{0, 0, 0}, 0, false};

const u8 darkenfactor[16] = {16, 16, 15, 14, 13, 12, 12, 11, 10, 9, 8, 8, 7, 6, 5, 4};

// A field the high-half multiply darkens exactly: one unbroken run of bits
// starting at its shift, or nothing at all.
static bool plainfield(u16 mask, u8 shift) {
    if (!mask) return true;
    u32 run = (u32)mask >> shift;
    return std::countr_zero(mask) == shift && (run & (run + 1)) == 0;
}

void setlightlayout(u16 rmask, u8 rshift, u16 gmask, u8 gshift, u16 bmask, u8 bshift) {
    u16 m[3] = {rmask, gmask, bmask};
    bool plain = plainfield(rmask, rshift) && plainfield(gmask, gshift) && plainfield(bmask, bshift) &&
                 !(rmask & gmask) && !(rmask & bmask) && !(gmask & bmask);
    // Pixels are loaded eight at a time straight from little-endian data.
    if constexpr (std::endian::native != std::endian::little) plain = false;
    std::sort(m, m + 3);
    darklayout = {{m[0], m[1], m[2]}, (u16)(rmask | gmask | bmask), plain};
    // The lowest field's darkened value, below bit (its top) of the product,
    // must stay under the four bits of the highest field's product that the
    // mask throws away: then neither spills into the other.
    u16 low = m[0], high = m[2];
    if (low && high && 16 - std::countl_zero(low) + 4 <= std::countr_zero(high))
        darklayout.group[0] = (u16)(low | high), darklayout.group[2] = 0;
}

darkpen darkpenfor(u32 level) {
    const lightlayout& l = darklayout;
    if (level >= 16) level = 15;
    u32 f = darkenfactor[level];
    darkpen p = {{l.group[0], l.group[1], l.group[2]}, l.keep, (u16)(f >= 16 ? 0 : f << 12), l.arithmetic,
                 lighttable ? lighttable + level * 65536 : nullptr};
#if defined(__SSE2__)
    p.lanekeep = _mm_set1_epi16((short)p.keep);
    p.lanemultiplier = _mm_set1_epi16((short)p.multiplier);
    for (int g = 0; g < 3; g++) p.lanegroup[g] = _mm_set1_epi16((short)p.group[g]);
#endif
    return p;
}
