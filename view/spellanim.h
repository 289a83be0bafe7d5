#pragma once
// The pictures the spells play while the mission loop stands still, and
// the small screen tests they use.
#include "platform/types.h"

// The unit's casting animation: 16 frames, each a map animation step, a
// drawn and presented view, and a wait; only when its cell is visible.
void castinganimation(int slot);
// A number written on the green spot over the unit, held for 32 ticks and
// erased again; only when its cell is visible to the human player.
void numberovernpc(int slot, i32 number);
// Whether a cell, or a unit's cell, lies inside the drawn part of the view.
bool cellonscreen(i32 x, i32 y);
bool npconscreen(int slot);
// Every cell becomes visible to the player.
void revealall(int player);
// The heal pictures 0..6 and back 7..0 over the cell, each on a fresh view.
void healanimation(u32 mapoff);
// Draws the map view and presents it.
void drawandpresent();
// The view centre moves to the cell when it is not on screen.
void centreifoffscreen(i32 x, i32 y);
// Lightning from one cell to another: six flashes of the bolt, each over a
// fresh view.
void lightningflash(u32 fromoff, u32 tooff);
