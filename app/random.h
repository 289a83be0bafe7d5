#pragma once
// The program's one random generator. It is never reseeded, so every run
// draws the same sequence: replays and tests depend on that.
#include "platform/types.h"

// 0..32767.
i32 gamerandom();
// Back to the state a fresh run starts with (tests only).
void resetgamerandom();
// The generator's whole state, for saved games: a game loaded goes on
// drawing exactly the numbers the saved one would have.
u32 getgamerandomstate();
void setgamerandomstate(u32 s);
