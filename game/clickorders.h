#pragma once
// The orders a click or a key gives: by the cursor mode for the left
// button, the arrow of the right button, and the mission's keys.
#include "platform/types.h"

// The last text a command showed at the mouse ("No Path!", "Not enough
// MPs!"); null until one is shown.
extern const char* lastcommandflash;
// 1 while the leader tells the others to keep away (End).
extern u32 followtoggle;
// The cell a held button last dragged the path to.
extern u32 lastdragcell;

void commandflash(const char* text);
// A left button press with the cursor as the last frame chose it.
void leftbuttonorder();
// The button let go: no order waits any more.
void leftbuttonup();
// The mouse moved with the left button held: show at once when the new
// cell cannot be reached.
void dragorder();
// The right button: an arrow from curnpc at the cell under the mouse.
void arroworder();
// A key pressed during the mission; Escape asks whether to leave.
void keyorder(u32 vk);
