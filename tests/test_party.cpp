// The player's party: its own paths, forming up, following, and the
// command passing on when the commanded unit falls.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

#include "app/cursor.h"
#include "app/input.h"
#include "app/timer.h"
#include "commandworld.h"
#include "game/activity.h"
#include "game/clickorders.h"
#include "game/combatinput.h"
#include "game/commands.h"
#include "game/facing.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/npcselect.h"
#include "game/party.h"
#include "game/pathfind.h"
#include "platform/winmsg.h"
#include "playrun.h"
#include "testenv.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/npc.h"

// A move order to the cell as the frame carries it out.
static void orderto(i32 x, i32 y) {
    pickat(x, y);
    setcursormode(1);
    lbuttondown = 1;
    combatinput(WM_LBUTTONDOWN, 0, 0);
    lbuttondown = 0;
    combatinput(WM_LBUTTONUP, 0, 0);
    clickedtomove = 1;
    simulationstep();
}

static void frames(int n) {
    for (int f = 0; f < n; f++) simulationstep();
}

static i32 apart(int a, int b) { return celldistance(npc[a]->x, npc[a]->y, npc[b]->x, npc[b]->y); }

TEST(Party, EachMemberWalksItsOwnPathWhenAnotherIsCommanded) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int thief = placeunit(3, 0, 100, 103);
    followtoggle = 1; // stay: only the orders move them
    clearpaths();
    orderto(104, 100);
    ASSERT_EQ(npc[leader]->state, NPC_MOVING);
    selectnpc(thief);
    orderto(100, 106);
    ASSERT_EQ(npc[thief]->state, NPC_MOVING);
    frames(200);
    EXPECT_EQ(npc[leader]->x, 104) << "the leader kept his own path";
    EXPECT_EQ(npc[leader]->y, 100);
    EXPECT_EQ(npc[thief]->x, 100);
    EXPECT_EQ(npc[thief]->y, 106);
    // Commanded again, the leader's finished path is his; the thief's is
    // parked, whole, from where he set out to where he stands.
    selectnpc(leader);
    EXPECT_EQ(npcpath[pathpos], PATHEND);
    i32 x = 100, y = 103;
    for (int i = 0; parkedpath[thief][i] != PATHEND; i++)
        x += facingdx[parkedpath[thief][i]], y += facingdy[parkedpath[thief][i]];
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 106);
}

TEST(Party, IdleMembersFollowTheCommandedUnitUnlessTheyAreToldToStay) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int cleric = placeunit(5, 0, 92, 100);
    clearpaths();
    followtoggle = 1;
    orderto(108, 100);
    frames(300);
    ASSERT_EQ(npc[leader]->x, 108);
    EXPECT_EQ(npc[cleric]->x, 92) << "told to stay, it stays";
    followtoggle = 0;
    frames(300);
    EXPECT_LE(apart(cleric, leader), FOLLOWFAR) << "following, it came back within reach";
    EXPECT_GE(apart(cleric, leader), FOLLOWNEAR) << "and stopped short of crowding him";
    EXPECT_EQ(npc[cleric]->state, NPC_IDLE);
    i32 x = npc[cleric]->x;
    frames(100);
    EXPECT_EQ(npc[cleric]->x, x) << "near enough, it stands";
}

TEST(Party, TheCommandPassesToALivingMemberWhenTheCommandedFalls) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int thief = placeunit(3, 0, 102, 100);
    int dead = placeunit(2, 0, 104, 100);
    npc[dead]->state = NPC_DEAD;
    npc[dead]->health = 0;
    selectnpc(thief);
    npc[thief]->health = 0;
    simulationstep();
    EXPECT_EQ(curnpc, leader) << "the next living member, the dead one skipped";
    EXPECT_EQ(npc[leader]->selected, 1);
    EXPECT_EQ(npc[thief]->selected, 0);
    // The last one falls: nobody is left to command, and curnpc stays.
    npc[leader]->health = 0;
    simulationstep();
    EXPECT_EQ(curnpc, leader);
}

TEST(Party, AMapUnitInTheLeadersSlotMovesToAFreeOneAndTheFormationHoldsEveryone) {
    startcommandworld();
    // The map put units of player 0 in slots 1 and 2.
    int first = placeunit(3, 0, 90, 90);
    int second = placeunit(5, 0, 92, 90);
    ASSERT_EQ(first, 1);
    ASSERT_EQ(second, 2);
    std::strcpy(npc[1]->name, "Wren");
    mapdata.homex[0] = 100, mapdata.homey[0] = 104, mapdata.homedir[0] = 1;
    ASSERT_TRUE(moveoutofslot1());
    EXPECT_FALSE(npc[1]->isused);
    EXPECT_STREQ(npc[3]->name, "Wren");
    EXPECT_EQ(npcmap[cellof(90, 90)], 3);
    // The leader comes into slot 1 and the party forms up, leader first.
    int leader = placeunit(1, 0, 50, 50);
    ASSERT_EQ(leader, 1);
    formparty();
    const i32 expect[3][2] = {{100, 104}, {102, 104}, {104, 104}};
    for (int s = 1; s <= 3; s++) {
        EXPECT_EQ(npc[s]->x, expect[s - 1][0]) << s;
        EXPECT_EQ(npc[s]->y, expect[s - 1][1]) << s;
        EXPECT_EQ(npcmap[npc[s]->mapoff], s) << s;
    }
    // No phantom: the grid names each member on its own cell alone.
    int named = 0;
    for (i32 c = 0; c < MAPCELLS; c++) named += npcmap[c] >= 1 && npcmap[c] <= SLOTSPERPLAYER;
    EXPECT_EQ(named, 3);
}

TEST(Party, WithThirtyTwoMembersTheMapUnitInSlotOneHasNowhereToGo) {
    startcommandworld();
    for (int i = 0; i < SLOTSPERPLAYER; i++) placeunit(3, 0, 60 + 2 * (i % 16), 60 + 2 * (i / 16));
    EXPECT_FALSE(moveoutofslot1());
    EXPECT_TRUE(npc[1]->isused);
}

// The demo's party as a player first sees it.
TEST(Party, TheDemoStartsWithTheLeaderAndThreeCompanionsInFormation) {
    std::string data = freshdata("party");
    std::string dump = data + "/../party.txt";
    run r = play(data, "10 move 320 252\n20 ldown\n22 lup\n30 dump " + dump + "\n40 key ESC\n50 key Y\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(readtext(dump));
    std::string line;
    std::map<int, std::pair<int, int>> at;
    std::map<int, int> types;
    while (std::getline(in, line)) {
        int slot, player, type, x, y;
        if (std::sscanf(line.c_str(), "npc %d player %d type %d at %d %d", &slot, &player, &type, &x, &y) == 5 &&
            player == 0)
            at[slot] = {x, y}, types[slot] = type;
    }
    ASSERT_EQ(at.size(), 4u);
    for (int s = 1; s <= 4; s++) {
        EXPECT_EQ(at[s].first, 115 + 2 * (s - 1)) << s;
        EXPECT_EQ(at[s].second, 117) << s;
    }
    EXPECT_EQ(types[1], 1);
    EXPECT_EQ(types[2], 3) << "a thief, who hides in shadows";
    EXPECT_EQ(types[3], 5) << "a cleric, who raises the dead";
}

TEST(Party, AMemberLeftToItselfStrikesAnEnemyWithinItsReach) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int cleric = placeunit(5, 0, 100, 102);
    int foe = placeunit(0, 1, 100, 103);
    int far = placeunit(0, 1, 108, 108);
    followtoggle = 1;
    clearpaths();
    frames(150);
    EXPECT_EQ(npc[cleric]->target, foe);
    EXPECT_LT(npc[foe]->health, 40) << "the cleric struck it";
    EXPECT_EQ(npc[leader]->target, 0) << "the commanded unit waits for its orders";
    EXPECT_EQ(npc[far]->health, 40);
}

TEST(Party, EveryLivingMemberGathersItsMagicBack) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int cleric = placeunit(5, 0, 100, 102);
    int fallen = placeunit(5, 0, 100, 104);
    int foe = placeunit(4, 1, 120, 120);
    for (int s : {leader, cleric, fallen, foe}) npc[s]->magic = 0, npc[s]->magicmax = 10;
    npc[fallen]->state = NPC_DEAD;
    npc[fallen]->health = 0;
    followtoggle = 1;
    magicregentick = 0;
    for (int k = 0; k < 3; k++) {
        simulationstep();
        tickcount = tickcount + 90;
    }
    EXPECT_EQ(npc[leader]->magic, 3);
    EXPECT_EQ(npc[cleric]->magic, 3);
    EXPECT_EQ(npc[fallen]->magic, 0);
    EXPECT_EQ(npc[foe]->magic, 0) << "the computer's units gather none";
}
