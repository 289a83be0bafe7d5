#pragma once
// What each unit does in a frame: idle, walking, attacking, dying, and the
// computer's hunt for the human player's unit.
#include "platform/types.h"

#include "world/npc.h"

// A frozen unit's next thaw, and the count it was last seen with.
extern u32 thawtick[NPCSLOTS];
extern u8 frozenseen[NPCSLOTS];

void npcactivity(int slot);
// A step in a facing: false (and the unit idle) when the cell is taken.
bool takestep(int slot, u8 code);
void huntrule(int slot);
void resolveattack(int slot);
