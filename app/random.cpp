#include "app/random.h"

static u32 state = 1;

i32 gamerandom() {
    state = state * 214013u + 2531011u;
    return (i32)((state >> 16) & 0x7FFF);
}

void resetgamerandom() { state = 1; }

u32 getgamerandomstate() { return state; }

void setgamerandomstate(u32 s) { state = s; }
