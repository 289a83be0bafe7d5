#include "game/combat.h"

#include "app/random.h"
#include "app/timer.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "world/npc.h"

static const char* const cries[3] = {"Somebody help me!", "You're gonna pay now ...", "Help!"};

void hurtnpc(int victim, i32 damage, i32 cell) {
    if (victim <= 0 || victim >= NPCSLOTS || !npc[victim]) return;
    npcrec& v = *npc[victim];
    v.health = (i16)(v.health - damage);
    startdamagenumber(damage, cell, victim == 1 ? 1 : 0);
    if (victim != 1) cryforhelp(victim);
}

void cryforhelp(int victim) {
    if (victim <= 0 || victim >= NPCSLOTS || !npc[victim]) return;
    npcrec& v = *npc[victim];
    if (v.health > (v.healthmax >> 2) || v.health <= 0 || tickcount <= v.nextcry + 800) return;
    if (gamerandom() % 12 != 0 || v.cloudslot != 0) return;
    int r = freecloud();
    if (!r) return;
    opencloud(r, victim, cries[gamerandom() % 3], 0);
    v.nextcry = tickcount + 400;
}
