// Lightning: a chain of up to eight strikes, each weaker than the one
// before, leaping from victim to victim.
#include <cstdlib>

#include "app/cursor.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/facing.h"
#include "game/kills.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "game/spells.h"
#include "sound/effects.h"
#include "view/light.h"
#include "view/spellanim.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/npc.h"

constexpr int CHAINLENGTH = 8;
constexpr u8 RAISABLE = 8; // the mark Raise Dead looks for

static int unitat(i32 x, i32 y) {
    u16 s = npcat(x, y);
    return s && s < NPCSLOTS && npc[s] && npc[s]->isused ? s : 0;
}

static bool visible(u32 off) { return off < (u32)MAPCELLS && vistoplayer[0] && vistoplayer[0][off]; }

i32 lightningdamage(int k) { return (i32)((gamerandom() % 3) + 1.5 * k); }

// The nearest unit in sight of the source, within 2k cells; among those
// about as near as the best so far a coin decides, so the chain does not
// always take the same path.
int lightningnext(int source, int k) {
    const npcrec& s = *npc[source];
    i32 reach = 2 * k;
    int best = 0;
    i32 bestd = 0;
    for (i32 y = s.y - reach; y <= s.y + reach; y++)
        for (i32 x = s.x - reach; x <= s.x + reach; x++) {
            int who = unitat(x, y);
            if (!who || who == curnpc || who == source) continue;
            i32 d = celldistance(s.x, s.y, x, y);
            if (d > reach || !lineofsight(s.mapoff, (u32)cellof(x, y))) continue;
            if (!best) {
                best = who, bestd = d;
                continue;
            }
            if (std::abs(d - bestd) <= 2 && gamerandom() % 2 == 1) continue;
            if (d <= bestd) best = who, bestd = d;
        }
    return best;
}

// A unit struck dead stops where it stands and is gone at once: no later
// rule of the frame may walk it back onto the map or finish its blow. Its
// cell glows through the sixteen steps and is left marked for Raise Dead.
static void strikedead(int victim) {
    npcrec& v = *npc[victim];
    v.health = 0;
    v.isused = 0;
    v.state = NPC_DEAD;
    v.frame = 0;
    v.step = 0;
    v.target = 0;
    if (v.mapoff >= (u32)MAPCELLS) return;
    if (npcmap[v.mapoff] == victim) npcmap[v.mapoff] = 0;
    for (u16 m = 1; m <= 16; m++) {
        specialmap[v.mapoff] = m;
        drawandpresent();
    }
    specialmap[v.mapoff] = RAISABLE;
    if (v.player < NUMPLAYERS) {
        playerrec& p = players[v.player];
        if (p.npccount) p.npccount--;
        if (!p.npccount) p.active = 0;
        revealall(v.player);
    }
    computelightmap((i32)v.mapoff, 0);
}

void lightningstrike(int victim, i32 damage) {
    npcrec& v = *npc[victim];
    v.health = (i16)(v.health - damage);
    if (v.health <= 0) strikedead(victim);
}

void lightningcast(int caster, u32 mapoff) {
    npcrec& c = *npc[caster];
    setcursormode(0);
    c.facing = facingto(c.x, c.y, (i32)(mapoff % 256), (i32)(mapoff / 256));
    if (visible(c.mapoff)) {
        centreifoffscreen(c.x, c.y);
        castinganimation(caster);
    }
    c.magic = (i16)(c.magic - spell[SPELL_LIGHTNING]->magiccost);
    playsound(SOUND_THUNDER);
    int source = caster;
    int victim = unitat((i32)(mapoff % 256), (i32)(mapoff / 256));
    for (int k = CHAINLENGTH; k >= 1; k--) {
        if (k < CHAINLENGTH) victim = lightningnext(source, k);
        if (!victim) break;
        npcrec& s = *npc[source];
        npcrec& v = *npc[victim];
        if (visible(s.mapoff) || visible(v.mapoff)) {
            if (!npconscreen(source) || !npconscreen(victim)) {
                scx = (s.x + v.x) / 2;
                scy = (s.y + v.y) / 2;
            }
            lightningflash(s.mapoff, v.mapoff);
        }
        v.hidden = 0;
        i32 damage = lightningdamage(k);
        if (!visible(v.mapoff)) {
            drawandpresent();
            waitticks(16);
        }
        i32 before = v.health;
        lightningstrike(victim, damage);
        noteblow(caster, victim, before);
        source = victim;
    }
}
