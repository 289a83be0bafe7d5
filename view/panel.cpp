#include "view/panel.h"

#include <cstdio>
#include <cstring>

#include "app/gamestate.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/panelkept.h"
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

static void shadowedright(const char* text, i32 x, i32 y, u16 r, u16 g, u16 b) {
    settextcolor(0, 0, 0);
    drawtextright(text, x + 1, y + 1);
    settextcolour555(r, g, b);
    drawtextright(text, x, y);
}

static void leaderbars() {
    const npcrec* l = npc[1];
    if (!l) return;
    struct bar {
        i32 value, maximum, y;
        u16 colour;
    } bars[3] = {{l->health, l->healthmax, 414, 0x6000}, {l->fatigue, l->fatiguemax, 434, 0x0300}, {l->magic, l->magicmax, 454, 0x0018}};
    currentfont = 6;
    for (const bar& b : bars) {
        drawstatbar(b.value, b.maximum, 102, b.y, 94, 8, b.colour, 0);
        char text[32];
        std::snprintf(text, sizeof text, "%d/%d", b.value, b.maximum);
        settextcolour555(30, 30, 30);
        drawtextright(text, 195, b.y + 2);
    }
}

static void missionpanel() {
    if (panelpicture)
        for (int row = 0; row < PANELHEIGHT; row++)
            std::memcpy(vspixel(0, PANELTOP + row), panelpicture + row * PANELWIDTH, PANELWIDTH * 2);
    static const char* const tabs[5] = {"INV", "STATS", "MAP", "LOG", "OPTIONS"};
    static const i32 tabx[5] = {468, 492, 530, 556, 580};
    currentfont = 6;
    for (int t = 0; t < 5; t++) {
        if (t == paneltab) settextcolour555(31, 31, 31);
        else settextcolour555(28, 20, 10);
        drawtext(tabs[t], tabx[t], 406);
    }
    currentfont = 3;
    shadowedright("Health", 100, 412, 30, 24, 16);
    shadowedright("Fatigue", 100, 432, 30, 24, 16);
    shadowedright("Magic", 100, 452, 30, 24, 16);
    if (paneltab == 1) {
        shadowedright("Courage", 260, 412, 30, 24, 16);
    } else {
        shadowedright("Gold", 260, 412, 30, 24, 16);
        char gold[16];
        std::snprintf(gold, sizeof gold, "%d", npc[1] ? (int)npc[1]->gold : 0);
        settextcolor(0, 0, 0);
        drawtext(gold, 265, 413);
        settextcolour555(30, 30, 30);
        drawtext(gold, 264, 412);
    }
    leaderbars();
}

static void editorpanel() {
    for (int row = PANELTOP; row < PANELTOP + PANELHEIGHT; row++) std::memset(vspixel(0, row), 0, PANELWIDTH * 2);
    static const char* const tools[8] = {"PlaceLandTile (L)", "PlaceLandSection (L)", "PlaceRandomLand (R)", "DeleteLand (DEL)",
                                         "PlaceItem (I)",     "DeleteItem (DEL)",     "Place Unit",          "Delete Unit"};
    currentfont = 5;
    i32 x = 2, y = 402;
    for (int t = 0; t < 8; t++) {
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
    if (putkeptpanel()) return;
    missionpanel();
    keeppanel();
}

void drawpanel() {
    u8 keep = currentfont;
    beginvsdraw();
    if (gamestate == GS_COMBAT) keptormissionpanel();
    else if (gamestate == GS_EDITMAP) editorpanel();
    endvsdraw();
    currentfont = keep;
}
