#include "editor/itemeditor.h"

#include <cstdio>
#include <string>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/edititem.h"
#include "editor/itemcreate.h"
#include "editor/itemsave.h"
#include "editor/maptools.h"
#include "editor/mapeditor.h"
#include "editor/pageloop.h"
#include "editor/selectlist.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "text/font.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "view/panel.h"
#include "world/itemtype.h"

i32 itemfirst = 0;
i32 itemselected = 0;
i32 itemhitx[ITEMSPERPAGE], itemhity[ITEMSPERPAGE];

static const char updownfile[] = "Bitmaps\\Editor\\updown.bmp";
static constexpr picsize updownsize = {20, 40};

i32 selecteditem() { return itemfirst + itemselected; }

static itemtyperec* itemat(i32 n) { return n >= 0 && n < NUMITEMTYPES ? itemtype[n] : nullptr; }

i32 itemparts(i32 n) {
    const itemtyperec* t = itemat(n);
    if (!t) return 0;
    i32 count = t->largeitem ? (i32)t->xsize * t->ysize : 1;
    if (count < 1) count = 1;
    if (count > NUMITEMTYPES - n) count = NUMITEMTYPES - n;
    return count;
}

// ---- the page ---------------------------------------------------------------

static void numberline() {
    char text[32];
    u8 keep = currentfont;
    currentfont = 5;
    settextcolour555(30, 24, 16);
    std::snprintf(text, sizeof text, "(%d)", selecteditem());
    drawtext(text, 40, 430);
    currentfont = keep;
}

// Rows 400..439 again, when the selection moved.
static void redrawnumberline() {
    beginvsdraw();
    for (i32 y = 400; y < 440; y++)
        for (i32 x = 0; x < 640; x++) *vspixel(x, y) = 0;
    numberline();
    endvsdraw();
    drawbitmap(updownfile, 580, 420, updownsize);
}

// The selected item hangs at the pointer; a large item is laid out as the
// map would show it, without the sections' marks.
static void drawcarried() {
    i32 n = selecteditem();
    const itemtyperec* t = itemat(n);
    if (!t) return;
    if (t->largeitem) {
        u8 keep = fullview;
        fullview = 0;
        for (i32 i = 0; i < t->ysize; i++)
            for (i32 j = 0; j < t->xsize; j++) {
                i32 part = n + i * t->xsize + j;
                if (part < NUMITEMTYPES)
                    drawitempicraw(part, mousex + 20 * (t->xsize - j + i), mousey + t->picheight - 10 * (i + j));
            }
        fullview = keep;
    } else if (t->isused && !t->offlimits) {
        drawitempicraw(n, mousex + t->picwidth - 40, mousey + t->picheight);
    }
}

void drawitempage() {
    clearvs();
    for (int i = 0; i < ITEMSPERPAGE; i++) {
        itemhitx[i] = 80 * (i % 8);
        itemhity[i] = 120 * (i / 8);
        drawitempicraw(itemfirst + i, itemhitx[i] + 20, itemhity[i] + 60);
    }
    beginvsdraw();
    numberline();
    char text[32];
    u8 keep = currentfont;
    currentfont = 5;
    settextcolour555(30, 24, 16);
    std::snprintf(text, sizeof text, "Page %d", itemfirst / ITEMSPERPAGE);
    drawtext(text, 572, 400);
    currentfont = keep;
    endvsdraw();
    drawbitmap(updownfile, 580, 420, updownsize);
    drawcarried();
}

// ---- deleting -----------------------------------------------------------------

void clearitemrecord(i32 n) {
    itemtyperec* t = itemat(n);
    if (!t) return;
    if (t->rawdatasize && itemrawdataptr[n]) gamefree(itemrawdataptr[n], t->rawdatasize);
    itemrawdataptr[n] = nullptr;
    *t = itemtyperec{};
}

void deleteitem(i32 n) {
    const itemtyperec* t = itemat(n);
    if (!t || t->offlimits) return;
    char text[64];
    std::snprintf(text, sizeof text, "Delete Item Number %d?", n);
    if (!confirmbox(text)) return;
    i32 count = itemparts(n);
    for (i32 k = 0; k < count; k++) clearitemrecord(n + k);
}

// ---- input ----------------------------------------------------------------------

static void hover() {
    int hit = -1;
    for (int i = 0; i < ITEMSPERPAGE; i++)
        if (itemhitx[i] < mousex && mousex < itemhitx[i] + 80 && itemhity[i] < mousey && mousey < itemhity[i] + 100)
            hit = i;
    if (hit < 0 || hit == itemselected) return;
    itemselected = hit;
    redrawnumberline();
}

static void itemmenu() {
    const itemtyperec* t = itemat(selecteditem());
    bool used = t && t->isused;
    listcount = 0;
    addlistentry("Edit Item", 0);
    addlistentry("Create New Item", used ? 1 : 0);
    addlistentry("Delete Item", used ? 0 : 1);
    runselectlist();
    switch (listchoice) {
    case 1: edititemdialog(selecteditem()); break;
    case 2: boxresult = ITEMRESULT_CREATE; break;
    case 3: deleteitem(selecteditem()); break;
    default: break;
    }
}

static void leftpress() {
    if (580 < mousex && mousex < 600 && 420 < mousey && mousey < 440) {
        if (itemfirst - ITEMSPERPAGE >= 0) itemfirst -= ITEMSPERPAGE;
        redrawscreen();
    } else if (580 < mousex && mousex < 600 && 440 < mousey && mousey < 460) {
        if (itemfirst + ITEMSPERPAGE <= LASTPAGEDOWN) itemfirst += ITEMSPERPAGE;
        redrawscreen();
    } else {
        currentitem = selecteditem();
        boxresult = 1;
    }
}

void itemeditinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_LBUTTONDOWN: leftpress(); break;
    case WM_MOUSEMOVE: hover(); break;
    case WM_RBUTTONDOWN:
        if (mousey < 400) itemmenu();
        break;
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) boxresult = 1;
        else if (wparam == VK_DELETE && mousey < 400) deleteitem(selecteditem());
        else if (wparam == 'E') edititemdialog(selecteditem());
        break;
    default: break;
    }
}

// ---- the editor ------------------------------------------------------------------

static u8 runpage() {
    itemselected = 0;
    return runeditorpage();
}

// Saving on the way out; a save that fails says why and asks before the
// edits are left unsaved.
static bool leaveitems() {
    std::string why;
    if (saveitems(&why)) {
        itemtypesedited = false; // the map editor's changes are written too
        return true;
    }
    char text[256];
    std::snprintf(text, sizeof text, "Items not saved: %s", why.c_str());
    okbox(text);
    return confirmbox("Leave without saving?") == 1;
}

u32 runitemeditor() {
    if (gamestate == GS_ITEMEDITOR) return 0;
    u8 keepfull = fullview;
    fullview = 1;
    pushgamestate(gamestate);
    gamestate = GS_ITEMEDITOR;
    i32 current = currentitem < 0 ? 0 : currentitem >= NUMITEMTYPES ? NUMITEMTYPES - 1 : currentitem;
    itemfirst = current / ITEMSPERPAGE * ITEMSPERPAGE;
    for (;;) {
        u8 result = runpage();
        if (result == ITEMRESULT_CREATE) createitem(selecteditem());
        else if (leaveitems()) break;
    }
    fullview = keepfull;
    gamestate = popgamestate();
    redrawscreen();
    return 1;
}
