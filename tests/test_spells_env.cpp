#include "test_spells_env.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/commands.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/spells.h"
#include "sound/dsound.h"
#include "testenv.h"
#include "text/font.h"
#include "video/sprite.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static std::vector<itemtyperec> spellitems(NUMITEMTYPES);
static std::vector<unittyperec> spellunits(NUMUNITTYPES);
static std::vector<landtyperec> spellland(NUMLANDTYPES);
static std::vector<u8> spellfonts[NUMFONTS]; // the fonts keep pointing here after a test

static void types() {
    for (int i = 0; i < NUMUNITTYPES; i++) {
        spellunits[i] = unittyperec{};
        spellunits[i].healthmax = 50;
        spellunits[i].movementmax = 60;
        spellunits[i].damagemin = 1;
        spellunits[i].damagemax = 2;
        spellunits[i].rangemax = 1;
        spellunits[i].picno = 0;
        unittype[i] = &spellunits[i];
    }
    spellunits[0].healthmax = 30;
    spellunits[1].healthmax = 40;
    spellunits[3].unitclass = CLASS_THIEF;
    spellunits[6].healthmax = 70;
    for (int i = 0; i < NUMITEMTYPES; i++) {
        spellitems[i] = itemtyperec{};
        itemtype[i] = &spellitems[i];
    }
    spellitems[SPELLWALL].blockspassage = spellitems[SPELLWALL].blockssight = 1;
    for (int i = SPELLANIMATED; i < SPELLANIMATED + 40; i++) spellitems[i].animation = 1;
    spellitems[4021].brightness = GLOWBRIGHTNESS;
    for (int i = 0; i < NUMLANDTYPES; i++) {
        spellland[i] = landtyperec{};
        landtype[i] = &spellland[i];
    }
}

static void pictures() {
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/bitmaps/spells");
    writesolidbmp("bitmaps/window.bmp", 600, 440, 0x303030);
    for (int k = 0; k < 8; k++) {
        char name[48];
        std::snprintf(name, sizeof name, "bitmaps/spells/heal%d.bmp", k);
        writesolidbmp(name, 40, 70, 0x40C060);
    }
    writesolidbmp("bitmaps/greenspot.bmp", 48, 32, 0x20A020);
    initsprite(40, "bitmaps\\greenspot.bmp");
    for (int f = 0; f < NUMFONTS; f++) {
        spellfonts[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 9);
        font[f] = {glyphtables[f], spellfonts[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
}

void startspellworld() {
    starttestdisplay();
    allocgrids();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    types();
    pictures();
    initnpc();
    initdistancetable();
    initlighttables();
    initspells();
    resetgamerandom();
    resetpathfinder();
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    for (int p = 0; p < NUMPLAYERS; p++)
        for (i32 i = 0; i < MAPCELLS; i++) vistoplayer[p][i] = 1;
    soundenabled = 0;
    lighting = 1;
    tickcount = 1000;
    computerthinking = 0;
    gamepaused = 0;
    gamestate = GS_COMBAT;
    mousex = 320, mousey = 200;
    lbuttondown = rbuttondown = 0;
    clickedtomove = clickedtoattack = 0;
    autogather = 0;
    spellmessage = "";
    int leader = placeunit(1, 0, HOMEX, HOMEY);
    EXPECT_EQ(leader, 1);
    npcrec& l = *npc[1];
    l.health = l.healthmax = 2000;
    l.fatigue = l.fatiguemax = 200;
    l.magic = l.magicmax = 20;
    curnpc = 1;
    scx = HOMEX, scy = HOMEY;
    setcursormode(1);
}

int placeunit(int type, int player, i32 x, i32 y) {
    int s = createnpc((u32)type, x, y, player);
    EXPECT_GT(s, 0);
    npc[s]->state = NPC_IDLE;
    npc[s]->facing = 4;
    npcmap[cellat(x, y)] = (u16)s;
    return s;
}
