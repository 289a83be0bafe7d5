#include "app/exitgame.h"

#include <cstdio>

#include "app/debuglog.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "platform/ddraw.h"
#include "platform/platform.h"
#include "sound/dsound.h"
#include "video/display.h"

u32 soundreleased = 0;
u8 gameready = 0;

static bool exitasked = false;
static int exitasstatus = 0;

int exitstatus(i8 code) {
    if (code != 0) return (u8)code;
    // Before the main menu nobody can have chosen to quit: a normal end
    // there is a failure that has already shown its box.
    return gameready ? 0 : 1;
}

int quitstatus(int posted) {
    if (!exitasked) return posted;
    exitasked = false;
    return exitasstatus;
}

const char* exitcaption(i8 code) {
    switch ((u8)code) {
    case 0: return nullptr;
    case 1: return "Out of Memory!";
    case 3: return "Unable to access file!";
    case 6: return "Miscellaneous Error!";
    default: return "Unknown Error!";
    }
}

static void release(ddsurface*& s) {
    if (!s) return;
    dd_releasesurface(s);
    s = nullptr;
}

void releaseobjects() {
    if (!lpDD) return;
    release(primary);
    backbuffer = nullptr; // went with the primary surface
    release(vssurface);
    release(cursorsurface);
    dd_release();
    lpDD = false;
}

static void logreason(i8 code, const char* text) {
    if (code == 0) {
        debuglograw("\nGame Exit ... OK!\n");
        return;
    }
    char buf[1024];
    std::snprintf(buf, sizeof buf, "\nGame Exit ... \n%s\n%s\n", exitcaption(code), text ? text : "");
    debuglograw(buf);
}

[[noreturn]] static void drainmessages() {
    int status = 0;
    for (;;)
        if (pumpmessage(&status) == pumped::quit) endprocess(status);
}

void exitgame(i8 code, const char* text) {
    // The quit message may meet one posted before (the window closing while
    // a load failed); whichever arrives first, the process ends with this.
    exitasked = true;
    exitasstatus = exitstatus(code);
    if (code == 0) {
        releaseobjects();
        plat_postquitmessage(exitasstatus);
        logreason(code, text);
    } else {
        logreason(code, text);
        releaseobjects();
        plat_messagebox(text ? text : "", exitcaption(code));
        plat_setpriority(false);
        plat_postquitmessage(exitasstatus);
    }
    debuglog("DSExit() ...\n");
    closedebuglog();
    if (!soundreleased) {
        ReleaseDSound();
        soundreleased = 1;
    }
    drainmessages();
}
