// The mission's tally: who counts as alive, the fallen on either side by
// any death, the outcome when a side is gone, and the time as mm:ss.
#include <gtest/gtest.h>

#include <cstring>

#include "app/timer.h"
#include "game/missionstats.h"
#include "world/npc.h"

static void emptyworld() {
    initnpc();
    for (int s = 1; s < NPCSLOTS; s++) npc[s]->state = NPC_EMPTY;
    tickcount = 5000;
}

static int unit(int slot, u32 gold = 0) {
    npcrec& n = *npc[slot];
    n.isused = 1;
    n.state = NPC_IDLE;
    n.health = 10;
    n.player = (u8)slotplayer(slot);
    n.gold = gold;
    return slot;
}

// The death check's way: dying first, then dead under its remains.
static void fall(int slot) { npc[slot]->state = NPC_DYING; }
// Lightning's way: gone from the table at once.
static void struckdead(int slot) {
    npc[slot]->isused = 0;
    npc[slot]->state = NPC_DEAD;
}

TEST(MissionStats, AliveIsInUseAndNeitherDyingDeadNorEmpty) {
    emptyworld();
    unit(5);
    EXPECT_TRUE(unitalive(5));
    for (u8 st : {NPC_MOVING, NPC_ATTACKING}) {
        npc[5]->state = st;
        EXPECT_TRUE(unitalive(5)) << int(st);
    }
    for (u8 st : {NPC_DYING, NPC_DEAD, NPC_EMPTY}) {
        npc[5]->state = st;
        EXPECT_FALSE(unitalive(5)) << int(st);
    }
    npc[5]->state = NPC_IDLE;
    npc[5]->isused = 0;
    EXPECT_FALSE(unitalive(5)) << "a slot not in use";
    EXPECT_FALSE(unitalive(0));
    EXPECT_FALSE(unitalive(MAXNPCS + 1));
}

TEST(MissionStats, TheLastEnemyFallenWinsAndEveryDeathIsCounted) {
    emptyworld();
    unit(1, 40);
    unit(2, 5);
    int a = unit(33), b = unit(70), c = unit(128);
    startmissionstats();
    EXPECT_EQ(missionstats.enemiesatstart, 3);
    EXPECT_EQ(missionstats.startgold, 45u) << "the whole party's gold";
    EXPECT_EQ(missionstats.starttick, 5000u);
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE);
    fall(a);
    struckdead(b);
    tickcount = 5100;
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE) << "one is still standing";
    EXPECT_EQ(missionstats.slain, 2u);
    npc[a]->state = NPC_DEAD;
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE);
    EXPECT_EQ(missionstats.slain, 2u) << "dying then dead is one death";
    fall(c);
    tickcount = 5200;
    EXPECT_EQ(tallymissionstats(), OUTCOME_WON);
    EXPECT_EQ(missionstats.slain, 3u);
    EXPECT_EQ(missionstats.losses, 0u);
    EXPECT_EQ(missionstats.endtick, 5200u);
    tickcount = 5300;
    EXPECT_EQ(tallymissionstats(), OUTCOME_WON) << "decided once";
    EXPECT_EQ(missionstats.endtick, 5200u);
    npc[1]->gold = 100;
    EXPECT_EQ(partygold() - missionstats.startgold, 60u);
}

TEST(MissionStats, NoEnemyAtTheStartIsNoVictory) {
    emptyworld();
    unit(1);
    startmissionstats();
    EXPECT_EQ(missionstats.enemiesatstart, 0);
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE);
}

TEST(MissionStats, ThePartyLosesOnlyWhenEveryUnitOfItIsDownRaisedOnesIncluded) {
    emptyworld();
    int leader = unit(1), friend2 = unit(2);
    unit(40);
    startmissionstats();
    fall(leader);
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE) << "a companion still stands";
    EXPECT_EQ(missionstats.losses, 1u);
    int raised = unit(3); // Raise Dead makes a unit of the party mid-mission
    npc[friend2]->state = NPC_DEAD;
    EXPECT_EQ(tallymissionstats(), OUTCOME_NONE) << "the raised skeleton fights on";
    EXPECT_EQ(missionstats.losses, 2u);
    struckdead(raised);
    EXPECT_EQ(tallymissionstats(), OUTCOME_LOST);
    EXPECT_EQ(missionstats.losses, 3u) << "the raised one's fall is a loss too";
    EXPECT_EQ(missionstats.slain, 0u);
}

TEST(MissionStats, BothSidesGoneInOneFrameIsADefeat) {
    emptyworld();
    int leader = unit(1), foe = unit(97);
    startmissionstats();
    fall(leader);
    fall(foe);
    EXPECT_EQ(tallymissionstats(), OUTCOME_LOST);
    EXPECT_EQ(missionstats.slain, 1u);
    EXPECT_EQ(missionstats.losses, 1u);
}

TEST(MissionStats, TimeIsMinutesAndSecondsOfSixteenMillisecondTicks) {
    char buf[16];
    struct { u32 ticks; const char* text; } cases[] = {
        {0, "00:00"}, {62, "00:00"}, {63, "00:01"}, {3750, "01:00"}, {3749, "00:59"}, {225000, "60:00"}, {375000, "100:00"},
    };
    for (auto& c : cases) {
        formatmissiontime(c.ticks, buf, sizeof buf);
        EXPECT_STREQ(buf, c.text) << c.ticks;
    }
}
