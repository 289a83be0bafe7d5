#include "game/spellready.h"

#include "game/spells.h"
#include "world/npc.h"
#include "world/unittype.h"

static const npcrec* unitin(int slot) { return slot >= 1 && slot <= MAXNPCS ? npc[slot] : nullptr; }

int slotspell(int slot, int index) {
    const npcrec* n = unitin(slot);
    if (!n || index < 0 || index > 3 || n->unitno >= (u32)NUMUNITTYPES || !unittype[n->unitno]) return 0;
    int s = unittype[n->unitno]->specials[index];
    return s < NUMSPELLS ? s : 0;
}

bool spellready(int slot, int spellno) {
    const npcrec* n = unitin(slot);
    if (!n || spellno <= 0 || spellno >= NUMSPELLS || !spell[spellno]) return false;
    const spellrec& s = *spell[spellno];
    if (spellno == SPELL_HIDE) return n->hidden || n->fatigue >= s.fatigueneed;
    if (!validaimmode(spellno)) return false;
    if (spellno == SPELL_RAISEDEAD && (n->player >= NUMPLAYERS || players[n->player].npccount >= SLOTSPERPLAYER)) return false;
    return n->magic >= s.magiccost && n->fatigue >= s.fatigueneed;
}

u8 slotstate(int slot, int index) {
    int s = slotspell(slot, index);
    if (!s) return SLOT_EMPTY;
    if (armedslot[index]) return SLOT_ARMED;
    return spellready(slot, s) ? SLOT_READY : SLOT_UNREADY;
}
