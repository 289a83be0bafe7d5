#pragma once
// What a mission has come to so far: when it started, what the party had,
// who has fallen on either side, and whether it is decided. One plain
// record, so that a saved game can keep it whole.
#include "platform/types.h"
#include "world/npc.h"

enum : u8 { OUTCOME_NONE = 0, OUTCOME_WON = 1, OUTCOME_LOST = 2 };

struct missionstatsrec {
    u32 starttick;
    u32 endtick;        // when the outcome was decided
    u32 startgold;      // the party's gold when the mission began
    u32 slain;          // computer units fallen
    u32 losses;         // the party's units fallen
    u8 enemiesatstart;  // computer units alive when the mission began
    u8 outcome;         // OUTCOME_*
    u8 alive[NPCSLOTS]; // each slot as the last tally saw it
};

extern missionstatsrec missionstats;

// In use and neither dying, dead nor an empty slot.
bool unitalive(int slot);
// All the gold player 0's units carry.
u32 partygold();
// Takes the mission as it stands as its start.
void startmissionstats();
// Counts the units that have fallen since the last tally (by any death) and
// takes in those raised since. Returns the outcome, deciding it (and its
// tick) the first time one side has no unit alive: the party's fall first,
// then the computer's, which only counts if it had units at the start.
u8 tallymissionstats();
// mm:ss of a span of 16-ms ticks; minutes go past 99 when they must.
void formatmissiontime(u32 ticks, char* buf, int size);
