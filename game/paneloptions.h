#pragma once
// The OPTIONS tab: what it shows and what its controls change. Every change
// holds at once where the running game can take it and is written to the
// settings file (its own line only); full screen and scale are used from
// the next start.
#include "platform/types.h"

struct optionvalues {
    u32 volume;      // 0..100
    bool mute;
    bool fullscreen; // as the next start will open
    int scale;       // 1..8; 0 fits the desktop
    u32 framedelay;  // ticks between frames, 0..31
};
optionvalues optionsnow();
// One of the controls of view/panellayout.h (OPT_...).
void pressoption(int control);
// A mission's start: the frame delay the settings give, when they give one.
void takespeedsetting();
// What the Save and Load buttons do.
void panelsaveclicked();
void panelloadclicked();
