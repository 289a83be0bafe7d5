// What each cast does to the world: magic charged, the lit unit and the
// glow left on an empty cell, the raised skeleton, the frozen unit and its
// thaw, the capped heal, the click that re-checks its aim.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/cursor.h"
#include "app/input.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/spells.h"
#include "test_spells_env.h"
#include "testenv.h"
#include "view/light.h"
#include "view/spellanim.h"
#include "world/grids.h"
#include "world/npc.h"

TEST(SpellCast, EveryCastDisarmsChargesAndEndsWithThePlainCursor) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 4, HOMEY);
    for (int s : {2, 4, 5, 7}) {
        npc[1]->magic = 20;
        armedslot[0] = armedslot[3] = 1;
        setcursormode(validaimmode(s));
        npc[e]->health = 70, npc[e]->isused = 1, npcmap[npc[e]->mapoff] = (u16)e;
        castspell(1, s, npc[e]->mapoff);
        EXPECT_EQ(npc[1]->magic, 20 - spell[s]->magiccost) << s;
        EXPECT_EQ(armedslot[0] + armedslot[3], 0) << s;
        EXPECT_EQ(cursormode, 1) << s;
        EXPECT_EQ(npc[1]->facing, 3) << "the caster turns to the target, " << s;
        EXPECT_EQ(npc[1]->casting, 0) << s;
        EXPECT_EQ(npc[1]->frame, 0) << s;
        npc[1]->facing = 7;
    }
    // Explode and numbers outside the table only disarm.
    for (int s : {0, 1, 6, 8, 99}) {
        npc[1]->magic = 20;
        armedslot[1] = 1;
        setcursormode(CM_FREEZE);
        u32 before = tickcount;
        castspell(1, s, npc[e]->mapoff);
        EXPECT_EQ(npc[1]->magic, 20) << s;
        EXPECT_EQ(armedslot[1], 0) << s;
        EXPECT_EQ(cursormode, CM_FREEZE) << s;
        EXPECT_EQ(tickcount, before) << "no animation, " << s;
    }
}

TEST(SpellCast, TheCastingAnimationRunsSixteenFramesOnlyWhereSeen) {
    startspellworld();
    tickcount = 1000000; // past any due tick an earlier test left
    u32 animated = cellat(HOMEX + 1, HOMEY);
    itemmap[animated] = SPELLANIMATED;
    npc[1]->frame = 5;
    u32 before = tickcount;
    castinganimation(1);
    EXPECT_GE(tickcount - before, framedelay + 15 * 4) << "a frame every four ticks after the first delay";
    EXPECT_EQ(npc[1]->casting, 0);
    EXPECT_EQ(npc[1]->frame, 0);
    EXPECT_GE(itemmap[animated], SPELLANIMATED + 15) << "the map's animation steps on at every frame";
    vistoplayer[0][npc[1]->mapoff] = 0;
    npc[1]->frame = 5;
    before = tickcount;
    castinganimation(1);
    EXPECT_EQ(tickcount, before);
    EXPECT_EQ(npc[1]->frame, 5) << "an unseen caster plays nothing";
}

TEST(SpellCast, LightOnAUnitShinesWithBrightnessTen) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 5, HOMEY);
    u32 at = npc[e]->mapoff;
    computelightmap(-1, 0);
    u8 dark = lightmap[at];
    castspell(1, SPELL_LIGHT, at);
    EXPECT_EQ(npc[e]->brightness, 10);
    EXPECT_EQ(npc[1]->magic, 16);
    EXPECT_LT(lightmap[at], dark) << "the light map was recomputed with him shining";
    EXPECT_EQ(itemmap[at], 0) << "no glow is left under a unit";
}

TEST(SpellCast, LightOnAnEmptyCellLeavesTheGlowAboveTheRemains) {
    startspellworld();
    u32 at = cellat(HOMEX + 8, HOMEY + 2);
    u32 body = cellat(HOMEX + 9, HOMEY + 2);
    itemmap[body] = 4015;
    computelightmap(-1, 0);
    u8 dark = lightmap[at];
    castspell(1, SPELL_LIGHT, at);
    EXPECT_EQ(itemmap[at], 4021) << "the countdown ends on the glow, clear of the remains 4000..4015";
    EXPECT_EQ(itemmap[body], 4015);
    EXPECT_EQ(lightmap[at], 0) << "the glow shines at once";
    EXPECT_LT(lightmap[at], dark);
    EXPECT_EQ(npc[1]->magic, 16);
}

TEST(SpellCast, RaiseDeadStandsASkeletonUpOnTheFallensCell) {
    startspellworld();
    // A unit that finishes its fall leaves the mark.
    int e = placeunit(6, 1, HOMEX + 5, HOMEY + 1);
    u32 at = npc[e]->mapoff;
    npc[e]->state = NPC_DYING;
    npc[e]->frame = 0;
    for (int f = 0; f < 16; f++) npcactivity(e);
    ASSERT_EQ(npc[e]->state, NPC_DEAD);
    EXPECT_EQ(specialmap[at], 8);
    EXPECT_EQ(npcmap[at], 0);
    EXPECT_EQ(itemmap[at], 4015) << "the body lies on the cell";
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, at), CM_RAISE);
    u8 count = players[0].npccount;
    castspell(1, SPELL_RAISEDEAD, at);
    int s = npcmap[at];
    ASSERT_GT(s, 0) << "the raised unit stands in the grid";
    const npcrec& k = *npc[s];
    EXPECT_EQ(k.player, 0);
    EXPECT_EQ(k.unitno, 0u);
    EXPECT_EQ(k.state, NPC_IDLE);
    EXPECT_EQ(k.facing, 4);
    EXPECT_EQ(k.created, 1);
    EXPECT_EQ(k.mapoff, at);
    EXPECT_EQ(specialmap[at], 0) << "the mark is used up";
    EXPECT_EQ(itemmap[at], 0) << "the body got up";
    EXPECT_EQ(players[0].npccount, count + 1);
    EXPECT_EQ(npc[1]->magic, 12);
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, at), CM_RAISENO);
    // The skeleton takes part in the world: it blocks the cell and idles.
    npcactivity(s);
    EXPECT_EQ(npc[s]->state, NPC_IDLE);
    EXPECT_EQ(npcmap[at], s);
}

TEST(SpellCast, RaiseDeadUnderAStandingUnitFails) {
    startspellworld();
    u32 at = cellat(HOMEX + 3, HOMEY);
    specialmap[at] = 8;
    int f = placeunit(6, 0, HOMEX + 3, HOMEY);
    u8 count = players[0].npccount;
    castspell(1, SPELL_RAISEDEAD, at);
    EXPECT_STREQ(spellmessage, "Spell Failed!");
    EXPECT_EQ(npcmap[at], f);
    EXPECT_EQ(players[0].npccount, count);
    EXPECT_EQ(specialmap[at], 8);
    EXPECT_EQ(npc[1]->magic, 12) << "the failed spell is paid for";
    EXPECT_EQ(cursormode, 1);
}

TEST(SpellCast, FreezeHoldsItsVictimAndThawsOneStepEverySixtyTicks) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 4, HOMEY);
    npcrec& v = *npc[e];
    v.state = NPC_EMPTY; // a record that does nothing of itself
    npcactivity(e);
    v.fatigue = 50;
    v.hidden = 2;
    castspell(1, SPELL_FREEZE, v.mapoff);
    EXPECT_EQ(v.fatigue, 0);
    EXPECT_EQ(v.hidden, 0);
    EXPECT_EQ(npc[1]->magic, 12);
    std::set<int> counts;
    for (int i = 0; i < 30; i++) {
        counts.insert(v.frozen);
        npc[1]->magic = 20;
        castspell(1, SPELL_FREEZE, v.mapoff);
    }
    EXPECT_EQ(counts, (std::set<int>{2, 3, 4, 5})) << "two to five";
    // Caught mid-blow, he stands still until the count is gone.
    v.frozen = 0;
    v.state = NPC_EMPTY;
    npcactivity(e);
    v.frozen = 3;
    v.state = NPC_ATTACKING;
    v.frame = 4;
    v.fatigue = 50;
    u32 start = tickcount;
    std::vector<u32> falls;
    u8 last = v.frozen;
    while (v.frozen && tickcount < start + 1000) {
        npcactivity(e);
        if (v.frozen != last) falls.push_back(tickcount - start), last = v.frozen;
        if (v.frozen) {
            EXPECT_EQ(v.frame, 4);
            EXPECT_EQ(v.state, NPC_ATTACKING);
        }
        tickcount = tickcount + 1;
    }
    ASSERT_EQ(falls.size(), 3u);
    EXPECT_EQ(falls[0], 60u);
    EXPECT_EQ(falls[1], 120u);
    EXPECT_EQ(falls[2], 180u);
    npcactivity(e);
    EXPECT_GT(v.frame, 4) << "thawed, the blow goes on";
}

TEST(SpellCast, AFrozenUnitStillFallsAndAFreshFreezeStartsTheWaitAgain) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 4, HOMEY);
    npcrec& v = *npc[e];
    v.state = NPC_EMPTY;
    npcactivity(e);
    v.frozen = 2;
    v.state = NPC_DYING;
    v.frame = 0;
    npcactivity(e);
    EXPECT_EQ(v.frame, 1) << "death is not held";
    v.state = NPC_IDLE;
    v.frozen = 1;
    for (int t = 0; t < 50; t++) npcactivity(e), tickcount = tickcount + 1;
    v.frozen = 4; // frozen again before the first step fell
    u32 again = tickcount;
    while (v.frozen == 4 && tickcount < again + 200) npcactivity(e), tickcount = tickcount + 1;
    EXPECT_EQ(tickcount - again, 61u) << "sixty ticks from the new freeze";
}

TEST(SpellCast, HealIsCappedByTheUnitTypesMaximum) {
    startspellworld();
    int e = placeunit(6, 0, HOMEX + 2, HOMEY);
    npcrec& u = *npc[e];
    u.health = 20;
    for (u32 r = 0; r <= 6; r++) EXPECT_EQ(healamount(e, r), 10 + (i32)r);
    u.health = 65;
    EXPECT_EQ(healamount(e, 6), 5) << "no further than the type's 70";
    u.healthmax = 500;
    EXPECT_EQ(healamount(e, 6), 5) << "the record's own maximum is not the cap";
    u.health = 90;
    EXPECT_EQ(healamount(e, 0), -20) << "above the maximum he is brought down to it";
    u.health = 20;
    castspell(1, SPELL_HEAL, u.mapoff);
    EXPECT_GE(u.health, 30);
    EXPECT_LE(u.health, 36);
    EXPECT_EQ(npc[1]->magic, 16);
    // The leader's 2000 against his type's 40.
    npc[1]->magic = 20;
    castspell(1, SPELL_HEAL, npc[1]->mapoff);
    EXPECT_EQ(npc[1]->health, 40);
}

// Mend: the click re-checks the aim, and a failed check costs nothing.
TEST(SpellCast, AClickCastsOnlyWhenItsAimStillHolds) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 4, HOMEY);
    u32 at = npc[e]->mapoff;
    setcursormode(CM_FREEZE);
    ASSERT_EQ(spellaimmode(SPELL_FREEZE, at), CM_FREEZE);
    npcmap[at] = 0; // he stepped away after the cursor was chosen
    u32 before = tickcount;
    EXPECT_FALSE(castaimedspell(CM_FREEZE, at));
    EXPECT_EQ(npc[1]->magic, 20);
    EXPECT_EQ(tickcount, before) << "no animation";
    EXPECT_EQ(cursormode, CM_FREEZE);
    npcmap[at] = (u16)e;
    EXPECT_FALSE(castaimedspell(CM_FREEZENO, at)) << "a refused cursor casts nothing";
    EXPECT_FALSE(castaimedspell(CM_FREEZEFAR, at));
    EXPECT_FALSE(castaimedspell(1, at));
    EXPECT_EQ(npc[1]->magic, 20);
    EXPECT_TRUE(castaimedspell(CM_FREEZE, at));
    EXPECT_EQ(npc[1]->magic, 12);
    EXPECT_GE(npc[e]->frozen, 2);
    npc[1]->magic = 7;
    EXPECT_FALSE(castaimedspell(CM_FREEZE, at)) << "nor when the magic is no longer there";
    EXPECT_EQ(npc[1]->magic, 7);
}

// Decision: Light and Raise Dead are cast by a click as the others are.
TEST(SpellCast, LightAndRaiseDeadAreCastByAClick) {
    startspellworld();
    u32 empty = cellat(HOMEX + 3, HOMEY + 3);
    EXPECT_TRUE(castaimedspell(CM_LIGHT, empty));
    EXPECT_EQ(itemmap[empty], 4021);
    EXPECT_FALSE(castaimedspell(CM_LIGHT, empty)) << "the glow is an item now";
    u32 grave = cellat(HOMEX + 3, HOMEY - 3);
    EXPECT_FALSE(castaimedspell(CM_RAISE, grave)) << "no mark, no raising";
    specialmap[grave] = 8;
    EXPECT_TRUE(castaimedspell(CM_RAISE, grave));
    EXPECT_GT(npcmap[grave], 0);
    EXPECT_EQ(npc[1]->magic, 8);
}
