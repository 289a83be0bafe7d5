#pragma once
// What the map editor's tools do to the grids and the npc table.
#include "platform/types.h"

// Section tile k (0..15) lies a columns and b rows before the cursor cell.
extern const i8 sectioncell[16][2];

void placelandtile(i32 x, i32 y);
void placelandsection(i32 x, i32 y);
// Cells outside the map are dropped; a large item writes every part.
void placeitem(i32 x, i32 y);
// Rectangles, inclusive; clipped to the map.
void randomland(i32 x1, i32 y1, i32 x2, i32 y2);
void deleteland(i32 x1, i32 y1, i32 x2, i32 y2);
void deleteitems(i32 x1, i32 y1, i32 x2, i32 y2);
// Shows a box and changes nothing when the cell is taken or player 1 is full.
void placeunit(i32 x, i32 y);
void deleteunit(i32 x, i32 y);
// Player 0's start at the cell, facing the way its formation is laid
// out (placefacing, taken to the formation's nearest way: 1, 3, 5 or 7).
void setstartpoint(i32 x, i32 y);
// The formation's next way from `facing` in the direction dir (+1 or -1).
u8 startfacing(u8 facing, int dir);

// The arrow keys: the tool's number one step down (-1) or up (+1).
void steptoolnumber(int dir);
// The NUMPAD nudges of the item under the cursor (every part of a large
// one): picheight and picwidth change by the given amounts, modulo 256.
void nudgeitem(u32 off, int dheight, int dwidth);
// Clears Blocks Sight and Blocks Passage of the item under the cursor.
void clearblocking(u32 off);
// Set by the two above: item types changed that the map's save must write
// (items.dat and items.raw, with their backups); cleared once written.
extern bool itemtypesedited;
