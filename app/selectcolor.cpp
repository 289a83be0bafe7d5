#include "app/selectcolor.h"

#include <cstdio>

#include "app/gamestate.h"
#include "app/input.h"
#include "platform/winmsg.h"
#include "text/font.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/vscreen.h"

// Values are written as 15-bit numbers whatever the display's layout, so on
// a 5-6-5 display the picker shows how raw 5-5-5 values look there.
static void drawpalette() {
    for (u32 r = 0; r < 32; r++) {
        i32 bx = 64 + (i32)(r % 8) * 64, by = 128 + (i32)(r / 8) * 64;
        for (u32 g = 0; g < 32; g++)
            for (u32 b = 0; b < 32; b++) {
                u16 v = (u16)(r * 1024 + g * 32 + b);
                for (int dy = 0; dy < 2; dy++)
                    for (int dx = 0; dx < 2; dx++) *vspixel(bx + (i32)b * 2 + dx, by + (i32)g * 2 + dy) = v;
            }
    }
}

static void fillswatch(u16 p) {
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 128; x++) *vspixel(256 + x, y) = p;
}

static u16 pixelatmouse() {
    beginvsdraw();
    u16 p = *vspixel(mousex, mousey);
    endvsdraw();
    return p;
}

// A picker refused by a full stack draws nothing and returns the pixel
// under the mouse of the screen that stays.
u16 selectcolor() {
    if (screenenter(GS_SELECTCOLOR)) {
        beginvsdraw();
        clearvs();
        beginvsdraw(); // clearvs let go of the lock it took
        drawpalette();
        fillswatch(*vspixel(mousex, mousey));
        endvsdraw();
        runscreen(nullptr);
    }
    u16 p = pixelatmouse();
    screenleave();
    return p;
}

static void readout(u16 p) {
    char line[64];
    settextcolor(31, pixelformat == 1 ? 31 : 62, 31);
    currentfont = 4;
    std::snprintf(line, sizeof line, "(%d,%d,%d)", (p >> 10) & 31, (p >> 5) & 31, p & 31);
    drawtextcentered(line, 4, 0, 640);
    currentfont = 5;
    std::snprintf(line, sizeof line, "333 Format: %d", rgb333 ? rgb333[p] : colour333(p));
    drawtextcentered(line, 32, 0, 640);
}

void selectcolorinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) boxresult = 0;
        break;
    case WM_MOUSEMOVE: {
        beginvsdraw();
        u16 p = *vspixel(mousex, mousey);
        fillswatch(p);
        readout(p);
        endvsdraw();
        break;
    }
    case WM_LBUTTONDOWN: boxresult = 1; break;
    default: break;
    }
}

void waitforinput(u32 message, u32, i32) {
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) boxresult = 1;
}
