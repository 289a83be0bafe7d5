#pragma once
// The 16-ms timer and the counters it drives.
#include "app/counter.h"
#include "platform/types.h"

extern counter<u32> tickcount;
extern counter<u32> fpsticks;
extern counter<u32> fpsticks2; // ticks since the overlay's fps text was refreshed
extern counter<u8> animframe;  // 0..7, the busy cursor's cell
extern counter<u8> cursoranim;
extern counter<u32> animnexttick;
extern counter<u8> pulse;      // 1..24 and back, for pulsing highlights
extern counter<u8> pulseup;
extern u32 clockid;

void timerproc(u32 id, u32 msg, u32 user, u32 dw1, u32 dw2);
// Busy-waits until tickcount has advanced by n.
void waitticks(u32 n);
