#pragma once
// One line saying what the panel control under the mouse does, shown just
// above the panel while the mouse is on it.
#include "platform/types.h"

// The line for the point; "" where no control lies.
const char* panelhelpat(i32 x, i32 y);
// The line for the mouse, over the bottom rows of the map (nothing when
// the mouse is off the panel or over no control).
void drawhoverhelp();
