#include "text/boxes.h"

#include <cstdio>
#include <string>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "platform/winmsg.h"
#include "app/random.h"
#include "sound/effects.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/sprite.h"

char boxtext[256];

static const char textboxfile[] = "bitmaps\\textbox.bmp";
// The buttons and the text are placed for a box of this size at (120, 164).
static constexpr picsize textboxsize = {400, 104};

static u16 green(u16 g555) { return pixelformat == 1 ? g555 : (u16)(2 * g555); }

static void setboxtext(const char* text) { std::snprintf(boxtext, sizeof boxtext, "%s", text); }

// Room for text inside the box's border.
static constexpr i32 BOXTEXTROOM = 380;

static i32 widthof(const std::string& t) { return textwidth(t.c_str()); }

// The longest start of t that fits the room and ends after a space or a
// slash; without one, as much as fits.
static std::string firstline(const std::string& t) {
    std::string best, most;
    for (size_t i = 1; i <= t.size() && widthof(t.substr(0, i)) <= BOXTEXTROOM; i++) {
        most = t.substr(0, i);
        if (t[i - 1] == ' ' || t[i - 1] == '/') best = most;
    }
    return best.empty() ? most : best;
}

// The end of t that fits, after "..." when its front had to go (the end of
// a path is what names the file).
static std::string lastpart(std::string t) {
    while (!t.empty() && t.front() == ' ') t.erase(0, 1);
    if (widthof(t) <= BOXTEXTROOM) return t;
    while (t.size() > 1 && widthof("..." + t) > BOXTEXTROOM) t.erase(0, 1);
    return "..." + t;
}

void drawboxmessage(const char* text, i32 y) {
    if (textwidth(text) <= BOXTEXTROOM) return drawtextcentered(text, y, 0, 640);
    i32 height = font[currentfont].height;
    std::string all = text, first = firstline(all), rest = lastpart(all.substr(first.size()));
    while (!first.empty() && first.back() == ' ') first.pop_back();
    drawtextcentered(first.c_str(), y - height / 2 - 1, 0, 640);
    drawtextcentered(rest.c_str(), y + height / 2, 0, 640);
}

void showmessage(const char* text) {
    setboxtext(text);
    drawpicture(textboxfile, 120, 164, textboxsize);
    settextcolor(30, green(24), 16);
    currentfont = 4;
    drawboxmessage(boxtext, 212);
    presentframe();
}

static void drawboxtext() {
    settextcolor(22, green(18), 5);
    currentfont = 3;
    drawboxmessage(boxtext, 200);
}

static void answer(int i, u8 result) {
    widget[i].pressed = 1;
    drawwidget(i);
    presentframe();
    playsound(SOUND_CLICK);
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
