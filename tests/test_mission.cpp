// The mission's rules: melee, death into remains and gold, the hunt with
// sight and leading shots, errands' items, pausing, the map's animation.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "app/random.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/facing.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "sound/dsound.h"
#include "testenv.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static std::vector<itemtyperec> missionitems(NUMITEMTYPES);
static std::vector<unittyperec> missionunits(NUMUNITTYPES);
static std::vector<landtyperec> missionland(NUMLANDTYPES);

// Types: 0 skeleton (fighter, 5..8 damage), 1 the leader's, 2 archer
// (range 1..8), 4 mage. Item 1 is a wall, 175/177 chests, 180 gold, 181 a
// potion, 4000..4015 remains.
static void startrules() {
    starttestdisplay();
    allocgrids();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        missionunits[i] = unittyperec{};
        missionunits[i].healthmax = 40;
        missionunits[i].movementmax = 50;
        missionunits[i].damagemin = 5;
        missionunits[i].damagemax = 8;
        missionunits[i].rangemax = 1;
        unittype[i] = &missionunits[i];
    }
    missionunits[2].unitclass = CLASS_ARCHER;
    missionunits[2].rangemin = 1;
    missionunits[2].rangemax = 8;
    missionunits[4].unitclass = CLASS_MAGE;
    missionunits[4].rangemin = 1;
    missionunits[4].rangemax = 8;
    for (int i = 0; i < NUMITEMTYPES; i++) {
        missionitems[i] = itemtyperec{};
        itemtype[i] = &missionitems[i];
    }
    missionitems[1].blockspassage = missionitems[1].blockssight = 1;
    for (int i : {175, 176, 177, 178}) missionitems[i].blockspassage = 1, missionitems[i].usable = 1;
    missionitems[180].takeable = missionitems[181].takeable = 1;
    for (int i = 0; i < NUMLANDTYPES; i++) {
        missionland[i] = landtyperec{};
        landtype[i] = &missionland[i];
    }
    initnpc();
    initdistancetable();
    initlighttables();
    resetgamerandom();
    resetpathfinder();
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    soundenabled = 0;
    tickcount = 1000;
    curnpc = 1;
    computerthinking = 0;
    gamepaused = 0;
}

static int place(int type, int player, i32 x, i32 y) {
    int s = createnpc((u32)type, x, y, player);
    EXPECT_GT(s, 0);
    npc[s]->state = NPC_IDLE;
    npc[s]->facing = 4;
    npcmap[y * 256 + x] = (u16)s;
    return s;
}

TEST(Mission, MeleeHitsOrMissesTheUnitOnTheAttackedCell) {
    startrules();
    int leader = place(1, 0, 50, 50);
    int enemy = place(0, 1, 51, 50);
    int hits = 0, total = 0;
    for (int round = 0; round < 40; round++) {
        npcrec& l = *npc[leader];
        l.state = NPC_ATTACKING;
        l.frame = 0;
        l.fatigue = 50;
        l.destx = 51, l.desty = 50, l.destoff = 50 * 256 + 51;
        i32 before = npc[enemy]->health = 1000;
        for (int f = 0; f < 15; f++) npcactivity(leader);
        EXPECT_EQ(l.state, NPC_IDLE);
        EXPECT_EQ(l.fatigue, 46) << "an attack costs four";
        EXPECT_EQ(l.facing, 3);
        i32 dealt = before - npc[enemy]->health;
        if (dealt) {
            hits++;
            EXPECT_GE(dealt, 5);
            EXPECT_LE(dealt, 8 + 9) << "the leader adds up to nine";
        }
        total++;
    }
    EXPECT_GT(hits, 5);
    EXPECT_LT(hits, total - 5) << "about half the blows miss";
    // Nobody on the cell: the blow falls on nothing. The enemy has stepped
    // to another side of the leader, and the leader looks away from both.
    npcmap[50 * 256 + 51] = 0;
    npc[enemy]->y = 51, npc[enemy]->mapoff = 51 * 256 + 50;
    npcmap[51 * 256 + 50] = (u16)enemy;
    npc[enemy]->health = 1000;
    npc[leader]->state = NPC_ATTACKING;
    npc[leader]->frame = 0;
    npc[leader]->facing = 2;
    for (int f = 0; f < 14; f++) npcactivity(leader);
    ASSERT_EQ(npc[leader]->state, NPC_ATTACKING) << "the blow falls with the fifteenth frame";
    u32 dice = getgamerandomstate();
    npcactivity(leader);
    EXPECT_EQ(npc[leader]->state, NPC_IDLE);
    EXPECT_EQ(npc[leader]->frame, 0);
    EXPECT_EQ(npc[leader]->facing, 2) << "no victim to turn to";
    EXPECT_EQ(getgamerandomstate(), dice) << "no roll to hit or for damage";
    EXPECT_EQ(npc[enemy]->health, 1000) << "the unit beside the empty cell is not hit";
}

TEST(Mission, TheDeadLeaveRemainsAndTheirGoldButTheLeaderKeepsHis) {
    startrules();
    int leader = place(1, 0, 60, 60);
    int enemy = place(0, 1, 70, 70);
    itemmap[70 * 256 + 70] = 0;
    itemmap[69 * 256 + 70] = 1; // the cell above is taken: the gold goes right
    npc[enemy]->health = 0;
    npc[enemy]->thinkdelay = 30; // it would hunt before it falls
    npc[leader]->health = -5;
    simulationstep();
    EXPECT_EQ(npc[enemy]->state, NPC_DYING);
    EXPECT_EQ(npc[leader]->state, NPC_DYING);
    EXPECT_EQ(npc[leader]->health, 0);
    for (int f = 0; f < 16; f++) simulationstep();
    EXPECT_EQ(npc[enemy]->state, NPC_DEAD);
    EXPECT_EQ(npcmap[70 * 256 + 70], 0);
    EXPECT_EQ(itemmap[70 * 256 + 70], 4015);
    EXPECT_EQ(itemmap[70 * 256 + 71], 180);
    EXPECT_EQ(itemmap[60 * 256 + 60], 4015);
    EXPECT_EQ(itemmap[59 * 256 + 60], 0) << "no gold from the leader";
    EXPECT_EQ(itemmap[60 * 256 + 61], 0);
}

TEST(Mission, DropItemTriesTheCellThenUpRightLeftDown) {
    startrules();
    u32 at = 100 * 256 + 100;
    const u32 order[5] = {at, at - 256, at + 1, at - 1, at + 256};
    for (u32 k : order) {
        EXPECT_EQ(dropitem(7, at), 1u);
        EXPECT_EQ(itemmap[k], 7);
    }
    EXPECT_EQ(dropitem(7, at), 0u) << "five taken cells: lost";
    EXPECT_EQ(dropitem(7, 0), 1u) << "at the map's corner only cells on the map are tried";
    EXPECT_EQ(dropitem(8, 0), 1u);
    EXPECT_EQ(itemmap[1], 8);
}

TEST(Mission, ChestsOpenAndGoldGoesToTheLeader) {
    startrules();
    place(1, 0, 10, 10);
    itemmap[20 * 256 + 20] = 175;
    useitem(1, 20 * 256 + 20);
    EXPECT_EQ(itemmap[20 * 256 + 20], 176);
    u16 dropped = itemmap[20 * 256 + 21];
    EXPECT_TRUE(dropped == 180 || dropped == 181) << dropped;
    itemmap[30 * 256 + 30] = 177;
    useitem(1, 30 * 256 + 30);
    EXPECT_EQ(itemmap[30 * 256 + 30], 178);
    EXPECT_NE(itemmap[31 * 256 + 30], 0);
    itemmap[40 * 256 + 40] = 180;
    u32 gold = npc[1]->gold;
    pickupitem(1, 40 * 256 + 40);
    EXPECT_EQ(itemmap[40 * 256 + 40], 0);
    EXPECT_GE(npc[1]->gold, gold + 10);
    EXPECT_LE(npc[1]->gold, gold + 19);
}

TEST(Mission, HuntersCloseInAndStrikeWithinRangeAndSight) {
    startrules();
    int leader = place(1, 0, 100, 100);
    int skeleton = place(0, 1, 110, 100);
    npc[skeleton]->state = NPC_MOVING;
    huntrule(skeleton);
    EXPECT_EQ(npc[skeleton]->state, NPC_MOVING);
    EXPECT_EQ(npc[skeleton]->x, 109) << "one step toward the quarry";
    EXPECT_EQ(npc[skeleton]->facing, 7);
    // Next to the quarry: an attack.
    npcmap[100 * 256 + 109] = 0;
    npc[skeleton]->x = 101, npc[skeleton]->mapoff = 100 * 256 + 101;
    npcmap[100 * 256 + 101] = (u16)skeleton;
    npc[skeleton]->step = 0;
    huntrule(skeleton);
    EXPECT_EQ(npc[skeleton]->state, NPC_ATTACKING);
    EXPECT_EQ(npc[skeleton]->destoff, 100 * 256 + 100);
    EXPECT_EQ(npc[skeleton]->frame, 1) << "the attack begins in the same frame";
    // Too far: back to idle.
    int far = place(0, 1, 130, 100);
    npc[far]->state = NPC_MOVING;
    huntrule(far);
    EXPECT_EQ(npc[far]->state, NPC_IDLE);
    (void)leader;
}

TEST(Mission, ArchersLeadTheirShotAtAMovingQuarry) {
    startrules();
    int leader = place(1, 0, 100, 100);
    int archer = place(2, 1, 100, 106);
    npc[leader]->state = NPC_MOVING;
    npc[leader]->facing = 3; // walking east
    npc[leader]->running = 0;
    npc[archer]->state = NPC_MOVING;
    huntrule(archer);
    EXPECT_EQ(npc[archer]->state, NPC_ATTACKING);
    EXPECT_EQ(npc[archer]->destx, 103) << "six cells away, walking: three cells ahead";
    EXPECT_EQ(npc[archer]->desty, 100);
    npc[leader]->running = 1;
    npc[archer]->state = NPC_MOVING;
    huntrule(archer);
    EXPECT_EQ(npc[archer]->destx, 106) << "running: the whole distance ahead";
    // A wall between: no shot, a chase instead.
    for (int x = 90; x <= 110; x++) itemmap[103 * 256 + x] = 1;
    npc[archer]->state = NPC_MOVING;
    npc[archer]->frame = 0;
    huntrule(archer);
    EXPECT_NE(npc[archer]->state, NPC_ATTACKING);
}

TEST(Mission, AHunterAlreadyInRangeWithoutAPathStaysFacingItsWay) {
    // A fighter whose reach is three cells, two cells from its quarry behind
    // a wall: out of sight, so no blow, but its search stops in range at
    // once (a fighter needs no sight to be in range) and gives no step.
    startrules();
    missionunits[3].rangemax = 3;
    place(1, 0, 100, 100);
    int hunter = place(3, 1, 100, 102);
    for (int x = 95; x <= 105; x++) itemmap[101 * 256 + x] = 1;
    npc[hunter]->facing = 6;
    npc[hunter]->state = NPC_MOVING;
    huntrule(hunter);
    EXPECT_EQ(pathnodes, 1) << "the search ended at its start, in range";
    EXPECT_EQ(pathbuf[0], PATHEND);
    EXPECT_EQ(npc[hunter]->state, NPC_IDLE);
    EXPECT_EQ(npc[hunter]->facing, 6) << "the facing it had";
    EXPECT_EQ(npc[hunter]->x, 100);
    EXPECT_EQ(npc[hunter]->y, 102);
    EXPECT_EQ(npcmap[102 * 256 + 100], hunter);
}

// A hunter that finds no way to its quarry gives up idle, and leaves no
// trace of the computer's search behind for the searches after it.
TEST(Mission, AHunterWithNoWayLeavesTheSearchAsItFoundIt) {
    startrules();
    place(1, 0, 100, 100);
    int hunter = place(0, 1, 100, 106);
    for (int x = 0; x < 256; x++) itemmap[103 * 256 + x] = 1; // a wall across the map
    npc[hunter]->state = NPC_MOVING;
    huntrule(hunter);
    EXPECT_EQ(npc[hunter]->state, NPC_IDLE);
    EXPECT_EQ(npc[hunter]->y, 106);
    EXPECT_EQ(computerthinking, 0);
    EXPECT_EQ(stopinrange, 0);
}

TEST(Mission, AHunterWalksCellByCellAndStrikes) {
    startrules();
    place(1, 0, 100, 100);
    int skeleton = place(0, 1, 108, 100);
    bool attacked = false;
    for (int f = 0; f < 200 && !attacked; f++) {
        simulationstep();
        attacked = npc[skeleton]->state == NPC_ATTACKING;
    }
    EXPECT_TRUE(attacked);
    EXPECT_EQ(npc[skeleton]->y, 100);
    EXPECT_EQ(npc[skeleton]->x, 101) << "it came to the leader's side";
    EXPECT_EQ(npcmap[100 * 256 + 101], skeleton);
    EXPECT_EQ(npcmap[100 * 256 + 108], 0);
}

TEST(Mission, AnimatedItemsAndLandStepOnOnTheScreen) {
    startrules();
    scx = 100, scy = 100;
    missionitems[20].animation = 1;
    missionitems[23].animation = 3; // the last of a four-frame cycle
    missionland[40].animation = 1;
    missionland[47].animation = 8;
    itemmap[100 * 256 + 100] = 20;
    itemmap[100 * 256 + 101] = 23;
    landmap[100 * 256 + 102] = 40;
    landmap[100 * 256 + 103] = 47;
    itemmap[5 * 256 + 5] = 20; // far off screen
    mapanimationstep();
    EXPECT_EQ(itemmap[100 * 256 + 100], 21);
    EXPECT_EQ(itemmap[100 * 256 + 101], 21);
    EXPECT_EQ(landmap[100 * 256 + 102], 41);
    EXPECT_EQ(landmap[100 * 256 + 103], 40);
    EXPECT_EQ(itemmap[5 * 256 + 5], 20);
}
