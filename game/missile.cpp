#include "game/missile.h"

#include <cmath>

#include "app/random.h"
#include "game/combat.h"
#include "game/facing.h"
#include "game/kills.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"

missilerec missile[MAXMISSILES];

void clearmissiles() {
    for (missilerec& m : missile) m = missilerec{};
}

u32 launchmissile(i32 x0, i32 y0, i32 x1, i32 y1, u8 kind, f32 speed, i32 damage, i32 shooter) {
    if (x0 == x1 && y0 == y1) return 0; // no direction to fly in
    for (missilerec& m : missile) {
        if (m.isused) continue;
        m = missilerec{};
        m.isused = 1;
        m.kind = kind;
        m.x = x0;
        m.y = y0;
        m.offx = m.offy = 20.0f;
        m.dir = facingto(x0, y0, x1, y1);
        m.damage = damage;
        m.shooter = shooter;
        f32 dx = (f32)(x1 - x0), dy = (f32)(y1 - y0);
        f32 length = std::sqrt(dx * dx + dy * dy);
        m.xstep = speed * dx / length;
        m.ystep = speed * dy / length;
        return 1;
    }
    return 0;
}

// Sparks of a magic missile: one may start each frame, each lives 8 frames
// drifting along half the missile's own step.
static void trail(missilerec& m) {
    for (int i = 0; i < 4; i++) {
        if (m.trailactive[i]) continue;
        if (gamerandom() % 2 == 0) {
            m.trailactive[i] = 1;
            m.trailage[i] = 0;
            m.traildx[i] = (f32)(5 - gamerandom() % 11);
            m.traildy[i] = (f32)(5 - gamerandom() % 11);
        }
        break;
    }
    for (int i = 0; i < 4; i++) {
        if (!m.trailactive[i]) continue;
        if (++m.trailage[i] == 8) {
            m.trailactive[i] = 0;
            m.traildx[i] = m.traildy[i] = 0.0f;
        } else {
            m.traildx[i] = m.traildx[i] + m.xstep * 0.5f;
            m.traildy[i] = m.traildy[i] + m.ystep * 0.5f;
        }
    }
}

// True when the missile crossed into another cell.
static bool move(missilerec& m) {
    bool moved = false;
    m.offx = m.offx + m.xstep;
    m.offy = m.offy + m.ystep;
    if (m.offx < 0.0f) m.x--, m.offx = m.offx + 40.0f, moved = true;
    if (m.offx > 39.0f) m.x++, m.offx = m.offx - 40.0f, moved = true;
    if (m.offy < 0.0f) m.y--, m.offy = m.offy + 40.0f, moved = true;
    if (m.offy > 39.0f) m.y++, m.offy = m.offy - 40.0f, moved = true;
    return moved;
}

// A new cell: a wall ends the flight, an enemy there is hit first. Off the
// map there is nothing to fly through.
static void arrive(missilerec& m) {
    if (!onmap(m.x, m.y)) {
        m.isused = 0;
        return;
    }
    u16 it = itemmap[cellof(m.x, m.y)];
    if (it && itemtype[it] && itemtype[it]->blockssight) m.isused = 0;
    u16 slot = npcmap[cellof(m.x, m.y)];
    if (!slot || slot >= NPCSLOTS || !npc[slot]) return;
    const npcrec& v = *npc[slot];
    int shooterplayer = m.shooter > 0 && m.shooter < NPCSLOTS && npc[m.shooter] ? npc[m.shooter]->player : -1;
    if (v.player == shooterplayer || v.state == NPC_DEAD || v.state == NPC_DYING) return;
    hurtnpcby(m.shooter, slot, m.damage, cellof(m.x, m.y));
    m.isused = 0;
}

void updatemissiles() {
    for (missilerec& m : missile) {
        if (!m.isused) continue;
        if (m.kind == MISSILE_MAGIC) trail(m);
        if (move(m)) arrive(m);
        m.frame = (u8)((m.frame + 1) % 8);
    }
}
