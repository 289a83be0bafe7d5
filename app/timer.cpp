#include "app/timer.h"

#include "platform/platform.h"

counter<u32> tickcount;
counter<u32> fpsticks;
counter<u32> fpsticks2;
counter<u8> animframe;
counter<u8> cursoranim;
counter<u32> animnexttick;
counter<u8> pulse;
counter<u8> pulseup{1};
u32 clockid = 0;

void timerproc(u32, u32, u32, u32, u32) {
    ++tickcount;
    ++fpsticks;
    ++fpsticks2;
    if (cursoranim && animnexttick == tickcount) {
        animframe = (u8)((animframe + 1) % 8);
        animnexttick = tickcount + 4;
    }
    if (pulseup) {
        if (++pulse >= 24) pulseup = 0;
    } else {
        if (--pulse <= 1) pulseup = 1;
    }
}

void waitticks(u32 n) {
    u32 target = tickcount + n;
    if (tickcount >= target) return; // wrapped round
    while (tickcount < target) plat_spin();
}
