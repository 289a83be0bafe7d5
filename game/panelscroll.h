#pragma once
// How far the panel's INV and LOG lists are scrolled, and the party the INV
// tab lists.
#include "platform/types.h"
#include "world/npc.h"

extern int invscroll; // the first member shown
extern int logscroll; // lines back from the newest at the bottom line

// The player's units in use, slots 1..32 in order; the count.
int partymembers(int out[SLOTSPERPLAYER]);
// One line up (-1) or down (+1) on the tab shown, within its list.
void scrollpanel(int by);
// A mission's start: its panel records begin empty (log, kills, scrolling)
// and its pace is the one the settings give.
void startpanelrecords();
