#pragma once
// The map editor's right-button menu.
#include "platform/types.h"

// Fills the select list with the menu's entries.
void filleditoptions();
// Runs the menu at the pointer and does what was chosen.
void editoptions();
// The chosen entry's action (1-based, as listchoice).
void editoption(int choice);
