#pragma once
// Arrows and magic missiles in flight.
#include "platform/types.h"

constexpr int MAXMISSILES = 32;

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
