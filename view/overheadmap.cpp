#include "view/overheadmap.h"

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/mapview.h"
#include "view/ohmapcanvas.h"
#include "view/ohmapdraw.h"
#include "view/viewpos.h"

static u16* keptwindow = nullptr;

bool overheadscroll() { return borderscroll(mousex, mousey); }

static void keepbuffer() {
    if (!keptwindow) keptwindow = (u16*)gamealloc(OHMAPBYTES, "overheadmap()");
}

void overheadopen() {
    keepbuffer();
    darkenwindow(3);
    savewindow(keptwindow);
    buildminiature();
}

void overheadstep() {
    if (overheadscroll()) {
        // Where the view has no cells the last frame's miniature would stay
        // behind, dimmed, under the next one.
        clearvs();
        // Inside the miniature's own runs nothing of the view ever shows.
        static i16 from[OHMAPHEIGHT], to[OHMAPHEIGHT];
        for (i32 y = 0; y < OHMAPHEIGHT; y++) {
            i32 a, b;
            miniaturecovers(y, &a, &b);
            from[y] = (i16)a, to[y] = (i16)b;
        }
        drawmapviewaround(from, to);
        darkenwindowinto(keptwindow, 3, from, to);
    }
    putminiature(keptwindow);
}

void overheadclose() {
    gamefree(keptwindow, OHMAPBYTES);
    keptwindow = nullptr;
}

static void overheadframe() {
    overheadstep();
    presentframe();
}

u32 overheadmap() {
    keepbuffer();
    if (!screenenter(GS_OVERHEADMAP)) {
        overheadclose();
        screenleave();
        return 0;
    }
    setcursormode(20);
    overheadopen();
    u8 result = runscreen(overheadframe);
    overheadclose();
    screenleave();
    return result;
}
