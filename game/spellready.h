#pragma once
// What the panel shows of each spell slot of the commanded unit: which
// spell it holds and whether a press could arm it now.
#include "platform/types.h"

enum : u8 { SLOT_EMPTY = 0, SLOT_UNREADY = 1, SLOT_READY = 2, SLOT_ARMED = 3 };

// The spell number in slot index (0..3) of the unit's type; 0 for none.
int slotspell(int slot, int index);
// True when arming spellno for the unit would not be refused for want of
// magic or fatigue (the arming's own tests; Hide in Shadows, once hidden,
// can always be undone). A spell the panel cannot arm is never ready.
bool spellready(int slot, int spellno);
// SLOT_EMPTY, SLOT_UNREADY, SLOT_READY or SLOT_ARMED for the panel.
u8 slotstate(int slot, int index);
