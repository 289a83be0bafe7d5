#include "game/clickorders.h"

#include <cstring>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/commands.h"
#include "game/cursorchoice.h"
#include "game/facing.h"
#include "game/keybindings.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/panelpress.h"
#include "game/npcselect.h"
#include "game/party.h"
#include "game/pathfind.h"
#include "game/savemenu.h"
#include "game/spells.h"
#include "platform/winmsg.h"
#include "resources/stringtable.h"
#include "sound/dsound.h"
#include "sound/effects.h"
#include "text/boxes.h"
#include "text/widget.h"
#include "view/clouds.h"
#include "view/effects.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/overheadmap.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/viewtables.h"

const char* lastcommandflash = nullptr;
u32 followtoggle = 0;

constexpr u32 TALKTICKS = 200;
constexpr u32 CRYTICKS = 400;

void commandflash(const char* text) {
    lastcommandflash = text;
    flashmessage(text);
}

static const itemtyperec* typeofitem(u16 item) { return item && item < NUMITEMTYPES ? itemtype[item] : nullptr; }
static bool blocks(u32 off) {
    const itemtyperec* t = off < (u32)MAPCELLS ? typeofitem(itemmap[off]) : nullptr;
    return t && t->blockspassage;
}

// A human search toward the picked cell; inrange stops where the
// searcher's weapon reaches it, adjacent right next to it.
static bool searchto(const npcrec& from, u32 goal, u8 inrange, bool adjacent) {
    goalx = (i32)(goal % 256);
    goaly = (i32)(goal / 256);
    goaloff = goal;
    stopinrange = inrange;
    stopadjacent = adjacent ? 1 : 0;
    bool found = findpath(from.x, from.y, goalx, goaly);
    stopadjacent = 0;
    return found;
}

static void walkpath(int slot) {
    npcrec& n = *npc[slot];
    takepath(slot);
    n.state = NPC_MOVING;
    waitingforlmbup = 1;
}

static void setdest(npcrec& n, u32 off) {
    n.destx = (u8)(off % 256);
    n.desty = (u8)(off / 256);
    n.destoff = (u16)off;
}

// Modes 4 and 10: can curnpc get within its range of the clicked enemy?
static void preview(npcrec& c) {
    if (!searchto(c, cursoroff, 1, false)) {
        commandflash("No Path!");
        return;
    }
    setcursormode(3);
    if (c.fatigue < 4) {
        setcursormode(1);
        commandflash("Not enough MPs!");
    }
}

// Mode 5: the commanded unit goes for the enemy under the cursor and walks
// until its own weapon reaches.
static void meleeorder(npcrec& c) {
    autogather = 0;
    if (c.step != 0) {
        clickedtoattack = 1;
        return;
    }
    int foe = npcundercursor();
    if (!foe || c.target == foe || c.state < NPC_IDLE) return;
    c.target = (u8)foe;
    c.frame = 0;
    setdest(c, cursoroff);
    c.facing = facingto(c.x, c.y, npc[foe]->x, npc[foe]->y);
    if (searchto(c, cursoroff, 1, false)) walkpath(curnpc);
}

// Mode 6: take the item, here or after a walk to it (or next to it when it
// blocks the way).
static void pickuporder(npcrec& c) {
    const itemtyperec* it = typeofitem(itemmap[cursoroff]);
    if (!it || !it->takeable || c.step != 0) return;
    c.target = 0;
    c.frame = 0;
    if (c.mapoff == cursoroff) {
        pickupitem(1, cursoroff);
        return;
    }
    bool blocking = it->blockspassage;
    if (!blocking && npcmap[cursoroff]) return;
    setdest(c, cursoroff);
    if (!searchto(c, cursoroff, blocking ? 1 : 0, blocking)) return;
    walkpath(curnpc);
    c.pickuponarrival = 1;
}

// Mode 17: use the item from the cell next to it.
static void useorder(npcrec& c) {
    const itemtyperec* it = typeofitem(itemmap[cursoroff]);
    if (!it || !it->usable || c.step != 0 || c.destoff == cursoroff) return;
    c.target = 0;
    c.frame = 0;
    if (celldistance(c.x, c.y, selectedwx, selectedwy) == 1) {
        useitem(1, cursoroff);
        return;
    }
    setdest(c, cursoroff);
    if (!searchto(c, cursoroff, 1, true)) return;
    walkpath(curnpc);
    c.useonarrival = 1;
}

static bool aimingmode(u8 mode) { return mode >= CM_FIRSTAIM && mode <= CM_LASTAIM; }

void leftbuttonorder() {
    u8 mode = cursormode;
    // The panel answers whatever the commanded unit is doing, and also
    // while a spell is aimed, so that its slot can be clicked again.
    if (mode == 8 || (aimingmode(mode) && mousey > 399)) {
        panelpress();
        return;
    }
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc]) return;
    npcrec& c = *npc[curnpc];
    if (c.state < NPC_IDLE || c.state == NPC_EMPTY) return;
    bool oncell = cursoroff < (u32)MAPCELLS;
    switch (mode) {
    case 1:
        clickedtomove = 1;
        autogather = 0;
        c.target = 0;
        break;
    case 3: setcursormode(1); break;
    case 4:
    case 10:
        if (oncell) preview(c);
        break;
    case 5:
        if (oncell) meleeorder(c);
        break;
    case 6:
        if (oncell) pickuporder(c);
        break;
    case 7:
        if (int s = npcundercursor()) selectnpc(s);
        break;
    case 17:
        if (oncell) useorder(c);
        break;
    case CM_LIGHT:
    case CM_RAISE:
    case CM_FREEZE:
    case CM_HEAL:
    case CM_LIGHTNING:
        if (oncell) castaimedspell(mode, cursoroff);
        break;
    default: break;
    }
}

void leftbuttonup() {
    clickedtomove = 0;
    waitingforlmbup = 0;
}

u32 lastdragcell = NOCELL;

void dragorder() {
    if (!lbuttondown || waitingforlmbup || cursormode != 1) return;
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc] || npc[curnpc]->state < NPC_IDLE) return;
    i32 x, y;
    int square;
    if (!pickcell(mousex, mousey, &x, &y, &square) || !onmap(x, y)) return;
    u32 off = (u32)cellof(x, y);
    if (off == lastdragcell) return;
    lastdragcell = off;
    if (blocks(off)) return;
    if (!searchto(*npc[curnpc], off, 0, false)) commandflash("No Path!");
}

void arroworder() {
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc]) return;
    npcrec& c = *npc[curnpc];
    if (c.state < NPC_IDLE || c.state == NPC_EMPTY) return;
    if (c.step != 0 || cursoroff >= (u32)MAPCELLS || cursoroff == c.mapoff || c.fatigue <= 3) return;
    c.fatigue = (i16)(c.fatigue - 4);
    playsound(SOUND_BOW);
    i32 tx = (i32)(cursoroff % 256), ty = (i32)(cursoroff / 256);
    launchmissile(c.x, c.y, tx, ty, MISSILE_ARROW, 30.0f, 2 + gamerandom() % 6, 1);
    c.facing = facingto(c.x, c.y, tx, ty);
}

// The leader's own words, in his cloud, when it is free.
static void leadersays(const char* text) {
    if (cloud[1].active) return;
    opencloud(1, 1, text, 0);
    cloud[1].endtick = tickcount + TALKTICKS;
    npc[1]->nextcry = tickcount + TALKTICKS;
}

static const char* const crylines[3] = {"Somebody help me!", "You're gonna pay now ...", "Help!"};

static void crynow() {
    int s = npcundercursor();
    if (!s || npc[s]->cloudslot) return;
    int r = freecloud();
    if (!r) return;
    opencloud(r, s, crylines[gamerandom() % 3], 0);
    cloud[r].endtick = tickcount + CRYTICKS;
}

static void topup(i16& value, i16 maximum) {
    playsound(SOUND_PICKUP);
    value = (i16)(value + 10 > maximum ? maximum : value + 10);
}

static void askleave() {
    char text[256];
    loadstring(stringbase + 10, text, sizeof text);
    if (confirmbox(text)) boxresult = 1;
}

static void slower() {
    if (framedelay < 31) framedelay++;
}

static void faster() {
    if (framedelay > 0) framedelay--;
}

static void follow() {
    followtoggle = !followtoggle;
    leadersays(followtoggle ? "Get the fuck away from me!" : "Follow me.");
}

static void gather() {
    if (npc[1]->step == 0 && npc[1]->state == NPC_IDLE) autogather = 1;
}

static void lightswitch() {
    lighting = !lighting;
    computelightmap(-1, 0);
}

static void fatiguedrink() { topup(npc[1]->fatigue, npc[1]->fatiguemax); }
static void healthdrink() { topup(npc[1]->health, npc[1]->healthmax); }
static void magicdrink() { topup(npc[1]->magic, npc[1]->magicmax); }
static void pausetoggle() { gamepaused = !gamepaused; }
static void mapview() { overheadmap(); }
static void talk() { leadersays("Bite me."); }

// Indexed by missionaction.
static void (*const actions[ACT_COUNT])() = {
    follow, fatiguedrink, gather, healthdrink, lightswitch, magicdrink, pausetoggle,
    crynow, talk, slower, faster, mapview, quicksave, quickload,
};

void keyorder(u32 vk) {
    if (vk == VK_ESCAPE) askleave();
    else if (missionaction a = keyaction(vk); a != ACT_NONE) actions[a]();
}
