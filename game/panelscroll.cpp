#include "game/panelscroll.h"

#include "game/eventlog.h"
#include "game/kills.h"
#include "game/paneloptions.h"
#include "view/panel.h"
#include "view/panellayout.h"

int invscroll = 0;
int logscroll = 0;

int partymembers(int out[SLOTSPERPLAYER]) {
    int n = 0;
    for (int s = 1; s <= SLOTSPERPLAYER; s++)
        if (npc[s] && npc[s]->isused && npc[s]->player == 0) out[n++] = s;
    return n;
}

static int clamp(int v, int most) {
    if (v > most) v = most;
    return v < 0 ? 0 : v;
}

void scrollpanel(int by) {
    if (paneltab == TAB_INV) {
        int members[SLOTSPERPLAYER];
        invscroll = clamp(invscroll + by, partymembers(members) - BOXLINES);
    } else if (paneltab == TAB_LOG) {
        // Up goes back in time.
        logscroll = clamp(logscroll - by, eventcount() - BOXLINES);
    }
}

void startpanelrecords() {
    clearevents();
    clearkills();
    invscroll = logscroll = 0;
    takespeedsetting();
}
