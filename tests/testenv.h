#pragma once
// A private headless world for one test: its own data directory (with the
// cursor picture), message boxes caught, and the process end turned into an
// exception so that a test can look at what happened.
#include <fstream>
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
// Pixels of the whole Virtual Screen that are not 0, and that hold colour.
u32 vsinked();
u32 vscount(u16 colour);
// Copies the generated cursor picture into the test's data directory.
void copycursors();

// A 24-bit bottom-up BMP of w x h from a colour function, written into the test's data.
template <typename F> static void writebmp(const std::string& name, int w, int h, F colour) {
    int stride = (w * 3 + 3) & ~3;
    std::vector<u8> f(54 + (size_t)stride * h, 0);
    auto put32 = [&](size_t at, u32 v) {
        for (int i = 0; i < 4; i++) f[at + i] = (u8)(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, (u32)f.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (u32)w);
    put32(22, (u32)h);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            u32 c = colour(x, y); // 0xRRGGBB
            size_t at = 54 + (size_t)(h - 1 - y) * stride + x * 3;
            f[at] = (u8)c;
            f[at + 1] = (u8)(c >> 8);
            f[at + 2] = (u8)(c >> 16);
        }
    std::ofstream(testdatadir() + "/" + name, std::ios::binary).write((const char*)f.data(), (std::streamsize)f.size());
}
