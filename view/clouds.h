#pragma once
// Talk and thought clouds over speaking units. Record 1 is the leader's;
// other units' cries take the first free record of 2..7; record 0 is never
// used.
#include "platform/types.h"

constexpr int MAXCLOUDS = 8;

struct cloudrec {
    u8 active;
    u8 placed; // positioned by this drawing of the view
    i32 x, y;
    i32 width;
    u8 fade;
    u32 endtick;
    const char* text;
    u8 kind; // 0 talk, else thought
    u8 alpha;
    i32 slot;
};

extern cloudrec cloud[MAXCLOUDS];

// Opens record r for the unit in slot with the words said; they fade after
// 400 ticks.
void opencloud(int r, int slot, const char* text, u8 kind);
// The first free record of 2..7, or 0.
int freecloud();
void closecloud(int r);
void clearclouds();
// Draws record r where the view placed it.
void drawcloud(int r);
