#pragma once
// Everything the mission panel draws over its picture, as a list of plain
// drawing steps made afresh each frame from the game. The panel is drawn
// from this list alone, so the list is also what the kept panel is
// compared against: whatever the panel shows, a change to it changes the
// list.
#include "platform/types.h"

enum : u8 { OP_TEXT, OP_TEXTRIGHT, OP_CENTRED, OP_SHADOWRIGHT, OP_SHADOWTEXT, OP_BAR, OP_FRAME, OP_FILL, OP_ARROWUP, OP_ARROWDOWN };

constexpr int OPTEXT = 48;
constexpr int MAXPANELOPS = 96;

struct panelop {
    u8 kind, font;
    u16 r, g, b;    // 5-5-5 components (text, frames, fills), or a bar's colour in r
    i16 x, y, w, h; // w and h for bars, frames, fills and arrows; w the span centred text stands in
    i32 value, maximum;
    char text[OPTEXT];
};

struct panelscene {
    int count;
    panelop op[MAXPANELOPS];
};

// The unit the panel stands for: curnpc, or the leader while curnpc names
// no unit.
int panelunit();
// The list for the game as it is now; every byte is set (for comparing).
void makepanelscene(panelscene* s);
// Draws the list (the working panel picture is already in place).
void drawpanelscene(const panelscene& s);
