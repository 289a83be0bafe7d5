#include "app/startup.h"

#include <cstdio>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/mainmenu.h"
#include "app/messagepump.h"
#include "app/cursor.h"
#include "app/timer.h"
#include "editor/editorpictures.h"
#include "game/spells.h"
#include "game/statedump.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "sound/dsound.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "text/font.h"
#include "video/dderror.h"
#include "view/gamebitmaps.h"
#include "view/light.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/grids.h"
#include "world/unittype.h"
#include "world/viewtables.h"

std::string startdirectory;

// Every data set, in its order. The distance and light tables join after the
// fonts, and the spells at the end, with the modules that own them.
u32 initall() {
    cleargamestack();
    allocgrids();
    initviewtables();
    loadgamebitmaps();
    checkeditorpictures();
    initfonts();
    initdistancetable();
    initlighttables();
    initland();
    inititemtypes();
    initunit();
    initnpc();
    initspells();
    return 1;
}

// A map named on the command line that is not there yet is no fault: the
// map editor begins it under that name.
static void loadfirstmap() {
    const std::string& name = plat_options().mapname;
    if (!name.empty()) {
        demomapname = mappath(name);
        if (!plat_fileexists(demomapname.c_str())) {
            debuglog("No map %s yet: the map editor begins it\n", demomapname.c_str());
            return;
        }
    }
    if (loadmap(demomapname.c_str())) return;
    fliptogdi();
    errorbox("Error", "Unable to load map!");
}

static void openlog() {
    if (!opendebuglog()) exitgame(3, "Can't create debug.log.");
    if (!debuglograw("Game Start ...\n\n")) exitgame(3, "Can't write to debug.log.");
}

static void loadsounds() {
    soundenabled = plat_options().mute ? 0 : 1;
    if (!InitDSound(nullptr)) exitgame(4, "Can't initialize DirectSound!");
    for (int n = 1; n <= NUMSOUNDS; n++) {
        debuglog("Loading Sound %d ... %s\n", n, wavefiles[n]);
        if (!LoadSound(n, wavefiles[n])) {
            char text[96];
            std::snprintf(text, sizeof text, "Unable to load sound!\n%s", wavefiles[n]);
            exitgame(4, text);
        }
    }
}


// The idle loop: the menu's buttons pulse while nothing else happens.
static int mainloop() {
    int status = 0;
    for (;;) {
        pumped p = pumpmessage(&status);
        if (p == pumped::quit) return status;
        if (p == pumped::idle) mainmenuidle();
    }
}

int winmain() {
    openlog();
    // The display has said why in its box (or on standard error).
    if (!initdirectdraw()) return exitstatus(0);
    debuglogtrees();
    plat_setpriority(true);
    startdirectory = plat_getcwd().substr(0, 260);
    plat_statedumphook = writestatedump;
    if (!initall()) return exitstatus(0);
    loadfirstmap();
    clockid = plat_timesetevent(16, 0, timerproc, 0);
    if (!clockid) exitgame(6, "Unable to set Multimedia Timer!");
    fpsticks2 = 0;
    std::snprintf(fpstext, sizeof fpstext, "Testing ...");
    loadsounds();
    setgamestate(GS_MAINMENU);
    setcursormode(CURSORPLAIN);
    gameready = 1;
    int code = mainloop();
    releaseobjects();
    closedebuglog();
    return code;
}
