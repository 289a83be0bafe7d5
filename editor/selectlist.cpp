#include "editor/selectlist.h"

#include <cstring>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/pageloop.h"
#include "platform/winmsg.h"
#include "text/font.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/panel.h"

listentry listentries[MAXLISTENTRIES];
int listcount = 0;
int listchoice = 0;
i32 listleft = 0, listtop = 0, listwidth = 0;

void addlistentry(const char* text, u8 notselectable) {
    if (listcount < 0) listcount = 0;
    if (listcount >= MAXLISTENTRIES) return;
    listentry& e = listentries[listcount++];
    std::strncpy(e.text, text, sizeof e.text - 1);
    e.text[sizeof e.text - 1] = 0;
    e.notselectable = notselectable;
}

void placeselectlist() {
    u8 keep = currentfont;
    currentfont = 5;
    listwidth = 64;
    for (int i = 0; i < listcount; i++) {
        i32 w = textwidth(listentries[i].text);
        if (w > listwidth) listwidth = w;
    }
    listwidth += 8;
    currentfont = keep;
    listleft = mousex + 1;
    listtop = mousey;
    if (listleft + listwidth > 640) listleft -= listwidth + 2;
    if (listcount * LISTROW + listtop > 480) listtop -= listcount * LISTROW + 1;
    if (listtop < 0) listtop = 0;
}

void drawselectlist() {
    u8 keep = currentfont;
    currentfont = 5;
    beginvsdraw();
    for (int i = 0; i < listcount; i++) {
        bool chosen = i == listchoice - 1;
        u16 fill = chosen ? 0x0202 : 0x0101;
        for (i32 y = listtop + LISTROW * i; y < listtop + LISTROW * (i + 1); y++) {
            if (y < 0 || y >= 480) continue;
            for (i32 x = listleft; x < listleft + listwidth; x++)
                if (x >= 0 && x < 640) *vspixel(x, y) = fill;
        }
        if (chosen) settextcolour555(31, 31, 31);
        else if (listentries[i].notselectable) settextcolour555(12, 12, 12);
        else settextcolour555(0, 24, 0);
        drawtext(listentries[i].text, listleft + 4, listtop + 2 + LISTROW * i);
    }
    endvsdraw();
    currentfont = keep;
}

void runselectlist() {
    pushgamestate(gamestate);
    gamestate = GS_SELECTLIST;
    setcursormode(20);
    placeselectlist();
    listchoice = 0;
    runeditorloop(drawselectlist);
    gamestate = popgamestate();
    redrawscreen();
}

static bool insidebox() {
    return mousex >= listleft && mousex <= listleft + listwidth && mousey >= listtop && mousey <= listtop + LISTROW * listcount;
}

static void follow() {
    if (mousex < listleft || mousex > listleft + listwidth || mousey < listtop) {
        listchoice = 0;
        return;
    }
    int i = (mousey - listtop) / LISTROW + 1;
    listchoice = i > listcount || listentries[i - 1].notselectable ? 0 : i;
}

void selectlistinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_MOUSEMOVE: follow(); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: boxresult = 1; break;
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) boxresult = 1;
        break;
    case WM_RBUTTONUP:
        if (insidebox()) boxresult = 1;
        else listchoice = 0;
        break;
    default: break;
    }
}
