// Line of sight and missiles: what blocks a line, how a missile moves from
// cell to cell, whom it hits and where it ends.
#include <gtest/gtest.h>

#include <vector>

#include "app/timer.h"
#include "game/combat.h"
#include "game/missile.h"
#include "game/sight.h"
#include "testenv.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

static std::vector<itemtyperec> sightitems(NUMITEMTYPES);
static std::vector<unittyperec> sightunits(NUMUNITTYPES);

// Item 1 blocks sight, item 2 only passage.
static void startsight() {
    starttestplatform();
    allocgrids();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        sightunits[i] = unittyperec{};
        sightunits[i].healthmax = 100;
        unittype[i] = &sightunits[i];
    }
    initnpc();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        sightitems[i] = itemtyperec{};
        itemtype[i] = &sightitems[i];
    }
    sightitems[1].blockssight = 1;
    sightitems[2].blockspassage = 1;
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
}

static int unitat(int player, i32 x, i32 y) {
    int s = createnpc(0, x, y, player);
    npc[s]->state = NPC_IDLE;
    npcmap[y * 256 + x] = (u16)s;
    return s;
}

static u32 off(i32 x, i32 y) { return (u32)(y * 256 + x); }

TEST(Sight, NeighboursAlwaysSeeEachOtherAndWallsBlock) {
    startsight();
    itemmap[off(51, 50)] = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(51, 50)), 1u);
    EXPECT_EQ(lineofsight(off(50, 50), off(52, 50)), 0u);
    EXPECT_EQ(lineofsight(off(50, 50), off(50, 60)), 1u);
    itemmap[off(51, 50)] = 2; // blocks passage, not sight
    EXPECT_EQ(lineofsight(off(50, 50), off(58, 50)), 1u);
    // A line at a slant: (50,50) to (56,53) steps half a row a column, and
    // a half rounds up: it passes (53,52), not the (53,51) that cutting the
    // fraction off would give.
    itemmap[off(51, 50)] = 0;
    itemmap[off(53, 51)] = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(56, 53)), 1u) << "(53,51) is off the line";
    itemmap[off(53, 51)] = 0;
    itemmap[off(53, 52)] = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(56, 53)), 0u) << "(53,52) is on it";
    itemmap[off(53, 52)] = 0;
    // Two thirds of a row a column: the first step, at 50 2/3, is in row 51.
    itemmap[off(51, 51)] = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(53, 52)), 0u);
    itemmap[off(51, 51)] = 0;
    itemmap[off(51, 50)] = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(53, 52)), 1u);
}

TEST(Sight, UnitsBlockUnlessHiddenOnTheComputersSide) {
    startsight();
    int thief = unitat(1, 53, 50);
    EXPECT_EQ(lineofsight(off(50, 50), off(58, 50)), 0u);
    npc[thief]->hidden = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(58, 50)), 1u);
    npc[thief]->player = 0;
    EXPECT_EQ(lineofsight(off(50, 50), off(58, 50)), 0u);
    npc[thief]->hidden = 2; // hiding but lit: seen
    npc[thief]->player = 1;
    EXPECT_EQ(lineofsight(off(50, 50), off(58, 50)), 0u);
}

TEST(Sight, LinesToTheEdgeNeverLeaveTheMap) {
    startsight();
    EXPECT_EQ(lineofsight(off(2, 2), off(0, 0)), 1u);
    EXPECT_EQ(lineofsight(off(250, 250), off(255, 255)), 1u);
    EXPECT_EQ(lineofsight(off(5, 5), 70000), 0u);
}

TEST(Missiles, FlyEastThreeQuartersOfACellAFrame) {
    startsight();
    int archer = unitat(0, 50, 50);
    ASSERT_EQ(launchmissile(50, 50, 60, 50, MISSILE_ARROW, 30.0f, 5, archer), 1u);
    EXPECT_EQ(missile[0].xstep, 30.0f);
    EXPECT_EQ(missile[0].ystep, 0.0f);
    EXPECT_EQ(missile[0].dir, 3);
    updatemissiles();
    EXPECT_EQ(missile[0].x, 51);
    EXPECT_EQ(missile[0].offx, 10.0f);
    EXPECT_EQ(missile[0].offy, 20.0f);
    EXPECT_EQ(missile[0].frame, 1);
    EXPECT_EQ(launchmissile(50, 50, 50, 50, MISSILE_ARROW, 30.0f, 5, archer), 0u) << "no direction";
    for (int i = 1; i < MAXMISSILES; i++) ASSERT_EQ(launchmissile(50, 50, 40, 40, MISSILE_ARROW, 30.0f, 1, archer), 1u);
    EXPECT_EQ(launchmissile(50, 50, 40, 40, MISSILE_ARROW, 30.0f, 1, archer), 0u) << "all 32 fly";
}

TEST(Missiles, PassFriendsAndTheDyingHitTheFirstEnemy) {
    startsight();
    int archer = unitat(0, 50, 50);
    int friendly = unitat(0, 52, 50);
    int dying = unitat(1, 53, 50);
    npc[dying]->state = NPC_DYING;
    int enemy = unitat(2, 55, 50);
    int behind = unitat(2, 57, 50);
    launchmissile(50, 50, 60, 50, MISSILE_ARROW, 30.0f, 7, archer);
    for (int i = 0; i < 20 && missile[0].isused; i++) updatemissiles();
    EXPECT_FALSE(missile[0].isused);
    EXPECT_EQ(npc[friendly]->health, 100);
    EXPECT_EQ(npc[dying]->health, 100);
    EXPECT_EQ(npc[enemy]->health, 93);
    EXPECT_EQ(npc[behind]->health, 100);
    EXPECT_TRUE(damagenumber[0].active);
    EXPECT_EQ(damagenumber[0].value, 7);
    EXPECT_EQ(damagenumber[0].cell, (i32)off(55, 50));
    EXPECT_EQ(damagenumber[0].mode, 0);
}

TEST(Missiles, AWallEndsTheFlightButAnEnemyOnItIsStillHit) {
    startsight();
    int mage = unitat(1, 50, 50);
    itemmap[off(50, 54)] = 1;
    unitat(0, 10, 10); // the leader, elsewhere
    int onwall = unitat(0, 50, 54);
    launchmissile(50, 50, 50, 60, MISSILE_MAGIC, 30.0f, 9, mage);
    for (int i = 0; i < 20 && missile[0].isused; i++) updatemissiles();
    EXPECT_FALSE(missile[0].isused);
    EXPECT_EQ(npc[onwall]->health, 91);
    EXPECT_EQ(damagenumber[0].mode, 0);
    npcmap[off(50, 54)] = 0;
    launchmissile(50, 50, 50, 60, MISSILE_MAGIC, 30.0f, 9, mage);
    for (int i = 0; i < 20 && missile[0].isused; i++) updatemissiles();
    EXPECT_EQ(missile[0].y, 54) << "the wall's cell is where it ends";
}

TEST(Missiles, SparksLiveEightFramesAndAMissileEndsAtTheMapEdge) {
    startsight();
    int mage = unitat(1, 50, 50);
    // A long flight east: the first spark follows from its start to its end.
    launchmissile(50, 50, 150, 50, MISSILE_MAGIC, 30.0f, 1, mage);
    for (int i = 0; i < 30 && !missile[0].trailactive[0]; i++) updatemissiles();
    ASSERT_TRUE(missile[0].trailactive[0]) << "one in two frames starts a spark";
    EXPECT_EQ(missile[0].trailage[0], 1) << "a spark ages in the frame it starts";
    f32 startdx = missile[0].traildx[0];
    for (u8 age = 2; age <= 7; age++) {
        updatemissiles();
        ASSERT_TRUE(missile[0].isused);
        EXPECT_TRUE(missile[0].trailactive[0]) << "still alive at age " << (int)age;
        EXPECT_EQ(missile[0].trailage[0], age);
    }
    EXPECT_EQ(missile[0].traildx[0], startdx + 6 * 15.0f) << "drifting half the missile's step a frame";
    updatemissiles();
    EXPECT_FALSE(missile[0].trailactive[0]) << "gone at age 8";
    EXPECT_EQ(missile[0].trailage[0], 8);
    EXPECT_EQ(missile[0].traildx[0], 0.0f);
    clearmissiles();
    launchmissile(3, 3, 0, 0, MISSILE_MAGIC, 30.0f, 1, mage);
    for (int i = 0; i < 40 && missile[0].isused; i++) updatemissiles();
    EXPECT_FALSE(missile[0].isused) << "flying off the map ends it";
}

TEST(Missiles, TheLeaderHitShowsARisingNumberOthersMayCry) {
    startsight();
    int archer = unitat(1, 50, 50);
    int leader = createnpc(0, 55, 50, 0);
    ASSERT_EQ(leader, 1);
    npc[1]->state = NPC_IDLE;
    npcmap[off(55, 50)] = 1;
    launchmissile(50, 50, 60, 50, MISSILE_ARROW, 30.0f, 3, archer);
    for (int i = 0; i < 20 && missile[0].isused; i++) updatemissiles();
    EXPECT_EQ(damagenumber[0].mode, 1);
    // A wounded enemy cries now and then, in one cloud at a time.
    int victim = unitat(2, 70, 70);
    npc[victim]->health = 25; // a quarter of 100
    tickcount = 5000;
    int tries = 0;
    while (!npc[victim]->cloudslot && tries < 500) cryforhelp(victim), tries++;
    ASSERT_NE(npc[victim]->cloudslot, 0) << "one in twelve calls cries";
    EXPECT_GT(tries, 1);
    int r = npc[victim]->cloudslot;
    EXPECT_GE(r, 2);
    EXPECT_EQ(cloud[r].slot, victim);
    EXPECT_EQ(npc[victim]->nextcry, 5400u);
    std::string said = cloud[r].text;
    EXPECT_TRUE(said == "Somebody help me!" || said == "You're gonna pay now ..." || said == "Help!") << said;
    closecloud(r);
    EXPECT_EQ(npc[victim]->cloudslot, 0);
    for (int i = 0; i < 300; i++) cryforhelp(victim);
    EXPECT_EQ(npc[victim]->cloudslot, 0) << "not again before 800 ticks after the last";
    tickcount = 6201;
    npc[victim]->health = 26;
    for (int i = 0; i < 300; i++) cryforhelp(victim);
    EXPECT_EQ(npc[victim]->cloudslot, 0) << "only below a quarter of its health";
    tickcount = 0;
}
