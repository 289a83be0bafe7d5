#pragma once
// The 640 x 80 panel under the map, and the stat bars it shares with the
// map view's health bars.
#include "platform/types.h"

constexpr int PANELWIDTH = 640;
constexpr int PANELHEIGHT = 80;
constexpr int PANELTOP = 400;

extern u16* panelpicture; // the working panel, drawn on by the panel buttons
extern u16* panelclean;   // a clean copy of the menu bar
extern u16* compturnpicture;
extern u8 paneltab;    // 0..4: INV, STATS, MAP, LOG, OPTIONS
extern u16 framecolour; // the stat bars' frame
extern u8 maptool;     // the map editor's current tool, 0..8

// A bar of value v against maximum m at window (x, y), w x h inside a
// one-pixel frame, in a 5-5-5 colour; displaced back with a walking unit
// when slot is not 0.
void drawstatbar(i32 v, i32 m, i32 x, i32 y, i32 w, i32 h, u16 colour555, int slot);
// Sets the text colour from 5-5-5 components (green doubled on 5-6-5).
void settextcolour555(u16 r, u16 g, u16 b);
// Rows 400..479 for the current screen.
void drawpanel();
// True when drawpanel covers rows 400..479 whole, so nothing under them shows.
bool panelcovers();
