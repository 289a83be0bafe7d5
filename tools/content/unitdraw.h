#pragma once
// One frame of a unit picture set drawn as the bitmap the unit picture
// compiler reads: the key colour all round and the figure standing with
// its frame box at (kUnitBoxX, kUnitBoxY).
#include "tools/content/canvas.h"

constexpr int kUnitBmpW = 140, kUnitBmpH = 220;
constexpr int kUnitBoxX = 20, kUnitBoxY = 80;
constexpr Rgb kUnitKey = {255, 0, 255};

// action 0 walk, 1 attack, 2 stand; facing index 0..7 (north-east first,
// clockwise on screen); frame 0..15.
Canvas draw_unit_bitmap(int set, int action, int facing, int frame);
