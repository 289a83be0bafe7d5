// Alt+Enter on an X display with no window manager (a bare Xvfb): the
// window must really cover the screen and come back, and the size SDL draws
// for and maps the mouse with must be the window's real one both ways.
// Skipped where Xvfb is not installed.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/sdl/sdlwinsize.h"
#include "testenv.h"
#include "xserver.h"

namespace {

i32 ignore(u32, u32, i32) { return 0; }

// Lets the X server and SDL's event queue settle.
void settle() {
    for (int i = 0; i < 30; i++) {
        platmsg m;
        while (plat_peekmessage(&m)) plat_getmessage(&m);
        usleep(10000);
    }
}

void expectsizes(int w, int h, bool full) {
    sdlwinsizes s;
    ASSERT_TRUE(sdlwin_sizes(&s));
    EXPECT_EQ(s.fullscreen, full);
    EXPECT_EQ(s.realw, w);
    EXPECT_EQ(s.realh, h);
    EXPECT_EQ(s.sdlw, w) << "SDL takes the window to be another size than it is";
    EXPECT_EQ(s.sdlh, h);
    EXPECT_EQ(s.outw, w) << "the picture is drawn for another size";
    EXPECT_EQ(s.outh, h);
}

}  // namespace

TEST(FullScreen, AltEnterWithoutAWindowManagerFollowsTheRealWindowBothWays) {
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
    settle();
    expectsizes(640, 480, false);
    for (int round = 0; round < 2; round++) {
        sdlwin_togglefullscreen();
        settle();
        expectsizes(1024, 768, true);
        sdlwin_togglefullscreen();
        settle();
        expectsizes(640, 480, false);
    }
    plat_destroywindow();
    plat_shutdown();
    unsetenv("DISPLAY");
    starttestplatform();
}
