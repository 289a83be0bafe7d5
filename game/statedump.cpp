#include "game/statedump.h"

#include <cstdio>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/timer.h"
#include "game/eventlog.h"
#include "game/missionstate.h"
#include "view/viewpos.h"
#include "world/npc.h"

void writestatedump(std::string* out) {
    char line[160];
    std::snprintf(line, sizeof line, "tick %u gamestate %d curnpc %d cursor %d picked %d %d view %d %d\n", (u32)tickcount,
                  (int)gamestate, (int)curnpc, (int)cursormode, (int)selectedwx, (int)selectedwy, (int)scx, (int)scy);
    *out += line;
    for (int s = 1; s < NPCSLOTS; s++) {
        const npcrec* n = npc[s];
        if (!n || !n->isused) continue;
        std::snprintf(line, sizeof line,
                      "npc %d player %u type %u at %d %d state %u health %d magic %d gold %u frozen %u facing %u frame %u hidden %u\n",
                      s, n->player, n->unitno, n->x, n->y, n->state, n->health, (int)n->magic, n->gold, n->frozen,
                      n->facing, n->frame, n->hidden);
        *out += line;
    }
    // The log oldest first, as the LOG tab shows it.
    for (int back = eventcount() - 1; back >= 0; back--) *out += std::string("event ") + eventline(back) + "\n";
}
