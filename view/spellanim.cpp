#include "view/spellanim.h"

#include <cstdio>

#include "app/input.h"
#include "app/timer.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "text/font.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "view/effects.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/smoothmove.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/viewtables.h"

constexpr int SPRITEGREENSPOT = 40;
constexpr u32 MAPANIMATIONDELAY = 4;

// The columns of each row around the centre that are drawn whole: a diamond
// cut by the window, (lo, hi) exclusive, for dy = -16..16.
static const u8 rowbounds[33][2] = {
    {19, 19}, {18, 20}, {17, 21}, {16, 22}, {15, 23}, {14, 24}, {13, 25}, {12, 26}, {11, 27}, {10, 28}, {9, 29},
    {8, 30},  {7, 31},  {6, 32},  {5, 33},  {4, 34},  {5, 35},  {6, 36},  {7, 36},  {8, 35},  {9, 34},  {10, 33},
    {11, 32}, {12, 31}, {13, 30}, {14, 29}, {15, 28}, {16, 27}, {17, 26}, {18, 25}, {19, 24}, {20, 23}, {21, 22},
};

bool cellonscreen(i32 x, i32 y) {
    i32 dy = y - scy, vc = x - scx + 20;
    if (dy < -16 || dy > 16) return false;
    return rowbounds[dy + 16][0] < vc && vc < rowbounds[dy + 16][1];
}

bool npconscreen(int slot) {
    if (slot < 1 || slot > MAXNPCS || !npc[slot]) return false;
    return cellonscreen(npc[slot]->x, npc[slot]->y);
}

void revealall(int player) {
    if (player < 0 || player >= NUMPLAYERS || !vistoplayer[player]) return;
    for (i32 i = 0; i < MAPCELLS; i++) vistoplayer[player][i] = 1;
}

void drawandpresent() {
    drawmapview();
    presentframe();
}

void centreifoffscreen(i32 x, i32 y) {
    if (cellonscreen(x, y)) return;
    scx = x;
    scy = y;
}

static bool visiblecell(u32 off) { return off < (u32)MAPCELLS && vistoplayer[0] && vistoplayer[0][off]; }

void castinganimation(int slot) {
    if (slot < 1 || slot > MAXNPCS || !npc[slot]) return;
    npcrec& n = *npc[slot];
    if (!visiblecell(n.mapoff)) return;
    n.casting = 1;
    u32 due = tickcount + framedelay;
    for (int f = 0; f < 16; f++) {
        n.frame = (u8)f;
        mapanimationdue();
        drawandpresent();
        while (tickcount < due) waitticks(1);
        due += MAPANIMATIONDELAY;
    }
    n.casting = 0;
    n.frame = 0;
}

// The anchor of a cell's screen square as the map view last placed it,
// with the shift of the unit the view follows; false off the view.
static bool cellanchor(i32 x, i32 y, i32* sx, i32* sy) {
    int sq = squareofcell(x, y);
    if (sq < 0 || sq >= NUMVSS) return false;
    i32 dx, dy;
    npcsmoothshift(curnpc, &dx, &dy);
    *sx = vss[sq].x + dx;
    *sy = vss[sq].y + dy;
    return true;
}

static i32 surfaceat(u32 off) {
    u16 it = off < (u32)MAPCELLS ? itemmap[off] : 0;
    return it && itemtype[it] ? itemtype[it]->surfaceheight : 0;
}

void numberovernpc(int slot, i32 number) {
    if (slot < 1 || slot > MAXNPCS || !npc[slot]) return;
    const npcrec& n = *npc[slot];
    i32 sx, sy;
    if (!visiblecell(n.mapoff) || !cellanchor(n.x, n.y, &sx, &sy)) return;
    i32 top = sy - 64 - surfaceat(n.mapoff);
    spriterec& spot = sprite[SPRITEGREENSPOT];
    if (spot.inuse) {
        spot.x = (i16)(sx - 64);
        spot.y = (i16)top;
        spot.alpha = 28;
        drawsprite(SPRITEGREENSPOT);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    u8 keep = currentfont;
    currentfont = 4;
    i32 x = sx - 64 + 24 - textwidth(text) / 2, y = top + 8;
    settextcolor(0, 0, 0);
    drawtext(text, x, y);
    settextcolour555(30, 30, 30);
    drawtext(text, x - 1, y - 1);
    currentfont = keep;
    presentframe();
    waitticks(32);
    if (spot.inuse) erasesprite(SPRITEGREENSPOT);
}

void healanimation(u32 mapoff) {
    if (mapoff >= (u32)MAPCELLS) return;
    static const int order[15] = {0, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1, 0};
    for (int k : order) {
        drawmapview();
        i32 sx, sy;
        if (cellanchor((i32)(mapoff % 256), (i32)(mapoff / 256), &sx, &sy)) {
            char file[48];
            std::snprintf(file, sizeof file, "bitmaps\\spells\\heal%d.bmp", k);
            drawpicture(file, sx - 60, sy - 80);
        }
        presentframe();
    }
}

void lightningflash(u32 fromoff, u32 tooff) {
    for (int k = 0; k < 6; k++) {
        drawmapview();
        i32 x0, y0, x1, y1;
        bool from = cellanchor((i32)(fromoff % 256), (i32)(fromoff / 256), &x0, &y0);
        bool to = cellanchor((i32)(tooff % 256), (i32)(tooff / 256), &x1, &y1);
        if (from && to)
            lightningbolt(x0 - 40, y0 - 50 - surfaceat(fromoff), x1 - 40, y1 - 50 - surfaceat(tooff));
        presentframe();
    }
}
