// The path search: costs, the corner rule, ties, stopping in range, the cut
// at 63 steps, and the same answer as the plain linked-list search on
// hundreds of random searches.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "app/memory.h"
#include "app/timer.h"
#include "game/facing.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "pathreference.h"
#include "testenv.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

static std::vector<itemtyperec> pathitems(NUMITEMTYPES);
static std::vector<unittyperec> pathunits(NUMUNITTYPES);

// Item 1 is a wall, item 2 a wall the computer may push through (cost 3),
// item 3 blocks sight only. Unit type 0 is a fighter (range 1), 1 an archer
// (range 2..6), 2 a thief.
static void startpaths() {
    starttestplatform();
    allocgrids();
    initnpc();
    initdistancetable();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        pathitems[i] = itemtyperec{};
        itemtype[i] = &pathitems[i];
    }
    pathitems[1].blockspassage = pathitems[1].blockssight = 1;
    pathitems[2].blockspassage = 1;
    pathitems[2].passcost = 3;
    pathitems[3].blockssight = 1;
    for (int i = 0; i < NUMUNITTYPES; i++) {
        pathunits[i] = unittyperec{};
        pathunits[i].rangemax = 1;
        unittype[i] = &pathunits[i];
    }
    pathunits[1].unitclass = CLASS_ARCHER;
    pathunits[1].rangemin = 2;
    pathunits[1].rangemax = 6;
    pathunits[2].unitclass = CLASS_THIEF;
    computerthinking = 0;
    stopinrange = 0;
    curnpc = createnpc(0, 10, 10, 0);
    npc[curnpc]->state = NPC_IDLE;
}

static void putnpc(int slot, i32 x, i32 y) {
    npc[slot]->x = (i16)x;
    npc[slot]->y = (i16)y;
    npc[slot]->mapoff = (u32)(y * 256 + x);
    npcmap[y * 256 + x] = (u16)slot;
}

static std::string steps() {
    std::string s;
    for (u8 c : pathbuf) {
        if (c == PATHEND) break;
        s += (char)('0' + c);
    }
    return s;
}

TEST(PathFind, StraightAndDiagonalCostsAndTheSameCell) {
    startpaths();
    ASSERT_TRUE(findpath(50, 50, 60, 50));
    EXPECT_EQ(pathcost, 40);
    EXPECT_EQ(steps(), "3333333333");
    ASSERT_TRUE(findpath(50, 50, 60, 60));
    EXPECT_EQ(pathcost, 60);
    EXPECT_EQ(steps(), "4444444444");
    ASSERT_TRUE(findpath(70, 70, 70, 70));
    EXPECT_EQ(steps(), "");
    for (u8 c : pathbuf) ASSERT_EQ(c, PATHEND);
}

TEST(PathFind, WallsAreWalkedAroundAndCornersAreNotCut) {
    startpaths();
    for (int y = 40; y <= 60; y++) itemmap[y * 256 + 55] = 1;
    ASSERT_TRUE(findpath(50, 50, 60, 50));
    EXPECT_GT(pathcost, 40);
    // Two walls meeting at a corner: the diagonal between them is refused.
    startpaths();
    itemmap[101 * 256 + 100] = 1;
    itemmap[100 * 256 + 101] = 1;
    ASSERT_TRUE(findpath(100, 100, 101, 101));
    EXPECT_GT(pathcost, 6) << steps();
    EXPECT_NE(steps(), "4");
    // Walls the computer may pass at a cost: the corner costs 3 x 8.
    itemmap[101 * 256 + 100] = 2;
    itemmap[100 * 256 + 101] = 2;
    ASSERT_TRUE(findpath(100, 100, 101, 101));
    EXPECT_EQ(steps(), "4");
    EXPECT_EQ(pathcost, 24);
}

TEST(PathFind, ComputerPushesThroughWallsWithAPassageCostHumansCannot) {
    startpaths();
    for (int y = 0; y < 256; y++) itemmap[y * 256 + 55] = 2;
    EXPECT_FALSE(findpath(50, 50, 60, 50));
    for (u8 c : pathbuf) ASSERT_EQ(c, PATHEND);
    computerthinking = 1;
    ASSERT_TRUE(findpath(50, 50, 60, 50));
    EXPECT_EQ(pathcost, 9 * 4 + 24);
}

TEST(PathFind, UnitsBlockExceptTheSearcherAndHiddenEnemies) {
    startpaths();
    int enemy = createnpc(0, 0, 0, 1);
    for (int y = 0; y < 256; y++) itemmap[y * 256 + 30] = 1;
    itemmap[20 * 256 + 30] = 0; // one gap
    putnpc(enemy, 30, 20);
    putnpc(curnpc, 25, 20);
    EXPECT_FALSE(findpath(25, 20, 35, 20));
    npc[enemy]->hidden = 1;
    EXPECT_TRUE(findpath(25, 20, 35, 20));
    npc[enemy]->player = 0; // a hidden friend is still in the way
    EXPECT_FALSE(findpath(25, 20, 35, 20));
}

TEST(PathFind, AGoalSurroundedByUnitsIsRefusedAtOnceUnlessAdjacent) {
    startpaths();
    int slot = 2;
    for (int c = 1; c <= 8; c++) {
        int s = createnpc(0, 0, 0, 1 + (c > 4));
        ASSERT_GT(s, 0);
        putnpc(s, 80 + facingdx[c], 80 + facingdy[c]);
        slot = s;
    }
    (void)slot;
    EXPECT_FALSE(findpath(60, 60, 80, 80));
    EXPECT_EQ(pathnodes, 0);
    // From a neighbour the search runs (the start cell is the searcher's).
    npcmap[79 * 256 + 79] = (u16)curnpc;
    putnpc(curnpc, 79, 79);
    EXPECT_TRUE(findpath(79, 79, 80, 80));
    EXPECT_EQ(steps(), "4");
}

TEST(PathFind, StopsInRangeFightersAnywhereArchersOnlyWithSight) {
    startpaths();
    stopinrange = 1;
    goalx = 100, goaly = 50;
    ASSERT_TRUE(findpath(80, 50, 100, 50));
    EXPECT_EQ(steps().size(), 19u) << "a fighter stops next to the goal";
    npc[curnpc]->unitno = 1;
    ASSERT_TRUE(findpath(80, 50, 100, 50));
    EXPECT_EQ(steps().size(), 14u) << "an archer stops six cells away";
    // A sight-blocking column between: the archer has to come round it.
    for (int y = 40; y <= 60; y++) itemmap[y * 256 + 97] = 3;
    itemmap[50 * 256 + 97] = 0;
    ASSERT_TRUE(findpath(80, 50, 100, 50));
    EXPECT_EQ(steps().size(), 14u) << "the gap gives sight along the row";
    itemmap[50 * 256 + 97] = 3;
    ASSERT_TRUE(findpath(80, 50, 100, 50));
    EXPECT_GT(steps().size(), 14u);
    stopinrange = 0;
}

TEST(PathFind, LongPathsAreCutAtSixtyThreeSteps) {
    startpaths();
    ASSERT_TRUE(findpath(10, 100, 110, 100));
    EXPECT_EQ(pathcost, 400);
    EXPECT_EQ(steps().size(), 63u);
}

TEST(PathFind, NodesAndStackAreGivenBackToTheMemoryCount) {
    startpaths();
    for (int y = 30; y <= 90; y++) itemmap[y * 256 + 60] = 1;
    u32 before = memoryused;
    ASSERT_TRUE(findpath(50, 60, 70, 60));
    EXPECT_GT(pathnodes, 100);
    EXPECT_EQ(memoryused, before);
}

TEST(CellDistance, TableEdges) {
    startpaths();
    EXPECT_EQ(celldistance(100, 100, 124, 100), 35);
    EXPECT_EQ(celldistance(100, 100, 76, 100), 24);
    EXPECT_EQ(celldistance(100, 100, 123, 100), 23);
    EXPECT_EQ(celldistance(100, 100, 103, 104), 5);
    EXPECT_EQ(celldistance(100, 100, 101, 101), 1);
    EXPECT_EQ(celldistance(5, 5, 5, 5), 0);
    EXPECT_EQ(celldistance(0, 0, 70000, 0), 35) << "far cells wrap in 16 bits the same way";
}

TEST(Facing, EverySector) {
    EXPECT_EQ(facingto(10, 10, 10, 10), 4);
    EXPECT_EQ(facingto(10, 10, 10, 0), 1);
    EXPECT_EQ(facingto(10, 10, 11, 0), 1);
    EXPECT_EQ(facingto(10, 10, 15, 5), 2);
    EXPECT_EQ(facingto(10, 10, 20, 6), 3);
    EXPECT_EQ(facingto(10, 10, 20, 10), 3);
    EXPECT_EQ(facingto(10, 10, 15, 15), 4);
    EXPECT_EQ(facingto(10, 10, 9, 20), 5);
    EXPECT_EQ(facingto(10, 10, 5, 15), 6);
    EXPECT_EQ(facingto(10, 10, 0, 10), 7);
    EXPECT_EQ(facingto(10, 10, 0, 6), 7);
    EXPECT_EQ(facingto(10, 10, 5, 5), 8);
    for (int c = 1; c <= 8; c++) EXPECT_EQ(facingofstep(facingdx[c], facingdy[c]), c);
}

// Random worlds inside a walled 44 x 44 yard (so that a search with no way
// through stays small enough for the plain search): walls, costly walls,
// units of every side (some hidden), light, a thief or an archer searching,
// both variants, in-range stops.
TEST(PathFind, GivesThePlainSearchsAnswerOnHundredsOfSearches) {
    startpaths();
    u32 seed = 12345;
    auto rnd = [&](u32 n) {
        seed = seed * 1664525u + 1013904223u;
        return (i32)((seed >> 8) % n);
    };
    const i32 lo = 40, size = 44;
    int differ = 0, found = 0;
    referenceclosedimprovements = 0;
    for (int world = 0; world < 12; world++) {
        std::memset(itemmap, 0, MAPCELLS * 2);
        std::memset(npcmap, 0, MAPCELLS * 2);
        initnpc();
        for (int i = 0; i < MAPCELLS; i++) lightmap[i] = (u8)rnd(16);
        for (i32 k = lo - 1; k <= lo + size; k++) {
            itemmap[(lo - 1) * 256 + k] = itemmap[(lo + size) * 256 + k] = 1;
            itemmap[k * 256 + lo - 1] = itemmap[k * 256 + lo + size] = 1;
        }
        int walls = 20 + world * 12;
        for (int i = 0; i < walls; i++) {
            i32 x = lo + rnd(size), y = lo + rnd(size), len = 1 + rnd(10);
            bool across = rnd(2);
            u16 item = (u16)(1 + rnd(3));
            for (int k = 0; k < len; k++) {
                i32 cx = x + (across ? k : 0), cy = y + (across ? 0 : k);
                if (cx < lo + size && cy < lo + size) itemmap[cy * 256 + cx] = item;
            }
        }
        for (int i = 0; i < 40; i++) {
            int s2 = createnpc(0, 0, 0, rnd(4));
            if (!s2) continue;
            putnpc(s2, lo + rnd(size), lo + rnd(size));
            npc[s2]->hidden = (u8)rnd(3);
        }
        curnpc = createnpc(0, 0, 0, 0);
        ASSERT_GT(curnpc, 0);
        for (int search = 0; search < 30; search++) {
            i32 x0 = lo + rnd(size), y0 = lo + rnd(size), x1 = lo + rnd(size), y1 = lo + rnd(size);
            if (search % 3 == 0) x1 = x0 + rnd(9) - 4, y1 = y0 + rnd(9) - 4;
            npc[curnpc]->unitno = (u32)rnd(3);
            npc[curnpc]->brightness = (u8)(rnd(3) == 0 ? 4 : 0);
            computerthinking = (u32)rnd(2);
            stopinrange = (u8)rnd(2);
            goalx = x1, goaly = y1;
            referenceresult want = referencefindpath(x0, y0, x1, y1);
            bool got = findpath(x0, y0, x1, y1);
            bool same = got == want.found && std::memcmp(pathbuf, want.pathbuf, sizeof pathbuf) == 0 &&
                        (!got || pathcost == want.pathcost) && pathnodes == want.nodes;
            if (!same) differ++;
            EXPECT_TRUE(same) << "world " << world << " search " << search << " from " << x0 << "," << y0 << " to " << x1
                              << "," << y1 << " found " << got << "/" << want.found << " cost " << pathcost << "/"
                              << want.pathcost << " nodes " << pathnodes << "/" << want.nodes;
            found += got;
        }
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(found, 150) << "most searches find a path";
    EXPECT_GT(referenceclosedimprovements, 0) << "closed nodes were improved and passed it on";
}

// A thief in the dark makes shadow cost less than nothing; the computer's
// search then stops when its work is spent, the same way in both searches.
TEST(PathFind, TheComputersSearchStopsWhenItsWorkIsSpent) {
    startpaths();
    for (int i = 0; i < MAPCELLS; i++) lightmap[i] = 15;
    for (i32 k = 39; k <= 100; k++) {
        itemmap[39 * 256 + k] = itemmap[100 * 256 + k] = 1;
        itemmap[k * 256 + 39] = itemmap[k * 256 + 100] = 1;
    }
    for (int c = 1; c <= 8; c++) itemmap[(80 + facingdy[c]) * 256 + 80 + facingdx[c]] = 1; // a walled-in goal
    npc[curnpc]->unitno = 2;
    npc[curnpc]->brightness = 0;
    computerthinking = 1;
    referenceresult want = referencefindpath(45, 45, 80, 80);
    bool got = findpath(45, 45, 80, 80);
    EXPECT_FALSE(got);
    EXPECT_FALSE(want.found);
    EXPECT_EQ(pathnodes, want.nodes);
    EXPECT_LT(pathnodes, 3600) << "it gave up before reaching every cell of the yard";
    computerthinking = 0;
}

// Shadow makes a dark thief's steps cheap, never cheaper than nothing, so no
// improvement can hand a cell's parent round in a loop: among dark patches
// in light every search finds its way, and every path given is a plain walk
// from the start that never meets a cell twice and ends at the goal.
TEST(PathFind, ADarkThiefsPathsArePlainWalksToTheGoal) {
    startpaths();
    npc[curnpc]->unitno = 2;
    computerthinking = 1;
    u32 seed = 777;
    auto rnd = [&](u32 n) {
        seed = seed * 1664525u + 1013904223u;
        return (i32)((seed >> 8) % n);
    };
    for (int i = 0; i < 300; i++) itemmap[(60 + rnd(40)) * 256 + 60 + rnd(40)] = 1;
    // Dark patches in light: some searches loop, some find their way.
    for (int i = 0; i < MAPCELLS; i++) lightmap[i] = (u8)((i / 256 / 8 + i % 256 / 8) % 2 ? 15 : 2);
    int found = 0, refused = 0;
    for (int s = 0; s < 80; s++) {
        i32 x0 = 60 + rnd(40), y0 = 60 + rnd(40), x1 = x0 + rnd(21) - 10, y1 = y0 + rnd(21) - 10;
        if (itemmap[y0 * 256 + x0] || itemmap[y1 * 256 + x1]) continue;
        goalx = x1, goaly = y1;
        npc[curnpc]->brightness = (u8)(s % 2 ? 4 : 0); // a lit thief walks as anyone does
        putnpc(curnpc, x0, y0);
        bool got = findpath(x0, y0, x1, y1);
        npcmap[y0 * 256 + x0] = 0;
        if (!got) {
            refused++;
            for (u8 step : pathbuf) ASSERT_EQ(step, PATHEND) << "a refused search leaves no steps";
            continue;
        }
        found++;
        std::set<i32> seen = {y0 * 256 + x0};
        i32 x = x0, y = y0;
        for (int k = 0; k < MAXPATHSTEPS && pathbuf[k] != PATHEND; k++) {
            ASSERT_GE(pathbuf[k], 1);
            ASSERT_LE(pathbuf[k], 8);
            x += facingdx[pathbuf[k]], y += facingdy[pathbuf[k]];
            EXPECT_EQ(itemmap[y * 256 + x], 0) << "no step into a wall";
            EXPECT_TRUE(seen.insert(y * 256 + x).second) << "search " << s << " meets " << x << "," << y << " twice";
        }
        if (pathbuf[MAXPATHSTEPS - 1] == PATHEND) {
            EXPECT_TRUE(x == x1 && y == y1) << "search " << s << " ends at its goal";
        }
    }
    EXPECT_GT(found, 50);
    EXPECT_EQ(refused, 0);
    computerthinking = 0;
}

// The clock as the computer's search sees it: one tick on every so many
// nodes taken.
static int popped, popspertick;
static void tickonpops() {
    if (++popped % popspertick == 0) ++tickcount;
}

static int popsof(i32 x0, i32 y0, i32 x1, i32 y1, int pertick, bool* found) {
    popped = 0;
    popspertick = pertick;
    pathsearchwatch = tickonpops;
    *found = findpath(x0, y0, x1, y1);
    pathsearchwatch = nullptr;
    return popped;
}

// The computer's search gives up at the first node it takes once the clock
// stands more than two ticks past its start; two ticks are allowed, and
// the player's own search runs to its end however long it takes.
TEST(PathFind, TheComputersSearchGivesUpWhenTheClockPassesTwoTicks) {
    startpaths();
    for (int c = 1; c <= 8; c++) itemmap[(120 + facingdy[c]) * 256 + 120 + facingdx[c]] = 1; // a walled-in goal
    computerthinking = 1;
    bool found = true;
    int untimed = popsof(60, 60, 120, 120, 1 << 30, &found);
    EXPECT_FALSE(found);
    EXPECT_GT(untimed, 1000) << "without the clock only the work ends it";
    EXPECT_EQ(popsof(60, 60, 120, 120, 50, &found), 150) << "the third tick came with the 150th node";
    EXPECT_FALSE(found);
    for (u8 c : pathbuf) ASSERT_EQ(c, PATHEND);
    // Two ticks while it runs, and it still finds its way.
    i32 freeway = popsof(60, 60, 100, 60, 1 << 30, &found);
    ASSERT_TRUE(found);
    ASSERT_GT(freeway, 3);
    EXPECT_EQ(popsof(60, 60, 100, 60, freeway / 2, &found), freeway);
    EXPECT_TRUE(found) << "two ticks passed: " << tickcount;
    EXPECT_EQ(popsof(60, 60, 100, 60, freeway / 3, &found), freeway / 3 * 3);
    EXPECT_FALSE(found) << "three ticks passed";
    computerthinking = 0;
    EXPECT_EQ(popsof(60, 60, 100, 60, 1, &found), freeway);
    EXPECT_TRUE(found) << "the player's search is never timed";
}

// A thief without light hunting a quarry that carries one: across the dark
// he keeps off a lit road a fighter takes, and he finds his way into the
// quarry's light with a small search.
TEST(PathFind, ADarkThiefKeepsToShadowAndReachesHisQuarrysLight) {
    startpaths();
    for (i32 y = 0; y < 256; y++)
        for (i32 x = 0; x < 256; x++) {
            i32 d = celldistance(x, y, 100, 100);
            lightmap[y * 256 + x] = (u8)(d * 5 / 3 > 15 ? 15 : d * 5 / 3);
        }
    for (i32 x = 70; x < 92; x++) lightmap[100 * 256 + x] = 0; // lanterns along the road
    int quarry = createnpc(0, 0, 0, 0);
    putnpc(quarry, 100, 100);
    for (int type : {0, 2}) {
        npc[curnpc]->unitno = (u32)type;
        npc[curnpc]->brightness = 0;
        putnpc(curnpc, 70, 100);
        computerthinking = 1;
        stopinrange = 1;
        goalx = 100, goaly = 100;
        ASSERT_TRUE(findpath(70, 100, 100, 100)) << "type " << type;
        EXPECT_LT(pathnodes, 400) << "type " << type;
        int onroad = 0;
        i32 x = 70, y = 100;
        for (int k = 0; k < MAXPATHSTEPS && pathbuf[k] != PATHEND; k++) {
            x += facingdx[pathbuf[k]], y += facingdy[pathbuf[k]];
            onroad += y == 100 && x < 92;
        }
        EXPECT_EQ(celldistance(x, y, 100, 100), 1) << "type " << type << " ends beside the quarry";
        if (type == 0) EXPECT_EQ(onroad, 21) << "the fighter walks the road";
        else EXPECT_EQ(onroad, 0) << "the thief keeps to the shadow beside it";
        npcmap[y * 256 + x] = 0;
    }
    stopinrange = 0;
    computerthinking = 0;
}
