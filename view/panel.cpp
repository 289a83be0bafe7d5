#include "view/panel.h"

#include <cstring>

#include "app/gamestate.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/panelhelp.h"
#include "view/panelkept.h"
#include "view/panelscene.h"
#include "view/smoothmove.h"
#include "world/npc.h"

u16* panelpicture = nullptr;
u16* panelclean = nullptr;
u16* compturnpicture = nullptr;
u8 paneltab = 0;
u16 framecolour = 0;
u8 maptool = 0;

static u16 displaycolour(u32 r, u32 g, u32 b) {
    if (pixelformat == 2) return (u16)(r << 11 | (g * 2) << 5 | b);
    return (u16)(r << 10 | g << 5 | b);
}

void settextcolour555(u16 r, u16 g, u16 b) { settextcolor(r, pixelformat == 2 ? (u16)(g * 2) : g, b); }

static void putpixel(i32 x, i32 y, u16 c) {
    if (x >= -VSLEFT && x < VSWIDTH - VSLEFT && y >= -VSTOP && y < VSHEIGHT - VSTOP) *vspixel(x, y) = c;
}

void drawstatbar(i32 v, i32 m, i32 x, i32 y, i32 w, i32 h, u16 colour555, int slot) {
    u32 r = colour555 >> 10 & 31, g = colour555 >> 5 & 31, b = colour555 & 31;
    u16 full = displaycolour(r, g, b);
    u16 empty = displaycolour(r > 16 ? r - 16 : 0, g > 16 ? g - 16 : 0, b > 16 ? b - 16 : 0);
    if (v < 0) v = 0;
    if (v > m) v = m;
    i32 filled = m > 0 ? (i32)((float)w * (float)v / (float)m) : 0;
    if (slot) {
        i32 dx, dy;
        npcsmoothshift(slot, &dx, &dy);
        x -= dx;
        y -= dy;
    }
    beginvsdraw();
    for (i32 i = 0; i < w + 2; i++) {
        putpixel(x + i, y, framecolour);
        putpixel(x + i, y + h + 1, framecolour);
    }
    for (i32 row = 1; row <= h; row++) {
        putpixel(x, y + row, framecolour);
        for (i32 i = 0; i < w; i++) putpixel(x + 1 + i, y + row, i < filled ? full : empty);
        putpixel(x + w + 1, y + row, framecolour);
    }
    endvsdraw();
}

static void missionpanel(const panelscene& scene) {
    if (panelpicture)
        for (int row = 0; row < PANELHEIGHT; row++)
            std::memcpy(vspixel(0, PANELTOP + row), panelpicture + row * PANELWIDTH, PANELWIDTH * 2);
    drawpanelscene(scene);
}

static void editorpanel() {
    for (int row = PANELTOP; row < PANELTOP + PANELHEIGHT; row++) std::memset(vspixel(0, row), 0, PANELWIDTH * 2);
    static const char* const tools[9] = {"PlaceLandTile (L)", "PlaceLandSection (L)", "PlaceRandomLand (R)",
                                         "DeleteLand (DEL)",  "PlaceItem (I)",        "DeleteItem (DEL)",
                                         "Place Unit",        "Delete Unit",          "Set Starting Point (S)"};
    currentfont = 5;
    i32 x = 2, y = 402;
    for (int t = 0; t < 9; t++) {
        if (y > 479) x += 120, y = 402;
        if (t == maptool) settextcolour555(31, 31, 31);
        else settextcolour555(12, 12, 12);
        drawtext(tools[t], x, y);
        y += 16;
    }
    settextcolour555(28, 4, 4);
    drawtextright("Press right button", 640, 444);
    drawtextright("to bring up options", 640, 458);
}

bool panelcovers() { return (gamestate == GS_COMBAT && panelpicture) || gamestate == GS_EDITMAP; }

static void keptormissionpanel() {
    static panelscene scene; // large, and made anew every frame
    makepanelscene(&scene);
    if (!putkeptpanel(scene)) {
        missionpanel(scene);
        keeppanel(scene);
    }
    drawhoverhelp();
}

void drawpanel() {
    u8 keep = currentfont;
    beginvsdraw();
    if (gamestate == GS_COMBAT) keptormissionpanel();
    else if (gamestate == GS_EDITMAP) editorpanel();
    endvsdraw();
    currentfont = keep;
}
