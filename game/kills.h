#pragma once
// Who struck whom: every blow that lands goes to the event log, and the
// blow that brings a unit down counts as a kill for the one who dealt it.
#include "platform/types.h"
#include "world/npc.h"

// Kills per slot this mission; a plain array so a saved game keeps it whole.
extern u16 killcount[NPCSLOTS];
void clearkills();

// The name a unit is known by: its own, else its unit type's, else "Someone".
const char* unitname(int slot);
// After `attacker`'s blow took `victim` from `healthbefore` to its health
// now: the log says so, and a blow that ended a living unit is a kill.
void noteblow(int attacker, int victim, i32 healthbefore);
// hurtnpc with the blow noted.
void hurtnpcby(int attacker, int victim, i32 damage, i32 cell);
