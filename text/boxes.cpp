#include "text/boxes.h"

#include <cstdio>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "platform/winmsg.h"
#include "app/random.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/sprite.h"

char boxtext[128];

static const char textboxfile[] = "bitmaps\\textbox.bmp";
// The buttons and the text are placed for a box of this size at (120, 164).
static constexpr picsize textboxsize = {400, 104};

static u16 green(u16 g555) { return pixelformat == 1 ? g555 : (u16)(2 * g555); }

static void setboxtext(const char* text) { std::snprintf(boxtext, sizeof boxtext, "%s", text); }

void showmessage(const char* text) {
    setboxtext(text);
    drawpicture(textboxfile, 120, 164, textboxsize);
    settextcolor(30, green(24), 16);
    currentfont = 4;
    drawtextcentered(boxtext, 212, 0, 640);
    presentframe();
}

static void drawboxtext() {
    settextcolor(22, green(18), 5);
    currentfont = 3;
    drawtextcentered(boxtext, 200, 0, 640);
}

static void answer(int i, u8 result) {
    widget[i].pressed = 1;
    drawwidget(i);
    presentframe();
    boxresult = result;
}

static void okidle() {
    drawwidget(0);
    presentframe();
}

void okbox(const char* text) {
    screenenter(GS_OKBOX);
    setcursormode(8);
    setboxtext(text);
    drawpicture(textboxfile, 120, 164, textboxsize);
    drawboxtext();
    setupwidget(0, 6, 296, 226, 48, gamerandom() % 344);
    drawwidget(0);
    runscreen(okidle);
    screenleave();
}

static void confirmidle() {
    drawwidget(0);
    drawwidget(1);
    presentframe();
}

u8 confirmbox(const char* text) {
    screenenter(GS_CONFIRM);
    setcursormode(8);
    drawpicture(textboxfile, 120, 164, textboxsize);
    setupwidget(1, 7, 260, 226, 48, gamerandom() % 344);
    setupwidget(0, 8, 330, 226, 48, gamerandom() % 344);
    drawwidget(0);
    drawwidget(1);
    setboxtext(text);
    drawboxtext();
    u8 result = runscreen(confirmidle);
    screenleave();
    return result;
}

void okboxinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) answer(0, 1);
        break;
    case WM_MOUSEMOVE:
        widget[0].hover = insidewidget(0, mousex, mousey);
        drawwidget(0);
        break;
    case WM_LBUTTONDOWN:
        if (insidewidget(0, mousex, mousey)) answer(0, 1);
        break;
    default: break;
    }
}

void confirminput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE || wparam == 'N') answer(0, 0);
        else if (wparam == 'Y') answer(1, 1);
        break;
    case WM_MOUSEMOVE:
        for (int i = 0; i < 2; i++) {
            widget[i].hover = insidewidget(i, mousex, mousey);
            drawwidget(i);
        }
        break;
    case WM_LBUTTONDOWN:
        if (insidewidget(0, mousex, mousey)) answer(0, 0);
        else if (insidewidget(1, mousex, mousey)) answer(1, 1);
        break;
    default: break;
    }
}
