#include "game/missionend.h"

#include "app/debuglog.h"
#include "game/missionstats.h"
#include "sound/effects.h"
#include "world/npc.h"

// The last to fall are seen falling before the screen covers them, but a
// pause does not hold the screen back.
static constexpr int FALLFRAMES = 24;
static int framessince = 0;

static bool anydying() {
    for (int s = 1; s <= MAXNPCS; s++)
        if (npc[s] && npc[s]->isused && npc[s]->state == NPC_DYING) return true;
    return false;
}

static void decided(u8 outcome) {
    framessince = 0;
    if (outcome == OUTCOME_WON) {
        playsound(SOUND_WINGAME);
        debuglog("Mission won\n");
    } else {
        debuglog("Mission lost\n");
    }
}

u8 missionoutcome() {
    u32 fallen = missionstats.slain + missionstats.losses;
    u8 before = missionstats.outcome;
    u8 outcome = tallymissionstats();
    if (missionstats.slain + missionstats.losses > fallen) playsound(SOUND_FALL);
    if (outcome != OUTCOME_NONE && before == OUTCOME_NONE) decided(outcome);
    return outcome;
}

bool missionendcheck() {
    u8 outcome = missionoutcome();
    if (outcome == OUTCOME_NONE) return false;
    if (anydying() && ++framessince < FALLFRAMES) return false;
    showendscreen(outcome);
    return true;
}
