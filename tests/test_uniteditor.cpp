// The unit editor's page and keys: what a click or a key chooses, the nudge
// of a frame's first skip, and the loader mends that keep a nudged or
// repacked set loadable.
#include <gtest/gtest.h>

#include <vector>

#include "app/gamestate.h"
#include "app/input.h"
#include "editor/mapeditor.h"
#include "editor/uniteditor.h"
#include "platform/winmsg.h"
#include "uniteditorenv.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "world/npc.h"
#include "world/rle.h"

struct UnitEditorLoad : keepunittool {};
struct UnitEditorKeys : keepunittool {};
struct UnitEditorPage : keepunittool {};

// Set 0: frame 0 (walk, facing 1) is one white pixel; the walk frame at
// facing 4 is two pixels ten to the right. Set 1: frame 0 empty, frame 1 at
// offset 0. Set 2 is not loaded but its directory holds numbers.
static const std::vector<u8> raw0 = {0, 0, 1, 0xFF, 0x7F, 10, 0, 2, 0x1F, 0, 0xE0, 0x03};
static constexpr int WALKSOUTH = 48; // walk, facing index 3, frame 0

static void startunits(int format = 565) {
    starttestdisplay(format);
    writeunitsets({0, 1, 2}, {raw0, {0, 0, 1, 0x1F, 0}, {}},
                  {unitdir({{0, 0, 5}, {WALKSOUTH, 5, 7}}), unitdir({{1, 0, 5}}), unitdir({{5, 7, 9}})});
    initunit();
}

static void key(u32 vk) { uniteditinput(WM_KEYDOWN, vk, 0); }
static void pointat(i32 x, i32 y) {
    mousex = x;
    mousey = y;
    uniteditinput(WM_MOUSEMOVE, 0, 0);
}
static u16 skipof(int set, int facing) {
    u32 size = 0;
    const u8* f = findunitframe(set, 0, facing, 0, &size);
    return f ? (u16)(f[0] | f[1] << 8) : 0;
}

TEST_F(UnitEditorLoad, AFrameIsThereWheneverItHasBytesOffsetZeroIncluded) {
    startunits();
    u32 size = 0;
    const u8* f = findunitframe(1, 0, 1, 1, &size);
    ASSERT_NE(f, nullptr) << "frame 1 stored at offset 0 behind an empty frame 0";
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(f[3] | f[4] << 8, 0x1F);
    EXPECT_EQ(findunitframe(1, 0, 1, 2, &size), nullptr) << "no bytes, no frame";
    EXPECT_EQ(unitpicloaded[2], 0);
}

TEST_F(UnitEditorKeys, KeypadTurnsAnimatesAndStaysInRange) {
    startunits();
    placefacing = 4;
    key(VK_NUMPAD0 + 6);
    key(VK_NUMPAD0 + 6);
    EXPECT_EQ(placefacing, 6) << "the facing the map editor's unit tool goes on with";
    placefacing = 8;
    key(VK_NUMPAD0 + 6);
    EXPECT_EQ(placefacing, 1);
    key(VK_NUMPAD0 + 4);
    EXPECT_EQ(placefacing, 8);
    key(VK_NUMPAD0 + 4);
    EXPECT_EQ(placefacing, 7);
    uniteditframe = 0;
    key(VK_NUMPAD0 + 1);
    EXPECT_EQ(uniteditframe, 0);
    for (int i = 0; i < 20; i++) key(VK_NUMPAD0 + 3);
    EXPECT_EQ(uniteditframe, 15);
    key(VK_NUMPAD0 + 1);
    EXPECT_EQ(uniteditframe, 14);
    unitaction = 0;
    key(VK_NUMPAD0 + 7);
    EXPECT_EQ(unitaction, 0);
    for (int i = 0; i < 5; i++) key(VK_NUMPAD0 + 9);
    EXPECT_EQ(unitaction, 2);
    key(VK_NUMPAD0 + 7);
    EXPECT_EQ(unitaction, 1);
    for (u32 k : {(u32)VK_RETURN, (u32)VK_ESCAPE}) {
        boxresult = 255;
        key(k);
        EXPECT_EQ(boxresult, 1) << k;
    }
    boxresult = 255;
}

TEST_F(UnitEditorPage, ThePointerChoosesTheSetAndAClickTheUnitToPlace) {
    startunits();
    gamestate = GS_UNITEDITOR;
    drawuniteditor();
    EXPECT_EQ(unitboxes[11].x, 240);
    EXPECT_EQ(unitboxes[11].y, 100);
    unitselected = 0;
    pointat(3 * 80 + 40, 50);
    EXPECT_EQ(unitselected, 3);
    pointat(4 * 80, 50); // on the border between 3 and 4: no box holds it strictly
    EXPECT_EQ(unitselected, 3);
    pointat(2 * 80 + 10, 150);
    EXPECT_EQ(unitselected, 10);
    pointat(700, 300); // no entry there
    EXPECT_EQ(unitselected, 10);
    pointat(3 * 80 + 40, 50);
    placeunittype = 1;
    boxresult = 255;
    uniteditinput(WM_LBUTTONDOWN, 1, 0);
    EXPECT_EQ(placeunittype, 3) << "a type the map editor's arrows never give";
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    mousey = 420;
    uniteditinput(WM_LBUTTONDOWN, 1, 0);
    EXPECT_EQ(boxresult, 255) << "below the sets a click does nothing";
    gamestate = 0;
}

TEST_F(UnitEditorKeys, ArrowsMoveTheFirstSkipOfTheShownWalkFrame) {
    startunits();
    unitselected = 0;
    placefacing = 4;
    key(VK_RIGHT);
    EXPECT_EQ(skipof(0, 4), 11);
    key(VK_LEFT);
    key(VK_LEFT);
    EXPECT_EQ(skipof(0, 4), 9);
    key(VK_DOWN);
    EXPECT_EQ(skipof(0, 4), 9 + 768);
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(skipof(0, 4), (u16)(9 - 768)) << "16 bits, wrapping";
    placefacing = 1;
    key(VK_LEFT);
    EXPECT_EQ(skipof(0, 1), 0xFFFF);
    EXPECT_EQ(unitframe[0][0][3] | unitframe[0][0][4] << 8, 0xFFDF) << "only the skip moved";
}

TEST_F(UnitEditorKeys, NudgesDoNothingOnAnEmptyFrameOrSet) {
    startunits();
    std::vector<u8> before(unitpicraw[0], unitpicraw[0] + unitpicrawsize[0]);
    std::vector<u32> dir(unitpicdir, unitpicdir + 768 * NUMUNITTYPES);
    unitselected = 0;
    placefacing = 5; // set 0 has no walk frame there
    for (u32 k : {(u32)VK_RIGHT, (u32)VK_DOWN}) key(k); // moves that do not undo each other
    unitselected = 1; // frame 0 of set 1 is empty
    placefacing = 1;
    for (u32 k : {(u32)VK_RIGHT, (u32)VK_DOWN}) key(k); // moves that do not undo each other
    unitselected = 2; // not loaded
    for (u32 k : {(u32)VK_RIGHT, (u32)VK_DOWN}) key(k); // moves that do not undo each other
    EXPECT_EQ(std::vector<u8>(unitpicraw[0], unitpicraw[0] + unitpicrawsize[0]), before);
    EXPECT_EQ(std::vector<u32>(unitpicdir, unitpicdir + 768 * NUMUNITTYPES), dir);
    EXPECT_EQ(unitpicraw[1][0] | unitpicraw[1][1] << 8, 0) << "set 1's frame 1 shares offset 0, untouched";
}

// An Up nudge puts the runs far outside the 80 x 120 box; the set saves,
// loads again, and draws only what lies on the surface.
TEST_F(UnitEditorLoad, ANudgedSetLoadsAgainAndDrawsClipped) {
    startunits();
    unitselected = 0;
    placefacing = 4;
    key(VK_UP); // 10 - 768 wraps to 0xFD0A: row 84, column 266
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why;
    initunit();
    ASSERT_EQ(unitpicloaded[0], 1);
    EXPECT_EQ(skipof(0, 4), 0xFD0A);

    clearvsall();
    drawunitpicraw(0, 20, 60, 0, 4, 0);
    beginvsdraw();
    EXPECT_EQ(*vspixel(266, 84), 0x1F);
    EXPECT_EQ(*vspixel(267, 84), to565(0x03E0));
    endvsdraw();
    // Far right: column 846 is off the surface; nothing may wrap into the
    // next row's start.
    clearvsall();
    drawunitpicraw(0, 600, 60, 0, 4, 0);
    beginvsdraw();
    const u16* all = (const u16*)vsptr;
    size_t lit = 0;
    for (u32 i = 0; i < VSBYTES / 2; i++) lit += all[i] != 0;
    endvsdraw();
    EXPECT_EQ(lit, 0u);
    // On the last column the second pixel is cut, not wrapped.
    clearvsall();
    drawunitpicraw(0, VSWIDTH - VSLEFT - 1 - 266 + 20, 60, 0, 4, 0); // first pixel on the last column
    beginvsdraw();
    EXPECT_EQ(*vspixel(VSWIDTH - VSLEFT - 1, 84), 0x1F);
    EXPECT_EQ(*vspixel(-VSLEFT, 85), 0) << "the second pixel is clipped, not wrapped";
    endvsdraw();
}

// The frame, facing and action keys of a keyboard without a keypad step
// exactly as their keypad keys do, both ways.
TEST_F(UnitEditorKeys, MainBlockKeysStandInForTheKeypad) {
    startunits();
    struct pair {
        u32 keypad, standin;
    };
    const pair pairs[] = {{VK_NUMPAD0 + 1, VK_OEM_MINUS}, {VK_NUMPAD0 + 3, VK_OEM_PLUS},
                          {VK_NUMPAD0 + 4, VK_OEM_4},     {VK_NUMPAD0 + 6, VK_OEM_6},
                          {VK_NUMPAD0 + 7, VK_OEM_COMMA}, {VK_NUMPAD0 + 9, VK_OEM_PERIOD}};
    auto pressfrom = [](u32 vk) {
        uniteditframe = 5;
        placefacing = 4;
        unitaction = 1;
        key(vk);
        return std::vector<int>{uniteditframe, placefacing, unitaction};
    };
    const std::vector<int> start{5, 4, 1};
    for (const pair& p : pairs) {
        std::vector<int> bypad = pressfrom(p.keypad);
        EXPECT_NE(bypad, start) << p.keypad;
        EXPECT_EQ(pressfrom(p.standin), bypad) << p.standin;
    }
}
