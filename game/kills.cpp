#include "game/kills.h"

#include <cstring>

#include "game/combat.h"
#include "game/eventlog.h"
#include "world/unittype.h"

u16 killcount[NPCSLOTS];

void clearkills() { std::memset(killcount, 0, sizeof killcount); }

static bool realslot(int slot) { return slot >= 1 && slot <= MAXNPCS && npc[slot]; }

const char* unitname(int slot) {
    if (!realslot(slot)) return "Someone";
    const npcrec& n = *npc[slot];
    if (n.name[0] && std::memchr(n.name, 0, sizeof n.name)) return n.name;
    const unittyperec* t = n.unitno < (u32)NUMUNITTYPES ? unittype[n.unitno] : nullptr;
    if (t && t->name[0] && std::memchr(t->name, 0, sizeof t->name)) return t->name;
    return "Someone";
}

void noteblow(int attacker, int victim, i32 healthbefore) {
    if (!realslot(victim)) return;
    const npcrec& v = *npc[victim];
    logevent("%s hits %s for %d", unitname(attacker), unitname(victim), (int)(healthbefore - v.health));
    if (healthbefore < 1 || v.health >= 1) return;
    if (realslot(attacker) && killcount[attacker] < 0xFFFF) killcount[attacker]++;
    logevent("%s slays %s", unitname(attacker), unitname(victim));
}

void hurtnpcby(int attacker, int victim, i32 damage, i32 cell) {
    if (!realslot(victim)) return;
    i32 before = npc[victim]->health;
    hurtnpc(victim, damage, cell);
    noteblow(attacker, victim, before);
}
