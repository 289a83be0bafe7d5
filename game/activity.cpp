#include "game/activity.h"

#include "app/random.h"
#include "app/timer.h"
#include "game/combat.h"
#include "game/commands.h"
#include "game/facing.h"
#include "game/kills.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/party.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "sound/dsound.h"
#include "sound/effects.h"
#include "view/clouds.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"


static const unittyperec* unittypeof(const npcrec& n) { return n.unitno < NUMUNITTYPES ? unittype[n.unitno] : nullptr; }

// The slot a unit's target field names, or 0 for none.
static int targetof(const npcrec& n) { return n.target >= 1 && n.target <= MAXNPCS && npc[n.target] ? n.target : 0; }

static bool fighting(int slot) {
    u8 s = npc[slot]->state;
    return s == NPC_IDLE || s == NPC_MOVING || s == NPC_ATTACKING;
}

static i32 rolldamage(const unittyperec* t) {
    if (!t) return 0;
    i32 lo = t->damagemin, hi = (i32)t->damagemax;
    if (hi < lo) return lo; // a type whose maximum is below its minimum always deals the minimum
    return lo + gamerandom() % (hi - lo + 1);
}

bool takestep(int slot, u8 code) {
    npcrec& n = *npc[slot];
    i32 x = n.x + facingdx[code], y = n.y + facingdy[code];
    u16 it = itemat(x, y);
    if (!onmap(x, y) || (it && itemtype[it] && itemtype[it]->blockspassage) || npcat(x, y)) {
        n.frame = 0;
        n.state = NPC_IDLE;
        return false;
    }
    if (n.mapoff < (u32)MAPCELLS && npcmap[n.mapoff] == slot) npcmap[n.mapoff] = 0;
    n.x = (i16)x;
    n.y = (i16)y;
    n.mapoff = (u32)cellof(x, y);
    npcmap[n.mapoff] = (u16)slot;
    playsound(SOUND_STEP);
    if (!n.running) {
        n.step = 7;
        n.frame = (u8)((n.frame + 1) % 16);
        if (n.fatigue < n.fatiguemax && !shiftdown && !capslockon) n.fatigue++;
    } else {
        n.step = 6;
        n.frame = (u8)(n.frame + 2 > 15 ? 0 : n.frame + 2);
        if (n.fatigue > 0) n.fatigue--;
    }
    return true;
}

static void melee(int slot) {
    npcrec& n = *npc[slot];
    u16 v = npcmap[n.destoff]; // a u16 offset is always on the map
    if (!v || v >= NPCSLOTS || !npc[v]) return;
    npcrec& victim = *npc[v];
    n.facing = facingto(n.x, n.y, victim.x, victim.y);
    if (victim.state < NPC_IDLE) return;
    if (gamerandom() % 2) {
        playsound(SOUND_MISS);
        return;
    }
    playsound(SOUND_HIT);
    i32 damage = rolldamage(unittypeof(n));
    if (slot == 1) damage += gamerandom() % 10;
    hurtnpcby(slot, v, damage, n.destoff);
}

void resolveattack(int slot) {
    npcrec& n = *npc[slot];
    if (n.unitno == 4 || n.unitno == 2) {
        bool magic = n.unitno == 4;
        playsound(magic ? SOUND_MAGIC : SOUND_BOW);
        i32 damage = rolldamage(unittypeof(n));
        launchmissile(n.x, n.y, n.destx, n.desty, magic ? MISSILE_MAGIC : MISSILE_ARROW, 30.0f, damage, slot);
        return;
    }
    melee(slot);
}

static void attacking(int slot) {
    npcrec& n = *npc[slot];
    if (n.frame < 15) {
        if (n.frame == 0 && n.fatigue >= 4) n.fatigue = (i16)(n.fatigue - 4);
        n.frame++;
    }
    if (n.frame < 15) return;
    n.frame = 0;
    n.state = NPC_IDLE;
    resolveattack(slot);
}

static void dying(int slot) {
    npcrec& n = *npc[slot];
    if (++n.frame < 16) return;
    n.state = NPC_DEAD;
    n.frame = 0;
    if (n.mapoff < (u32)MAPCELLS) {
        if (npcmap[n.mapoff] == slot) npcmap[n.mapoff] = 0;
        specialmap[n.mapoff] = 8; // where Raise Dead can bring it back
        dropitem(4015, n.mapoff);
        if (slot != 1) dropitem(180, n.mapoff);
    }
    if (n.cloudslot) {
        closecloud(n.cloudslot);
        n.cloudslot = 0;
    }
}

static void humanidle(int slot) {
    npcrec& n = *npc[slot];
    if (tickcount >= fatigueregentick) {
        fatigueregentick = tickcount + 5;
        if (n.fatigue < n.fatiguemax) n.fatigue++;
    }
    int t = targetof(n);
    if (t && n.fatigue > 3 && fighting(t)) n.state = NPC_ATTACKING;
}

static void computeridle(int slot) {
    npcrec& n = *npc[slot];
    if (n.thinkdelay) {
        n.thinkdelay--;
        return;
    }
    if (gamerandom() % 2) {
        n.state = NPC_MOVING;
        huntrule(slot);
    } else {
        n.thinkdelay = 15;
    }
}

static void walking(npcrec& n) {
    if (!n.running) {
        n.frame = (u8)((n.frame + 1) % 16);
        n.step--;
    } else {
        n.frame = (u8)(n.frame + 2 > 15 ? 0 : n.frame + 2);
        n.step = (i8)(n.step - 2);
    }
}

static void setdest(npcrec& n, i32 x, i32 y) {
    n.destx = (u8)x;
    n.desty = (u8)y;
    n.destoff = (u16)(y * 256 + x);
}

// A search for a human unit walking on its own, with that unit as the
// searcher. A path that is already walked to its end leaves the unit idle.
static void searchfor(int slot, u8 inrange, bool adjacent) {
    npcrec& n = *npc[slot];
    i32 keep = curnpc;
    curnpc = slot;
    stopinrange = inrange;
    stopadjacent = adjacent ? 1 : 0;
    goalx = n.destx, goaly = n.desty;
    bool found = findpath(n.x, n.y, n.destx, n.desty);
    stopadjacent = 0;
    curnpc = keep;
    if (!found) return;
    if (pathbuf[0] == PATHEND) {
        n.state = NPC_IDLE;
        n.frame = 0;
        return;
    }
    takepath(slot);
    n.state = NPC_MOVING;
}

static void pursue(int slot) {
    npcrec& n = *npc[slot];
    int t = targetof(n);
    if (!t || !fighting(t)) return;
    const npcrec& q = *npc[t];
    if (celldistance(n.x, n.y, q.x, q.y) < 2) {
        if (n.fatigue <= 3) return;
        n.state = NPC_ATTACKING;
        n.facing = facingto(n.x, n.y, q.x, q.y);
        setdest(n, q.x, q.y);
        n.frame = 0;
        return;
    }
    setdest(n, q.x, q.y);
    searchfor(slot, 1, false);
}

static void errands(int slot) {
    npcrec& n = *npc[slot];
    if (n.pickuponarrival) {
        if (celldistance(n.x, n.y, n.destx, n.desty) == 0) {
            n.pickuponarrival = 0;
            u16 it = itemmap[n.mapoff];
            if (it && itemtype[it] && itemtype[it]->takeable) pickupitem(1, n.mapoff);
        } else {
            searchfor(slot, 0, false);
        }
    }
    if (n.useonarrival) {
        if (celldistance(n.x, n.y, n.destx, n.desty) == 1) {
            n.useonarrival = 0;
            u16 it = itemmap[n.destoff];
            if (it && itemtype[it] && itemtype[it]->usable) useitem(1, n.destoff);
        } else {
            searchfor(slot, 1, true);
        }
    }
}

static void humanarrived(int slot) {
    npcrec& n = *npc[slot];
    if (clickedtoattack) {
        // The order to attack stops the old path here, at a cell.
        clickedtoattack = 0;
        n.state = NPC_IDLE;
        n.frame = 0;
    } else {
        u8& pos = pathposof(slot);
        u8 code = pos < NPCPATHSIZE ? pathof(slot)[pos] : PATHEND;
        if (code >= 1 && code <= 8) {
            n.facing = code;
            pos++;
            takestep(slot, code);
            return;
        }
        n.frame = 0;
        n.state = NPC_IDLE;
    }
    pursue(slot);
    errands(slot);
}

static void leadtheshot(const npcrec& h, const npcrec& q, i32* x, i32* y) {
    i32 k = celldistance(h.x, h.y, *x, *y);
    if (!q.running) k /= 2;
    if (k > 8) k = 8;
    u8 f = q.facing >= 1 && q.facing <= 8 ? q.facing : 0;
    *x += k * facingdx[f];
    *y += k * facingdy[f];
    if (*x == h.x && *y == h.y) *x -= facingdx[f], *y -= facingdy[f];
    *x = *x < 0 ? 0 : *x > 255 ? 255 : *x;
    *y = *y < 0 ? 0 : *y > 255 ? 255 : *y;
}

void huntrule(int slot) {
    npcrec& n = *npc[slot];
    int quarry = curnpc >= 1 && curnpc <= MAXNPCS && npc[curnpc] ? curnpc : 0;
    const npcrec* q = quarry ? npc[quarry] : nullptr;
    i32 d = q ? celldistance(n.x, n.y, q->x, q->y) : 35;
    if (!q || q->state == NPC_DEAD || q->state == NPC_DYING || d > 24) {
        n.frame = 0;
        n.state = NPC_IDLE;
        return;
    }
    const unittyperec* t = unittypeof(n);
    if (t && d <= t->rangemax && lineofsight(n.mapoff, q->mapoff)) {
        n.state = NPC_ATTACKING;
        i32 x = q->x, y = q->y;
        if (q->state == NPC_MOVING && (n.unitno == 4 || n.unitno == 2)) leadtheshot(n, *q, &x, &y);
        n.facing = facingto(n.x, n.y, x, y);
        setdest(n, x, y);
        n.frame = 0;
        attacking(slot);
        return;
    }
    i32 keep = curnpc;
    curnpc = slot;
    stopinrange = 1;
    computerthinking = 1;
    goalx = q->x, goaly = q->y;
    bool found = findpath(n.x, n.y, q->x, q->y);
    curnpc = keep;
    // The search is over either way: a later one this frame (a human
    // unit's) must not run with the computer's limits.
    computerthinking = 0;
    stopinrange = 0;
    if (!found) {
        n.state = NPC_IDLE;
        return;
    }
    if (pathbuf[0] == PATHEND) { // already in range, without sight
        n.state = NPC_IDLE;
        return;
    }
    n.facing = pathbuf[0];
    takestep(slot, pathbuf[0]);
}

// A frozen unit neither moves, strikes nor thinks until its count has
// fallen to 0, one every 60 ticks from the moment it was frozen (a new
// Freeze starts the wait again); a unit dying meanwhile still falls.
u32 thawtick[NPCSLOTS];
u8 frozenseen[NPCSLOTS];

static bool frozenstill(int slot) {
    npcrec& n = *npc[slot];
    if (n.frozen > frozenseen[slot]) thawtick[slot] = tickcount + 60;
    if (n.frozen && tickcount >= thawtick[slot]) {
        n.frozen--;
        thawtick[slot] = tickcount + 60;
    }
    frozenseen[slot] = n.frozen;
    return n.frozen && n.state != NPC_DYING;
}

void npcactivity(int slot) {
    npcrec* p = npc[slot];
    if (!p || !p->isused) return;
    npcrec& n = *p;
    if (frozenstill(slot)) return;
    bool human = n.player == 0;
    switch (n.state) {
    case NPC_DYING: dying(slot); break;
    case NPC_IDLE:
        if (human) humanidle(slot);
        else computeridle(slot);
        break;
    case NPC_MOVING:
        if (n.step > 0) walking(n);
        else if (human) humanarrived(slot);
        else huntrule(slot);
        break;
    case NPC_ATTACKING: attacking(slot); break;
    default: break;
    }
}
