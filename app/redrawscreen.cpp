#include "app/redrawscreen.h"

#include "app/gamestate.h"
#include "video/vscreen.h"

// The main menu's picture and buttons arrive with the menu itself; until then
// the menu is an empty screen. Every other state paints itself.
u32 redrawscreen() {
    if (gamestate == GS_MAINMENU) clearvs();
    return 1;
}
