#pragma once
// The buttons of the command panel under the map.
#include "platform/types.h"

constexpr int NUMPANELBUTTONS = 10;
struct panelbutton {
    i32 left, top, right, bottom; // a point is inside strictly between them
};
extern const panelbutton panelbuttons[NUMPANELBUTTONS];

// The first button whose rectangle holds the point, or -1.
int panelbuttonat(i32 x, i32 y);
// A left click over the panel: the button under the mouse does its work.
void panelpress();
