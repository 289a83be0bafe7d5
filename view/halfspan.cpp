#include "view/halfspan.h"

#include "video/display.h"

static u16 lowestbit(u16 mask) { return (u16)(mask & (u16)-mask); }

halfpen halfpenof(const darkpen& dark) {
    halfpen h;
    h.dark = lanesof(dark);
    u16 all = (u16)(rmask | gmask | bmask);
    h.keep = (u16)(all & ~(lowestbit(rmask) | lowestbit(gmask) | lowestbit(bmask)));
#if defined(__SSE2__)
    h.lanekeep = _mm_set1_epi16((short)h.keep);
#endif
    return h;
}
