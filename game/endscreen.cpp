// The end screen: the outcome and the mission's numbers in a framed box
// over the darkened last view of the mission.
#include <cstdio>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "game/missionend.h"
#include "game/missionstats.h"
#include "sound/effects.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/effects.h"
#include "view/ohmapdraw.h"
#include "view/panel.h"

static constexpr i32 BOXX = 170, BOXY = 104, BOXW = 300, BOXH = 262;
static constexpr i32 LABELX = BOXX + 40, VALUEX = BOXX + BOXW - 40;
static constexpr i32 BUTTONW = 80, BUTTONY = BOXY + BOXH - 50;
// A click or key meant for the battle's last blow must not close the screen
// before it is seen.
static constexpr u32 SETTLETICKS = 30;

static u32 openedtick = 0;

static void statline(const char* label, const char* value, i32 y) {
    currentfont = 3;
    settextcolour555(20, 18, 12);
    drawtext(label, LABELX, y);
    settextcolour555(31, 28, 17);
    drawtextright(value, VALUEX, y);
}

static void number(u32 v, char* buf, int size) { std::snprintf(buf, (size_t)size, "%u", v); }

static u16 pixel555(u16 r, u16 g, u16 b) {
    return (u16)(r << rshift | (pixelformat == 2 ? g * 2 : g) << gshift | b << bshift);
}

// A thin rule under the title in the frame's dark gold, with a shadow,
// fading out at both ends.
static void rule(i32 y) {
    const i32 half = BOXW / 2 - 46;
    beginvsdraw();
    for (i32 dx = -half; dx <= half; dx++) {
        i32 fade = half - (dx < 0 ? -dx : dx) < 16 ? half - (dx < 0 ? -dx : dx) : 16;
        *vspixel(320 + dx, y) = pixel555((u16)(4 + 20 * fade / 16), (u16)(3 + 15 * fade / 16), (u16)(1 + 5 * fade / 16));
        *vspixel(320 + dx, y + 1) = pixel555(1, 1, 1);
    }
    endvsdraw();
}

struct endnumbers {
    char time[16];
    u32 slain, gold, losses;
};

static endnumbers numbersnow() {
    endnumbers e;
    u32 end = missionstats.endtick ? missionstats.endtick : (u32)tickcount;
    formatmissiontime(end - missionstats.starttick, e.time, sizeof e.time);
    e.slain = missionstats.slain;
    u32 gold = partygold();
    e.gold = gold > missionstats.startgold ? gold - missionstats.startgold : 0;
    e.losses = missionstats.losses;
    return e;
}

static void stats(const endnumbers& e, i32 y) {
    char buf[16];
    statline("Mission time", e.time, y);
    number(e.slain, buf, sizeof buf);
    statline("Enemies slain", buf, y + 24);
    number(e.gold, buf, sizeof buf);
    statline("Gold gathered", buf, y + 48);
    number(e.losses, buf, sizeof buf);
    statline("Party's losses", buf, y + 72);
}

void drawendscreen(u8 outcome) {
    bool won = outcome == OUTCOME_WON;
    darkenwindow(1);
    windowbox(BOXX, BOXY, BOXW, BOXH);
    currentfont = 0;
    if (won) settextcolour555(31, 26, 8);
    else settextcolour555(28, 7, 5);
    drawtextcentered(won ? "Victory!" : "Defeat", BOXY + 22, 0, 640);
    rule(BOXY + 50);
    currentfont = 4;
    settextcolour555(27, 24, 17);
    drawtextcentered(won ? "The last of the foe has fallen." : "The whole party has fallen.", BOXY + 70, 0, 640);
    stats(numbersnow(), BOXY + 104);
    setupwidget(0, 6, 320 - BUTTONW / 2, BUTTONY, BUTTONW, 120);
    drawwidget(0);
}

static void endidle() {
    widget[0].hover = insidewidget(0, mousex, mousey);
    drawwidget(0);
    presentframe();
    if (tickcount < openedtick + SETTLETICKS) boxresult = 255;
}

void showendscreen(u8 outcome) {
    if (!screenenter(GS_WAITFORINPUT)) return screenleave();
    setcursormode(CURSORPLAIN);
    drawendscreen(outcome);
    endnumbers e = numbersnow();
    debuglog("Mission time %s, enemies slain %u, gold gathered %u, party's losses %u\n", e.time, e.slain, e.gold, e.losses);
    openedtick = tickcount;
    runscreen(endidle);
    widget[0].pressed = 1;
    drawwidget(0);
    presentframe();
    playsound(SOUND_CLICK);
    screenleave();
}
