#pragma once
// The game's small pictures, loaded once at start-up: the panel, the
// clouds, and the sprites of markers, missiles, digits and cloud pieces.
#include "platform/types.h"

extern u16* thoughtcloudpicture; // loaded, not drawn
extern u16* talkcloudpicture;

void loadgamebitmaps();
