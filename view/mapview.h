#pragma once
// The map around the view centre: land, then items, units, markers,
// missiles and numbers line by line from the back, clouds, and the panel.
#include "platform/types.h"

extern u8 drawland, drawitems, drawnpcs;
extern u8 wallsthrough;  // walls half see-through
extern u8 viewfrozen;    // a spell holds the picture still
extern u8 viewplayer;    // whose eyes: the human player
extern u32 cursoroff;    // the cell under the mouse
// The map editor's selection: first and last column and row, and whether
// it is shown.
extern i32 selx0, selx1, sely0, sely1;
extern u8 selshown;

void drawmapview();
// The same, leaving out of the land, items and units on each window row y
// the columns [holefrom[y], holeto[y]) (arrays of 480): something drawn over
// them afterwards hides them whole.
void drawmapviewaround(const i16* holefrom, const i16* holeto);
// The screen square of a cell, or -1 when it is not among the view's squares.
int squareofcell(i32 x, i32 y);
