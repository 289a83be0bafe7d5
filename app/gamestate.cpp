#include "app/gamestate.h"

#include <cstring>

#include "app/cursor.h"
#include "app/input.h"
#include "app/redrawscreen.h"
#include "app/exitgame.h"
#include "platform/platform.h"
#include "video/dderror.h"
#include "video/display.h"
#include "video/presentframe.h"

u8 gamestate = 0;
u8 gamestack[GAMESTACKSIZE];
u8 boxresult = 255;

static const char* const statenames[] = {
    "UNKNOWN",       "GS_MAINMENU",    "GS_OPTIONS",    "GS_CAMPAIGN",     "GS_COMBAT",    "GS_OKBOX",
    "GS_MAPEDITOR",  "GS_LANDEDITOR",  "GS_ITEMEDITOR", "GS_UNITEDITOR",   "GS_CONFIRM",   "GS_SELECTCOLOR",
    "GS_EDITMAP",    "GS_WAITFORINPUT", "GS_SETSECTIONS", "GS_SELECTLIST", "GS_OVERHEADMAP",
};

const char* gamestatename(u8 state) { return state <= GS_OVERHEADMAP ? statenames[state] : "UNKNOWN"; }

void cleargamestack() { std::memset(gamestack, 0, sizeof gamestack); }

bool pushgamestate(u8 state) {
    if (gamestack[GAMESTACKSIZE - 1] != 0) {
        fliptogdi();
        errorbox("Error", "Game Screen Stack Full!");
        return false;
    }
    std::memmove(gamestack + 1, gamestack, GAMESTACKSIZE - 1);
    gamestack[0] = state;
    return true;
}

// What the screen returned to shows: its cursor, and whether it is an editor.
static void entered(u8 state) {
    switch (state) {
    case 1: case 2: case 3: case 5: case 10:
        setcursormode(8);
        fullview = 0;
        break;
    case 4:
        setcursormode(1);
        fullview = 0;
        break;
    case 6: case 7: case 8: case 9: case 11: case 15:
        setcursormode(20);
        fullview = 1;
        break;
    case 12: case 16:
        setcursormode(20);
        fullview = 0;
        break;
    default:
        break;
    }
}

u8 popgamestate() {
    if (gamestack[0] == 0) {
        fliptogdi();
        errorbox("Error", "No Game Screens on Stack!");
        return 0;
    }
    u8 state = gamestack[0];
    std::memmove(gamestack, gamestack + 1, GAMESTACKSIZE - 1);
    gamestack[GAMESTACKSIZE - 1] = 0;
    entered(state);
    waitingforlmbup = 1;
    return state;
}

u32 setgamestate(u8 state) {
    pushgamestate(gamestate);
    gamestate = state;
    redrawscreen();
    return 1;
}

void screenenter(u8 state) {
    pushgamestate(gamestate);
    gamestate = state;
}

static void dispatchone() {
    platmsg m;
    plat_getmessage(&m);
    if (m.message == WM_QUIT) {
        releaseobjects();
        plat_destroywindow();
        plat_exitprocess(0);
    }
    plat_translatemessage(&m);
    plat_dispatchmessage(&m);
}

u8 runscreen(void (*idle)()) {
    boxresult = 255;
    for (;;) {
        platmsg m;
        if (plat_peekmessage(&m)) {
            dispatchone();
            continue;
        }
        if (!appactive) {
            plat_waitmessage();
            continue;
        }
        if (idle) idle();
        else presentframe();
        if (boxresult <= 254) {
            u8 result = boxresult;
            boxresult = 255;
            return result;
        }
    }
}

void screenleave() {
    gamestate = popgamestate();
    redrawscreen();
}
