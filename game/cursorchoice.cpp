#include "game/cursorchoice.h"

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "game/figurepick.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "game/spells.h"
#include "view/mapview.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static const unittyperec* curnpctype() {
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc]) return nullptr;
    u32 t = npc[curnpc]->unitno;
    return t < (u32)NUMUNITTYPES ? unittype[t] : nullptr;
}

static const itemtyperec* typeofitem(u16 item) { return item && item < NUMITEMTYPES ? itemtype[item] : nullptr; }

static bool onpickedcell() { return onmap(selectedwx, selectedwy); }

int npcundercursor() {
    if (!onpickedcell()) return 0;
    u16 s = npcmap[cursoroff];
    return s >= 1 && s <= MAXNPCS && npc[s] ? s : 0;
}

static void setpicked(i32 x, i32 y) {
    selectedwx = x;
    selectedwy = y;
    cursoroff = onmap(x, y) ? (u32)cellof(x, y) : NOCELL;
}

// The figure drawn under the mouse is the one pointed at, whoever's it is:
// a head, a weapon held out or a toe leaves the cells of its own figure.
// Off the figures, one of another player stands up to two cells south of
// the cell the mouse is on and covers it on screen: the pick goes to the
// figure. Hidden figures are not seen, so they do not catch the mouse.
static void reachover(i32 x, i32 y) {
    i32 ux, uy;
    if (unitatpoint(mousex, mousey, x, y, &ux, &uy)) {
        setpicked(ux, uy);
        return;
    }
    static const i8 cells[6][2] = {{1, 1}, {0, 1}, {2, 2}, {1, 0}, {2, 1}, {1, 2}};
    static const i8 shift[6][2] = {{0, 20}, {-20, 10}, {0, 40}, {20, 10}, {20, 30}, {-20, 30}};
    for (int i = 0; i < 6; i++) {
        i32 fx = x + cells[i][0], fy = y + cells[i][1];
        u16 s = npcat(fx, fy);
        if (!s || s > MAXNPCS || !npc[s]) continue;
        const npcrec& n = *npc[s];
        if (n.player == 0 || n.hidden == 1) continue;
        i32 px, py;
        int square;
        // The figure is taken whatever the second pick says.
        if (!pickcell(mousex + shift[i][0], mousey + shift[i][1], &px, &py, &square) || npcat(px, py) != s) px = fx, py = fy;
        setpicked(px, py);
        return;
    }
}

static bool visible(u32 off) { return off < (u32)MAPCELLS && vistoplayer[0] && vistoplayer[0][off]; }

// Archer or Mage against a cell: in range and in sight, in range without
// sight, or out of range.
static u8 rangedmode(const unittyperec& t, i32 d, bool sight, u8 ok) {
    if (d < t.rangemin || d > t.rangemax) return 14;
    return sight ? ok : 15;
}

static u8 overobject() {
    const unittyperec* t = curnpctype();
    if (!t) return 11;
    if (t->unitclass != CLASS_ARCHER && t->unitclass != CLASS_MAGE) return 12;
    const npcrec& c = *npc[curnpc];
    i32 d = celldistance(c.x, c.y, selectedwx, selectedwy);
    return rangedmode(*t, d, lineofsight(c.mapoff, cursoroff) != 0, 13);
}

static u8 overenemy(int s) {
    const npcrec& e = *npc[s];
    if (e.hidden == 1) return 1;
    const unittyperec* t = curnpctype();
    if (!t) return 11;
    switch (t->unitclass) {
    case CLASS_ARCHER:
    case CLASS_MAGE: {
        const npcrec& c = *npc[curnpc];
        i32 d = celldistance(c.x, c.y, e.x, e.y);
        return rangedmode(*t, d, npclineofsight(curnpc, s) != 0, t->unitclass == CLASS_ARCHER ? 4 : 10);
    }
    default: return 5;
    }
}

// One of the player's own units: the item under it may be taken; another
// living unit than the one commanded may be selected.
static u8 overown(int s) {
    const itemtyperec* it = typeofitem(itemmap[cursoroff]);
    if (it && it->takeable) return 6;
    if (s != curnpc && npc[s]->state >= NPC_IDLE) return 7;
    if (it) return cursormode;
    return 11;
}

u8 cursorforcell() {
    if (!onpickedcell() || !visible(cursoroff)) return 11;
    int s = npcundercursor();
    if (s) return npc[s]->player == 0 ? overown(s) : overenemy(s);
    if (landmap[cursoroff] == 2) return 11;
    u16 item = itemmap[cursoroff];
    if (!item) return 1;
    const itemtyperec* it = typeofitem(item);
    if (!it) return 11;
    if (it->passcost) return overobject();
    if (it->takeable) return 6;
    if (it->usable) return 17;
    if (!it->blockspassage) return 1;
    return 11;
}

static bool aiming(u8 mode) { return mode >= CM_FIRSTAIM && mode <= CM_LASTAIM; }

// Over the panel an aimed spell shows its refused form until the mouse is
// back over the map.
static u8 refusedform(u8 mode) {
    switch (mode) {
    case CM_LIGHT: return CM_LIGHTNO;
    case CM_RAISE: return CM_RAISENO;
    case CM_FREEZE: return CM_FREEZENO;
    case CM_HEAL: return CM_HEALNO;
    case CM_LIGHTNING: return CM_LIGHTNINGNO;
    default: return mode;
    }
}

void pickcursor() {
    u8 mode = cursormode;
    if (mode == 0 || mode == 3 || mode == 9) return;
    if (gamestate == GS_EDITMAP && mousey > 399) {
        setcursormode(20);
        return;
    }
    if (mousey > 399) {
        setcursormode(aiming(mode) ? refusedform(mode) : 8);
        return;
    }
    int spellno = aiming(mode) ? spellofaimmode(mode) : 0;
    if (spellno) setcursormode(validaimmode(spellno));
    i32 x, y;
    int square;
    if (!pickcell(mousex, mousey, &x, &y, &square)) {
        setpicked(-1, -1);
    } else {
        setpicked(x, y);
        reachover(x, y);
    }
    if (spellno) {
        u8 aim = onpickedcell() ? spellaimmode(spellno, cursoroff) : 0;
        setcursormode(aim ? aim : refusedform(validaimmode(spellno)));
        return;
    }
    if (cursormode == 8 || cursormode == 20) setcursormode(1);
    setcursormode(cursorforcell());
}
