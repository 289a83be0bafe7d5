#include "view/mapview.h"

#include <cmath>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "game/missile.h"
#include "game/missionstate.h"
#include "text/font.h"
#include "video/sprite.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/objectpics.h"
#include "view/panel.h"
#include "view/smoothmove.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

u8 drawland = 1, drawitems = 1, drawnpcs = 1;
u8 wallsthrough = 0;
u8 viewfrozen = 0;
u8 viewplayer = 0;
u32 cursoroff = 0;
i32 selx0 = 0, selx1 = 0, sely0 = 0, sely1 = 0;
u8 selshown = 0;

enum : int {
    SPRITEMAGIC = 8, SPRITESPARK = 9, SPRITEDIGIT0 = 10, SPRITESEL = 57, SPRITESEL1 = 58, SPRITESEL2 = 59, SPRITEGRAVE = 62,
    SPRITEARROW1 = 65
};

// The smooth-movement shift of this drawing, added to every position.
static i32 shx, shy;

static void placesprite(int slot, i32 x, i32 y, u8 alpha) {
    spriterec& s = sprite[slot];
    if (!s.inuse) return;
    s.x = (i16)(x + shx);
    s.y = (i16)(y + shy);
    s.alpha = alpha;
    drawsprite(slot);
}

static void centresprite(int slot, i32 x, i32 y, u8 alpha) {
    placesprite(slot, x - sprite[slot].width / 2, y - sprite[slot].height / 2, alpha);
}

static u8 surfaceof(u16 item) { return item && itemtype[item] ? itemtype[item]->surfaceheight : 0; }

static void landtile(u16 land, i32 x, i32 y, i32 off) {
    if (lighting) drawlandtilelit(land, x + shx, y + shy, off);
    else drawlandtile(land, x + shx, y + shy);
}

static void itempic(int item, i32 x, i32 y, i32 off) {
    if (lighting) drawitempic(item, x + shx, y + shy, off);
    else drawitempicraw(item, x + shx, y + shy);
}

// Hidden in the dark: the viewer's own units show through, half and half
// with what lies behind them, so that the player still sees them; the
// enemy's are not seen at all.
static bool unseen(const npcrec& n) { return n.hidden == 1 && n.player != viewplayer; }
static bool seenthrough(const npcrec& n) { return n.hidden == 1 && n.player == viewplayer; }

static void unitpic(const npcrec& n, int action, i32 x, i32 y) {
    if (unseen(n)) return;
    int set = n.unitno < NUMUNITTYPES && unittype[n.unitno] ? unittype[n.unitno]->picno : -1;
    if (seenthrough(n)) drawunitpichalf(set, x + shx, y + shy, action, n.facing, n.frame, lighting ? (i32)n.mapoff : -1);
    else if (lighting) drawunitpic(set, x + shx, y + shy, action, n.facing, n.frame, (i32)n.mapoff);
    else drawunitpicraw(set, x + shx, y + shy, action, n.facing, n.frame);
}

static const npcrec* npcon(i32 x, i32 y) {
    u16 slot = npcat(x, y);
    return slot && slot < NPCSLOTS && npc[slot] && npc[slot]->isused ? npc[slot] : nullptr;
}

static void healthbar(int slot, i32 x, i32 y) {
    const npcrec& n = *npc[slot];
    i32 maximum = n.unitno < NUMUNITTYPES && unittype[n.unitno] ? (i32)unittype[n.unitno]->healthmax : 0;
    drawstatbar(n.health, maximum, x + shx, y + shy, 20, 1, 0x6000, slot);
}

static int selectionsprite(i32 x, i32 y) {
    if (x == selx0) return y == sely0 ? 54 : y == sely1 ? 52 : 53;
    if (x == selx1) return y == sely0 ? 48 : y == sely1 ? 50 : 49;
    if (y == sely0) return 47;
    if (y == sely1) return 51;
    return 0;
}

template <typename F> static void eachsquare(F f) {
    for (int l = 0; l < NUMVSY; l++)
        for (int k = 0; k < vsy[l].numofxs; k++) {
            int sq = vsy[l].firstvss + k;
            if (sq < 0 || sq >= NUMVSS) continue;
            const vssrec& s = vss[sq];
            f(scx + s.column - 20, scy + s.line - 20, (i32)s.x, (i32)s.y);
        }
}

// In the map editor the party's start and the cells of its formation are
// marked: the start in red, the others in the cursor's green.
static void startmark(i32 x, i32 y, i32 sx, i32 sy, int party) {
    int place = formationplace(x, y, party);
    if (place < 0) return;
    placesprite(place == 0 ? SPRITESEL1 : SPRITESEL2, sx - 64, sy - 32 - surfaceof(itemmap[cellof(x, y)]), 28);
}

static void landpass() {
    bool selecting = gamestate == GS_EDITMAP && selshown;
    int party = gamestate == GS_EDITMAP ? startpartysize() : 0;
    eachsquare([&](i32 x, i32 y, i32 sx, i32 sy) {
        if (!onmap(x, y)) return;
        landtile(landmap[cellof(x, y)], sx - 60, sy - 30, cellof(x, y));
        if (party) startmark(x, y, sx, sy, party);
        if (!selecting || x < selx0 || x > selx1 || y < sely0 || y > sely1) return;
        if (int s = selectionsprite(x, y)) placesprite(s, sx - 60, sy - surfaceof(itemmap[cellof(x, y)]) - 30, (u8)(pulse + 7));
    });
}

// A unit behind a thin wall is drawn again over the wall.
static void behindwall(i32 x, i32 y, i32 px, i32 py, bool upcell) {
    const npcrec* n = npcon(x, y);
    if (!n) return;
    int slot = npcmap[cellof(x, y)];
    if (n->state == NPC_DYING) {
        itempic(4000 + n->frame, px, py, cellof(x, y));
    } else {
        if (upcell && n->state == NPC_DEAD) itempic(4000 + n->frame, px, py, cellof(x, y));
        unitpic(*n, n->state == NPC_ATTACKING ? ACTION_ATTACK : ACTION_WALK, px, py);
    }
    if ((u32)cellof(x, y) == cursoroff && n->player != viewplayer && !unseen(*n)) healthbar(slot, px + 10, py - surfaceof(itemmap[cellof(x, y)]) - 48);
}

static void cursormarker(i32 sx, i32 sy, u16 item) {
    const npcrec* leader = npc[1];
    if (!cursortint || computerthinking || selshown || (leader && leader->state == NPC_MOVING)) return;
    int s = cursorcolor == 0x0001 ? SPRITESEL : cursorcolor == 0x7C00 ? SPRITESEL1 : SPRITESEL2;
    placesprite(s, sx - 64, sy - 32 - surfaceof(item), (u8)(pulse + 7));
}

// A cell where a body can be raised glows over the body, under whoever
// stands there. The glow swells while a Lightning death counts the cell up
// and fades while Raise Dead counts it down from 8, its strength the count
// in eighths of three quarters, so the body shows through; it lights no one.
static void gravemark(u16 count, i32 sx, i32 sy, u16 item) {
    const spriterec& s = sprite[SPRITEGRAVE];
    u8 alpha = (u8)(3 * (count >= 8 ? 8 : count));
    placesprite(SPRITEGRAVE, sx - 40 - s.width / 2, sy - 11 - s.height - surfaceof(item), alpha);
}

static void unitoncell(int slot, i32 sx, i32 sy, u16 item) {
    const npcrec& n = *npc[slot];
    i32 off = (i32)n.mapoff;
    if (n.state == NPC_DEAD) return itempic(4015, sx - 60, sy - 30, off);
    if (n.state == NPC_DYING) return itempic(4000 + n.frame, sx - 60, sy - 30, off);
    int action = n.state == NPC_MOVING ? ACTION_WALK : n.state == NPC_ATTACKING ? ACTION_ATTACK : ACTION_STAND;
    unitpic(n, action, sx - 60, sy - 30);
    if (unseen(n)) return; // nor its cloud or health bar
    if (n.cloudslot && n.cloudslot < MAXCLOUDS && cloud[n.cloudslot].active) {
        cloudrec& c = cloud[n.cloudslot];
        u8 keep = currentfont;
        currentfont = 3;
        i32 tw = c.text ? textwidth(c.text) / 20 * 20 : 0;
        currentfont = keep;
        c.x = sx - 40 + shx;
        c.y = sy - 108 + shy;
        c.width = (tw < 20 ? 20 : tw) + 32;
        c.placed = 1;
    }
    bool undermouse = n.mapoff == cursoroff && n.player != viewplayer;
    bool leaderstarget = npc[1] && npc[1]->target == slot && slot <= MAXNPCS;
    if (undermouse || leaderstarget) healthbar(slot, sx - 50, sy - surfaceof(item) - 78);
}

// The damage numbers and missiles in play, in table order, gathered once a
// drawing: nearly every square has none, and walking both tables for each of
// the view's squares cost more than drawing a fair share of them.
static damagenumberrec* numbersinplay[MAXDAMAGENUMBERS];
static const missilerec* missilesinplay[MAXMISSILES];
static int numbercount, missilecount;

static void gatherinplay() {
    numbercount = missilecount = 0;
    for (damagenumberrec& d : damagenumber)
        if (d.active) numbersinplay[numbercount++] = &d;
    for (const missilerec& m : missile)
        if (m.isused) missilesinplay[missilecount++] = &m;
}

static void numbersofcell(i32 off, i32 sx, i32 sy) {
    for (int k = 0; k < numbercount; k++) {
        damagenumberrec& d = *numbersinplay[k];
        if (d.cell != off) continue;
        i32 x = sx - 43;
        for (i32 t : {10, 100, 1000})
            if (d.value >= t) x -= 4;
        d.x = x + shx;
        d.y = (d.mode == 1 ? sy - d.timer - 30 : sy - 101 + d.timer) + shy;
        d.placed = 1;
    }
}

static void missilesofcell(i32 x, i32 y, i32 sx, i32 sy) {
    for (int i = 0; i < missilecount; i++) {
        const missilerec& m = *missilesinplay[i];
        if (m.x != x || m.y != y) continue;
        i32 dx = (i32)(m.offx * 0.5f - m.offy * 0.5f + 20.0f), dy = (i32)(m.offx * 0.25f + m.offy * 0.25f);
        i32 cx = sx - 60 + dx, cy = sy - 60 + dy;
        if (m.kind == MISSILE_ARROW) {
            if (m.dir >= 1 && m.dir <= 8) centresprite(SPRITEARROW1 + m.dir - 1, cx, cy, 0);
            continue;
        }
        centresprite(SPRITEMAGIC, cx, cy, 16);
        for (int k = 0; k < 4; k++) {
            if (!m.trailactive[k]) continue;
            i32 kx = (i32)(m.traildx[k] * 0.5f - m.traildy[k] * 0.5f), ky = (i32)(m.traildx[k] * 0.25f + m.traildy[k] * 0.25f);
            centresprite(SPRITESPARK, cx - kx, cy - ky, (u8)(30 - 4 * m.trailage[k]));
        }
    }
}

static void objectpass() {
    eachsquare([&](i32 x, i32 y, i32 sx, i32 sy) {
        if (!onmap(x, y)) return;
        i32 off = cellof(x, y);
        u16 item = itemmap[off];
        if ((u32)off == cursoroff) cursormarker(sx, sy, item);
        if (item && drawitems) {
            const itemtyperec* t = itemtype[item];
            if (wallsthrough && t && t->iswall) drawitempicblend(item, sx - 60 + shx, sy - 30 + shy);
            else itempic(item, sx - 60, sy - 30, off);
            if (t && t->iswall && !t->blockspassage) {
                behindwall(x - 1, y - 1, sx - 60, sy - 50, true);
                behindwall(x, y - 1, sx - 40, sy - 40, false);
                behindwall(x - 1, y, sx - 80, sy - 40, false);
            }
        }
        if (u16 count = specialmap[off]) gravemark(count, sx, sy, item);
        u16 slot = npcmap[off];
        if (slot && slot < NPCSLOTS && npc[slot] && drawnpcs) unitoncell(slot, sx, sy, item);
        numbersofcell(off, sx, sy);
        missilesofcell(x, y, sx, sy);
    });
}

static void drawnumbers() {
    for (damagenumberrec& d : damagenumber) {
        if (!d.active) continue;
        if (d.placed && d.value > 0 && d.value <= 9999) {
            char digits[8];
            int n = 0;
            for (i32 v = d.value; v > 0; v /= 10) digits[n++] = (char)(v % 10);
            i32 x = d.x;
            for (int i = n - 1; i >= 0; i--) {
                spriterec& s = sprite[SPRITEDIGIT0 + digits[i]];
                if (!s.inuse) continue;
                s.x = (i16)x;
                s.y = (i16)d.y;
                s.alpha = (u8)(d.timer > 32 ? 32 : d.timer);
                drawsprite(SPRITEDIGIT0 + digits[i]);
                x += s.width - 2;
            }
        }
        if (--d.timer <= 0) d.active = 0;
    }
}

int squareofcell(i32 x, i32 y) {
    int l = y - scy + 20, c = x - scx + 20;
    if (l < 0 || l >= NUMVSY || c < vsy[l].firstx || c >= vsy[l].firstx + vsy[l].numofxs) return -1;
    return vsy[l].firstvss + c - vsy[l].firstx;
}

void drawmapview() { drawmapviewaround(nullptr, nullptr); }

void drawmapviewaround(const i16* holefrom, const i16* holeto) {
    if (viewfrozen && !fullview) return;
    beginvsdraw();
    u8 held = vsheld;
    vsheld = 1;
    // Clouds and the panel place their text up to the screen's edges.
    u8 clamp = textclamp;
    textclamp = 0;
    npcsmoothshift(curnpc, &shx, &shy);
    for (damagenumberrec& d : damagenumber) d.placed = 0;
    for (cloudrec& c : cloud) c.placed = 0;
    // Only what shows is drawn: not the guard bands round the window, nor
    // the rows the panel covers.
    setpicclip({0, 0, 640, panelcovers() ? PANELTOP : 480});
    setpicholes(holefrom, holeto);
    gatherinplay();
    if (drawland) landpass();
    objectpass();
    resetpicclip();
    for (int r = 1; r < MAXCLOUDS; r++) drawcloud(r);
    drawnumbers();
    shx = shy = 0;
    drawpanel();
    textclamp = clamp;
    vsheld = held;
    endvsdraw();
}
