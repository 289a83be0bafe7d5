// The real window waits instead of spinning: a busy wait's pass lasts until
// the next tick, and a frame the window already shows is not drawn again,
// while a repaint the system asks for still is.
#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdlidle.h"
#include "testenv.h"
#include "xserver.h"

namespace {

const size_t framepixels = 640 * 480;

TEST(IdleWait, OnlyAnIdenticalFrameInTheSameLayoutCountsAsUnchanged) {
    std::vector<u16> last(framepixels, 0x1234), next = last;
    EXPECT_TRUE(sdlidle_unchanged(last.data(), last.size(), 565, next.data(), next.size(), 565));
    EXPECT_FALSE(sdlidle_unchanged(last.data(), last.size(), 565, next.data(), next.size(), 555))
        << "the same bits mean other colours in the other layout";
    next.front() = 0;
    EXPECT_FALSE(sdlidle_unchanged(last.data(), last.size(), 565, next.data(), next.size(), 565));
    next.front() = last.front();
    next.back() ^= 1;
    EXPECT_FALSE(sdlidle_unchanged(last.data(), last.size(), 565, next.data(), next.size(), 565))
        << "the last pixel was not compared";
    next.back() = last.back();
    EXPECT_FALSE(sdlidle_unchanged(nullptr, 0, 565, next.data(), next.size(), 565)) << "nothing was shown yet";
    EXPECT_FALSE(sdlidle_unchanged(last.data(), last.size() - 1, 565, next.data(), next.size(), 565));
}

TEST(IdleWait, TheWaitIsLongerThanATickWithTheTimerAndAboutAFrameWithout) {
    EXPECT_GT(sdlidle_waitms(true), 16u) << "the safety net would end waits before the tick";
    EXPECT_LE(sdlidle_waitms(true), 100u) << "a lost wake-up would freeze the screen for too long";
    EXPECT_GE(sdlidle_waitms(false), 10u);
    EXPECT_LE(sdlidle_waitms(false), 17u);
}

TEST(IdleWait, TheTickGateRemembersATickThatCameBetweenTwoWaits) {
    sdltick_wait(0);  // forget ticks of earlier tests
    EXPECT_FALSE(sdltick_wait(1)) << "no tick came, yet the wait said one did";
    u64 before = sdltick_count();
    sdltick_fire();
    EXPECT_EQ(sdltick_count(), before + 1);
    EXPECT_TRUE(sdltick_wait(10000)) << "the tick fired before the wait was lost";
    EXPECT_FALSE(sdltick_wait(1)) << "one tick ended two waits";
}

TEST(IdleWait, EachPassOfABusyWaitLastsUntilTheTimerThreadsNextTick) {
    ASSERT_TRUE(sdltimer_start(2));
    sdltimer_spin();  // the first pass may end on a tick from before
    const int passes = 25;
    int advanced = 0;
    for (int i = 0; i < passes; i++) {
        u64 before = sdltick_count();
        sdltimer_spin();
        if (sdltick_count() > before) advanced++;
    }
    sdltimer_stop();
    EXPECT_EQ(advanced, passes) << "passes returned without a tick, so the wait spins";
    u64 stopped = sdltick_count();
    sdltimer_spin();  // must come back with the timer stopped
    EXPECT_EQ(sdltick_count(), stopped);
}

i32 ignore(u32, u32, i32) { return 0; }

TEST(IdleWait, TheWindowDrawsNewFramesAndRepaintsButNotTheSameFrameTwice) {
    if (access(xvfb, X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed";
    xserver x;
    ASSERT_TRUE(x.start());
    starttestplatform();
    setenv("DISPLAY", x.display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    platoptions o;
    o.datadir = testdatadir();
    o.scale = 1;
    std::string err;
    ASSERT_TRUE(plat_init(o, &err)) << err;
    ASSERT_TRUE(plat_createwindow("Vennor", ignore));
    std::vector<u16> a(framepixels, 0x07e0), b = a;
    b[320 + 240 * 640] = 0xf800;
    u64 start = sdlwin_drawcount();
    sdlwin_present(a.data(), 565);
    EXPECT_EQ(sdlwin_drawcount(), start + 1) << "the first frame was not shown";
    sdlwin_present(a.data(), 565);
    sdlwin_present(a.data(), 565);
    EXPECT_EQ(sdlwin_drawcount(), start + 1) << "the same frame was presented again";
    sdlwin_repaint();
    EXPECT_EQ(sdlwin_drawcount(), start + 2) << "an exposed window was not redrawn";
    sdlwin_present(b.data(), 565);
    EXPECT_EQ(sdlwin_drawcount(), start + 3) << "a frame differing in one pixel was not shown";
    sdlwin_present(b.data(), 555);
    EXPECT_EQ(sdlwin_drawcount(), start + 4) << "a change of layout was not shown";
    plat_destroywindow();
    plat_shutdown();
    unsetenv("DISPLAY");
    starttestplatform();
}

}  // namespace
