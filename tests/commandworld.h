#pragma once
// A small mission world for the player's commands: unit types of every
// class, the items a click can meet, view tables centred on (100, 100),
// the fonts and window picture a flash message needs, and the panel's
// pressed pictures.
#include "platform/types.h"

// Unit types: 0 skeleton and 1 the leader's (fighters; the leader's type
// knows Hide, Light, Freeze and Lightning), 2 archer and 4 mage (range
// 1..8), 3 thief, 5 cleric.
// Items: 1 wall (blocks passage and sight), 20 barrel (attackable: pass
// cost 2, blocks passage), 21 rug (nothing), 22 fence (blocks passage, not
// sight), 175/177 chests (usable, block passage), 180 gold and 181 potion
// (takeable).
namespace cw {
enum : u16 { ITEM_WALL = 1, ITEM_BARREL = 20, ITEM_RUG = 21, ITEM_FENCE = 22, ITEM_CHEST = 175, ITEM_GOLD = 180 };
constexpr i32 VIEWX = 100, VIEWY = 100;

void startcommandworld();
// A unit of the type for the player at the cell, idle, facing 4.
int placeunit(int type, int player, i32 x, i32 y);
// The picked cell as the cursor picking leaves it.
void pickat(i32 x, i32 y);
// The mouse on the middle of the cell's square in the view; false when the
// cell is not on screen.
bool pointat(i32 x, i32 y);
// The 5-5-5 colour a 24-bit picture pixel of 0xRRGGBB becomes.
u16 pixel555(u32 rgb);
u16 vsat(i32 x, i32 y);
} // namespace cw
using namespace cw;
