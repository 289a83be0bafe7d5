#include "game/sight.h"

#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"

// Truncates, and rounds up from a fraction of one half.
static i32 cellindex(f32 v) {
    i32 t = (i32)v;
    return v - (f32)t >= 0.5f ? t + 1 : t;
}

// A unit hides from the human player only: its own hidden units still
// stand in the way.
static bool unitblocks(u16 slot) {
    if (!slot || slot >= NPCSLOTS || !npc[slot]) return false;
    return !(npc[slot]->hidden == 1 && npc[slot]->player != 0);
}

u32 lineofsight(u32 fromoff, u32 tooff) {
    i32 x0 = (i32)(fromoff % MAPSIZE), y0 = (i32)(fromoff / MAPSIZE);
    i32 x1 = (i32)(tooff % MAPSIZE), y1 = (i32)(tooff / MAPSIZE);
    i32 dx = x1 - x0, dy = y1 - y0;
    i32 n = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy) ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    if (n == 0) return 1;
    f32 sx = (f32)dx / (f32)n, sy = (f32)dy / (f32)n;
    f32 px = (f32)x0, py = (f32)y0;
    for (i32 i = 0; i <= n; i++) {
        px = px + sx;
        py = py + sy;
        i32 cx = cellindex(px), cy = cellindex(py);
        if (!onmap(cx, cy)) return 0;
        if ((u32)cellof(cx, cy) == tooff) return 1;
        if (unitblocks(npcmap[cellof(cx, cy)])) return 0;
        u16 it = itemmap[cellof(cx, cy)];
        if (it && itemtype[it] && itemtype[it]->blockssight) return 0;
    }
    // Rounding never carries the walk past its end cell; should it, the
    // line is taken as blocked.
    return 0;
}

u32 npclineofsight(int fromslot, int toslot) {
    if (fromslot <= 0 || fromslot >= NPCSLOTS || toslot <= 0 || toslot >= NPCSLOTS || !npc[fromslot] || !npc[toslot])
        return 0;
    return lineofsight(npc[fromslot]->mapoff, npc[toslot]->mapoff);
}
