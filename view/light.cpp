#include "view/light.h"

#include "view/lightspan.h"

#include <cmath>
#include <cstring>

#include "app/debuglog.h"
#include "app/input.h"
#include "app/memory.h"
#include "game/missile.h"
#include "video/display.h"
#include "video/picture.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"

u8 ambient = 15;
u8 lighting = 1;
u16* lighttable = nullptr;
u8 distancetable[48 * 48];
u8* lightshape[(MAXBRIGHTNESS + 1) * SHAPEVARIANTS];
u16* blendtable = nullptr;


void initdistancetable() {
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++)
            distancetable[y * 48 + x] = (u8)std::sqrt((double)((x - 24) * (x - 24) + (y - 24) * (y - 24)));
}

// Levels around a centre (cx, cy) in pixels, a cell being 40 pixels; the
// unshifted centre is (620, 620).
static void makeshape(u8*& s, int radius, int cx, int cy) {
    if (!s) s = (u8*)gamealloc(SHAPESIZE * SHAPESIZE, "initlighttables()");
    for (int ry = 0; ry < SHAPESIZE; ry++)
        for (int rx = 0; rx < SHAPESIZE; rx++) {
            double x = 40 * rx - cx + 20, y = 40 * ry - cy + 20;
            int level = (int)(std::sqrt(x * x + y * y) / radius) / 2;
            s[ry * SHAPESIZE + rx] = (u8)(level < NOLIGHT ? level : NOLIGHT);
        }
}

static void shiftedcentre(int facing, int shift, int* cx, int* cy) {
    const int p = 620 + shift, q = 620 - shift, c = 620;
    static const int pick[8][2] = {{0, 1}, {2, 1}, {2, 0}, {2, 2}, {0, 2}, {1, 2}, {1, 0}, {1, 1}};
    const int value[3] = {c, p, q};
    *cx = value[pick[facing - 1][0]];
    *cy = value[pick[facing - 1][1]];
}

static void buildshapes() {
    for (int b = 1; b <= MAXBRIGHTNESS; b++) {
        makeshape(lightshape[b * SHAPEVARIANTS], 2 * b, 620, 620);
        for (int d = 1; d <= 8; d++)
            for (int s = 0; s < 7; s++) {
                int cx, cy;
                shiftedcentre(d, 5 * (s + 1), &cx, &cy);
                makeshape(lightshape[b * SHAPEVARIANTS + 1 + 7 * (d - 1) + s], 2 * b, cx, cy);
            }
    }
}

static void builddarkening() {
    if (!lighttable) lighttable = (u16*)gamealloc((size_t)NUMLIGHTLEVELS * 65536 * 2, "darken");
    setlightlayout(rmask, rshift, gmask, gshift, bmask, bshift);
    for (int l = 0; l < NUMLIGHTLEVELS; l++) {
        u32 f = darkenfactor[l];
        u16* t = lighttable + l * 65536;
        for (u32 v = 0; v < 65536; v++) {
            u32 r = ((v & rmask) >> rshift) * f >> 4;
            u32 g = ((v & gmask) >> gshift) * f >> 4;
            u32 b = ((v & bmask) >> bshift) * f >> 4;
            t[v] = (u16)(r << rshift | g << gshift | b << bshift);
        }
    }
}

void initlighttables() {
    debuglog("initlighttables() ...\n");
    buildshapes();
    builddarkening();
    debuglog("initlighttables() complete.\n");
}

void initblendtables() {
    if (pixelformat != 1) return;
    if (!blendtable) blendtable = (u16*)gamealloc(512 * 512 * 2, "blendtable");
    for (u32 a = 0; a < 512; a++)
        for (u32 b = 0; b < 512; b++) {
            u32 r = ((a >> 6) + (b >> 6)) / 2, g = ((a >> 3 & 7) + (b >> 3 & 7)) / 2, bl = ((a & 7) + (b & 7)) / 2;
            blendtable[a * 512 + b] = (u16)(r << 12 | g << 7 | bl << 2);
        }
}

u16 blendhalf(u16 source, u16 destination) {
    if (pixelformat == 1 && blendtable && rgb333) return blendtable[rgb333[source] * 512 + rgb333[destination]];
    u32 r = ((source >> 11) + (destination >> 11)) / 2;
    u32 g = ((source >> 6 & 31) + (destination >> 6 & 31)) / 2;
    u32 b = ((source & 31) + (destination & 31)) / 2;
    return (u16)(r * 2048 + g * 64 + b);
}

const u8* shapefor(int b, int facing, int step) {
    if (b <= 0) return nullptr;
    if (b > MAXBRIGHTNESS) b = MAXBRIGHTNESS;
    int variant = 0;
    if (facing >= 1 && facing <= 8 && step >= 1 && step <= 7) variant = 1 + 7 * (facing - 1) + (step - 1);
    return lightshape[b * SHAPEVARIANTS + variant];
}

// The rectangle of cells a computation covers, inclusive.
struct cellrect {
    i32 x0, y0, x1, y1;
};

static cellrect clamprect(cellrect r) {
    if (r.x0 < 0) r.x0 = 0;
    if (r.y0 < 0) r.y0 = 0;
    if (r.x1 > MAPSIZE - 1) r.x1 = MAPSIZE - 1;
    if (r.y1 > MAPSIZE - 1) r.y1 = MAPSIZE - 1;
    return r;
}

static bool blockssightat(i32 x, i32 y) {
    u16 it = itemat(x, y);
    return it && itemtype[it] && itemtype[it]->blockssight;
}

// Lays a source's shape at (x, y), keeping the darker of the two levels,
// inside the rows and columns of the shape that walls beside an item leave.
// The rectangle cuts the shape once, so the rows run without a test a cell.
static void applyshape(const u8* s, i32 x, i32 y, int rx0, int rx1, int ry0, int ry1, const cellrect& into) {
    if (ry0 < into.y0 - y + 15) ry0 = into.y0 - y + 15;
    if (ry1 > into.y1 - y + 15) ry1 = into.y1 - y + 15;
    if (rx0 < into.x0 - x + 15) rx0 = into.x0 - x + 15;
    if (rx1 > into.x1 - x + 15) rx1 = into.x1 - x + 15;
    for (int ry = ry0; ry <= ry1; ry++) {
        u8* row = lightmap + cellof(0, y + ry - 15) + x - 15;
        const u8* levels = s + ry * SHAPESIZE;
        for (int rx = rx0; rx <= rx1; rx++) row[rx] = levels[rx] < row[rx] ? levels[rx] : row[rx];
    }
}

static bool itemshines(i32 x, i32 y) {
    u16 it = itemmap[cellof(x, y)];
    return it && itemtype[it] && itemtype[it]->brightness;
}

static bool npcshines(i32 x, i32 y) {
    u16 slot = npcmap[cellof(x, y)];
    return slot && slot < NPCSLOTS && npc[slot] && npc[slot]->brightness;
}

static void itemlight(i32 x, i32 y, const cellrect& into) {
    int rx0 = 0, rx1 = SHAPESIZE - 1, ry0 = 0, ry1 = SHAPESIZE - 1;
    if (blockssightat(x, y - 1)) ry0 = 14;
    if (blockssightat(x - 1, y)) rx0 = 14;
    if (blockssightat(x + 1, y)) rx1 = 15;
    if (blockssightat(x, y + 1)) ry1 = 15;
    applyshape(shapefor(itemtype[itemmap[cellof(x, y)]]->brightness, 0, 0), x, y, rx0, rx1, ry0, ry1, into);
}

static void npclight(i32 x, i32 y, const cellrect& into) {
    const npcrec& n = *npc[npcmap[cellof(x, y)]];
    const u8* s = n.step == 0 ? shapefor(n.brightness, 0, 0) : shapefor(n.brightness, n.facing, n.step);
    applyshape(s, x, y, 0, SHAPESIZE - 1, 0, SHAPESIZE - 1, into);
}

// One source a cell: a lit item outshines a unit, either outshines a magic
// missile.
static void celllight(i32 x, i32 y, const cellrect& into) {
    if (itemshines(x, y)) itemlight(x, y, into);
    else if (npcshines(x, y)) npclight(x, y, into);
}

// Sources stand in columns and rows 20..234 on a whole-map recompute; a
// region takes the same sources within a shape's reach of its cells, so it
// comes out exactly as those cells of a whole-map recompute.
static const cellrect sourcearea = {20, 20, 234, 234};

static bool inside(const cellrect& r, i32 x, i32 y) { return x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1; }

// Whether four cells of a grid from p are all empty, read as one word.
static bool emptyfour(const u16* p) {
    u64 v;
    std::memcpy(&v, p, sizeof v);
    return v == 0;
}

// A shape keeps the darker level, so the order sources are laid in, and
// laying one twice, change nothing: the missiles are taken from their own
// table rather than looked for in every cell.
static void lightsources(const cellrect& into) {
    cellrect from = {into.x0 - 16, into.y0 - 16, into.x1 + 15, into.y1 + 15};
    from.x0 = from.x0 > sourcearea.x0 ? from.x0 : sourcearea.x0;
    from.y0 = from.y0 > sourcearea.y0 ? from.y0 : sourcearea.y0;
    from.x1 = from.x1 < sourcearea.x1 ? from.x1 : sourcearea.x1;
    from.y1 = from.y1 < sourcearea.y1 ? from.y1 : sourcearea.y1;
    for (i32 y = from.y0; y <= from.y1; y++) {
        const u16 *items = itemmap + cellof(0, y), *units = npcmap + cellof(0, y);
        i32 x = from.x0;
        for (; x + 3 <= from.x1; x += 4)
            if (!emptyfour(items + x) || !emptyfour(units + x))
                for (i32 k = x; k < x + 4; k++) celllight(k, y, into);
        for (; x <= from.x1; x++) celllight(x, y, into);
    }
    if (!lightflag) return;
    for (const missilerec& m : missile)
        if (m.isused && m.kind == 1 && inside(from, m.x, m.y) && !itemshines(m.x, m.y) && !npcshines(m.x, m.y))
            applyshape(shapefor(2, 0, 0), m.x, m.y, 0, SHAPESIZE - 1, 0, SHAPESIZE - 1, into);
}

static void updatehidden() {
    for (i32 off = 0; off < MAPCELLS; off += 4) {
        if (emptyfour(npcmap + off)) continue;
        for (i32 k = off; k < off + 4; k++) {
            u16 slot = npcmap[k];
            if (!slot || slot >= NPCSLOTS || !npc[slot] || !npc[slot]->hidden) continue;
            npc[slot]->hidden = lightmap[k] > 6 ? 1 : 2;
        }
    }
}

void computelightmap(i32 centre, i32 radius) {
    if (!lighting) {
        std::memset(lightmap, 0, MAPCELLS);
        return;
    }
    cellrect into = {0, 0, MAPSIZE - 1, MAPSIZE - 1};
    if (centre >= 0) {
        i32 x = centre % MAPSIZE, y = centre / MAPSIZE;
        into = clamprect({x - radius - 20, y - radius - 20, x + radius + 19, y + radius + 19});
    }
    if (into.x0 <= into.x1 && into.y0 <= into.y1) {
        for (i32 y = into.y0; y <= into.y1; y++)
            std::memset(lightmap + cellof(into.x0, y), ambient, (size_t)(into.x1 - into.x0) + 1);
        lightsources(into);
    }
    updatehidden();
}
