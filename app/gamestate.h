#pragma once
// Game states, the game screen stack and the screen loop.
#include "platform/types.h"

enum : u8 {
    GS_MAINMENU = 1,
    GS_OPTIONS = 2,
    GS_CAMPAIGN = 3,
    GS_COMBAT = 4,
    GS_OKBOX = 5,
    GS_MAPEDITOR = 6,
    GS_LANDEDITOR = 7,
    GS_ITEMEDITOR = 8,
    GS_UNITEDITOR = 9,
    GS_CONFIRM = 10,
    GS_SELECTCOLOR = 11,
    GS_EDITMAP = 12,
    GS_WAITFORINPUT = 13,
    GS_SETSECTIONS = 14,
    GS_SELECTLIST = 15,
    GS_OVERHEADMAP = 16,
    GS_FILEDIALOG = 17,
    GS_EDITITEM = 18,
    GS_EDITUNIT = 19,
};

constexpr int GAMESTACKSIZE = 32;

extern u8 gamestate;
extern u8 gamestack[GAMESTACKSIZE];
extern u8 boxresult; // 255: the current screen has no result yet

// The name the debug overlay prints for a state ("UNKNOWN" for none).
const char* gamestatename(u8 state);
void cleargamestack();
bool pushgamestate(u8 state);
u8 popgamestate();
// Pushes the current state and makes `state` current; 0 (and nothing
// changes but the box) when the stack is full.
u32 setgamestate(u8 state);

// A modal screen: screenenter pushes the current state and makes `state`
// current; the screen then sets its cursor and draws; runscreen pumps
// messages, calling idle (redraw animated parts and present) whenever none
// is waiting, until a handler sets boxresult, and returns it (boxresult is
// 255 again); screenleave pops back and repaints the screen returned to.
// When the stack is full the screen is refused: screenenter returns false
// and keeps the current state, runscreen returns 0 at once (no, closed) and
// screenleave pops nothing.
bool screenenter(u8 state);
u8 runscreen(void (*idle)());
void screenleave();
