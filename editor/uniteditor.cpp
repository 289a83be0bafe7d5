#include "editor/uniteditor.h"

#include <cstdio>
#include <string>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/compileunits.h"
#include "editor/editunit.h"
#include "editor/keypadkeys.h"
#include "editor/mapeditor.h"
#include "editor/pageloop.h"
#include "editor/selectlist.h"
#include "platform/ddraw.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "text/font.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "view/panel.h"
#include "world/npc.h"
#include "world/unittype.h"

int unitselected = 0;
int unitaction = 0;
int uniteditframe = 0;
unithitbox unitboxes[12];

static const char* const UPDOWN = "Bitmaps\\Editor\\updown.bmp";
static constexpr u8 RESULT_COMPILE = 12;
static constexpr int FLOORTILE = 1279;

// The picture is shown but nothing answers a click on it, so a data tree
// without it still edits units.
static bool updownthere() {
    static int known = -1;
    if (known < 0) {
        platbitmap* b = plat_loadbitmap(UPDOWN);
        known = b != nullptr;
        if (b) plat_freebitmap(b);
    }
    return known == 1;
}

static void drawselectednumber() {
    beginvsdraw();
    for (i32 row = 400; row < 440; row++)
        for (i32 x = 0; x < 640; x++) *vspixel(x, row) = 0;
    char text[16];
    std::snprintf(text, sizeof text, "(%d)", unitselected);
    u8 keep = currentfont;
    currentfont = 5;
    settextcolour555(30, 24, 16);
    drawtext(text, 40, 430);
    currentfont = keep;
    endvsdraw();
    if (updownthere()) drawbitmap(UPDOWN, 580, 420);
}

void drawuniteditor() {
    clearvs();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        i32 x = 80 * (i % 8), y = 100 * (i / 8);
        drawlandtile(FLOORTILE, x + 20, y + 60);
        drawunitpicraw(i, x + 20, y + 60, unitaction, placefacing, uniteditframe);
        unitboxes[i] = {x, y, 80, 100};
    }
    drawselectednumber();
}

void followunitpointer() {
    int was = unitselected;
    for (int i = 0; i < NUMUNITTYPES; i++) {
        const unithitbox& b = unitboxes[i];
        if (mousex > b.x && mousex < b.x + b.w && mousey > b.y && mousey < b.y + b.h) unitselected = i;
    }
    if (unitselected != was) drawselectednumber();
}

// The first skip of the selected set's standing-still walk frame at the
// facing shown; an empty frame has no skip to move.
static void nudge(int by) {
    if (unitselected < 0 || unitselected >= NUMUNITTYPES || placefacing < 1 || placefacing > 8) return;
    u32 size = 0;
    u8* frame = (u8*)findunitframe(unitselected, ACTION_WALK, placefacing, 0, &size);
    if (!frame || size < 3) return;
    u16 skip = (u16)(frame[0] | frame[1] << 8);
    skip = (u16)(skip + by);
    frame[0] = (u8)skip;
    frame[1] = (u8)(skip >> 8);
}

enum : u32 { NUMPAD1 = VK_NUMPAD0 + 1, NUMPAD3 = VK_NUMPAD0 + 3, NUMPAD4 = VK_NUMPAD0 + 4,
             NUMPAD6 = VK_NUMPAD0 + 6, NUMPAD7 = VK_NUMPAD0 + 7, NUMPAD9 = VK_NUMPAD0 + 9 };

static void unitkey(u32 key) {
    switch (editorkeypad(key)) {
    case VK_RETURN:
    case VK_ESCAPE: boxresult = 1; break;
    case VK_LEFT: nudge(-1); break;
    case VK_RIGHT: nudge(1); break;
    case VK_UP: nudge(-VSPITCH); break;
    case VK_DOWN: nudge(VSPITCH); break;
    case NUMPAD1: uniteditframe = uniteditframe > 0 ? uniteditframe - 1 : 0; break;
    case NUMPAD3: uniteditframe = uniteditframe < 15 ? uniteditframe + 1 : 15; break;
    case NUMPAD4: placefacing = placefacing <= 1 ? 8 : (u8)(placefacing - 1); break;
    case NUMPAD6: placefacing = placefacing >= 8 ? 1 : (u8)(placefacing + 1); break;
    case NUMPAD7: unitaction = unitaction > 0 ? unitaction - 1 : 0; break;
    case NUMPAD9: unitaction = unitaction < 2 ? unitaction + 1 : 2; break;
    default: break;
    }
}

static void unitmenu() {
    listcount = 0;
    addlistentry("Edit Unit", 0);
    addlistentry("Compile Unit Pics", 0);
    runselectlist();
    int choice = listchoice;
    if (choice == 1) editunitdialog(unitselected);
    else if (choice == 2) boxresult = RESULT_COMPILE;
}

void uniteditinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (mousey < 400) {
            placeunittype = unitselected;
            boxresult = 1;
        }
        break;
    case WM_RBUTTONDOWN:
        if (mousey < 400) unitmenu();
        break;
    case WM_KEYDOWN:
        unitkey(wparam);
        followunitpointer();
        break;
    case WM_MOUSEMOVE: followunitpointer(); break;
    default: break;
    }
}

static u8 rununitpage() {
    placefacing = 4;
    unitselected = 0;
    return runeditorpage();
}

// The edits stay in memory whatever happens; a save that fails says why and
// the user chooses between leaving without it and going back to the page.
bool leaveuniteditor() {
    showmessage("Saving Units ...");
    std::string why;
    if (saveunitfiles(&why)) return true;
    std::string text = "Units not saved: " + why;
    okbox(text.substr(0, sizeof boxtext - 1).c_str());
    return confirmbox("Leave without saving?") == 1;
}

u32 rununiteditor() {
    if (gamestate == GS_UNITEDITOR) return 0;
    fullview = 1;
    if (!pushgamestate(gamestate)) return 0;
    gamestate = GS_UNITEDITOR;
    for (;;) {
        u8 result = rununitpage();
        if (result == RESULT_COMPILE) {
            compileunitpics(unitselected);
            continue;
        }
        if (leaveuniteditor()) break;
    }
    gamestate = popgamestate();
    redrawscreen();
    return 1;
}
