#include "video/display.h"
#include "world/itemtype.h"
#include "world/rle.h"

static u16 compose(u32 r, u32 g, u32 b) { return (u16)(r << rshift | g << gshift | b << bshift); }

struct colorsum {
    u32 r = 0, g = 0, b = 0, n = 0;
    void add(u16 p) {
        r += (p & rmask) >> rshift;
        g += (p & gmask) >> gshift;
        b += (p & bmask) >> bshift;
        n++;
    }
};

static u16 landaverage(int n) {
    colorsum s;
    for (int i = 0; i < TILEPIXELS; i++) s.add(landrawdataptr[n][i]);
    // Over twice the pixel count: the overhead map shows land at half its colour.
    return compose(s.r / 800, s.g / 800, s.b / 800);
}

static u16 itemaverage(int n) {
    const itemtyperec& t = *itemtype[n];
    int pic = t.partoflargeitem ? t.partoflargeitem : n;
    const itemtyperec& p = *itemtype[pic];
    colorsum s;
    if (t.isloaded && p.isloaded && itemrawdataptr[pic] && p.rawdatasize)
        rleforeach(itemrawdataptr[pic], p.rawdatasize, [&](u16 px) { s.add(px); });
    if (!s.n) return compose((u32)n, 2, 0);
    return compose(s.r / s.n, s.g / s.n, s.b / s.n);
}

u16 averagecolour(int mode, int n) {
    if (mode == 1) return landaverage(n);
    if (mode == 2) return itemaverage(n);
    return compose((u32)n, (u32)mode, 0);
}
