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

namespace {

const char* const xvfb = "/usr/bin/Xvfb";

// A private X server on a display number it picks itself, so that parallel
// runs never meet.
struct xserver {
    pid_t pid = -1;
    std::string display;
    bool start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            execl(xvfb, xvfb, "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                  (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        // The number arrives, with a newline, once the server takes clients.
        std::string number;
        char c;
        pollfd p{fds[0], POLLIN, 0};
        while (poll(&p, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) return false;
        display = ":" + number;
        return true;
    }
    ~xserver() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

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
