#include "view/ohmapdraw.h"

#include <cstring>

#include "video/display.h"
#include "video/vscreen.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"

// A field's value shifted right and put back in place is the field shifted
// right with the bits below the field's own place cleared, which needs no
// take-apart per field and runs eight pixels at a time.
void darkenwindow(int shift) {
    typedef u16 lanes __attribute__((vector_size(16)));
    const u16 rm = rmask, gm = gmask, bm = bmask;
    const u16 rkeep = (u16)(0xFFFFu << rshift), gkeep = (u16)(0xFFFFu << gshift), bkeep = (u16)(0xFFFFu << bshift);
    const int s = shift;
    beginvsdraw();
    if (s > 15) return clearvs(), endvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) {
        u16* p = vspixel(0, y);
        static_assert(OHMAPWIDTH % 8 == 0);
        for (i32 x = 0; x < OHMAPWIDTH; x += 8) {
            lanes v;
            std::memcpy(&v, p + x, sizeof v);
            v = ((v & rm) >> s & rkeep) | ((v & gm) >> s & gkeep) | ((v & bm) >> s & bkeep);
            std::memcpy(p + x, &v, sizeof v);
        }
    }
    endvsdraw();
}

void savewindow(u16* buffer) {
    beginvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) std::memcpy(buffer + y * OHMAPWIDTH, vspixel(0, y), OHMAPWIDTH * 2);
    endvsdraw();
}

void restorewindow(const u16* buffer) {
    beginvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) std::memcpy(vspixel(0, y), buffer + y * OHMAPWIDTH, OHMAPWIDTH * 2);
    endvsdraw();
}

// Rows row-height+1 .. row of columns col and col+1. Far from the centre a
// cell's place lies off the window, past even the guard bands, and would
// wrap into other rows or run off the surface: only what is inside is drawn.
static void block(i32 col, i32 row, i32 height, u16 colour) {
    for (i32 r = row - height + 1; r <= row; r++) {
        if ((u32)r >= (u32)OHMAPHEIGHT) continue;
        u16* p = vspixel(0, r);
        if ((u32)col < (u32)OHMAPWIDTH) p[col] = colour;
        if ((u32)(col + 1) < (u32)OHMAPWIDTH) p[col + 1] = colour;
    }
}

static u16 landcolour(u16 land) {
    return land && land < NUMLANDTYPES && landtype[land] ? landtype[land]->ohmapcolor : 0;
}

static const itemtyperec* itemof(u16 item) { return item && item < NUMITEMTYPES ? itemtype[item] : nullptr; }

// The player's colour of the unit on a cell; false for none.
static bool unitcolour(u16 slot, u16* colour) {
    if (!slot || slot >= NPCSLOTS || !npc[slot] || npc[slot]->player >= NUMPLAYERS) return false;
    *colour = players[npc[slot]->player].playercolour;
    return true;
}

void drawminiature() {
    beginvsdraw();
    for (i32 off = 0; off < MAPCELLS; off++) {
        i32 x = off % MAPSIZE, y = off / MAPSIZE;
        i32 col = ohmapcol(x, y, scx, scy), row = ohmaprow(x, y, scx, scy);
        // Nothing of a bar four rows tall and two wide can reach the window.
        if (col < -1 || col >= OHMAPWIDTH || row < 0 || row - 3 >= OHMAPHEIGHT) continue;
        if (u16 c = landcolour(landmap[off])) block(col, row, 2, c);
        const itemtyperec* t = itemof(itemmap[off]);
        if (t && t->ohmapcolor) block(col, row, t->iswall ? 4 : 2, t->ohmapcolor);
        u16 c;
        if (unitcolour(npcmap[off], &c)) block(col, row, 4, c);
    }
    endvsdraw();
}
