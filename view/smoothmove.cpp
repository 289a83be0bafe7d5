#include "view/smoothmove.h"

#include "world/npc.h"

// A whole cell's step on screen for facings 1..8.
static const i8 cellstepx[9] = {0, 20, 40, 20, 0, -20, -40, -20, 0};
static const i8 cellstepy[9] = {0, -10, 0, 10, 20, 10, 0, -10, -20};

void smoothshift(int facing, int step, i32* dx, i32* dy) {
    *dx = *dy = 0;
    if (facing < 1 || facing > 8 || step < 1 || step > 7) return;
    *dx = cellstepx[facing] * step / 8; // C++ division truncates toward zero
    *dy = cellstepy[facing] * step / 8;
}

void npcsmoothshift(int slot, i32* dx, i32* dy) {
    *dx = *dy = 0;
    if (slot <= 0 || slot >= NPCSLOTS || !npc[slot]) return;
    smoothshift(npc[slot]->facing, npc[slot]->step, dx, dy);
}
