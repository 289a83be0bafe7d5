#include "view/lightspan.h"

#include <bit>

#include "view/light.h"

lightlayout darklayout = {{0, 0, 0}, {0, 0, 0}, false};

const u8 darkenfactor[16] = {16, 16, 15, 14, 13, 12, 12, 11, 10, 9, 8, 8, 7, 6, 5, 4};

void setlightlayout(u16 rmask, u8 rshift, u16 gmask, u8 gshift, u16 bmask, u8 bshift) {
    darklayout = {{rmask, gmask, bmask}, {rshift, gshift, bshift}, true};
    // A field value times 16 must still fit the 16 bits of a lane.
    for (int c = 0; c < 3; c++)
        if (darklayout.shift[c] > 15 || (darklayout.mask[c] >> darklayout.shift[c]) > 4095) darklayout.arithmetic = false;
    // Pixels are loaded eight at a time straight from little-endian data.
    if constexpr (std::endian::native != std::endian::little) darklayout.arithmetic = false;
}

darkpen darkpenfor(u32 level) {
    const lightlayout& l = darklayout;
    if (level >= 16) level = 15;
    darkpen p = {{l.mask[0], l.mask[1], l.mask[2]}, {l.shift[0], l.shift[1], l.shift[2]}, darkenfactor[level],
                 l.arithmetic, lighttable ? lighttable + level * 65536 : nullptr};
    return p;
}
