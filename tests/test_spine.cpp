// The debug log, the exit path, the game screen stack, cursor shapes, the
// timer's counters and the window procedure.
#include <gtest/gtest.h>

#include <cstring>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "app/windowproc.h"
#include "platform/platform.h"
#include "platform/backend.h"
#include "testenv.h"
#include "video/display.h"

static std::string logtext() { return readtext(testdatadir() + "/text/debug.log"); }

TEST(DebugLog, PrefixIsZeroPaddedAndWidensPastEightDigits) {
    char buf[64];
    formatlogprefix(buf, sizeof buf, 42, 1);
    EXPECT_STREQ(buf, "00000042 - GS: 01,  ");
    formatlogprefix(buf, sizeof buf, 123456789, 16);
    EXPECT_STREQ(buf, "123456789 - GS: 16,  ");
    formatlogprefix(buf, sizeof buf, 4294967295u, 255);
    EXPECT_STREQ(buf, "4294967295 - GS: 255,  ");
}

TEST(DebugLog, LinesCarryTickAndStateAndTheFileIsTruncatedAtEachStart) {
    starttestplatform();
    ASSERT_TRUE(opendebuglog());
    tickcount = 7;
    gamestate = GS_CONFIRM;
    debuglog("Loading Sound %d ... %s\n", 3, "wave\\sound3.wav");
    closedebuglog();
    EXPECT_EQ(logtext(), "00000007 - GS: 10,  Loading Sound 3 ... wave\\sound3.wav\n");
    ASSERT_TRUE(opendebuglog());
    debuglograw("Game Start ...\n\n");
    closedebuglog();
    EXPECT_EQ(logtext(), "Game Start ...\n\n");
}

TEST(ExitGame, CaptionsFollowTheCodeAsAnUnsignedByte) {
    EXPECT_EQ(exitcaption(0), nullptr);
    EXPECT_STREQ(exitcaption(1), "Out of Memory!");
    EXPECT_STREQ(exitcaption(3), "Unable to access file!");
    EXPECT_STREQ(exitcaption(6), "Miscellaneous Error!");
    for (int code : {2, 4, 5, 7, 127, -1, -128}) EXPECT_STREQ(exitcaption((i8)code), "Unknown Error!") << code;
}

static int runexit(i8 code, const char* text) {
    try {
        exitgame(code, text);
    } catch (const processexit& e) {
        return e.code;
    }
    return -1;
}

TEST(ExitGame, NormalEndShowsNoBoxAndLogsOkThenDSExit) {
    starttestdisplay();
    tickcount = 12;
    gamestate = GS_MAINMENU;
    EXPECT_EQ(runexit(0, nullptr), 0);
    EXPECT_TRUE(boxes.empty());
    std::string log = logtext();
    const char* tail = "\nGame Exit ... OK!\n00000012 - GS: 01,  DSExit() ...\n";
    ASSERT_GE(log.size(), std::strlen(tail));
    EXPECT_EQ(log.substr(log.size() - std::strlen(tail)), tail);
    EXPECT_EQ(primary, nullptr);
    EXPECT_FALSE(lpDD);
}

TEST(ExitGame, ErrorCodeLogsCaptionAndTextAndShowsTheBox) {
    starttestdisplay();
    EXPECT_EQ(runexit(4, "Unable to load sound!"), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Unknown Error!");
    EXPECT_EQ(boxes[0].text, "Unable to load sound!");
    EXPECT_NE(logtext().find("\nGame Exit ... \nUnknown Error!\nUnable to load sound!\n"), std::string::npos);
    // A second release, as the window's destruction makes, finds nothing to do.
    releaseobjects();
    EXPECT_EQ(vssurface, nullptr);
}

TEST(GameStack, TheThirtyThirdPushIsRefusedAndLeavesTheStackAlone) {
    starttestplatform();
    cleargamestack();
    for (int i = 0; i < 32; i++) ASSERT_TRUE(pushgamestate((u8)(1 + i % 16)));
    u8 before[GAMESTACKSIZE];
    std::memcpy(before, gamestack, sizeof before);
    EXPECT_FALSE(pushgamestate(GS_OKBOX));
    EXPECT_EQ(std::memcmp(before, gamestack, sizeof before), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Game Screen Stack Full!");
    EXPECT_EQ(boxes[0].caption, "Error");
    // Last in, first out.
    EXPECT_EQ(popgamestate(), before[0]);
    EXPECT_EQ(gamestack[GAMESTACKSIZE - 1], 0);
}

TEST(GameStack, PopOnEmptyYieldsZeroWithABox) {
    starttestplatform();
    cleargamestack();
    waitingforlmbup = 0;
    EXPECT_EQ(popgamestate(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Game Screens on Stack!");
    EXPECT_EQ(waitingforlmbup, 0);
}

TEST(GameStack, PopSetsCursorAndEditorFlagOfTheStateReturnedTo) {
    starttestplatform();
    struct row {
        u8 state, cursor, fullview;
    } rows[] = {{GS_MAINMENU, 8, 0}, {GS_CONFIRM, 8, 0}, {GS_COMBAT, 1, 0}, {GS_ITEMEDITOR, 20, 1},
                {GS_SELECTLIST, 20, 1}, {GS_EDITMAP, 20, 0}, {GS_OVERHEADMAP, 20, 0}};
    for (const row& r : rows) {
        cleargamestack();
        setcursormode(35);
        fullview = 7;
        pushgamestate(r.state);
        EXPECT_EQ(popgamestate(), r.state);
        EXPECT_EQ(cursormode, r.cursor) << int(r.state);
        EXPECT_EQ(fullview, r.fullview) << int(r.state);
        EXPECT_EQ(waitingforlmbup, 1);
    }
    // The wait and section states change neither.
    cleargamestack();
    setcursormode(35);
    fullview = 7;
    pushgamestate(GS_WAITFORINPUT);
    popgamestate();
    EXPECT_EQ(cursormode, 35);
    EXPECT_EQ(fullview, 7);
}

TEST(Cursor, ShapeTableRowsAndUnknownModes) {
    struct row {
        u8 mode;
        u32 x, y;
        u8 tint;
        u16 color;
    } rows[] = {{1, 0, 32, 4, 0x1F00},  {10, 192, 32, 2, 0x7C00}, {6, 64, 0, 2, 1},   {45, 32, 64, 2, 0x7C00},
                {46, 64, 64, 2, 0x7C00}, {34, 224, 32, 1, 1},     {41, 0, 64, 4, 0x7C00}, {20, 0, 0, 4, 1}};
    for (const row& r : rows) {
        setcursormode(35);
        setcursormode(r.mode);
        EXPECT_EQ(cursorpicx, r.x) << int(r.mode);
        EXPECT_EQ(cursorpicy, r.y) << int(r.mode);
        EXPECT_EQ(cursortint, r.tint) << int(r.mode);
        EXPECT_EQ(cursorcolor, r.color) << int(r.mode);
        EXPECT_EQ(cursorvisible, 1u);
    }
    cursorcolor = 0x1234;
    setcursormode(2); // keeps the colour
    EXPECT_EQ(cursorcolor, 0x1234);
    for (u8 m : {0, 18, 19, 21, 31, 47, 200}) {
        setcursormode(m);
        EXPECT_EQ(cursorvisible, 0u) << int(m);
        EXPECT_EQ(cursortint, 0);
    }
}

TEST(Cursor, BusyShapeAnimatesEveryFourTicksAndSameModeDoesNotRestart) {
    setcursormode(20);
    tickcount = 100;
    setcursormode(8);
    EXPECT_EQ(animnexttick, 104u);
    for (int i = 0; i < 8; i++) timerproc(0, 0, 0, 0, 0);
    EXPECT_EQ(animframe, 2);
    setcursormode(8);
    EXPECT_EQ(animframe, 2);
    for (int i = 0; i < 24; i++) timerproc(0, 0, 0, 0, 0);
    EXPECT_EQ(animframe, 0); // 32 ticks: the whole cycle
    setcursormode(1);
    EXPECT_EQ(cursoranim, 0);
}

TEST(Timer, PulseRunsOneToTwentyFourAndBack) {
    pulse = 0;
    pulseup = 1;
    std::vector<int> seen;
    for (int i = 0; i < 100; i++) {
        timerproc(0, 0, 0, 0, 0);
        seen.push_back(pulse);
        ASSERT_GE(pulse, 1);
        ASSERT_LE(pulse, 24);
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[23], 24);
    EXPECT_EQ(seen[24], 23);
    EXPECT_EQ(seen[46], 1);
    EXPECT_EQ(seen[47], 2);
    EXPECT_EQ(seen[69], 24); // a period of 46 ticks
}

TEST(Timer, WaitticksAdvancesByExactlyNOnTheVirtualClock) {
    starttestplatform();
    u32 id = plat_timesetevent(16, 0, timerproc, 0);
    ASSERT_NE(id, 0u);
    tickcount = 50;
    waitticks(5);
    EXPECT_EQ(tickcount, 55u);
    tickcount = 0xFFFFFFFEu; // the target wraps round: no wait at all
    waitticks(5);
    EXPECT_EQ(tickcount, 0xFFFFFFFEu);
    EXPECT_TRUE(plat_timekillevent(id));
    EXPECT_FALSE(plat_timekillevent(id));
}

static int handled = 0;
static void counthandler(u32, u32, i32) { handled++; }

TEST(WindowProc, CtrlStillFlipsDebugKeysButKeepsTheKeyFromTheHandler) {
    starttestplatform();
    gamestate = GS_MAINMENU;
    statehandlers[GS_MAINMENU] = counthandler;
    handled = 0;
    showdebuginfo = 0;
    windowproc(WM_KEYDOWN, VK_F11, 0);
    EXPECT_EQ(showdebuginfo, 1u);
    EXPECT_EQ(handled, 1);
    plat_setkeyheld(VK_CONTROL, true);
    windowproc(WM_KEYDOWN, VK_F11, 0);
    windowproc(WM_KEYDOWN, VK_F7, 0);
    plat_setkeyheld(VK_CONTROL, false);
    EXPECT_EQ(showdebuginfo, 0u);
    EXPECT_EQ(lightflag, 0u);
    EXPECT_EQ(handled, 1);
    windowproc(WM_KEYDOWN, VK_F7, 0);
    EXPECT_EQ(lightflag, 1u);
    statehandlers[GS_MAINMENU] = nullptr;
}

TEST(WindowProc, ActivationDisplayChangeButtonsAndSetCursor) {
    starttestplatform();
    gamestate = 0;
    windowproc(WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(appactive, 1u);
    windowproc(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(appactive, 0u);
    windowproc(WM_ACTIVATE, 5, 0);
    EXPECT_EQ(appactive, 0u);
    windowproc(WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(appactive, 1u);
    windowproc(WM_DISPLAYCHANGE, 16, makelparam(640, 480));
    EXPECT_EQ(displayok, 1);
    windowproc(WM_DISPLAYCHANGE, 32, makelparam(640, 480));
    EXPECT_EQ(displayok, 0);
    windowproc(WM_DISPLAYCHANGE, 16, makelparam(800, 600));
    EXPECT_EQ(displayok, 0);
    windowproc(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(rbuttondown, 1);
    windowproc(WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(rbuttondown, 0);
    EXPECT_EQ(windowproc(WM_SETCURSOR, 0, 0), 1);
}
