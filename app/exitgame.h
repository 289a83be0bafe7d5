#pragma once
// The single way out: logs why, tears the display down, shows a box for
// anything but a normal end, and drains messages until the process ends.
#include "platform/types.h"

extern u32 soundreleased;

// The message box caption for an exit code (nullptr for 0).
const char* exitcaption(i8 code);
[[noreturn]] void exitgame(i8 code, const char* text);
// Releases the display objects; harmless when called again.
void releaseobjects();
