#include "game/figurepick.h"

#include "game/missionstate.h"
#include "view/smoothmove.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/npc.h"
#include "world/rle.h"
#include "world/unittype.h"
#include "world/viewtables.h"

// A frame reaches 90 rows above its cell's anchor and 29 below, and 80
// columns to its left: the cells whose frames may cover a point lie within
// these steps of the cell under it, with a cell to spare for the shift of
// the view under a walking unit.
constexpr i32 NEAR = 2, FAR = 6;

// True when a run of the frame covers (x, y) of its box.
static bool framecovers(const u8* data, u32 size, i32 x, i32 y) {
    if (x < 0 || y < 0 || x >= UNITFRAMEWIDTH || y >= UNITFRAMEHEIGHT) return false;
    u64 want = (u64)y * RLEPITCH + (u64)x, pos = 0;
    u32 at = 0;
    while (at + 3 <= size) {
        pos += (u32)(data[at] | data[at + 1] << 8);
        u32 count = data[at + 2];
        if (want < pos) return false; // runs only move on
        if (want < pos + count) return true;
        pos += count;
        at += 3 + count * 2;
    }
    return false;
}

// The action the map view draws a unit in; -1 when it draws remains instead.
static int drawnaction(u8 state) {
    if (state == NPC_DEAD || state == NPC_DYING) return -1;
    return state == NPC_MOVING ? ACTION_WALK : state == NPC_ATTACKING ? ACTION_ATTACK : ACTION_STAND;
}

static bool drawnat(const npcrec& n, i32 x, i32 y, i32 mx, i32 my) {
    int action = drawnaction(n.state);
    if (action < 0 || n.unitno >= (u32)NUMUNITTYPES || !unittype[n.unitno]) return false;
    int sq = squareof(x - scx + 20, y - scy + 20);
    if (sq < 0) return false;
    u32 size = 0;
    const u8* f = findunitframe(unittype[n.unitno]->picno, action, n.facing, n.frame, &size);
    if (!f) return false;
    // The whole view is shifted under the unit the player follows.
    i32 shx, shy;
    npcsmoothshift(curnpc, &shx, &shy);
    return framecovers(f, size & 0xFFFF, mx - (vss[sq].x - 80 + shx), my - (vss[sq].y - 90 + shy));
}

int unitatpoint(i32 mx, i32 my, i32 cellx, i32 celly, i32* unitx, i32* unity) {
    // Front to back: the view draws row after row, each from west to east.
    for (i32 y = celly + FAR; y >= celly - NEAR; y--)
        for (i32 x = cellx + FAR; x >= cellx - NEAR; x--) {
            u16 s = npcat(x, y);
            if (!s || s > MAXNPCS || !npc[s]) continue;
            const npcrec& n = *npc[s];
            if ((n.hidden == 1 && n.player != 0) || !vistoplayer[0] || !vistoplayer[0][cellof(x, y)]) continue;
            if (!drawnat(n, x, y, mx, my)) continue;
            *unitx = x, *unity = y;
            return s;
        }
    return 0;
}
