#include "game/paneltabs.h"

#include "game/missionstate.h"
#include "game/mission.h"
#include "game/npcselect.h"
#include "game/paneloptions.h"
#include "game/panelscroll.h"
#include "view/mapview.h"
#include "view/overheadmap.h"
#include "view/panel.h"
#include "view/panellayout.h"
#include "world/npc.h"

// The MAP tab is white while the overhead map is open; the tab shown
// before comes back with the mission.
static void opentab(int t) {
    if (t != TAB_MAP) {
        paneltab = (u8)t;
        return;
    }
    u8 was = paneltab;
    paneltab = TAB_MAP;
    drawmapview(); // the map opens over the panel as it now is
    overheadmap();
    paneltab = was;
}

static bool commandable(int s) {
    const npcrec* n = npc[s];
    return n && n->isused && n->state != NPC_EMPTY && n->player == 0 && n->health >= 1;
}

static bool inventoryrow(i32 x, i32 y) {
    int members[SLOTSPERPLAYER], count = partymembers(members);
    for (int r = 0; r < BOXLINES; r++) {
        if (!boxrow(r).holds(x, y)) continue;
        int k = invscroll + r;
        if (k < count && commandable(members[k])) selectnpc(members[k]);
        return true;
    }
    return false;
}

static bool scrollarrows(i32 x, i32 y) {
    if (scrollup.holds(x, y)) return scrollpanel(-1), true;
    if (scrolldown.holds(x, y)) return scrollpanel(+1), true;
    return false;
}

bool paneltabpress(i32 x, i32 y) {
    for (int t = 0; t < NUMTABS; t++)
        if (tabrect[t].holds(x, y)) return opentab(t), true;
    if ((paneltab == TAB_INV || paneltab == TAB_LOG) && scrollarrows(x, y)) return true;
    if (paneltab == TAB_INV) return inventoryrow(x, y);
    if (paneltab == TAB_OPTIONS)
        for (int c = 0; c < NUMOPTCONTROLS; c++)
            if (optrect[c].holds(x, y)) return pressoption(c), true;
    return false;
}
