#include "commandworld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/clickorders.h"
#include "game/commands.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/spells.h"
#include "sound/dsound.h"
#include "testenv.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/effects.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static std::vector<itemtyperec> items(NUMITEMTYPES);
static std::vector<unittyperec> units(NUMUNITTYPES);
static std::vector<landtyperec> lands(NUMLANDTYPES);
static std::vector<u8> fontpics[NUMFONTS]; // the fonts keep pointing here after a test

namespace cw {

void startcommandworld() {
    starttestdisplay(555);
    allocgrids();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    writebmp("bitmaps/window.bmp", WINDOWPICWIDTH, WINDOWPICHEIGHT, [](int, int) { return 0x404040u; });
    writesolidbmp("bitmaps/buttons/prevnpc.bmp", 24, 40, 0xF80000);
    writesolidbmp("bitmaps/buttons/nextnpc.bmp", 24, 40, 0x00F800);
    writesolidbmp("bitmaps/buttons/endturn.bmp", 64, 40, 0x0000F8);
    writesolidbmp("bitmaps/buttons/clickmap.bmp", 64, 13, 0xF8F800);
    for (int f = 0; f < NUMFONTS; f++) {
        fontpics[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 7);
        font[f] = {glyphtables[f], fontpics[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
    for (int i = 0; i < NUMUNITTYPES; i++) {
        units[i] = unittyperec{};
        units[i].healthmax = 40;
        units[i].damagemin = 5;
        units[i].damagemax = 8;
        units[i].rangemax = 1;
        unittype[i] = &units[i];
    }
    units[1].specials[0] = SPELL_HIDE;
    units[1].specials[1] = SPELL_LIGHT;
    units[1].specials[2] = SPELL_FREEZE;
    units[1].specials[3] = SPELL_LIGHTNING;
    units[2].unitclass = CLASS_ARCHER;
    units[3].unitclass = CLASS_THIEF;
    units[4].unitclass = CLASS_MAGE;
    units[5].unitclass = CLASS_CLERIC;
    for (int t : {2, 4}) units[t].rangemin = 1, units[t].rangemax = 8;
    for (int i = 0; i < NUMITEMTYPES; i++) {
        items[i] = itemtyperec{};
        itemtype[i] = &items[i];
    }
    items[ITEM_WALL].blockspassage = items[ITEM_WALL].blockssight = 1;
    items[ITEM_BARREL].blockspassage = 1, items[ITEM_BARREL].passcost = 2;
    items[ITEM_FENCE].blockspassage = 1;
    for (int i : {175, 176, 177, 178}) items[i].blockspassage = 1, items[i].usable = 1;
    items[180].takeable = items[181].takeable = 1;
    for (int i = 0; i < NUMLANDTYPES; i++) {
        lands[i] = landtyperec{};
        landtype[i] = &lands[i];
    }
    initnpc();
    initdistancetable();
    initlighttables();
    freespells();
    initspells();
    disarmspells();
    resetgamerandom();
    resetpathfinder();
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    soundenabled = 0;
    tickcount = 1000;
    gamestate = GS_COMBAT;
    curnpc = 1;
    computerthinking = 0;
    gamepaused = 0;
    autogather = 0;
    clickedtomove = clickedtoattack = 0;
    waitingforlmbup = 0;
    lbuttondown = rbuttondown = 0;
    lastcommandflash = nullptr;
    followtoggle = 0;
    lighting = 1;
    framedelay = 2;
    scx = VIEWX, scy = VIEWY;
    mousex = 320, mousey = 200;
    setcursormode(1);
    cursoroff = 0;
}

int placeunit(int type, int player, i32 x, i32 y) {
    int s = createnpc((u32)type, x, y, player);
    EXPECT_GT(s, 0);
    if (s <= 0) return 0;
    npcrec& n = *npc[s];
    n.state = NPC_IDLE;
    n.facing = 4;
    n.hidden = 0;
    n.health = n.healthmax = 40;
    n.fatigue = n.fatiguemax = 100;
    n.magic = n.magicmax = 20;
    npcmap[cellof(x, y)] = (u16)s;
    return s;
}

void pickat(i32 x, i32 y) {
    selectedwx = x;
    selectedwy = y;
    cursoroff = onmap(x, y) ? (u32)cellof(x, y) : 0xFFFFFFFFu;
}

bool pointat(i32 x, i32 y) {
    int sq = squareof(x - scx + 20, y - scy + 20);
    if (sq < 0) return false;
    mousex = vss[sq].x - 40;
    mousey = vss[sq].y - 20;
    return mousey >= 0 && mousey < 400 && mousex >= 0 && mousex < 640;
}

u16 pixel555(u32 rgb) { return (u16)((rgb >> 19 & 31) << 10 | (rgb >> 11 & 31) << 5 | (rgb >> 3 & 31)); }

u16 vsat(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

} // namespace cw
