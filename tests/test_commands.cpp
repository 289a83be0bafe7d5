// What a click or a key orders: the left button by cursor mode, the
// button let go, a drag, the right button's arrow and the mission's keys,
// with the orders' effects on the units as the frames carry them out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "commandworld.h"
#include "game/activity.h"
#include "game/clickorders.h"
#include "game/combatinput.h"
#include "game/commands.h"
#include "game/cursorchoice.h"
#include "game/facing.h"
#include "game/missile.h"
#include "view/panel.h"
#include "game/mission.h"
#include "game/npcselect.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/spells.h"
#include "platform/winmsg.h"
#include "view/clouds.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

static void clickat(i32 x, i32 y, u8 mode) {
    pickat(x, y);
    setcursormode(mode);
    lbuttondown = 1;
    combatinput(WM_LBUTTONDOWN, 0, 0);
}

static std::string flashed() { return lastcommandflash ? lastcommandflash : ""; }

// Frames of the units' activities alone, until the slot stands still.
static void rununtilidle(int slot, int most = 400) {
    for (int f = 0; f < most && npc[slot]->state == NPC_MOVING; f++)
        for (int s = 1; s <= MAXNPCS; s++) npcactivity(s);
}

// A box of walls around the cell, so that nothing reaches it.
static void wallin(i32 x, i32 y) {
    for (i32 dy = -1; dy <= 1; dy++)
        for (i32 dx = -1; dx <= 1; dx++)
            if (dx || dy) itemmap[cellof(x + dx, y + dy)] = ITEM_WALL;
}

TEST(Commands, AMoveClickWaitsForTheFrameAndStopsGatheringAndAttacking) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npc[leader]->target = 9;
    autogather = 1;
    clickat(104, 100, 1);
    EXPECT_EQ(clickedtomove, 1);
    EXPECT_EQ(autogather, 0);
    EXPECT_EQ(npc[leader]->target, 0);
    combatinput(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(clickedtomove, 0);
    EXPECT_EQ(waitingforlmbup, 0);
    // The frame carries it out.
    clickat(104, 100, 1);
    lbuttondown = 0;
    simulationstep();
    EXPECT_EQ(npc[leader]->state, NPC_MOVING);
    EXPECT_EQ(npc[leader]->destoff, cellof(104, 100));
    rununtilidle(leader);
    EXPECT_EQ(npc[leader]->x, 104);
}

TEST(Commands, AFallenCommandedUnitTakesOnlyPanelClicks) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    for (u8 state : {NPC_DEAD, NPC_DYING}) {
        npc[leader]->state = state;
        clickat(104, 100, 1);
        EXPECT_EQ(clickedtomove, 0);
        mousex = 50, mousey = 440; // the centre button
        scx = 10, scy = 10;
        setcursormode(8);
        combatinput(WM_LBUTTONDOWN, 0, 0);
        EXPECT_EQ(scx, 100) << "the panel still answers";
    }
}

TEST(Commands, APreviewAsksForAPathAndTheFatigueToShoot) {
    startcommandworld();
    int archer = placeunit(2, 0, 100, 100);
    placeunit(0, 1, 110, 100);
    clickat(110, 100, 4);
    EXPECT_EQ(cursormode, 3);
    EXPECT_EQ(flashed(), "");
    EXPECT_EQ(npc[archer]->state, NPC_IDLE) << "a preview moves nobody";
    clickat(110, 100, 3);
    EXPECT_EQ(cursormode, 1) << "the next click ends the preview";
    npc[archer]->fatigue = 3;
    clickat(110, 100, 10);
    EXPECT_EQ(cursormode, 1);
    EXPECT_EQ(flashed(), "Not enough MPs!");
    npc[archer]->fatigue = 4;
    lastcommandflash = nullptr;
    clickat(110, 100, 4);
    EXPECT_EQ(cursormode, 3);
    EXPECT_EQ(flashed(), "");
    wallin(100, 100);
    clickat(110, 100, 4);
    EXPECT_EQ(flashed(), "No Path!");
    EXPECT_EQ(cursormode, 4);
}

TEST(Commands, AMeleeClickSendsTheCommandedUnitToItsOwnReach) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    // A cleric with a long reach is commanded; the leader's reach is one.
    int other = placeunit(5, 0, 98, 100);
    unittype[5]->rangemax = 3;
    int foe = placeunit(0, 1, 106, 100);
    selectnpc(other);
    autogather = 1;
    npc[other]->frame = 5;
    clickat(106, 100, 5);
    EXPECT_EQ(autogather, 0);
    EXPECT_EQ(npc[other]->target, foe);
    EXPECT_EQ(npc[other]->state, NPC_MOVING);
    EXPECT_EQ(npc[other]->destoff, cellof(106, 100));
    EXPECT_EQ(npc[other]->facing, 3);
    EXPECT_EQ(npc[other]->frame, 0);
    EXPECT_EQ(npc[leader]->state, NPC_IDLE) << "the leader stays";
    EXPECT_EQ(npc[leader]->target, 0);
    EXPECT_EQ(waitingforlmbup, 1);
    i32 x = npc[other]->x, y = npc[other]->y;
    for (int i = 0; npcpath[i] != PATHEND; i++) x += facingdx[npcpath[i]], y += facingdy[npcpath[i]];
    EXPECT_EQ(celldistance(x, y, 106, 100), 3) << "the path ends where the cleric's own weapon reaches";
    for (int f = 0; f < 200 && npc[other]->state != NPC_ATTACKING; f++) npcactivity(other);
    EXPECT_EQ(npc[other]->state, NPC_ATTACKING);
    EXPECT_EQ(celldistance(npc[other]->x, npc[other]->y, 106, 100), 3);
    // The same enemy again changes nothing.
    npc[other]->state = NPC_IDLE;
    clickat(106, 100, 5);
    EXPECT_EQ(npc[other]->state, NPC_IDLE);
}

TEST(Commands, AMeleeClickBetweenCellsStopsThePathAtTheNextCell) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 100, 98);
    // Walking east, between cells.
    npc[leader]->state = NPC_MOVING;
    npc[leader]->step = 3;
    std::memset(npcpath, PATHEND, NPCPATHSIZE);
    npcpath[0] = npcpath[1] = npcpath[2] = 3;
    pathpos = 0;
    clickat(100, 98, 5);
    EXPECT_EQ(clickedtoattack, 1);
    EXPECT_EQ(npc[leader]->target, 0) << "the first click only stops the walk";
    for (int f = 0; f < 3; f++) npcactivity(leader);
    EXPECT_EQ(npc[leader]->step, 0);
    npcactivity(leader);
    EXPECT_EQ(clickedtoattack, 0);
    EXPECT_EQ(npc[leader]->x, 100) << "no step further along the old path";
    EXPECT_EQ(npc[leader]->state, NPC_IDLE);
    clickat(100, 98, 5);
    EXPECT_EQ(npc[leader]->target, foe) << "the second click gives the order";
}

TEST(Commands, AConsumedAttackFlagStopsThePathBeforeThePursuit) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 100, 99);
    npcrec& l = *npc[leader];
    l.target = (u8)foe;
    l.state = NPC_MOVING;
    l.step = 0;
    l.frame = 6;
    std::memset(npcpath, PATHEND, NPCPATHSIZE);
    npcpath[0] = npcpath[1] = 3;
    pathpos = 0;
    clickedtoattack = 1;
    npcactivity(leader);
    EXPECT_EQ(clickedtoattack, 0);
    EXPECT_EQ(l.x, 100) << "the old path does not go on";
    EXPECT_EQ(l.state, NPC_ATTACKING) << "the pursuit strikes the adjacent target at once";
    EXPECT_EQ(l.facing, 1);
    EXPECT_EQ(l.frame, 0);
}

TEST(Commands, APickUpClickTakesHereOrWalksThere) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npcrec& l = *npc[leader];
    itemmap[cellof(100, 100)] = ITEM_GOLD;
    l.target = 7, l.frame = 4;
    clickat(100, 100, 6);
    EXPECT_EQ(itemmap[cellof(100, 100)], 0);
    EXPECT_GE(l.gold, 10u);
    EXPECT_EQ(l.target, 0);
    EXPECT_EQ(l.frame, 0);
    u32 gold = l.gold;
    itemmap[cellof(105, 102)] = ITEM_GOLD;
    l.step = 2;
    clickat(105, 102, 6);
    EXPECT_EQ(l.state, NPC_IDLE) << "not between cells";
    l.step = 0;
    // Somebody stands on it, even one the search would walk through.
    int other = placeunit(0, 1, 105, 102);
    npc[other]->hidden = 1;
    clickat(105, 102, 6);
    EXPECT_EQ(l.state, NPC_IDLE) << "somebody stands on it";
    npc[other]->isused = 0;
    npcmap[cellof(105, 102)] = 0;
    clickat(105, 102, 6);
    EXPECT_EQ(l.state, NPC_MOVING);
    EXPECT_EQ(l.pickuponarrival, 1);
    EXPECT_EQ(l.destoff, cellof(105, 102));
    EXPECT_EQ(waitingforlmbup, 1);
    rununtilidle(leader);
    EXPECT_EQ(l.mapoff, (u32)cellof(105, 102));
    EXPECT_EQ(itemmap[cellof(105, 102)], 0);
    EXPECT_GT(l.gold, gold);
    // Gold on a cell nobody can enter is taken from beside it.
    itemmap[cellof(110, 102)] = ITEM_GOLD;
    itemtype[ITEM_GOLD]->blockspassage = 1;
    clickat(110, 102, 6);
    EXPECT_EQ(l.state, NPC_MOVING);
    rununtilidle(leader);
    EXPECT_EQ(celldistance(l.x, l.y, 110, 102), 1);
}

TEST(Commands, AUseClickOpensTheChestFromBesideIt) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npcrec& l = *npc[leader];
    itemmap[cellof(101, 100)] = ITEM_CHEST;
    clickat(101, 100, 17);
    EXPECT_EQ(itemmap[cellof(101, 100)], 176) << "next to it: opened at once";
    itemmap[cellof(106, 104)] = 177;
    clickat(106, 104, 17);
    EXPECT_EQ(l.state, NPC_MOVING);
    EXPECT_EQ(l.useonarrival, 1);
    EXPECT_EQ(l.destoff, cellof(106, 104));
    rununtilidle(leader);
    EXPECT_EQ(celldistance(l.x, l.y, 106, 104), 1);
    EXPECT_EQ(itemmap[cellof(106, 104)], 178);
    EXPECT_NE(itemmap[cellof(106, 105)], 0) << "something fell out";
    // A second click on the chest it already went to changes nothing.
    l.state = NPC_IDLE;
    clickat(106, 104, 17);
    EXPECT_EQ(l.state, NPC_IDLE);
}

TEST(Commands, AClickOnAnotherOwnUnitSelectsIt) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int other = placeunit(0, 0, 103, 100);
    npc[leader]->selected = 1;
    pickat(103, 100);
    EXPECT_EQ(cursorforcell(), 7);
    clickat(103, 100, 7);
    EXPECT_EQ(curnpc, other);
    EXPECT_EQ(npc[other]->selected, 1);
    EXPECT_EQ(npc[leader]->selected, 0);
    EXPECT_EQ(cursormode, 1);
}

TEST(Commands, DraggingShowsAtOnceWhenTheCellCannotBeReached) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    wallin(104, 100);
    ASSERT_TRUE(pointat(104, 100));
    setcursormode(1);
    lbuttondown = 1;
    combatinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(flashed(), "No Path!");
    lastcommandflash = nullptr;
    combatinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(flashed(), "") << "only on entering a new cell";
    ASSERT_TRUE(pointat(102, 98));
    combatinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(flashed(), "");
    ASSERT_TRUE(pointat(104, 100));
    lbuttondown = 0;
    combatinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(flashed(), "") << "without the button nothing is searched";
}

TEST(Commands, TheRightButtonShootsAnArrowForTheLeadersSide) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int other = placeunit(0, 0, 102, 100);
    curnpc = other;
    npc[other]->fatigue = 10;
    pickat(106, 103);
    // Over the panel the cell picked last is not what the pointer is on.
    mousey = PANELTOP;
    combatinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(missile[0].isused, 0) << "a right click over the panel shoots nothing";
    EXPECT_EQ(npc[other]->fatigue, 10);
    mousey = PANELTOP - 1;
    combatinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(npc[other]->fatigue, 6);
    EXPECT_EQ(missile[0].isused, 1);
    EXPECT_EQ(missile[0].kind, MISSILE_ARROW);
    EXPECT_EQ(missile[0].shooter, 1) << "counted as the leader's";
    EXPECT_EQ(missile[0].x, 102);
    EXPECT_GE(missile[0].damage, 2);
    EXPECT_LE(missile[0].damage, 7);
    EXPECT_EQ(npc[other]->facing, facingto(102, 100, 106, 103));
    clearmissiles();
    npc[other]->fatigue = 3;
    combatinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(missile[0].isused, 0) << "too tired";
    npc[other]->fatigue = 10;
    pickat(102, 100);
    combatinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(missile[0].isused, 0) << "not at its own cell";
    pickat(106, 103);
    npc[other]->step = 1;
    combatinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(missile[0].isused, 0) << "not between cells";
    npc[other]->step = 0;
    for (u8 state : {NPC_DEAD, NPC_DYING}) {
        npc[other]->state = state;
        combatinput(WM_RBUTTONDOWN, 0, 0);
        EXPECT_EQ(missile[0].isused, 0) << "a fallen unit shoots no more";
        EXPECT_EQ(npc[other]->fatigue, 10);
    }
    (void)leader;
}

TEST(Commands, KeysThatFeedTheLeader) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npcrec& l = *npc[leader];
    l.fatigue = 95, l.health = 20, l.magic = 5;
    combatinput(WM_KEYDOWN, 'F', 0);
    combatinput(WM_KEYDOWN, 'H', 0);
    combatinput(WM_KEYDOWN, 'M', 0);
    EXPECT_EQ(l.fatigue, 100) << "capped at its maximum";
    EXPECT_EQ(l.health, 30);
    EXPECT_EQ(l.magic, 15);
    combatinput(WM_KEYDOWN, 'M', 0);
    EXPECT_EQ(l.magic, 20);
}

TEST(Commands, KeysForGatheringPauseLightAndPacing) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npc[leader]->step = 2;
    combatinput(WM_KEYDOWN, 'G', 0);
    EXPECT_EQ(autogather, 0) << "not between cells";
    npc[leader]->step = 0;
    npc[leader]->state = NPC_ATTACKING;
    combatinput(WM_KEYDOWN, 'G', 0);
    EXPECT_EQ(autogather, 0) << "not while busy";
    npc[leader]->state = NPC_IDLE;
    combatinput(WM_KEYDOWN, 'G', 0);
    EXPECT_EQ(autogather, 1);
    combatinput(WM_KEYDOWN, 'P', 0);
    EXPECT_EQ(gamepaused, 1u);
    combatinput(WM_KEYDOWN, 'P', 0);
    EXPECT_EQ(gamepaused, 0u);
    combatinput(WM_KEYDOWN, 'L', 0);
    EXPECT_EQ(lighting, 0);
    combatinput(WM_KEYDOWN, 'L', 0);
    EXPECT_EQ(lighting, 1);
    framedelay = 30;
    combatinput(WM_KEYDOWN, VK_NUMPAD0 + 1, 0);
    EXPECT_EQ(framedelay, 31u);
    combatinput(WM_KEYDOWN, VK_NUMPAD0 + 1, 0);
    EXPECT_EQ(framedelay, 31u) << "no slower";
    framedelay = 1;
    combatinput(WM_KEYDOWN, VK_NUMPAD0 + 3, 0);
    EXPECT_EQ(framedelay, 0u);
    combatinput(WM_KEYDOWN, VK_NUMPAD0 + 3, 0);
    EXPECT_EQ(framedelay, 0u) << "no faster";
    // A key of no action changes nothing any action would.
    autogather = 0;
    npcrec& l = *npc[leader];
    l.fatigue = 50, l.health = 20, l.magic = 5;
    u32 dice = getgamerandomstate();
    combatinput(WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(autogather, 0);
    EXPECT_EQ(gamepaused, 0u);
    EXPECT_EQ(lighting, 1);
    EXPECT_EQ(framedelay, 0u);
    EXPECT_EQ(followtoggle, 0u);
    EXPECT_EQ(l.fatigue, 50);
    EXPECT_EQ(l.health, 20);
    EXPECT_EQ(l.magic, 5);
    EXPECT_EQ(getgamerandomstate(), dice);
    EXPECT_EQ(gamestate, GS_COMBAT) << "no screen opened";
    for (int r = 0; r < MAXCLOUDS; r++) EXPECT_FALSE(cloud[r].active) << "nobody speaks";
}

TEST(Commands, TheLeaderSpeaksWhenHisCloudIsFree) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    combatinput(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(followtoggle, 1u);
    ASSERT_TRUE(cloud[1].active);
    EXPECT_STREQ(cloud[1].text, "Get the fuck away from me!");
    EXPECT_EQ(cloud[1].endtick, 1200u);
    EXPECT_EQ(npc[leader]->nextcry, 1200u);
    combatinput(WM_KEYDOWN, 'T', 0);
    EXPECT_STREQ(cloud[1].text, "Get the fuck away from me!") << "the cloud is busy";
    closecloud(1);
    combatinput(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(followtoggle, 0u);
    EXPECT_STREQ(cloud[1].text, "Follow me.");
    combatinput(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(followtoggle, 1u) << "the toggle flips even when he cannot speak";
    EXPECT_STREQ(cloud[1].text, "Follow me.");
    closecloud(1);
    tickcount = 2000;
    combatinput(WM_KEYDOWN, 'T', 0);
    EXPECT_STREQ(cloud[1].text, "Bite me.");
    EXPECT_EQ(cloud[1].endtick, 2200u);
}

TEST(Commands, RMakesTheUnitUnderTheCursorCryAndNobodyElse) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 104, 100);
    pickat(103, 100);
    combatinput(WM_KEYDOWN, 'R', 0);
    for (int r = 0; r < MAXCLOUDS; r++) EXPECT_FALSE(cloud[r].active) << "nobody under the cursor, nobody cries";
    for (int s = 0; s < NPCSLOTS; s++) {
        if (!npc[s]) continue;
        EXPECT_EQ(npc[s]->cloudslot, 0) << s;
    }
    pickat(104, 100);
    combatinput(WM_KEYDOWN, 'R', 0);
    ASSERT_EQ(npc[foe]->cloudslot, 2);
    EXPECT_EQ(cloud[2].slot, foe);
    EXPECT_EQ(cloud[2].endtick, 1400u);
    std::string said = cloud[2].text;
    EXPECT_TRUE(said == "Somebody help me!" || said == "You're gonna pay now ..." || said == "Help!") << said;
    combatinput(WM_KEYDOWN, 'R', 0);
    EXPECT_FALSE(cloud[3].active) << "one cloud per speaker";
}

TEST(Commands, GatheringWaitsWhileTheCommandedUnitIsFallen) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    int other = placeunit(0, 0, 90, 90);
    itemmap[cellof(93, 90)] = ITEM_GOLD;
    curnpc = other;
    autogather = 1;
    npc[other]->state = NPC_DYING;
    npc[other]->health = 0;
    simulationstep();
    EXPECT_EQ(npc[other]->state, NPC_DYING) << "a dying unit does not set off for the gold";
    EXPECT_EQ(npc[other]->pickuponarrival, 0);
    EXPECT_EQ(curnpc, 1) << "the command passed to the living leader";
    curnpc = other;
    npc[other]->state = NPC_IDLE;
    npc[other]->health = 40;
    simulationstep();
    EXPECT_EQ(npc[other]->state, NPC_MOVING) << "a living one does";
    EXPECT_EQ(npc[other]->pickuponarrival, 1);
}

TEST(Commands, AClickOverThePanelWhileAimingIsAPanelPress) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npc[leader]->fatigue = 100;
    mousex = 470, mousey = 445; // the third spell slot: Freeze
    setcursormode(8);
    combatinput(WM_LBUTTONDOWN, 0, 0);
    ASSERT_EQ(cursormode, CM_FREEZE);
    EXPECT_EQ(armedslot[2], 1);
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZENO) << "refused over the panel";
    combatinput(WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(cursormode, 1) << "the armed slot clicked again cancels";
    EXPECT_EQ(armedslot[2], 0);
    EXPECT_EQ(npc[leader]->magic, 20) << "nothing is charged";
}

TEST(Commands, ACastChecksItsAimAgainWhenTheClickComes) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 104, 100);
    setcursormode(CM_FREEZE);
    ASSERT_TRUE(pointat(104, 100));
    pickcursor();
    ASSERT_EQ(cursormode, CM_FREEZE);
    // The enemy steps away before the click arrives.
    npcmap[cellof(104, 100)] = 0;
    npc[foe]->x = 105, npc[foe]->mapoff = (u32)cellof(105, 100);
    npcmap[cellof(105, 100)] = (u16)foe;
    lbuttondown = 1;
    combatinput(WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(npc[leader]->magic, 20) << "nothing charged";
    EXPECT_EQ(npc[foe]->frozen, 0);
    EXPECT_EQ(cursormode, CM_FREEZE);
}
