#pragma once
// text\debug.log: truncated at every start; each line is prefixed with the
// tick count and game state ("%.8d - GS: %.2d,  ").
#include <cstddef>

#include "platform/types.h"

// False when the file cannot be created. With a player's tree that cannot be
// written (said in a box at start) the game runs without its log: true, and
// every line is dropped.
bool opendebuglog();
// Says on standard error when lines were lost or the close failed.
void closedebuglog();
bool debuglogopen();
// Writes text as it stands; false when the write fails.
bool debuglograw(const char* text);
// A line with the prefix; printf-style, texts end in "\n" themselves.
void debuglog(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// One line for each tree the game reads and writes.
void debuglogtrees();
// The prefix for a tick count and state, into buf; returns its length.
int formatlogprefix(char* buf, size_t size, u32 tick, u8 state);
