#include "game/mission.h"

#include <cstring>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "app/random.h"
#include "app/redrawscreen.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/commands.h"
#include "game/combatinput.h"
#include "game/cursorchoice.h"
#include "game/eventlog.h"
#include "game/facing.h"
#include "game/keybindings.h"
#include "game/kills.h"
#include "game/missile.h"
#include "game/missionend.h"
#include "game/missionstats.h"
#include "game/missionstate.h"
#include "game/panelscroll.h"
#include "game/party.h"
#include "game/pathfind.h"
#include "platform/platform.h"
#include "sound/dsound.h"
#include "sound/effects.h"
#include "text/boxes.h"
#include "video/presentframe.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/viewtables.h"

u8 autogather = 0;
u8 npcpath[NPCPATHSIZE];
u8 pathpos = 0;
u32 fatigueregentick = 0, magicregentick = 0;
u8 shiftdown = 0, capslockon = 0, ctrldown = 0;

u32 animationdue = 0;
u32 nextframetick = 0;
constexpr u32 ANIMATIONDELAY = 4;


static void makeleader() {
    npcrec& l = *npc[1];
    l.unitno = 1;
    l.health = l.healthmax = 2000;
    l.fatigue = l.fatiguemax = 200;
    l.magic = l.magicmax = 20;
    std::memset(l.name, 0, sizeof l.name);
    std::strcpy(l.name, "Brannoc");
    l.brightness = 6;
    l.isused = 1;
    l.step = 0;
    l.state = NPC_IDLE;
    l.x = 115;
    l.y = 117;
    l.mapoff = 117 * 256 + 115;
    npcmap[l.mapoff] = 1;
    l.frame = 0;
    l.casting = 0;
    l.facing = 4;
    l.target = 0;
    l.destoff = 0;
    l.destx = l.desty = 0;
}

std::string missionmap;

bool startmission() {
    debuglog("runmission() ...\n");
    loadkeybindings();
    debuglog("Initiating map load ...\n");
    const std::string& map = missionmap.empty() ? demomapname : missionmap;
    if (!loadmap(map.c_str())) return false;
    if (!moveoutofslot1()) debuglog("Party: no free slot for the map's unit in slot 1; the leader takes it\n");
    makeleader();
    formparty();
    for (i32 i = 0; i < MAPCELLS; i++)
        if (landmap[i] == 0) landmap[i] = 2;
    curnpc = 1;
    computerthinking = 0;
    npc[1]->selected = 1;
    resetpathfinder();
    autogather = 0;
    for (int p = 0; p < 4; p++) std::memset(vistoplayer[p], 1, MAPCELLS);
    scx = npc[1]->x;
    scy = npc[1]->y;
    panelrestore(0);
    pushgamestate(gamestate);
    gamestate = GS_COMBAT;
    setcursormode(1);
    clearmissiles();
    fullview = 0;
    // Nothing of an earlier mission may float over this one.
    cleardamagenumbers();
    clearclouds();
    startpanelrecords();
    for (int s = 1; s < NPCSLOTS; s++) npc[s]->cloudslot = 0;
    clearpaths();
    clickedtomove = clickedtoattack = 0;
    waitingforlmbup = 1; // the click that opened the mission is no order to walk
    gamepaused = 0;
    animationdue = tickcount;
    nextframetick = tickcount;
    computelightmap(-1, 0);
    startmissionstats();
    debuglog("Starting Main Game Loop ...\n");
    boxresult = 255;
    return true;
}

void endmission() {
    for (int s = 1; s < NPCSLOTS; s++) npc[s]->selected = 0;
    computerthinking = 0;
    curnpc = 1;
    npc[1]->selected = 1;
    boxresult = 255;
    gamestate = popgamestate();
    redrawscreen();
}

static void readkeys() {
    shiftdown = plat_keyheld(VK_SHIFT);
    capslockon = plat_keytoggled(VK_CAPITAL);
    ctrldown = plat_keyheld(VK_CONTROL);
    npcrec& n = *npc[curnpc];
    if (!shiftdown && !capslockon) n.running = 0;
    else if (n.step % 2 == 0 && n.fatigue >= 1) n.running = 1;
}

static void moveorder() {
    if (!((lbuttondown && !waitingforlmbup) || clickedtomove)) return;
    clickedtomove = 0;
    npcrec& n = *npc[curnpc];
    u16 it = cursoroff < (u32)MAPCELLS ? itemmap[cursoroff] : 0;
    if (cursormode != 1 || n.state == NPC_DEAD || n.state == NPC_DYING || cursoroff >= (u32)MAPCELLS) return;
    if ((it && itemtype[it] && itemtype[it]->blockspassage) || npcmap[cursoroff]) return;
    if (n.state == NPC_ATTACKING) n.frame = 0, n.step = 0;
    n.target = 0;
    n.destx = (u8)(cursoroff % 256);
    n.desty = (u8)(cursoroff / 256);
    n.destoff = (u16)cursoroff;
    stopinrange = 0;
    if (!findpath(n.x, n.y, n.destx, n.desty)) return;
    std::memcpy(npcpath, pathbuf, sizeof npcpath);
    pathpos = 0;
    n.state = NPC_MOVING;
}

static void gather() {
    if (!autogather) return;
    npcrec& n = *npc[curnpc];
    // A fallen unit gathers nothing; the order waits for a living one.
    if (n.state == NPC_DEAD || n.state == NPC_DYING) return;
    for (i32 y = n.y - 16; y < n.y + 16; y++)
        for (i32 x = n.x - 16; x < n.x + 16; x++) {
            if (!onmap(x, y)) continue;
            u16 it = itemmap[cellof(x, y)], who = npcmap[cellof(x, y)];
            if (!it || !itemtype[it] || !itemtype[it]->takeable || (who && who != 1)) continue;
            stopinrange = 0;
            if (findpath(n.x, n.y, x, y)) {
                std::memcpy(npcpath, pathbuf, sizeof npcpath);
                pathpos = 0;
                n.destx = (u8)x, n.desty = (u8)y, n.destoff = (u16)cellof(x, y);
                n.state = NPC_MOVING;
                n.pickuponarrival = 1;
                return;
            }
            autogather = 0;
            n.state = NPC_IDLE;
            return;
        }
    autogather = 0;
    n.state = NPC_IDLE;
}

void simulationstep() {
    readkeys();
    moveorder();
    gather();
    followstep();
    for (int s = 1; s <= MAXNPCS; s++) npcactivity(s);
    updatemissiles();
    // Every living member of the party, not the leader alone, gathers its
    // magic back: the cleric's spells would otherwise be a single use.
    if (tickcount >= magicregentick) {
        magicregentick = tickcount + 90;
        for (int s = 1; s <= SLOTSPERPLAYER; s++)
            if (livingmember(s) && npc[s]->magic < npc[s]->magicmax) npc[s]->magic++;
    }
    for (int s = 1; s <= MAXNPCS; s++) {
        npcrec& n = *npc[s];
        if (n.state == NPC_DEAD || n.state == NPC_DYING || n.state == NPC_EMPTY || n.health >= 1) continue;
        n.health = 0;
        n.state = NPC_DYING;
        n.frame = 0;
        n.step = 0;
    }
    reselect();
    computelightmap(-1, 0);
}

static void edgescroll() {
    if (!rbuttondown) borderscroll(mousex, mousey);
}

void mapanimationstep() {
    for (int sq = 0; sq < NUMVSS; sq++) {
        i32 x = scx + vss[sq].column - 20, y = scy + vss[sq].line - 20;
        if (!onmap(x, y)) continue;
        u16& item = itemmap[cellof(x, y)];
        if (item && itemtype[item] && itemtype[item]->animation) {
            u32 a = itemtype[item]->animation;
            i32 next = a == 1 ? item + 1 : item - (i32)a + 1;
            if (next > 0 && next < NUMITEMTYPES) item = (u16)next;
        }
        u16& land = landmap[cellof(x, y)];
        if (land < NUMLANDTYPES && landtype[land] && landtype[land]->animation) {
            i32 next = landtype[land]->animation == 8 ? land - 7 : land + 1;
            if (next >= 0 && next < NUMLANDTYPES) land = (u16)next;
        }
    }
}

static void pumpmission() {
    for (;;) {
        int status = 0;
        pumped p = pumpmessage(&status);
        if (p == pumped::quit) exitgame(0, nullptr);
        if (p == pumped::idle) return;
    }
}

static void pace() {
    if (!framelimit) return;
    while (tickcount < nextframetick) plat_spin();
    nextframetick = tickcount + framedelay;
}

void advanceworld() {
    simulationstep();
    scx = npc[curnpc]->x;
    scy = npc[curnpc]->y;
    mapanimationdue();
}

void mapanimationdue() {
    if (tickcount < animationdue) return;
    mapanimationstep();
    animationdue = tickcount + ANIMATIONDELAY;
}

bool missionframe() {
    pumpmission();
    if (boxresult != 255) return false;
    pickcursor();
    if (!gamepaused) advanceworld();
    else edgescroll();
    computerthinking = 0;
    drawmapview();
    pace();
    presentframe();
    // Paused or not: a spell cast during a pause can end it too. Boxes and
    // the overhead map run their own loops, so none is open here.
    if (boxresult == 255 && missionendcheck()) boxresult = 1;
    return boxresult == 255;
}

u32 runmission() { return runmissionon(demomapname); }

u32 runmissionon(const std::string& map) {
    missionmap = map;
    if (!startmission()) {
        std::string text = "Unable to load map!\n" + map;
        okbox(text.c_str());
        redrawscreen();
        return 0;
    }
    while (missionframe()) {}
    endmission();
    return 1;
}

u32 resumemission() {
    loadkeybindings();
    panelrestore(0);
    pushgamestate(gamestate);
    gamestate = GS_COMBAT;
    fullview = 0;
    boxresult = 255;
    while (missionframe()) {}
    endmission();
    return 1;
}

u32 dropitem(u16 item, u32 mapoff) {
    i32 x = (i32)(mapoff % 256), y = (i32)(mapoff / 256);
    static const i8 around[5][2] = {{0, 0}, {0, -1}, {1, 0}, {-1, 0}, {0, 1}};
    for (auto& a : around) {
        i32 cx = x + a[0], cy = y + a[1];
        if (!onmap(cx, cy) || itemmap[cellof(cx, cy)]) continue;
        itemmap[cellof(cx, cy)] = item;
        return 1;
    }
    return 0;
}

u32 pickupitem(int slot, u32 mapoff) {
    if (mapoff >= (u32)MAPCELLS) return 1;
    u16& item = itemmap[mapoff];
    if (item == 180) {
        item = 0;
        u32 gold = 10 + gamerandom() % 10;
        if (slot >= 1 && slot <= MAXNPCS && npc[slot]) npc[slot]->gold += gold;
        logevent("%s picks up %u gold", unitname(slot), (unsigned)gold);
    } else if (item == 181) {
        playsound(SOUND_PICKUP);
        item = 0;
        logevent("%s picks up a find", unitname(slot));
    }
    return 1;
}

u32 useitem(int, u32 mapoff) {
    if (mapoff >= (u32)MAPCELLS) return 1;
    u16& item = itemmap[mapoff];
    if (item != 175 && item != 177) return 1;
    playsound(SOUND_CHEST);
    u32 beside = item == 175 ? mapoff + 1 : mapoff + 256;
    item = item == 175 ? 176 : 178;
    u16 drop = gamerandom() % 2 == 0 ? 180 : 181;
    if (beside < (u32)MAPCELLS) dropitem(drop, beside);
    return 1;
}

void panelrestore(u8 keep) {
    if (!curnpc || !panelpicture) return;
    if (computerthinking && compturnpicture) std::memcpy(panelpicture, compturnpicture, PANELWIDTH * PANELHEIGHT * 2);
    else if (!keep && panelclean) std::memcpy(panelpicture, panelclean, PANELWIDTH * PANELHEIGHT * 2);
}
