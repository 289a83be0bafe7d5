#pragma once
// A small headless mission world for the spell tests: plain unit and item
// types, every cell visible, the fonts, the flash message's box, the heal
// pictures and the green spot, the leader on slot 1 at (100, 100) with the
// view on him.
#include "platform/types.h"

constexpr i32 HOMEX = 100, HOMEY = 100;
constexpr int SPELLWALL = 1;       // blocks sight and passage
constexpr int SPELLANIMATED = 20;  // 40 items that step on with the map's animation
constexpr int GLOWBRIGHTNESS = 10; // of the glow the Light spell leaves

// Types: 0 skeleton (health 30), 1 the leader's (health 40, so that his 2000
// is far above it), 3 a thief, 6 an enemy fighter (health 70).
void startspellworld();
// A unit of `type` for `player` standing on (x, y), idle, facing 4.
int placeunit(int type, int player, i32 x, i32 y);
inline u32 cellat(i32 x, i32 y) { return (u32)(y * 256 + x); }
