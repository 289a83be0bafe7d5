#pragma once
#include "platform/types.h"

typedef void (*inputhandler)(u32 message, u32 wparam, i32 lparam);

// The input handler of each game state (null where a state has none).
// Screens install theirs as they are built.
extern inputhandler statehandlers[256];

i32 windowproc(u32 message, u32 wparam, i32 lparam);
