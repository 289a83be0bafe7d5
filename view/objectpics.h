#pragma once
// One land tile, one item picture or one unit frame into the Virtual Screen.
// (x, y) is the top-left corner of the cell's 40 x 20 box in visible
// coordinates. A light cell is a mapoff whose light level darkens the
// picture, or -1 for full light. Every run is clipped to the surface, so a
// picture near an edge, or one nudged out of its box, never writes outside.
#include "platform/types.h"

// What pictures may write, in visible coordinates, x1 and y1 excluded: the
// whole surface unless narrowed (the map view narrows it to what shows).
struct picclip {
    i32 x0, y0, x1, y1;
};
void setpicclip(picclip c);
// Window rows 0..479 leave out columns [from[y], to[y]) as well (what is
// drawn there would be covered); both arrays of 480, kept by the caller.
void setpicholes(const i16* from, const i16* to);
// The whole surface again, without holes.
void resetpicclip();

void drawlandtilelit(int tile, i32 x, i32 y, i32 lightcell);
void drawlandtile(int tile, i32 x, i32 y);
void drawitempic(int item, i32 x, i32 y, i32 lightcell);
void drawitempicraw(int item, i32 x, i32 y);
void drawitempicblend(int item, i32 x, i32 y);
void drawunitpic(int set, i32 x, i32 y, int action, int facing, int frame, i32 lightcell);
void drawunitpicraw(int set, i32 x, i32 y, int action, int facing, int frame);
// The frame lit by its light cell (-1: as stored) and laid half and half
// over what is already there.
void drawunitpichalf(int set, i32 x, i32 y, int action, int facing, int frame, i32 lightcell);
