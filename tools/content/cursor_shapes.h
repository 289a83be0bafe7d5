#pragma once
// Each cursor shape drawn into its own 32 x 32 cell, hot spot at (0, 0).
#include "tools/content/canvas.h"

// cursor_arrows.cpp: shapes that point with an arrow or a hand
Canvas cursor_pointer();
Canvas cursor_select();
Canvas cursor_walk();
Canvas cursor_use();
Canvas cursor_pickup();

// cursor_weapons.cpp: tools held by their handle, business end at the tip
Canvas cursor_sword();
Canvas cursor_bow();
Canvas cursor_wand();
Canvas cursor_look();

// cursor_spells.cpp: refusal and the spell-aiming marks
Canvas cursor_refused();
Canvas cursor_area();
Canvas cursor_crosshair();
Canvas cursor_far();
Canvas cursor_lightning();
Canvas cursor_freeze();

// cursor_hourglass.cpp: the busy animation, frame 0..7
Canvas cursor_busy(int frame);
