// The command panel: which button a point is on (bounds exclusive, the
// first in order wins), the pressed pictures, choosing the previous or next
// unit, centring, and arming and disarming the spell slots.
#include <gtest/gtest.h>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "commandworld.h"
#include "game/combatinput.h"
#include "game/missionstate.h"
#include "game/npcselect.h"
#include "game/panelpress.h"
#include "game/spells.h"
#include "testenv.h"
#include "platform/winmsg.h"
#include "view/viewpos.h"
#include "world/npc.h"
#include "world/unittype.h"

static void press(i32 x, i32 y) {
    mousex = x, mousey = y;
    setcursormode(8);
    combatinput(WM_LBUTTONDOWN, 0, 0);
}

TEST(PanelPress, ButtonBoundsAreExclusiveAndTheFirstMatchWins) {
    struct probe {
        i32 x, y;
        int button;
    };
    static const probe probes[] = {
        {6, 440, -1},   {7, 440, 0},    {29, 440, 0},   {30, 440, 3},  {24, 440, 0},   {7, 420, -1},  {7, 421, 0},
        {7, 459, 0},    {7, 460, -1},   {79, 440, 3},   {80, 440, 3},  {88, 440, 1},   {103, 440, 1}, {104, 440, -1},
        {50, 408, -1},  {50, 409, 3},   {50, 471, 3},   {50, 472, -1}, {566, 450, -1}, {567, 450, 2}, {629, 473, 2},
        {630, 450, -1}, {567, 434, -1}, {567, 409, 9},  {567, 427, 9}, {567, 428, -1}, {430, 415, -1}, {431, 410, -1},
        {431, 411, 4},  {519, 423, 4},  {520, 415, -1}, {431, 424, -1}, {431, 425, 5}, {431, 438, -1}, {431, 439, 6},
        {431, 452, -1}, {431, 453, 7},  {431, 475, 7},  {431, 476, -1}, {0, 0, -1},    {300, 440, -1},
    };
    for (const probe& p : probes) EXPECT_EQ(panelbuttonat(p.x, p.y), p.button) << p.x << "," << p.y;
}

TEST(PanelPress, PressedPicturesShowOverTheirButtons) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    press(10, 425);
    EXPECT_EQ(vsat(7, 421), pixel555(0xF80000));
    EXPECT_EQ(vsat(29, 459), pixel555(0xF80000));
    press(100, 459);
    EXPECT_EQ(vsat(80, 420), pixel555(0x00F800));
    EXPECT_EQ(vsat(103, 459), pixel555(0x00F800));
    EXPECT_NE(vsat(79, 440), pixel555(0x00F800)) << "nothing left of it";
    press(600, 470);
    EXPECT_EQ(vsat(566, 434), pixel555(0x0000F8));
    EXPECT_EQ(vsat(629, 473), pixel555(0x0000F8));
    EXPECT_NE(vsat(629, 474), pixel555(0x0000F8)) << "nothing below it";
    // The map button's picture is a strip inside the button. The map itself
    // is refused (a full stack of screens), so what the press drew stays.
    gamestack[GAMESTACKSIZE - 1] = GS_MAINMENU;
    size_t before = boxes.size();
    press(600, 420);
    gamestack[GAMESTACKSIZE - 1] = 0;
    EXPECT_EQ(boxes.size(), before + 1) << "the map was asked for";
    EXPECT_EQ(vsat(566, 415), pixel555(0xF8F800));
    EXPECT_EQ(vsat(629, 427), pixel555(0xF8F800));
    EXPECT_NE(vsat(600, 414), pixel555(0xF8F800)) << "nothing above it";
    EXPECT_NE(vsat(600, 428), pixel555(0xF8F800)) << "nor below";
}

TEST(PanelPress, PreviousAndNextChooseLivingUnitsOfThePlayer) {
    startcommandworld();
    int a = placeunit(1, 0, 100, 100);
    int b = placeunit(0, 0, 101, 100);
    int c = placeunit(0, 0, 102, 100);
    int d = placeunit(0, 0, 103, 100);
    placeunit(0, 1, 104, 100); // an enemy in slot 33
    ASSERT_EQ(a, 1);
    ASSERT_EQ(d, 4);
    // Slot 3 is left from an earlier unit: its record still says player 0
    // and health, but the slot is not in use.
    npc[c]->isused = 0;
    npc[b]->health = 0; // fallen
    npc[1]->selected = 1;
    curnpc = d;
    press(10, 440);
    EXPECT_EQ(curnpc, a) << "past the unused and the fallen slots";
    EXPECT_EQ(npc[a]->selected, 1);
    EXPECT_EQ(npc[d]->selected, 0);
    press(10, 440);
    EXPECT_EQ(curnpc, d) << "below slot 1 it wraps to the top";
    press(90, 440);
    EXPECT_EQ(curnpc, a) << "next wraps the other way";
    nextnpc();
    EXPECT_EQ(curnpc, d);
    npc[d]->health = 0;
    previousnpc();
    EXPECT_EQ(curnpc, a);
    previousnpc();
    EXPECT_EQ(curnpc, a) << "the only one left stays";
}

TEST(PanelPress, ChoosingAUnitEndsTheAimAndTheCentreButtonFindsIt) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    int other = placeunit(0, 0, 120, 90);
    armedslot[2] = 1;
    setcursormode(CM_FREEZE);
    previousnpc();
    EXPECT_EQ(curnpc, other);
    EXPECT_EQ(armedslot[2], 0);
    EXPECT_EQ(cursormode, 1);
    scx = 50, scy = 60;
    press(50, 440);
    EXPECT_EQ(scx, 120);
    EXPECT_EQ(scy, 90);
}

TEST(PanelPress, SpellSlotsArmAndDisarm) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npcrec& l = *npc[leader];
    l.fatigue = 100, l.magic = 20;
    press(470, 445); // Freeze
    EXPECT_EQ(armedslot[2], 1);
    EXPECT_EQ(cursormode, CM_FREEZE);
    press(470, 460); // Lightning instead
    EXPECT_EQ(armedslot[2], 0);
    EXPECT_EQ(armedslot[3], 1);
    EXPECT_EQ(cursormode, CM_LIGHTNING);
    press(470, 460);
    EXPECT_EQ(armedslot[3], 0) << "the armed slot again disarms";
    EXPECT_EQ(cursormode, 1);
    l.magic = 7;
    press(470, 445);
    EXPECT_EQ(armedslot[2], 0) << "refused: the slot is not left armed";
    EXPECT_EQ(cursormode, 8) << "the cursor stays the panel's";
    l.magic = 20;
    unittype[1]->specials[1] = 0;
    press(470, 430);
    EXPECT_EQ(cursormode, 8) << "an empty slot does nothing";
    for (int i = 0; i < 4; i++) EXPECT_EQ(armedslot[i], 0);
}

TEST(PanelPress, HidingIsUndoneByItsSlot) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    npcrec& l = *npc[leader];
    l.fatigue = 100;
    l.hidden = 1; // as a hide in the dark leaves it
    armedslot[0] = 1;
    press(470, 415);
    EXPECT_EQ(l.hidden, 0);
    EXPECT_EQ(armedslot[0], 0);
    EXPECT_EQ(cursormode, 1);
}
