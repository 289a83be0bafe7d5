#pragma once
// Arrows and magic missiles in flight. A missile moves in fractions of a
// cell (40 units across) and hurts the first enemy whose cell it enters.
#include "platform/types.h"

constexpr int MAXMISSILES = 32;
enum : u8 { MISSILE_ARROW = 0, MISSILE_MAGIC = 1 };

struct missilerec {
    u8 isused;
    u8 kind; // 0 arrow, 1 magic missile
    i32 x, y;
    f32 offx, offy;
    f32 xstep, ystep;
    u8 dir;
    i32 damage;
    i32 shooter;
    u8 frame;
    u8 trailactive[4];
    u8 trailage[4];
    f32 traildx[4];
    f32 traildy[4];
};

extern missilerec missile[MAXMISSILES];

// 1 launched; 0 when every record flies, or the target is the launch cell.
u32 launchmissile(i32 x0, i32 y0, i32 x1, i32 y1, u8 kind, f32 speed, i32 damage, i32 shooter);
void updatemissiles();
void clearmissiles();
