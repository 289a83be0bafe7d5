#pragma once
// A private headless world for one test: its own data directory (with the
// cursor picture), message boxes caught, and the process end turned into an
// exception so that a test can look at what happened.
#include <string>
#include <vector>

#include "platform/types.h"

struct processexit {
    int code;
};

struct caughtbox {
    std::string text, caption;
};

extern std::vector<caughtbox> boxes;

// Starts the headless platform in a fresh data directory; format 555 or 565.
void starttestplatform(int pixelformat = 565);
// As above, then brings up the display as the game does at start.
void starttestdisplay(int pixelformat = 565);
// The data directory of the running test.
const std::string& testdatadir();
std::string readtext(const std::string& hostpath);
// A 24-bit picture of one colour (0xRRGGBB) in the test's data directory.
void writesolidbmp(const std::string& name, int w, int h, u32 colour);
// Copies the generated cursor picture into the test's data directory.
void copycursors();
