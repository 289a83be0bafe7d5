#include "app/windowproc.h"

#include <cstdio>

#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/mainmenu.h"
#include "app/selectcolor.h"
#include "app/timer.h"
#include "editor/editinput.h"
#include "editor/edititem.h"
#include "editor/itemeditor.h"
#include "editor/landeditor.h"
#include "editor/setsections.h"
#include "editor/selectlist.h"
#include "editor/uniteditor.h"
#include "game/combatinput.h"
#include "game/savemenu.h"
#include "platform/platform.h"
#include "text/boxes.h"
#include "text/dialog.h"
#include "video/sprite.h"
#include "view/overheadmap.h"

struct statehandler {
    u8 state;
    inputhandler handler;
};

static const statehandler handlertable[] = {
    {GS_MAINMENU, mainmenuinput},    {GS_OKBOX, okboxinput},         {GS_CONFIRM, confirminput},
    {GS_SELECTCOLOR, selectcolorinput}, {GS_WAITFORINPUT, waitforinput}, {GS_COMBAT, combatinput},
    {GS_OVERHEADMAP, overheadinput}, {GS_EDITMAP, editmapinput}, {GS_LANDEDITOR, landeditinput}, {GS_SELECTLIST, selectlistinput}, {GS_FILEDIALOG, dialoginput}, {GS_EDITITEM, edititeminput},
    {GS_ITEMEDITOR, itemeditinput}, {GS_SETSECTIONS, setsectionsinput},
    {GS_EDITUNIT, dialoginput}, {GS_UNITEDITOR, uniteditinput},
};

static bool filltable(inputhandler* t) {
    for (const statehandler& h : handlertable) t[h.state] = h.handler;
    return true;
}

inputhandler statehandlers[256];
static bool tablefilled = filltable(statehandlers);

static void togglekeys(u32 vk) {
    if (vk == VK_F7) lightflag = !lightflag;
    if (vk == VK_F8) framelimit = !framelimit;
    if (vk == VK_F11) showdebuginfo = !showdebuginfo;
}

static void ondestroy() {
    plat_setpriority(false);
    // A start-up that ended before the timer ran has no timer to kill.
    if (clockid && !plat_timekillevent(clockid)) {
        char text[32];
        std::snprintf(text, sizeof text, "clockid = %u", clockid);
        plat_messagebox(text, "Could Not Kill Timer!");
    }
    clockid = 0;
    releaseobjects();
    plat_postquitmessage(0);
}

static void onactivate(u32 wparam) {
    u32 how = loword(wparam);
    if (how == WA_INACTIVE) {
        appactive = 0;
        plat_setpriority(false);
    } else if (how == WA_ACTIVE || how == WA_CLICKACTIVE) {
        appactive = 1;
        plat_setpriority(true);
    }
}

// Handles what the window itself cares about. False when the message must
// not reach the state's handler.
static bool handle(u32 message, u32 wparam, i32 lparam) {
    switch (message) {
    case WM_MOUSEMOVE:
        plat_getcursorpos(&mousex, &mousey);
        if (sprite[1].inuse) {
            sprite[1].x = (i16)mousex;
            sprite[1].y = (i16)mousey;
        }
        break;
    case WM_LBUTTONDOWN: lbuttondown = 1; break;
    case WM_LBUTTONUP: lbuttondown = 0; break;
    case WM_RBUTTONDOWN: rbuttondown = 1; break;
    case WM_RBUTTONUP: rbuttondown = 0; break;
    case WM_KEYDOWN:
        togglekeys(wparam);
        // A key with Ctrl is no screen's own; in a mission Ctrl+S opens the
        // list of saves, in the map editor Ctrl+Z, Y and S undo, redo and save.
        if (plat_keyheld(VK_CONTROL)) {
            if (gamestate == GS_COMBAT && wparam == 'S') savelistscreen(true);
            if (gamestate == GS_EDITMAP) editorcontrolkey(wparam);
            return false;
        }
        break;
    case WM_DESTROY: ondestroy(); break;
    case WM_ACTIVATE: onactivate(wparam); break;
    case WM_ACTIVATEAPP: appactive = wparam; break;
    case WM_SETCURSOR: return false;
    case WM_DISPLAYCHANGE:
        displayok = wparam == 16 && loword((u32)lparam) == 640 && hiword((u32)lparam) == 480;
        break;
    default: break;
    }
    return true;
}

i32 windowproc(u32 message, u32 wparam, i32 lparam) {
    if (!handle(message, wparam, lparam)) return message == WM_SETCURSOR ? 1 : plat_defwindowproc(message, wparam, lparam);
    if (inputhandler h = statehandlers[gamestate]) h(message, wparam, lparam);
    return plat_defwindowproc(message, wparam, lparam);
}
