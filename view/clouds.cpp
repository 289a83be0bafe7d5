#include "view/clouds.h"

#include "app/timer.h"
#include "text/font.h"
#include "video/sprite.h"
#include "view/smoothmove.h"
#include "world/grids.h"
#include "world/npc.h"

cloudrec cloud[MAXCLOUDS];

enum : int {
    CLOUDFILLER = 24, TALKCURVE = 25, THOUGHTDOTS = 26, TALKTOPLEFT = 27, TALKTOPRIGHT = 28, TALKBOTTOMLEFT = 29,
    TALKBOTTOMRIGHT = 30, TALKTOP = 33, TALKBOTTOM = 34, THOUGHTLEFT = 35, THOUGHTRIGHT = 36, THOUGHTTOP = 37,
    THOUGHTBOTTOM = 38
};

void opencloud(int r, int slot, const char* text, u8 kind) {
    if (r <= 0 || r >= MAXCLOUDS) return;
    cloudrec& c = cloud[r];
    c = cloudrec{};
    c.active = 1;
    c.slot = slot;
    c.kind = kind;
    c.fade = 1;
    c.text = text;
    c.endtick = tickcount + 400;
    if (slot > 0 && slot < NPCSLOTS && npc[slot]) npc[slot]->cloudslot = (u8)r;
}

int freecloud() {
    for (int r = 2; r <= 7; r++)
        if (!cloud[r].active) return r;
    return 0;
}

void closecloud(int r) {
    if (r <= 0 || r >= MAXCLOUDS) return;
    cloudrec& c = cloud[r];
    if (c.slot > 0 && c.slot < NPCSLOTS && npc[c.slot] && npc[c.slot]->cloudslot == r) npc[c.slot]->cloudslot = 0;
    c.active = 0;
}

void clearclouds() {
    for (cloudrec& c : cloud) c = cloudrec{};
}

static void setalpha(u8 a) {
    for (int s = CLOUDFILLER; s <= THOUGHTBOTTOM; s++) sprite[s].alpha = a;
}

static void put(int slot, i32 x, i32 y) {
    if (!sprite[slot].inuse) return;
    sprite[slot].x = (i16)x;
    sprite[slot].y = (i16)y;
    drawsprite(slot);
}

// Fades in over three drawings, holds until its time is up, fades out.
static void fade(int r) {
    cloudrec& c = cloud[r];
    setalpha(c.alpha);
    if (tickcount < c.endtick) {
        if (c.fade < 6) {
            c.alpha = (u8)(c.fade * 4);
            c.fade += 2;
            setalpha(c.alpha);
        }
        return;
    }
    if (--c.fade == 0) {
        closecloud(r);
        return;
    }
    // The fade-in stops a step short of its count: the fade-out starts
    // from the held strength rather than a step brighter.
    if (c.fade * 4 < c.alpha) c.alpha = (u8)(c.fade * 4);
    setalpha(c.alpha);
}

static void drawtalk(const cloudrec& c, i32 x, i32 y) {
    i32 n = (c.width - 32) / 20;
    put(TALKTOPLEFT, x, y);
    put(TALKBOTTOMLEFT, x, y + 16);
    put(TALKTOPRIGHT, x + c.width - 16, y);
    put(TALKBOTTOMRIGHT, x + c.width - 16, y + 16);
    for (i32 i = 0; i < n; i++) {
        i32 px = x + 16 + 20 * i;
        put(TALKTOP, px, y);
        put(TALKBOTTOM, px, y + 22);
        for (i32 row : {10, 14, 18}) put(CLOUDFILLER, px, y + row);
    }
    put(TALKCURVE, x + 8, y + 30);
}

static void drawthought(i32 x, i32 y) {
    put(THOUGHTLEFT, x, y);
    put(THOUGHTRIGHT, x + 96, y);
    for (i32 i = 0; i < 4; i++) {
        i32 px = x + 16 + 20 * i;
        put(THOUGHTTOP, px, y - 1);
        put(THOUGHTBOTTOM, px, y + 29);
        put(CLOUDFILLER, px, y + 9);
    }
    put(THOUGHTDOTS, x - 20, y + 38);
}

void drawcloud(int r) {
    if (r <= 0 || r >= MAXCLOUDS || !cloud[r].active) return;
    fade(r);
    cloudrec& c = cloud[r];
    if (!c.active || !c.placed) return;
    if (c.slot <= 0 || c.slot >= NPCSLOTS || !npc[c.slot]) return;
    const npcrec& n = *npc[c.slot];
    if (vistoplayer[0] && n.mapoff < (u32)MAPCELLS && !vistoplayer[0][n.mapoff]) return;
    i32 dx, dy;
    npcsmoothshift(c.slot, &dx, &dy);
    i32 x = c.x - dx, y = c.y - dy;
    if (c.kind == 0) drawtalk(c, x, y);
    else drawthought(x, y);
    if (c.fade > 4 && c.text) {
        i32 w = c.kind == 0 ? c.width : 94;
        u8 keep = currentfont;
        currentfont = 3;
        settextcolor(0, 0, 0);
        drawtext(c.text, x + (w - textwidth(c.text)) / 2 + 2, y + 9);
        currentfont = keep;
    }
}
