// The casts of Light, Raise Dead, Freeze and Heal, each with its pictures;
// the mission loop stands still until they end.
#include <cstring>

#include "app/cursor.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/eventlog.h"
#include "game/facing.h"
#include "game/kills.h"
#include "game/missionstate.h"
#include "game/spells.h"
#include "sound/effects.h"
#include "text/boxes.h"
#include "view/light.h"
#include "view/spellanim.h"
#include "world/grids.h"
#include "world/npc.h"
#include "world/unittype.h"

// Light on an empty cell leaves a glow that counts down from the first
// number to the last, which stays; the remains of the fallen use the
// numbers just below.
constexpr u16 LIGHTGLOWFIRST = 4030;
constexpr u16 LIGHTGLOWLAST = 4021;
constexpr u16 REMAINSBODY = 4015;

static int unitat(u32 off) {
    u16 s = npcmap[off];
    return s && s < NPCSLOTS && npc[s] && npc[s]->isused ? s : 0;
}

static bool visible(u32 off) { return off < (u32)MAPCELLS && vistoplayer[0] && vistoplayer[0][off]; }

// Raise Dead and Heal look at a cell only when the player can see it.
static void prologue(int caster, int spellno, u32 mapoff, bool onlyvisible) {
    npcrec& c = *npc[caster];
    c.magic = (i16)(c.magic - spell[spellno]->magiccost);
    setcursormode(0);
    if (!onlyvisible || visible(c.mapoff)) centreifoffscreen(c.x, c.y);
    i32 tx = (i32)(mapoff % 256), ty = (i32)(mapoff / 256);
    c.facing = facingto(c.x, c.y, tx, ty);
    playsound(SOUND_CHIME);
    castinganimation(caster);
    if (!onlyvisible || visible(mapoff)) centreifoffscreen(tx, ty);
}

static void light(u32 mapoff) {
    if (int who = unitat(mapoff)) {
        npcrec& n = *npc[who];
        centreifoffscreen(n.x, n.y);
        for (u8 b = 1; b <= 10; b++) {
            n.brightness = b;
            computelightmap(-1, 0);
            drawandpresent();
        }
        return;
    }
    for (u16 item = LIGHTGLOWFIRST; item >= LIGHTGLOWLAST; item--) {
        itemmap[mapoff] = item;
        computelightmap(-1, 0);
        drawandpresent();
    }
}

// The fallen rise as the skeletons of the player's side, on their feet at
// once; the body they rose from is gone.
static void raisedead(u32 mapoff) {
    if (unitat(mapoff)) return spellsay("Spell Failed!");
    for (u16 v = 8; v >= 1; v--) {
        specialmap[mapoff] = v;
        drawandpresent();
        waitticks(2);
    }
    specialmap[mapoff] = 0;
    int s = createnpc(0, (i32)(mapoff % 256), (i32)(mapoff / 256), 0);
    if (!s) return okbox("Error creating npc in Raise Dead!");
    npcrec& n = *npc[s];
    n.facing = 4;
    n.created = 1;
    // The slot may have been a unit struck dead; nothing of it carries over.
    n.state = NPC_IDLE;
    n.frame = 0;
    n.step = 0;
    n.target = 0;
    n.frozen = 0;
    n.hidden = 0;
    n.brightness = 0;
    n.casting = 0;
    n.pickuponarrival = n.useonarrival = 0;
    npcmap[mapoff] = (u16)s;
    if (itemmap[mapoff] == REMAINSBODY) itemmap[mapoff] = 0;
    computelightmap(-1, 0);
    drawandpresent();
}

static void freeze(u32 mapoff) {
    drawandpresent();
    waitticks(8);
    if (int who = unitat(mapoff)) {
        npcrec& n = *npc[who];
        n.frozen = (u8)(2 + gamerandom() % 4);
        n.fatigue = 0;
        n.hidden = 0;
    }
    drawandpresent();
    waitticks(16);
}

i32 healamount(int target, u32 roll) {
    const npcrec& n = *npc[target];
    i32 amount = 10 + (i32)roll;
    i32 most = n.unitno < NUMUNITTYPES && unittype[n.unitno] ? (i32)unittype[n.unitno]->healthmax : n.health + amount;
    if (n.health + amount > most) amount = most - n.health;
    return amount;
}

static void heal(u32 mapoff) {
    healanimation(mapoff);
    int who = unitat(mapoff);
    if (!who) return;
    i32 amount = healamount(who, (u32)(gamerandom() % 7));
    numberovernpc(who, amount);
    npc[who]->health = (i16)(npc[who]->health + amount);
}

void castspell(int caster, int spellno, u32 mapoff) {
    disarmspells();
    if (spellno < SPELL_LIGHT || spellno > SPELL_LIGHTNING || spellno == SPELL_EXPLODE) return;
    if (caster < 1 || caster > MAXNPCS || !npc[caster] || mapoff >= (u32)MAPCELLS || !spell[spellno]) return;
    logevent("%s casts %s", unitname(caster), spell[spellno]->name);
    if (spellno == SPELL_LIGHTNING) {
        lightningcast(caster, mapoff);
    } else {
        bool onlyvisible = spellno == SPELL_RAISEDEAD || spellno == SPELL_HEAL;
        prologue(caster, spellno, mapoff, onlyvisible);
        if (spellno == SPELL_LIGHT) light(mapoff);
        else if (spellno == SPELL_RAISEDEAD) raisedead(mapoff);
        else if (spellno == SPELL_FREEZE) freeze(mapoff);
        else heal(mapoff);
    }
    setcursormode(1);
}

bool castaimedspell(u8 mode, u32 mapoff) {
    int spellno = spellofaimmode(mode);
    if (!spellno || mode != validaimmode(spellno)) return false;
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc]) return false;
    // The cursor was chosen earlier in the frame; what it showed may no
    // longer hold, and a cast that fails here costs nothing.
    if (!spellaimvalid(spellno, mapoff) || npc[curnpc]->magic < spell[spellno]->magiccost) return false;
    castspell(curnpc, spellno, mapoff);
    return true;
}
