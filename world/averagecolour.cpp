#include <cstring>

#include "video/display.h"
#include "world/itemtype.h"
#include "world/rle.h"

static u16 compose(u32 r, u32 g, u32 b) { return (u16)(r << rshift | g << gshift | b << bshift); }

// Each channel is summed where it lies in the pixel and shifted down once:
// a masked channel has nothing below its shift, so its sum shifts exactly.
struct colorsum {
    u64 r = 0, g = 0, b = 0;
    u32 n = 0;
    void add(u16 p) {
        r += p & rmask;
        g += p & gmask;
        b += p & bmask;
        n++;
    }
    u32 red() const { return (u32)(r >> rshift); }
    u32 green() const { return (u32)(g >> gshift); }
    u32 blue() const { return (u32)(b >> bshift); }
};

// The four 16-bit lanes of a word added together.
static u32 lanesum(u64 x) { return (u32)((x & 0xFFFF) + (x >> 16 & 0xFFFF) + (x >> 32 & 0xFFFF) + (x >> 48)); }

// Every tile is averaged when the land loads, so four pixels are taken a
// word at a time: each channel is shifted to the bottom of its pixel's
// 16-bit lane and added there. A tile is 100 words, and 100 times a
// channel's largest value (63) is well inside a lane.
static u16 landaverage(int n) {
    static_assert(TILEPIXELS % 4 == 0 && TILEPIXELS / 4 * 63 < 65536, "a tile's channel sums fit their lanes");
    const u64 lanes = 0x0001000100010001ull;
    const u64 rlow = (u64)(rmask >> rshift) * lanes, glow = (u64)(gmask >> gshift) * lanes,
              blow = (u64)(bmask >> bshift) * lanes;
    const u16* tile = landrawdataptr[n];
    u64 r = 0, g = 0, b = 0;
    for (int i = 0; i < TILEPIXELS; i += 4) {
        u64 w;
        std::memcpy(&w, tile + i, sizeof w);
        r += w >> rshift & rlow;
        g += w >> gshift & glow;
        b += w >> bshift & blow;
    }
    // Over twice the pixel count: the overhead map shows land at half its colour.
    return compose(lanesum(r) / 800, lanesum(g) / 800, lanesum(b) / 800);
}

static u16 itemaverage(int n) {
    const itemtyperec& t = *itemtype[n];
    int pic = t.partoflargeitem ? t.partoflargeitem : n;
    const itemtyperec& p = *itemtype[pic];
    colorsum s;
    if (t.isloaded && p.isloaded && itemrawdataptr[pic] && p.rawdatasize)
        rleforeach(itemrawdataptr[pic], p.rawdatasize, [&](u16 px) { s.add(px); });
    if (!s.n) return compose((u32)n, 2, 0);
    return compose(s.red() / s.n, s.green() / s.n, s.blue() / s.n);
}

u16 averagecolour(int mode, int n) {
    if (mode == 1) return landaverage(n);
    if (mode == 2) return itemaverage(n);
    return compose((u32)n, (u32)mode, 0);
}
