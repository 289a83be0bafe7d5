// Lightning: the strength of each strike, the choice of the next victim,
// the chain, and a victim struck dead.
#include <gtest/gtest.h>

#include <set>

#include "app/random.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/spells.h"
#include "test_spells_env.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/npc.h"

TEST(SpellLightning, EachStrikeIsWeakerThanTheOneBefore) {
    resetgamerandom();
    for (int k = 1; k <= 8; k++) {
        std::set<i32> seen;
        for (int i = 0; i < 200; i++) seen.insert(lightningdamage(k));
        i32 least = (i32)(1.5 * k);
        EXPECT_EQ(seen, (std::set<i32>{least, least + 1, least + 2})) << k;
    }
    std::set<i32> first, last;
    for (int i = 0; i < 100; i++) first.insert(lightningdamage(8)), last.insert(lightningdamage(1));
    EXPECT_EQ(*first.begin(), 12);
    EXPECT_EQ(*first.rbegin(), 14);
    EXPECT_EQ(*last.begin(), 1);
    EXPECT_EQ(*last.rbegin(), 3);
}

TEST(SpellLightning, TheNextVictimIsTheNearestInSightWithinTwiceTheCount) {
    startspellworld();
    int src = placeunit(6, 1, 120, 120);
    // Scanned first (an earlier row) but farther: the nearer one wins.
    int farther = placeunit(6, 1, 120, 112);
    int nearer = placeunit(6, 1, 124, 120);
    EXPECT_EQ(lightningnext(src, 4), nearer);
    EXPECT_EQ(lightningnext(src, 3), nearer) << "reach 6: only the nearer";
    EXPECT_EQ(lightningnext(src, 2), nearer) << "reach 4: just";
    EXPECT_EQ(lightningnext(src, 1), 0) << "reach 2: nobody";
    itemmap[cellat(122, 120)] = SPELLWALL;
    EXPECT_EQ(lightningnext(src, 4), farther) << "out of sight is out of reach";
    itemmap[cellat(122, 120)] = 0;
    // Neither the commanding unit nor the source itself, however near.
    npc[1]->x = 121, npc[1]->y = 121;
    npcmap[cellat(HOMEX, HOMEY)] = 0;
    npcmap[cellat(121, 121)] = 1;
    npc[1]->mapoff = cellat(121, 121);
    EXPECT_EQ(lightningnext(src, 4), nearer);
    // Another of the player's own units is fair game.
    int own = placeunit(3, 0, 119, 119);
    EXPECT_EQ(lightningnext(src, 4), own);
    // The gone leave no trace in the grid, but a record still marked in it
    // while unused is skipped too.
    npc[own]->isused = 0;
    EXPECT_EQ(lightningnext(src, 4), nearer);
    // Alone, one cell beyond twice the count; or in a corner of the square
    // searched but farther than the count allows.
    for (int s : {farther, nearer, own}) npcmap[npc[s]->mapoff] = 0;
    int beyond = placeunit(6, 1, 125, 120);
    EXPECT_EQ(lightningnext(src, 2), 0);
    EXPECT_EQ(lightningnext(src, 3), beyond);
    npcmap[npc[beyond]->mapoff] = 0;
    int corner = placeunit(6, 1, 124, 116);
    ASSERT_GT(celldistance(120, 120, 124, 116), 4);
    EXPECT_EQ(lightningnext(src, 2), 0);
    EXPECT_EQ(lightningnext(src, 3), corner);
}

TEST(SpellLightning, AboutAsNearACoinDecides) {
    startspellworld();
    int src = placeunit(6, 1, 120, 120);
    int a = placeunit(6, 1, 117, 120);
    int b = placeunit(6, 1, 123, 120);
    std::set<int> chosen;
    for (int i = 0; i < 40; i++) chosen.insert(lightningnext(src, 4));
    EXPECT_EQ(chosen, (std::set<int>{a, b})) << "equally near: either";
    // Three cells nearer beats the coin.
    npcmap[cellat(123, 120)] = 0;
    npc[b]->x = 121, npc[b]->mapoff = cellat(121, 120);
    npcmap[cellat(121, 120)] = (u16)b;
    npc[a]->x = 116, npc[a]->mapoff = cellat(116, 120);
    npcmap[cellat(117, 120)] = 0;
    npcmap[cellat(116, 120)] = (u16)a;
    chosen.clear();
    for (int i = 0; i < 40; i++) chosen.insert(lightningnext(src, 4));
    EXPECT_EQ(chosen, (std::set<int>{b}));
}

TEST(SpellLightning, WithNobodyElseNearItStrikesOnce) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 6, HOMEY);
    npc[e]->health = 70;
    castspell(1, SPELL_LIGHTNING, npc[e]->mapoff);
    EXPECT_GE(npc[e]->health, 70 - 14);
    EXPECT_LE(npc[e]->health, 70 - 12);
    EXPECT_EQ(npc[1]->magic, 12);
    EXPECT_EQ(npc[1]->health, 2000) << "never the caster";
}

TEST(SpellLightning, TheChainLeapsBackAndForthForEightStrikes) {
    startspellworld();
    int a = placeunit(6, 1, HOMEX + 6, HOMEY);
    int b = placeunit(6, 1, HOMEX + 6, HOMEY + 3);
    npc[a]->health = npc[b]->health = 200;
    npc[a]->hidden = npc[b]->hidden = 1;
    castspell(1, SPELL_LIGHTNING, npc[a]->mapoff);
    i32 da = 200 - npc[a]->health, db = 200 - npc[b]->health;
    // a takes strikes 8, 6, 4, 2 and b 7, 5, 3, 1.
    EXPECT_GE(da, 12 + 9 + 6 + 3);
    EXPECT_LE(da, 12 + 9 + 6 + 3 + 8);
    EXPECT_GE(db, 10 + 7 + 4 + 1);
    EXPECT_LE(db, 10 + 7 + 4 + 1 + 8);
    EXPECT_EQ(npc[a]->hidden, 0) << "struck, he is seen";
    EXPECT_EQ(npc[b]->hidden, 0);
}

TEST(SpellLightning, AStrikeKillsOutrightAndMarksTheCell) {
    startspellworld();
    players[1].active = 1;
    int e = placeunit(6, 1, HOMEX + 6, HOMEY);
    npcrec& v = *npc[e];
    u32 at = v.mapoff;
    v.brightness = 8;
    for (i32 i = 0; i < MAPCELLS; i++) vistoplayer[1][i] = 0;
    ASSERT_EQ(players[1].npccount, 1);
    computelightmap(-1, 0);
    ASSERT_LT(lightmap[at], ambient) << "he carries a light";
    v.health = 5;
    lightningstrike(e, 4);
    EXPECT_EQ(v.health, 1);
    EXPECT_EQ(v.isused, 1);
    lightningstrike(e, 3);
    EXPECT_EQ(v.health, 0);
    EXPECT_EQ(v.isused, 0) << "the body vanishes";
    EXPECT_EQ(npcmap[at], 0);
    EXPECT_EQ(specialmap[at], 8) << "the glow ends on the mark Raise Dead looks for";
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, at), CM_RAISE);
    EXPECT_EQ(players[1].npccount, 0);
    EXPECT_EQ(players[1].active, 0) << "the last of his side";
    EXPECT_EQ(vistoplayer[1][0] + vistoplayer[1][MAPCELLS - 1] + vistoplayer[1][at], 3) << "his side sees all";
    EXPECT_EQ(lightmap[at], ambient) << "his light is gone from around the cell";
}

// Mend: a victim struck dead stops at once, so the rest of the frame cannot
// bring him back.
TEST(SpellLightning, AVictimStruckDeadStopsAtOnce) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 1, HOMEY);
    int other = placeunit(6, 1, HOMEX + 30, HOMEY + 30);
    players[1].active = 1;
    npcrec& v = *npc[e];
    v.state = NPC_ATTACKING;
    v.frame = 12;
    v.step = 3;
    v.target = 1;
    v.destoff = (u16)npc[1]->mapoff;
    v.health = 10;
    castspell(1, SPELL_LIGHTNING, v.mapoff);
    EXPECT_EQ(v.state, NPC_DEAD);
    EXPECT_EQ(v.frame, 0);
    EXPECT_EQ(v.step, 0);
    EXPECT_EQ(v.target, 0);
    // The frame goes on: no fall begins, no blow lands, nobody walks back.
    for (int f = 0; f < 20; f++) simulationstep();
    EXPECT_EQ(v.state, NPC_DEAD);
    EXPECT_EQ(v.frame, 0);
    EXPECT_EQ(npcmap[v.mapoff], 0);
    EXPECT_EQ(npc[1]->health, 2000);
    EXPECT_EQ(players[1].npccount, 1) << "counted once";
    EXPECT_EQ(npc[other]->isused, 1);
}
