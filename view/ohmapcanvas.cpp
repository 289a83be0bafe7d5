#include "view/ohmapcanvas.h"

#include <cstring>

#include "video/display.h"
#include "video/vscreen.h"
#include "view/ohmapdraw.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"

// The colour where a block was written, 0 elsewhere; and 0xFFFF where a
// block was written (a player's colour may itself be 0).
static u16 canvas[CANVASHEIGHT][CANVASWIDTH];
static u16 written[CANVASHEIGHT][CANVASWIDTH];
// Per canvas row, the longest run of written columns, [first, last).
static i16 runfirst[CANVASHEIGHT], runlast[CANVASHEIGHT];

static void block(i32 col, i32 row, i32 height, u16 colour) {
    for (i32 r = row - height + 1; r <= row; r++) {
        canvas[r][col] = canvas[r][col + 1] = colour;
        written[r][col] = written[r][col + 1] = 0xFFFF;
    }
}

static u16 landcolour(u16 land) {
    return land && land < NUMLANDTYPES && landtype[land] ? landtype[land]->ohmapcolor : 0;
}

static const itemtyperec* itemof(u16 item) { return item && item < NUMITEMTYPES ? itemtype[item] : nullptr; }

static bool unitcolour(u16 slot, u16* colour) {
    if (!slot || slot >= NPCSLOTS || !npc[slot] || npc[slot]->player >= NUMPLAYERS) return false;
    *colour = players[npc[slot]->player].playercolour;
    return true;
}

static void findruns() {
    for (int r = 0; r < CANVASHEIGHT; r++) {
        int best = 0, bestat = 0;
        for (int c = 0; c < CANVASWIDTH;) {
            if (!written[r][c]) {
                c++;
                continue;
            }
            int at = c;
            while (c < CANVASWIDTH && written[r][c]) c++;
            if (c - at > best) best = c - at, bestat = at;
        }
        runfirst[r] = (i16)bestat;
        runlast[r] = (i16)(bestat + best);
    }
}

void buildminiature() {
    std::memset(canvas, 0, sizeof canvas);
    std::memset(written, 0, sizeof written);
    for (i32 off = 0; off < MAPCELLS; off++) {
        i32 x = off % MAPSIZE, y = off / MAPSIZE;
        i32 col = 2 * (x - y) + 512, row = x + y + 3;
        if (u16 c = landcolour(landmap[off])) block(col, row, 2, c);
        const itemtyperec* t = itemof(itemmap[off]);
        if (t && t->ohmapcolor) block(col, row, t->iswall ? 4 : 2, t->ohmapcolor);
        u16 c;
        if (unitcolour(npcmap[off], &c)) block(col, row, 4, c);
    }
    findruns();
}

// Window column c is canvas column c - shiftx, window row y canvas row y - shifty.
static i32 shiftx() { return ohmapcol(0, 0, scx, scy) - 512; }
static i32 shifty() { return ohmaprow(0, 0, scx, scy) - 3; }

typedef u16 lanes __attribute__((vector_size(16)));

static void putrow(u16* d, const u16* base, const u16* colour, const u16* mask, i32 n) {
    i32 i = 0;
    for (; i + 8 <= n; i += 8) {
        lanes b, c, m;
        std::memcpy(&b, base + i, 16);
        std::memcpy(&c, colour + i, 16);
        std::memcpy(&m, mask + i, 16);
        b = (b & ~m) | c;
        std::memcpy(d + i, &b, 16);
    }
    for (; i < n; i++) d[i] = (u16)((base[i] & ~mask[i]) | colour[i]);
}

void putminiature(const u16* under) {
    const i32 sx = shiftx(), sy = shifty();
    // The window columns that have a canvas column.
    i32 c0 = sx > 0 ? sx : 0, c1 = sx + CANVASWIDTH < OHMAPWIDTH ? sx + CANVASWIDTH : OHMAPWIDTH;
    if (c1 < c0) c1 = c0;
    beginvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) {
        u16* d = vspixel(0, y);
        const u16* base = under ? under + y * OHMAPWIDTH : d;
        i32 r = y - sy;
        if (r < 0 || r >= CANVASHEIGHT || c0 == c1) {
            if (under) std::memcpy(d, base, OHMAPWIDTH * 2);
            continue;
        }
        if (under) {
            std::memcpy(d, base, (size_t)c0 * 2);
            std::memcpy(d + c1, base + c1, (size_t)(OHMAPWIDTH - c1) * 2);
        }
        putrow(d + c0, base + c0, &canvas[r][c0 - sx], &written[r][c0 - sx], c1 - c0);
    }
    endvsdraw();
}

void miniaturecovers(i32 y, i32* x0, i32* x1) {
    i32 r = y - shifty(), sx = shiftx();
    *x0 = *x1 = 0;
    if (r < 0 || r >= CANVASHEIGHT || runfirst[r] == runlast[r]) return;
    i32 a = runfirst[r] + sx, b = runlast[r] + sx;
    a = a < 0 ? 0 : a;
    b = b > OHMAPWIDTH ? OHMAPWIDTH : b;
    if (a < b) *x0 = a, *x1 = b;
}
