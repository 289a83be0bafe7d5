#include "editor/maptools.h"

#include <cstring>

#include "app/random.h"
#include "editor/mapeditor.h"
#include "text/boxes.h"
#include "view/effects.h"
#include "view/panel.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

const i8 sectioncell[16][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {1, 2},
                               {0, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}};

// A tile number past the last land type would make the saved map refused
// on the next start, so such a tile is never written.
static void setland(i32 x, i32 y, i32 land) {
    if (onmap(x, y) && land >= 0 && land < NUMLANDTYPES) landmap[cellof(x, y)] = (u16)land;
}

void placelandtile(i32 x, i32 y) { setland(x, y, currentland); }

void placelandsection(i32 x, i32 y) {
    for (int k = 0; k < 16; k++) setland(x - sectioncell[k][0], y - sectioncell[k][1], currentland + k);
}

static const itemtyperec* typeof_(i32 n) { return n >= 0 && n < NUMITEMTYPES ? itemtype[n] : nullptr; }

void placeitem(i32 x, i32 y) {
    if (!onmap(x, y) || currentitem < 0 || currentitem >= NUMITEMTYPES) return;
    const itemtyperec* t = typeof_(currentitem);
    if (currentitem != 0 && !(t && t->isused)) return;
    if (t && currentitem != 0 && t->largeitem) {
        for (int i = 0; i < t->ysize; i++)
            for (int j = 0; j < t->xsize; j++) {
                i32 part = currentitem + i * t->xsize + j, cx = x - j, cy = y - i;
                if (part < NUMITEMTYPES && onmap(cx, cy)) itemmap[cellof(cx, cy)] = (u16)part;
            }
    }
    itemmap[cellof(x, y)] = (u16)currentitem;
}

// The rectangle cut to the map; false when nothing of it is on the map.
static bool clip(i32& x1, i32& y1, i32& x2, i32& y2) {
    if (x1 < 0) x1 = 0;
    if (y1 < 0) y1 = 0;
    if (x2 > MAPSIZE - 1) x2 = MAPSIZE - 1;
    if (y2 > MAPSIZE - 1) y2 = MAPSIZE - 1;
    return x1 <= x2 && y1 <= y2;
}

void randomland(i32 x1, i32 y1, i32 x2, i32 y2) {
    if (!clip(x1, y1, x2, y2)) return;
    for (i32 y = y1; y <= y2; y++)
        for (i32 x = x1; x <= x2; x++) setland(x, y, currentland + gamerandom() % 16);
}

void deleteland(i32 x1, i32 y1, i32 x2, i32 y2) {
    if (!clip(x1, y1, x2, y2)) return;
    for (i32 y = y1; y <= y2; y++)
        for (i32 x = x1; x <= x2; x++) landmap[cellof(x, y)] = 0;
}

void deleteitems(i32 x1, i32 y1, i32 x2, i32 y2) {
    if (!clip(x1, y1, x2, y2)) return;
    for (i32 y = y1; y <= y2; y++)
        for (i32 x = x1; x <= x2; x++) itemmap[cellof(x, y)] = 0;
}

void placeunit(i32 x, i32 y) {
    if (!onmap(x, y)) return;
    if (npcmap[cellof(x, y)]) return okbox("Can't place on top of another unit!");
    // A computer's unit standing where the party forms up would start the
    // mission inside it.
    if (placeowner % NUMPLAYERS != 0 && formationplace(x, y, startpartysize()) >= 0)
        return flashmessage("Not here: the party starts on this cell");
    if (placeunittype < 0 || placeunittype >= NUMUNITTYPES) placeunittype = placeunittype < 0 ? 0 : NUMUNITTYPES - 1;
    int slot = createnpc((u32)placeunittype, x, y, placeowner % NUMPLAYERS);
    if (!slot) return okbox("NPCs maxed out for player!");
    // A cleared slot holds the dead state; a placed unit stands.
    npc[slot]->state = NPC_IDLE;
    npcmap[cellof(x, y)] = (u16)slot;
}

u8 startfacing(u8 facing, int dir) {
    int odd = facing >= 1 && facing <= 8 ? (facing % 2 ? facing : facing - 1) : 1;
    odd += 2 * dir;
    return (u8)(odd < 1 ? 7 : odd > 7 ? 1 : odd);
}

void setstartpoint(i32 x, i32 y) {
    if (!onmap(x, y)) return;
    mapdata.homex[0] = (u8)x;
    mapdata.homey[0] = (u8)y;
    mapdata.homedir[0] = startfacing(placefacing, 0);
    okbox("Starting point set for player #0!");
}

void deleteunit(i32 x, i32 y) {
    if (!onmap(x, y)) return;
    u16 slot = npcmap[cellof(x, y)];
    if (!slot || slot >= NPCSLOTS) return;
    npcmap[cellof(x, y)] = 0;
    std::memset(npc[slot], 0, sizeof(npcrec));
}

static bool placeable(i32 n) {
    const itemtyperec* t = typeof_(n);
    return t && t->isused && !t->offlimits;
}

static void stepitem(int dir) {
    i32 n = currentitem + dir;
    while (n >= 0 && n < NUMITEMTYPES && !placeable(n)) n += dir;
    currentitem = n < 0 ? 0 : n >= NUMITEMTYPES ? NUMITEMTYPES - 1 : n;
}

// Every unit type can be placed: the arrows stop at the first and the last.
static void stepunit(int dir) {
    i32 t = placeunittype + dir;
    if (t < 0) t = 0;
    if (t > NUMUNITTYPES - 1) t = NUMUNITTYPES - 1;
    placeunittype = t;
}

void steptoolnumber(int dir) {
    switch (maptool) {
    case TOOL_LANDTILE:
        currentland += dir;
        if (currentland < 0) currentland = 0;
        if (currentland > NUMLANDTYPES - 1) currentland = NUMLANDTYPES - 1;
        break;
    case TOOL_LANDSECTION:
    case TOOL_RANDOMLAND: {
        i32 n = currentland + 16 * dir;
        if (n >= 0 && n <= NUMLANDTYPES - 1) currentland = n;
        currentland -= currentland % 16;
        break;
    }
    case TOOL_PLACEITEM: stepitem(dir); break;
    case TOOL_PLACEUNIT: stepunit(dir); break;
    default: break;
    }
}

// The first part of the item on the cell and how many consecutive types
// it spans; 0 parts for none.
static int itemparts(u32 off, i32* first) {
    if (off >= (u32)MAPCELLS) return 0;
    i32 n = itemmap[off];
    if (!n) return 0;
    const itemtyperec* t = typeof_(n);
    if (t && t->partoflargeitem) n = t->partoflargeitem;
    t = typeof_(n);
    if (!t) return 0;
    *first = n;
    int count = t->largeitem ? t->xsize * t->ysize : 1;
    if (count < 1) count = 1;
    if (n + count > NUMITEMTYPES) count = NUMITEMTYPES - n;
    return count;
}

bool itemtypesedited = false;

void nudgeitem(u32 off, int dheight, int dwidth) {
    i32 first = 0;
    int count = itemparts(off, &first);
    for (int k = 0; k < count; k++)
        if (itemtyperec* t = itemtype[first + k]) {
            t->picheight = (u8)(t->picheight + dheight);
            t->picwidth = (u8)(t->picwidth + dwidth);
            itemtypesedited = true;
        }
}

void clearblocking(u32 off) {
    if (off >= (u32)MAPCELLS) return;
    if (itemtyperec* t = itemtype[itemmap[off]]; t && itemmap[off]) {
        t->blockssight = t->blockspassage = 0;
        itemtypesedited = true;
    }
}
