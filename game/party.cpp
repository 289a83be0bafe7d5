#include "game/party.h"

#include <cstring>

#include "app/debuglog.h"
#include "game/clickorders.h"
#include "game/facing.h"
#include "game/missionstate.h"
#include "game/npcselect.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/mapfile.h"
#include "world/unittype.h"

u8 parkedpath[SLOTSPERPLAYER + 1][NPCPATHSIZE];
u8 parkedpos[SLOTSPERPLAYER + 1];

bool partyslot(int slot) { return slot >= 1 && slot <= SLOTSPERPLAYER; }

// A slot outside the party (a computer's unit never walks a human path)
// reads the commanded unit's path, as every unit did before parties.
u8* pathof(int slot) { return partyslot(slot) && slot != curnpc ? parkedpath[slot] : npcpath; }
u8& pathposof(int slot) { return partyslot(slot) && slot != curnpc ? parkedpos[slot] : pathpos; }

void takepath(int slot) {
    std::memcpy(pathof(slot), pathbuf, NPCPATHSIZE);
    pathposof(slot) = 0;
}

void switchpath(int from, int to) {
    if (from == to) return;
    if (partyslot(from)) {
        std::memcpy(parkedpath[from], npcpath, NPCPATHSIZE);
        parkedpos[from] = pathpos;
    }
    if (partyslot(to)) {
        std::memcpy(npcpath, parkedpath[to], NPCPATHSIZE);
        pathpos = parkedpos[to];
    } else {
        std::memset(npcpath, PATHEND, NPCPATHSIZE);
        pathpos = 0;
    }
}

void clearpaths() {
    std::memset(parkedpath, PATHEND, sizeof parkedpath);
    std::memset(parkedpos, 0, sizeof parkedpos);
    std::memset(npcpath, PATHEND, NPCPATHSIZE);
    pathpos = 0;
}

bool livingmember(int slot) {
    const npcrec* n = partyslot(slot) ? npc[slot] : nullptr;
    return n && n->isused && n->state != NPC_EMPTY && n->state != NPC_DEAD && n->state != NPC_DYING &&
           n->health >= 1;
}

static int freepartyslot() {
    for (int s = 2; s <= SLOTSPERPLAYER; s++)
        if (!npc[s]->isused) return s;
    return 0;
}

bool moveoutofslot1() {
    npcrec& one = *npc[1];
    if (!one.isused) return true;
    int to = freepartyslot();
    if (!to) return false;
    *npc[to] = one;
    if (one.mapoff < (u32)MAPCELLS && npcmap[one.mapoff] == 1) npcmap[one.mapoff] = (u16)to;
    std::memset(&one, 0, sizeof one);
    one.state = NPC_EMPTY;
    debuglog("Party: the map's unit in slot 1 moved to slot %d\n", to);
    return true;
}

void formparty() {
    npcrec* members[SLOTSPERPLAYER];
    int slots[SLOTSPERPLAYER], count = 0;
    for (int s = 1; s <= SLOTSPERPLAYER; s++) {
        npcrec& n = *npc[s];
        if (!n.isused) continue;
        if (n.mapoff < (u32)MAPCELLS && npcmap[n.mapoff] == s) npcmap[n.mapoff] = 0;
        slots[count] = s;
        members[count++] = &n;
    }
    formup(members, count);
    for (int i = 0; i < count; i++)
        if (members[i]->mapoff < (u32)MAPCELLS) npcmap[members[i]->mapoff] = (u16)slots[i];
}

void reselect() {
    if (livingmember(curnpc)) return;
    int from = partyslot(curnpc) ? curnpc : 1;
    for (int k = 1; k <= SLOTSPERPLAYER; k++) {
        int s = (from - 1 + k) % SLOTSPERPLAYER + 1;
        if (livingmember(s)) {
            selectnpc(s);
            return;
        }
    }
}

static bool waitsforcommand(const npcrec& n) {
    return n.state == NPC_IDLE && n.step == 0 && !n.frozen && !n.target && !n.pickuponarrival && !n.useonarrival &&
           !n.casting;
}

// The search runs with the member as the searcher and stops next to the
// commanded unit; the member walks only until it is near enough.
static void walktoward(int slot, const npcrec& lead) {
    npcrec& n = *npc[slot];
    i32 keep = curnpc;
    curnpc = slot;
    goalx = lead.x, goaly = lead.y;
    goaloff = (u32)cellof(lead.x, lead.y);
    stopinrange = 1;
    stopadjacent = 1;
    bool found = findpath(n.x, n.y, lead.x, lead.y);
    stopadjacent = 0;
    stopinrange = 0;
    curnpc = keep;
    if (!found || pathbuf[0] == PATHEND) {
        n.thinkdelay = FOLLOWRETRY;
        return;
    }
    i32 x = n.x, y = n.y;
    for (int i = 0; i < PATHBUFSIZE && pathbuf[i] >= 1 && pathbuf[i] <= 8; i++) {
        x += facingdx[pathbuf[i]], y += facingdy[pathbuf[i]];
        if (celldistance(x, y, lead.x, lead.y) <= FOLLOWNEAR) {
            std::memset(&pathbuf[i + 1], PATHEND, PATHBUFSIZE - (size_t)i - 1);
            break;
        }
    }
    takepath(slot);
    n.state = NPC_MOVING;
}

static bool withinreach(const npcrec& n, int foe) {
    const unittyperec* t = n.unitno < (u32)NUMUNITTYPES ? unittype[n.unitno] : nullptr;
    const npcrec* e = foe > SLOTSPERPLAYER && foe <= MAXNPCS ? npc[foe] : nullptr;
    if (!t || !e || !e->isused || e->hidden || e->state < NPC_IDLE || e->state > NPC_ATTACKING) return false;
    i32 reach = t->rangemax > 0 ? t->rangemax : 1;
    i32 d = celldistance(n.x, n.y, e->x, e->y);
    if (d < t->rangemin || d > reach) return false;
    return d <= 1 || lineofsight(n.mapoff, e->mapoff);
}

// The first enemy within the member's reach that it can see, or 0.
static int foewithinreach(const npcrec& n) {
    for (int s = SLOTSPERPLAYER + 1; s <= MAXNPCS; s++)
        if (withinreach(n, s)) return s;
    return 0;
}

// Between its blows a member aims again at where its enemy stands now, or
// lets it go once it is out of reach.
static void aimagain(npcrec& n) {
    if (!withinreach(n, n.target)) {
        n.target = 0;
        return;
    }
    const npcrec& e = *npc[n.target];
    n.destx = (u8)e.x, n.desty = (u8)e.y;
    n.destoff = (u16)cellof(e.x, e.y);
    n.facing = facingto(n.x, n.y, e.x, e.y);
}

// A member left to itself strikes back at an enemy in its reach; the
// arrival of its (empty) path turns the target into an attack.
static bool defend(int slot) {
    npcrec& n = *npc[slot];
    int foe = foewithinreach(n);
    if (!foe) return false;
    n.target = (u8)foe;
    std::memset(pathof(slot), PATHEND, NPCPATHSIZE);
    pathposof(slot) = 0;
    n.state = NPC_MOVING;
    return true;
}

void followstep() {
    if (!livingmember(curnpc)) return;
    const npcrec& lead = *npc[curnpc];
    for (int s = 1; s <= SLOTSPERPLAYER; s++) {
        if (s == curnpc || !livingmember(s)) continue;
        npcrec& n = *npc[s];
        if (n.state == NPC_IDLE && n.target && !n.frozen) aimagain(n);
        if (!waitsforcommand(n) || n.hidden) continue;
        if (defend(s) || followtoggle) continue;
        if (n.thinkdelay) {
            n.thinkdelay--;
            continue;
        }
        if (celldistance(n.x, n.y, lead.x, lead.y) > FOLLOWFAR) walktoward(s, lead);
    }
}
