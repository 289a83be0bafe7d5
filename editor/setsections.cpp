#include "editor/setsections.h"

#include <cstdio>

#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/keypadkeys.h"
#include "editor/pageloop.h"
#include "platform/winmsg.h"
#include "text/font.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/panel.h"

i32 g_xpos = 0, g_ypos = 0, g_xsize = 1, g_ysize = 1;
bool gridplaced = false;

static const char diamondfile[] = "bitmaps\\testland.bmp";
static constexpr picsize diamondsize = {40, 20};
static constexpr int DIAMONDSLOT = 0;

static void drawdiamonds(u8 alpha) {
    spriterec& s = sprite[DIAMONDSLOT];
    s.alpha = alpha;
    for (i32 i = 0; i < g_ysize; i++)
        for (i32 j = 0; j < g_xsize; j++) {
            s.x = (i16)(g_xpos + 20 * (i - j));
            s.y = (i16)(g_ypos - 10 * (i + j));
            drawsprite(DIAMONDSLOT);
        }
}

void drawsectiongrid(const char* file) {
    clearvs();
    drawdiamonds(0);
    // The bitmap's black lets the diamonds show through; the faint second
    // pass shows them over its pixels too.
    drawpicture(file, 0, 1);
    drawdiamonds(4);
    char text[64];
    u8 keep = currentfont;
    currentfont = 5;
    beginvsdraw();
    settextcolour555(31, 31, 31);
    std::snprintf(text, sizeof text, "g_xpos, g_ypos = (%d, %d)", g_xpos, g_ypos);
    drawtextright(text, 640, 0);
    std::snprintf(text, sizeof text, "g_xsize, g_ysize = (%d, %d)", g_xsize, g_ysize);
    drawtextright(text, 640, 20);
    settextcolour555(26, 26, 26);
    drawtextright("NUMPAD Arrow Keys move the section position", 640, 60);
    drawtextright("Normal Arrow Keys change the size of the object", 640, 80);
    endvsdraw();
    currentfont = keep;
}

// The bitmap the grid screen shows, for its loop's drawing.
static const char* gridfile = "";
static void drawgridframe() { drawsectiongrid(gridfile); }

u32 setsections(const char* file) {
    clearvs();
    pushgamestate(gamestate);
    gamestate = GS_SETSECTIONS;
    drawbitmap(file, 0, 1);
    if (!gridplaced) {
        g_xpos = (i32)bmpwidth / 2 - 20;
        g_ypos = (i32)bmpheight - 20;
        g_xsize = g_ysize = 1;
        gridplaced = true;
    }
    initsprite(DIAMONDSLOT, diamondfile, diamondsize);
    gridfile = file;
    u8 result = runeditorloop(drawgridframe);
    deletesprite(DIAMONDSLOT);
    gamestate = popgamestate();
    redrawscreen();
    return result;
}

static i32 step(i32 v, i32 by) {
    v += by;
    return v < 1 ? 1 : v > MAXGRIDSIZE ? MAXGRIDSIZE : v;
}

void setsectionsinput(u32 message, u32 wparam, i32) {
    if (message != WM_KEYDOWN) return;
    switch (editorkeypad(wparam)) {
    case VK_RETURN: boxresult = 1; break;
    case VK_ESCAPE: boxresult = 0; break;
    case VK_LEFT: g_xsize = step(g_xsize, 1); break;
    case VK_RIGHT: g_xsize = step(g_xsize, -1); break;
    case VK_UP: g_ysize = step(g_ysize, 1); break;
    case VK_DOWN: g_ysize = step(g_ysize, -1); break;
    case VK_NUMPAD0 + 4: g_xpos--; break;
    case VK_NUMPAD0 + 6: g_xpos++; break;
    case VK_NUMPAD0 + 8: g_ypos--; break;
    case VK_NUMPAD0 + 2: g_ypos++; break;
    default: break;
    }
}
