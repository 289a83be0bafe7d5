#include "app/gamestate.h"

#include <cstring>

#include "app/cursor.h"
#include "app/input.h"
#include "app/redrawscreen.h"
#include "app/messagepump.h"
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
    "GS_FILEDIALOG", "GS_EDITITEM", "GS_EDITUNIT",
};

const char* gamestatename(u8 state) { return state <= GS_EDITUNIT ? statenames[state] : "UNKNOWN"; }

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
    case GS_MAINMENU: // the plain pointer: the menu waits for the player, not he for it
        setcursormode(CURSORPLAIN);
        fullview = 0;
        break;
    case GS_OPTIONS: case GS_CAMPAIGN: case GS_OKBOX: case GS_CONFIRM:
        setcursormode(8);
        fullview = 0;
        break;
    case GS_COMBAT:
        setcursormode(1);
        fullview = 0;
        break;
    case GS_MAPEDITOR: case GS_LANDEDITOR: case GS_ITEMEDITOR: case GS_UNITEDITOR: case GS_SELECTCOLOR:
    case GS_SELECTLIST:
        setcursormode(20);
        fullview = 1;
        break;
    case GS_EDITMAP: case GS_OVERHEADMAP:
        setcursormode(20);
        fullview = 0;
        break;
    default: // GS_WAITFORINPUT, GS_SETSECTIONS and unknown states keep both
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

// A refused push leaves the current screen current: switching anyway would
// lose the way back to it.
u32 setgamestate(u8 state) {
    if (!pushgamestate(gamestate)) return 0;
    gamestate = state;
    redrawscreen();
    return 1;
}

// Screens refused by a full stack that have not been left yet. A refused
// screen runs no loop, so it cannot open another: they are always the
// innermost ones.
static int refusedscreens = 0;

bool screenenter(u8 state) {
    if (refusedscreens || !pushgamestate(gamestate)) {
        refusedscreens++;
        return false;
    }
    gamestate = state;
    return true;
}

u8 runscreen(void (*idle)()) {
    boxresult = 255;
    if (refusedscreens) return 0;
    int status = 0;
    for (;;) {
        switch (pumpmessage(&status)) {
        case pumped::quit: endprocess(status);
        case pumped::message: continue;
        case pumped::idle: break;
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
    if (refusedscreens) {
        refusedscreens--;
        redrawscreen();
        return;
    }
    gamestate = popgamestate();
    redrawscreen();
}
