#include "app/redrawscreen.h"

#include "app/gamestate.h"
#include "app/mainmenu.h"

// Screens without an entry paint themselves every frame or when they open.
// The editors' pages join as the editors are built.
u32 redrawscreen() {
    if (gamestate == GS_MAINMENU) paintmainmenu();
    return 1;
}
