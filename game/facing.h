#pragma once
// Facing codes 1..8 and their map steps: north-east on screen is (0, -1) on
// the map, then clockwise. Code 0 stands still; 9 ends a path.
#include "platform/types.h"

constexpr u8 PATHEND = 9;

extern const i8 facingdx[10];
extern const i8 facingdy[10];

// The facing from one cell toward another; the same cell gives 4.
u8 facingto(i32 x0, i32 y0, i32 x1, i32 y1);
// The code of a single step (dx, dy in -1..1); 0 when it is no step.
u8 facingofstep(i32 dx, i32 dy);
inline bool diagonalfacing(u8 code) { return (code & 1) == 0; }
