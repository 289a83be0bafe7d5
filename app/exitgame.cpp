#include "app/exitgame.h"

#include <cstdio>

#include "app/debuglog.h"
#include "app/input.h"
#include "platform/ddraw.h"
#include "platform/platform.h"
#include "sound/dsound.h"
#include "video/display.h"

u32 soundreleased = 0;

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
    for (;;) {
        platmsg m;
        if (plat_peekmessage(&m)) {
            plat_getmessage(&m);
            if (m.message == WM_QUIT) {
                plat_destroywindow();
                plat_exitprocess(0);
            }
            plat_translatemessage(&m);
            plat_dispatchmessage(&m);
        } else if (!appactive) {
            plat_waitmessage();
        }
    }
}

void exitgame(i8 code, const char* text) {
    if (code == 0) {
        releaseobjects();
        plat_postquitmessage(0);
        logreason(code, text);
    } else {
        logreason(code, text);
        releaseobjects();
        plat_messagebox(text ? text : "", exitcaption(code));
        plat_setpriority(false);
        plat_postquitmessage(0);
    }
    debuglog("DSExit() ...\n");
    closedebuglog();
    if (!soundreleased) {
        ReleaseDSound();
        soundreleased = 1;
    }
    drainmessages();
}
