#pragma once
// The pop-up list the editors open with the right button.
#include "platform/types.h"

constexpr int MAXLISTENTRIES = 32;
constexpr int LISTROW = 14;

struct listentry {
    char text[64];
    u8 notselectable;
};

extern listentry listentries[MAXLISTENTRIES];
extern int listcount;
extern int listchoice; // 1-based; 0 for none
extern i32 listleft, listtop, listwidth;

// Entries past the 32nd are dropped; text is cut to 63 characters.
void addlistentry(const char* text, u8 notselectable);
// Places the list at the pointer (left or above it where it would not fit).
void placeselectlist();
// Shows the list at the pointer until it closes; the caller reads listchoice.
void runselectlist();
void drawselectlist();
void selectlistinput(u32 message, u32 wparam, i32 lparam);
