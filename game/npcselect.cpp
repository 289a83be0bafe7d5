#include "game/npcselect.h"

#include "app/cursor.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/party.h"
#include "game/spells.h"
#include "view/spellanim.h"
#include "world/grids.h"
#include "world/npc.h"

// A slot the player may command: in use, his, alive.
static bool selectable(int s) {
    const npcrec* n = npc[s];
    return n && n->isused && n->state != NPC_EMPTY && n->player == 0 && n->health >= 1;
}

void selectnpc(int slot) {
    disarmspells();
    setcursormode(1);
    switchpath(curnpc, slot);
    curnpc = slot;
    const npcrec& n = *npc[slot];
    if (!computerthinking) {
        for (int s = 1; s <= MAXNPCS; s++)
            if (npc[s]) npc[s]->selected = 0;
        npc[slot]->selected = 1;
    }
    if (n.mapoff < (u32)MAPCELLS && vistoplayer[0] && vistoplayer[0][n.mapoff]) centreifoffscreen(n.x, n.y);
    panelrestore(0);
}

static void stepnpc(int direction) {
    int from = curnpc >= 1 && curnpc <= MAXNPCS ? curnpc : 1;
    int s = from;
    do {
        s += direction;
        if (s < 1) s = MAXNPCS;
        if (s > MAXNPCS) s = 1;
    } while (s != from && !selectable(s));
    selectnpc(s);
}

void previousnpc() { stepnpc(-1); }
void nextnpc() { stepnpc(+1); }
