#include "video/overlay.h"

#include <cstdarg>
#include <cstdio>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/timer.h"
#include "game/commands.h"
#include "game/missile.h"
#include "game/missionstate.h"
#include "video/display.h"
#include "view/viewpos.h"

void updatefps() {
    if (fpsticks > 0) fps = (float)framecount / ((float)fpsticks * 0.016666668f);
    if (fpsticks2 >= 60) {
        std::snprintf(fpstext, sizeof fpstext, "fps: %d", (int)fps);
        fpsticks2 = 0;
        framecount = 0;
        fpsticks = 0;
    }
}

static void line(gdidc* dc, i32 x, i32 y, const char* fmt, ...) __attribute__((format(printf, 4, 5)));
static void line(gdidc* dc, i32 x, i32 y, const char* fmt, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    gdi_textout(dc, x, y, buf);
}

static void missilelines(gdidc* dc) {
    const missilerec& m = missile[0];
    line(dc, 0, 64, "missile[0].isused = %d", m.isused);
    line(dc, 0, 80, "( %d, %d ) damage: %d", m.x, m.y, m.damage);
    line(dc, 0, 96, "xstep: %f, ystep: %f", m.xstep, m.ystep);
    line(dc, 0, 112, "offx: %d, offy: %d", (int)m.offx, (int)m.offy);
}

static void lines(gdidc* dc) {
    line(dc, 0, 0, "memoryused = %u", memoryused);
    if (gamepaused) line(dc, 295, 0, "Game Paused");
    line(dc, 0, 16, "(%d, %d)  %s", mousex, mousey, fpstext);
    if (gamestate == GS_COMBAT) missilelines(dc);
    if (gamestate == GS_COMBAT || gamestate == GS_EDITMAP) {
        line(dc, 0, 32, "scx, scy = %d, %d", scx, scy);
        line(dc, 0, 48, "selectedwx, wy = %d, %d", selectedwx, selectedwy);
    }
    line(dc, 0, 464, "%s", gamestatename(gamestate));
    line(dc, 0, 448, "cursormode %d - (%u, %u)", cursormode, cursorpicx, cursorpicy);
    line(dc, 0, 416, "tickcount %u", (u32)tickcount);
    // The cell under the cursor and the leader's state come from the world
    // tables, which are not loaded yet: they read as empty.
    line(dc, 0, 432, "@ cursor: item %d, npc %d, npc owner: %d", 0, 0, 0);
    line(dc, 0, 400, "player state: %d, waitingforlmbup: %d, \t\t\t\t\tclickedtomove: %d, clickedtoattack: %d", 0,
         waitingforlmbup, clickedtomove, clickedtoattack);
}

void drawoverlay() {
    updatefps();
    gdidc* dc;
    if (dd_getdc(backbuffer, &dc) != DD_OK) return;
    gdi_setbkcolor(dc, 0x000000);
    gdi_settextcolor(dc, 0x808080);
    lines(dc);
    dd_releasedc(backbuffer, dc);
}
