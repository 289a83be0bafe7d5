#pragma once
#include "platform/types.h"

// Repaints the Virtual Screen for the current game state.
u32 redrawscreen();
