#pragma once
#include <string>

#include "platform/types.h"

extern std::string startdirectory;

// Loads every data set in its order; returns 1.
u32 initall();
// The program from the log's creation to the quit message; returns the quit
// message's code.
int winmain();
