#pragma once
// The single way out: logs why, tears the display down, shows a box for
// anything but a normal end, and drains messages until the process ends.
#include "platform/types.h"

extern u32 soundreleased;
// Set once start-up has reached the main menu.
extern u8 gameready;

// The process status an exit code ends with: the code itself (as an
// unsigned byte) for a failure; for a normal end 0 once the game is ready,
// 1 before (only a failure that has shown its box ends start-up that way).
int exitstatus(i8 code);
// The status to end with on a quit message posted with `posted`: exitgame's
// once it has run (taken once: the process ends with it).
int quitstatus(int posted);

// The message box caption for an exit code (nullptr for 0).
const char* exitcaption(i8 code);
[[noreturn]] void exitgame(i8 code, const char* text);
// Releases the display objects; harmless when called again.
void releaseobjects();
