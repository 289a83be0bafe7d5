#include "app/redrawscreen.h"

#include "app/gamestate.h"
#include "app/mainmenu.h"
#include "editor/landeditor.h"
#include "editor/itemeditor.h"
#include "editor/uniteditor.h"

// Screens without an entry paint themselves every frame or when they open.
// The editors' pages join as the editors are built.
u32 redrawscreen() {
    if (gamestate == GS_MAINMENU) paintmainmenu();
    if (gamestate == GS_LANDEDITOR) drawlandeditor();
    if (gamestate == GS_UNITEDITOR) drawuniteditor();
    if (gamestate == GS_ITEMEDITOR) drawitempage();
    return 1;
}
