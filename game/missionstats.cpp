#include "game/missionstats.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

#include "app/timer.h"

// A saved game keeps it as its bytes.
static_assert(std::is_trivially_copyable_v<missionstatsrec>);
missionstatsrec missionstats;

bool unitalive(int slot) {
    if (slot < 1 || slot > MAXNPCS || !npc[slot]) return false;
    const npcrec& n = *npc[slot];
    return n.isused && n.state != NPC_DEAD && n.state != NPC_DYING && n.state != NPC_EMPTY;
}

u32 partygold() {
    u32 sum = 0;
    for (int s = 1; s <= SLOTSPERPLAYER; s++)
        if (npc[s] && npc[s]->isused) sum += npc[s]->gold;
    return sum;
}

void startmissionstats() {
    std::memset(&missionstats, 0, sizeof missionstats);
    missionstats.starttick = tickcount;
    missionstats.startgold = partygold();
    for (int s = 1; s <= MAXNPCS; s++) {
        missionstats.alive[s] = unitalive(s);
        if (missionstats.alive[s] && slotplayer(s) != 0) missionstats.enemiesatstart++;
    }
}

// Returns how many of the party's and of the computer's units are alive.
static void tallyslots(int* party, int* enemies) {
    *party = *enemies = 0;
    for (int s = 1; s <= MAXNPCS; s++) {
        bool now = unitalive(s);
        bool ours = slotplayer(s) == 0;
        if (missionstats.alive[s] && !now) (ours ? missionstats.losses : missionstats.slain)++;
        missionstats.alive[s] = now;
        if (now) (ours ? *party : *enemies)++;
    }
}

u8 tallymissionstats() {
    int party, enemies;
    tallyslots(&party, &enemies);
    if (missionstats.outcome != OUTCOME_NONE) return missionstats.outcome;
    if (party == 0) missionstats.outcome = OUTCOME_LOST;
    else if (enemies == 0 && missionstats.enemiesatstart > 0) missionstats.outcome = OUTCOME_WON;
    if (missionstats.outcome != OUTCOME_NONE) missionstats.endtick = tickcount;
    return missionstats.outcome;
}

void formatmissiontime(u32 ticks, char* buf, int size) {
    u32 seconds = (u32)((u64)ticks * 16 / 1000);
    std::snprintf(buf, (size_t)size, "%02u:%02u", seconds / 60, seconds % 60);
}
