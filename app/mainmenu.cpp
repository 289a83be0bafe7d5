#include "app/mainmenu.h"

#include "app/exitgame.h"
#include "app/input.h"
#include "platform/winmsg.h"
#include "app/redrawscreen.h"
#include "app/selectcolor.h"
#include "editor/mapeditor.h"
#include "game/campaign.h"
#include "game/mission.h"
#include "game/savemenu.h"
#include "resources/stringtable.h"
#include "sound/effects.h"
#include "text/boxes.h"
#include "text/widget.h"
#include "video/presentframe.h"
#include "video/sprite.h"

struct menubutton {
    u32 id;
    i32 x, y, width, skinoffset;
};

static const menubutton menubuttons[NUMWIDGETS] = {
    {2, 250, 240, 140, 0},    // Run Demo
    {5, 280, 386, 80, 402},   // Exit, below the framed four
    {9, 250, 272, 140, 32},   // Map Editor
    {11, 250, 336, 140, 200}, // Load Game
    {12, 250, 304, 140, 300}, // New Game: the campaign
};

// The title covers the whole screen.
static constexpr picsize titlesize = {640, 480};

void paintmainmenu() {
    drawbitmap("bitmaps\\full\\mainmenu.bmp", 0, 0, titlesize);
    for (int i = 0; i < NUMWIDGETS; i++) {
        const menubutton& b = menubuttons[i];
        setupwidget(i, b.id, b.x, b.y, b.width, b.skinoffset);
        drawwidget(i);
    }
}

void mainmenuidle() {
    for (int i = 0; i < NUMWIDGETS; i++) drawwidget(i);
    presentframe();
}

static void askquit() {
    widget[1].pressed = 1;
    drawwidget(1);
    presentframe();
    playsound(SOUND_CLICK);
    char text[256];
    loadstring(stringbase + 1, text, sizeof text);
    if (confirmbox(text)) exitgame(0, nullptr);
    redrawscreen();
}

static void press(int i) {
    widget[i].pressed = 1;
    drawwidget(i);
    presentframe();
    if (i != 1) playsound(SOUND_CLICK); // Exit clicks in askquit
    if (i == 0) runmission();
    else if (i == 1) askquit();
    else if (i == 3) menuloadgame();
    else if (i == 4) runcampaign();
    else {
        runmapeditor();
        redrawscreen();
    }
}

void mainmenuinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_TAB) selectcolor();
        else if (wparam == VK_ESCAPE) askquit();
        else if (wparam == VK_F9) menuquickload();
        break;
    case WM_MOUSEMOVE:
        for (int i = 0; i < NUMWIDGETS; i++) {
            widget[i].hover = insidewidget(i, mousex, mousey);
            drawwidget(i);
        }
        break;
    case WM_LBUTTONDOWN:
        for (int i = 0; i < NUMWIDGETS; i++)
            if (insidewidget(i, mousex, mousey)) {
                press(i);
                break;
            }
        break;
    default: break;
    }
}
