#pragma once
// Mission-wide switches other modules look at.
#include "platform/types.h"

extern u32 gamepaused;
extern u32 computerthinking; // while set the mouse cursor is not drawn
extern i32 curnpc;           // the slot the human player commands
