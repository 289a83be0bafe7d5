#include "view/objectpics.h"

#include <bit>
#include <cstring>

#include "app/input.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/light.h"
#include "view/halfspan.h"
#include "view/lightspan.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/rle.h"
#include "world/unittype.h"

// How each pixel reaches the screen: as stored, through a light table,
// half and half with what is already there, or through a light table and
// then half and half (a figure the eye sees through).
enum class ink { raw, lit, blend, half };

struct pen {
    ink how;
    darkpen dark; // the light level's darkening for ink::lit and ink::half
};

static u32 levelof(i32 lightcell) {
    u32 level = lightcell >= 0 && lightcell < MAPCELLS && lightmap ? lightmap[lightcell] : 0;
    return level >= NUMLIGHTLEVELS ? NUMLIGHTLEVELS - 1 : level;
}

static pen penfor(i32 lightcell) { return {ink::lit, darkpenfor(levelof(lightcell))}; }

static const pen rawpen = {ink::raw, {}}, blendpen = {ink::blend, {}};

// One loop per ink: with the choice inside the loop the compiler has to
// reload the pen for every pixel, since a pixel written might be the pen.
static void putspan(u16* d, const u8* src, i32 n, const pen& p) {
    if (p.how == ink::lit) darkenrow(p.dark, d, src, n);
    else if (p.how == ink::raw && std::endian::native == std::endian::little) copyrow(d, src, n);
    else if (p.how == ink::raw)
        for (i32 i = 0; i < n; i++) d[i] = littlepixel(src, i);
    else
        for (i32 i = 0; i < n; i++) d[i] = blendhalf(littlepixel(src, i), d[i]);
}

static const picclip wholesurface = {-VSLEFT, -VSTOP, VSWIDTH - VSLEFT, VSHEIGHT - VSTOP};
static picclip clip = wholesurface;

void setpicclip(picclip c) {
    // Never wider than the surface, whatever the caller asks.
    clip.x0 = c.x0 > wholesurface.x0 ? c.x0 : wholesurface.x0;
    clip.y0 = c.y0 > wholesurface.y0 ? c.y0 : wholesurface.y0;
    clip.x1 = c.x1 < wholesurface.x1 ? c.x1 : wholesurface.x1;
    clip.y1 = c.y1 < wholesurface.y1 ? c.y1 : wholesurface.y1;
}

// Window rows 0..479 may each leave out a run of columns.
static const i16 *holefrom = nullptr, *holeto = nullptr;

void resetpicclip() {
    clip = wholesurface;
    holefrom = holeto = nullptr;
}

void setpicholes(const i16* from, const i16* to) {
    holefrom = from;
    holeto = to;
}

static bool holeon(i32 y, i32* h0, i32* h1) {
    if (!holefrom || y < 0 || y >= 480 || holefrom[y] >= holeto[y]) return false;
    *h0 = holefrom[y], *h1 = holeto[y];
    return true;
}

// Writes the n pixels meant for visible (x, y) onward on one row, less what
// falls outside the clip or in the row's hole; put(d, src, n) writes a row.
template <typename Put> __attribute__((always_inline)) static inline void clippedspan(i32 x, i32 y, const u8* src, i32 n, Put put) {
    if (y < clip.y0 || y >= clip.y1) return;
    i32 x0 = x < clip.x0 ? clip.x0 : x, x1 = x + n > clip.x1 ? clip.x1 : x + n;
    i32 h0, h1;
    if (x0 < x1 && holeon(y, &h0, &h1)) {
        i32 left = x1 < h0 ? x1 : h0, right = x0 > h1 ? x0 : h1;
        if (x0 < left) put(vspixel(x0, y), src + 2 * (x0 - x), left - x0);
        if (right < x1) put(vspixel(right, y), src + 2 * (right - x), x1 - right);
        return;
    }
    if (x0 < x1) put(vspixel(x0, y), src + 2 * (x0 - x), x1 - x0);
}

// Replays run-length data with its top-left corner at visible (x, y).
template <typename Put> __attribute__((always_inline)) static inline void replayruns(const u8* data, u32 size, i32 x, i32 y, Put put) {
    u64 pos = 0;
    u32 at = 0;
    while (size - at >= 3) {
        pos += (u32)(data[at] | data[at + 1] << 8);
        u32 count = data[at + 2];
        at += 3;
        if (count * 2 > size - at) count = (size - at) / 2;
        i64 row = (i64)(pos / RLEPITCH), col = (i64)(pos % RLEPITCH);
        // Runs only ever move down the picture, so none after this one can
        // reach the clip either.
        if (row >= VSHEIGHT || y + row >= clip.y1) return;
        i64 room = RLEPITCH - col; // a run never wraps into the next row
        i32 n = (i32)(count < room ? count : room);
        clippedspan((i32)(x + col), (i32)(y + row), data + at, n, put);
        pos += count;
        at += count * 2;
    }
}

// The lit loop apart, so that the darkening is set up once per picture.
static void replay(const u8* data, u32 size, i32 x, i32 y, const pen& p) {
    if (p.how == ink::half) {
        const halfpen h = halfpenof(p.dark);
        replayruns(data, size, x, y, [&h](u16* d, const u8* src, i32 n) __attribute__((always_inline)) { halfrow(h, d, src, n); });
    } else if (p.how == ink::lit) {
        const darklanes k = lanesof(p.dark);
        replayruns(data, size, x, y, [&k](u16* d, const u8* src, i32 n) __attribute__((always_inline)) { darkenrow(k, d, src, n); });
    } else if (p.how == ink::raw && std::endian::native == std::endian::little) {
        replayruns(data, size, x, y, [](u16* d, const u8* src, i32 n) { copyrow(d, src, n); });
    } else {
        replayruns(data, size, x, y, [&p](u16* d, const u8* src, i32 n) { putspan(d, src, n, p); });
    }
}

// The tile's rows 1..19 as first column and width, so the loop over a
// tile wholly on the surface needs neither a call per row nor clipping.
struct tilerows {
    u8 first[20], width[20];
};

static const tilerows& rowsoftile() {
    static const tilerows rows = [] {
        tilerows t{};
        for (int r = 1; r < 20; r++) {
            int first, width;
            tilerow(r, &first, &width);
            t.first[r] = (u8)first;
            t.width[r] = (u8)width;
        }
        return t;
    }();
    return rows;
}

// The tile's rows 1..19 and columns 0..39 against the clip.
static bool tileinside(i32 x, i32 y) { return x >= clip.x0 && x + 40 <= clip.x1 && y + 1 >= clip.y0 && y + 20 <= clip.y1; }
static bool tileoutside(i32 x, i32 y) { return x >= clip.x1 || x + 40 <= clip.x0 || y + 1 >= clip.y1 || y + 20 <= clip.y0; }

// Every row of the tile outside the clip's rows or inside its row's hole.
static bool tilehidden(i32 x, i32 y, const tilerows& rows) {
    for (int r = 1; r < 20; r++) {
        i32 h0, h1;
        if (y + r < clip.y0 || y + r >= clip.y1) continue;
        if (!holeon(y + r, &h0, &h1) || x + rows.first[r] < h0 || x + rows.first[r] + rows.width[r] > h1) return false;
    }
    return true;
}

static void drawtile(int tile, i32 x, i32 y, const pen& p) {
    if (tile < 0 || tile >= NUMLANDTYPES || !landrawdataptr[tile]) return;
    const u8* src = (const u8*)landrawdataptr[tile];
    const tilerows& rows = rowsoftile();
    if (tileoutside(x, y) || (holefrom && tilehidden(x, y, rows))) return;
    auto put = [&p](u16* d, const u8* s, i32 n) { putspan(d, s, n, p); };
    if (!tileinside(x, y) || holefrom) {
        for (int r = 1; r < 20; r++) {
            clippedspan(x + rows.first[r], y + r, src, rows.width[r], put);
            src += 2 * rows.width[r];
        }
        return;
    }
    u16* row = vspixel(x, y);
    // The lit loop on its own, so the darkening is set up once per tile.
    if (p.how == ink::lit) {
        const darklanes k = lanesof(p.dark);
        for (int r = 1; r < 20; r++) {
            darkenrow(k, row + r * VSPITCH + rows.first[r], src, rows.width[r]);
            src += 2 * rows.width[r];
        }
        return;
    }
    for (int r = 1; r < 20; r++) {
        putspan(row + r * VSPITCH + rows.first[r], src, rows.width[r], p);
        src += 2 * rows.width[r];
    }
}

void drawlandtilelit(int tile, i32 x, i32 y, i32 lightcell) {
    beginvsdraw();
    drawtile(tile, x, y, penfor(lightcell));
    endvsdraw();
}

void drawlandtile(int tile, i32 x, i32 y) {
    beginvsdraw();
    drawtile(tile, x, y, rawpen);
    endvsdraw();
}

static void placeholder(const char* text, i32 x, i32 y, u16 r, u16 g, u16 b) {
    settextcolor(r, g, b);
    u8 keep = currentfont;
    currentfont = 5;
    drawtextcentered(text, y, x, x + 40);
    currentfont = keep;
}

// Item 0, unused and unloaded items draw their name instead; false then.
static bool itemdrawable(int item, i32 x, i32 y, bool onlyunused) {
    u16 grey = pixelformat == 2 ? 16 : 8, white = pixelformat == 2 ? 62 : 31;
    if (item <= 0 || item >= NUMITEMTYPES || !itemtype[item]) {
        if (!onlyunused) placeholder("Item 0", x, y, 31, white, 31);
        return false;
    }
    const itemtyperec& t = *itemtype[item];
    if (!t.isused) {
        placeholder("Not Used", x, y, 8, grey, 8);
        return false;
    }
    if (!t.isloaded && !onlyunused) {
        placeholder("Not Loaded", x, y, 31, white, 31);
        return false;
    }
    return t.isloaded;
}

static void drawitem(int item, i32 x, i32 y, const pen& p) {
    beginvsdraw();
    if (itemdrawable(item, x, y, p.how == ink::blend)) {
        const itemtyperec& t = *itemtype[item];
        bool marked = fullview && t.offlimits && p.how != ink::blend;
        if (marked) placeholder("Off Limits", x, y, 26, 0, 0);
        if (t.rawdatasize && itemrawdataptr[item]) {
            i32 left = x - ((t.picwidth - 40) >> 1); // halved toward minus infinity
            replay(itemrawdataptr[item], t.rawdatasize, left, y + 20 - t.picheight, p);
        }
        if (marked) placeholder("Off Limits", x, y, 31, 0, 0);
    }
    endvsdraw();
}

void drawitempic(int item, i32 x, i32 y, i32 lightcell) { drawitem(item, x, y, penfor(lightcell)); }
void drawitempicraw(int item, i32 x, i32 y) { drawitem(item, x, y, rawpen); }
void drawitempicblend(int item, i32 x, i32 y) { drawitem(item, x, y, blendpen); }

static void drawframe(int set, i32 x, i32 y, int action, int facing, int frame, const pen& p) {
    beginvsdraw();
    if (set < 0 || set >= NUMUNITTYPES || !unitpicloaded[set]) {
        placeholder("Not Used", x, y, 8, pixelformat == 2 ? 16 : 8, 8);
    } else {
        u32 size = 0;
        const u8* data = findunitframe(set, action, facing, frame, &size);
        if (data && (size & 0xFFFF)) replay(data, size & 0xFFFF, x - 20, y - 60, p);
    }
    endvsdraw();
}

void drawunitpic(int set, i32 x, i32 y, int action, int facing, int frame, i32 lightcell) {
    drawframe(set, x, y, action, facing, frame, penfor(lightcell));
}

void drawunitpicraw(int set, i32 x, i32 y, int action, int facing, int frame) {
    drawframe(set, x, y, action, facing, frame, rawpen);
}

void drawunitpichalf(int set, i32 x, i32 y, int action, int facing, int frame, i32 lightcell) {
    drawframe(set, x, y, action, facing, frame, {ink::half, darkpenfor(levelof(lightcell))});
}
