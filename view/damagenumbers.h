#pragma once
// Numbers floating over cells: damage dealt, health healed.
#include "platform/types.h"

constexpr int MAXDAMAGENUMBERS = 15;

struct damagenumberrec {
    u8 active;
    u8 placed; // positioned by this drawing of the view
    i32 value;
    i32 timer; // frames left
    i32 x, y;
    i32 cell;
    i32 mode; // 1: rises from the cell, else sinks toward it
};

extern damagenumberrec damagenumber[MAXDAMAGENUMBERS];

// Takes the first free record; nothing when all are shown.
void startdamagenumber(i32 value, i32 cell, i32 mode);
void cleardamagenumbers();
