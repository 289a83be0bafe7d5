// The debug log, the exit path, the game screen stack, cursor shapes, the
// timer's counters and the window procedure.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/selectcolor.h"
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
    gameready = 1;
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
    EXPECT_EQ(runexit(4, "Unable to load sound!"), 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Unknown Error!");
    EXPECT_EQ(boxes[0].text, "Unable to load sound!");
    EXPECT_NE(logtext().find("\nGame Exit ... \nUnknown Error!\nUnable to load sound!\n"), std::string::npos);
    // A second release, as the window's destruction makes, finds nothing to do.
    releaseobjects();
    EXPECT_EQ(vssurface, nullptr);
}

TEST(ExitGame, TheProcessEndsWithTheCodeAndANormalEndBeforeTheMenuIsAFailure) {
    struct row {
        i8 code;
        u8 ready;
        int status;
    } rows[] = {{3, 1, 3}, {1, 0, 1}, {6, 1, 6}, {-1, 1, 255}, {0, 1, 0}, {0, 0, 1}};
    for (const row& r : rows) {
        starttestdisplay();
        gameready = r.ready;
        EXPECT_EQ(runexit(r.code, "x"), r.status) << int(r.code) << " ready " << int(r.ready);
    }
    // A quit already queued (the window closed) does not hide the failure.
    starttestdisplay();
    gameready = 1;
    plat_postquitmessage(0);
    EXPECT_EQ(runexit(3, "fonts\\x.pcx"), 3);
    gameready = 0;
}

static int quitinscreen(u8 state, int posted) {
    screenenter(state);
    plat_postquitmessage(posted);
    try {
        runscreen(nullptr);
    } catch (const processexit& e) {
        return e.code;
    }
    return -1;
}

TEST(MessagePump, AQuitInAScreenLoopEndsTheProcessWithItsStatus) {
    starttestdisplay();
    EXPECT_EQ(quitinscreen(GS_OKBOX, 0), 0);
    starttestdisplay();
    EXPECT_EQ(quitinscreen(GS_CONFIRM, 7), 7);
    EXPECT_FALSE(plat_windowexists());
    EXPECT_FALSE(lpDD);
}

TEST(MessageBox, EveryBoxIsALineOnStandardErrorNamingTheDataDirectoryForFiles) {
    starttestplatform();
    std::string dir = testdatadir();
    EXPECT_EQ(plat_boxline("fonts\\x.pcx", "Unable to access file!"),
              "vennor: Unable to access file!: fonts\\x.pcx (data directory " + dir + ")\n");
    EXPECT_EQ(plat_boxline("Unable to load map!", "Error"),
              "vennor: Error: Unable to load map! (data directory " + dir + ")\n");
    EXPECT_EQ(plat_boxline("Game Screen Stack Full!", "Error"), "vennor: Error: Game Screen Stack Full!\n");
    EXPECT_EQ(plat_boxline("specialmap", "Out of Memory!"), "vennor: Out of Memory!: specialmap\n");
    testing::internal::CaptureStderr();
    plat_messagebox("Game Screen Stack Full!", "Error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vennor: Error: Game Screen Stack Full!\n");
    ASSERT_EQ(boxes.size(), 1u);
}

// A box that never gets its answer, in a process whose SIGTERM and SIGINT
// only set a flag (as the window system's handlers do): the signal must end
// it all the same.
static int signalduringbox(int sig) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        struct sigaction sa {};
        sa.sa_handler = [](int) {};
        sigaction(SIGINT, &sa, nullptr);
        sigaction(SIGTERM, &sa, nullptr);
        static int fd;
        fd = ready[1];
        plat_messageboxhook = [](const char*, const char*) {
            if (write(fd, "x", 1) != 1) _exit(90);
            for (;;) pause();
        };
        plat_messagebox("waiting", "Error");
        _exit(91);
    }
    char c;
    if (read(ready[0], &c, 1) != 1) return -2;
    kill(child, sig);
    int status = 0;
    for (int i = 0; i < 300; i++) {
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -4; // still alive after three seconds
}

TEST(MessageBox, SigtermOrSigintWhileABoxIsUpEndsTheProcess) {
    starttestplatform();
    EXPECT_EQ(signalduringbox(SIGTERM), 128 + SIGTERM);
    EXPECT_EQ(signalduringbox(SIGINT), 128 + SIGINT);
    // Once the box is answered the handlers from before are back.
    struct sigaction before {}, after {};
    sigaction(SIGTERM, nullptr, &before);
    plat_messagebox("answered", "Error");
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(before.sa_handler, after.sa_handler);
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

static void fillstack() {
    cleargamestack();
    for (int i = 0; i < GAMESTACKSIZE; i++) ASSERT_TRUE(pushgamestate(GS_EDITMAP));
    boxes.clear();
}

TEST(GameStack, ARefusedPushKeepsTheCurrentScreen) {
    starttestdisplay();
    fillstack();
    gamestate = GS_COMBAT;
    EXPECT_EQ(setgamestate(GS_OVERHEADMAP), 0u);
    EXPECT_EQ(gamestate, GS_COMBAT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Game Screen Stack Full!");
    // A modal screen refused the same way runs no loop, answers "no" and
    // leaves the stack and the state as they were.
    u8 before[GAMESTACKSIZE];
    std::memcpy(before, gamestack, sizeof before);
    plat_postmessage(WM_KEYDOWN, 'Y', 0);
    EXPECT_FALSE(screenenter(GS_CONFIRM));
    EXPECT_EQ(gamestate, GS_COMBAT);
    EXPECT_EQ(runscreen(nullptr), 0);
    screenleave();
    EXPECT_EQ(gamestate, GS_COMBAT);
    EXPECT_EQ(std::memcmp(before, gamestack, sizeof before), 0);
    platmsg m;
    EXPECT_TRUE(plat_peekmessage(&m)) << "the key was left for the screen that stays";
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
    } rows[] = {{GS_MAINMENU, CURSORPLAIN, 0}, {GS_CONFIRM, 8, 0}, {GS_COMBAT, 1, 0}, {GS_ITEMEDITOR, 20, 1},
                {GS_SELECTLIST, 20, 1}, {GS_EDITMAP, 20, 0}, {GS_OVERHEADMAP, 20, 0}};
    for (const row& r : rows) {
        cleargamestack();
        setcursormode(2);
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

// The picker over the combat screen: Esc or a click closes it, the pixel
// under the mouse comes back, and the combat screen is current again with
// its own cursor.
TEST(ColourPicker, ReturnsTheColourUnderTheMouseAndTheStateItCameFrom) {
    for (u32 closer : {(u32)WM_KEYDOWN, (u32)WM_LBUTTONDOWN}) {
        starttestdisplay();
        cleargamestack();
        pushgamestate(GS_MAINMENU);
        gamestate = GS_COMBAT;
        setcursormode(1);
        fullview = 0;
        // Block r = 9 (second row, second column), green 7, blue 5.
        mousex = 64 + 64 + 2 * 5;
        mousey = 128 + 64 + 2 * 7 + 1;
        plat_setcursorpos(mousex, mousey);
        plat_postmessage(closer, closer == WM_KEYDOWN ? (u32)VK_ESCAPE : 1u, 0);
        EXPECT_EQ(selectcolor(), 9 * 1024 + 7 * 32 + 5);
        EXPECT_EQ(gamestate, GS_COMBAT);
        EXPECT_EQ(cursormode, 1);
        EXPECT_EQ(fullview, 0);
        EXPECT_EQ(gamestack[0], GS_MAINMENU);
        EXPECT_EQ(gamestack[1], 0);
    }
}

TEST(ColourPicker, RefusedByAFullStackItLeavesTheScreenAlone) {
    starttestdisplay();
    fillstack();
    gamestate = GS_COMBAT;
    u8 before[GAMESTACKSIZE];
    std::memcpy(before, gamestack, sizeof before);
    plat_postmessage(WM_KEYDOWN, VK_ESCAPE, 0);
    selectcolor();
    EXPECT_EQ(gamestate, GS_COMBAT);
    EXPECT_EQ(std::memcmp(before, gamestack, sizeof before), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Game Screen Stack Full!");
}
