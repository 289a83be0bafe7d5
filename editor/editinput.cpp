#include "editor/editinput.h"

#include "app/gamestate.h"
#include "app/input.h"
#include "editor/editoptions.h"
#include "editor/keypadkeys.h"
#include "editor/mapeditor.h"
#include "editor/maptools.h"
#include "editor/undo.h"
#include "game/cursorchoice.h"
#include "platform/winmsg.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/npc.h"

static bool dragtool() { return maptool == TOOL_RANDOMLAND || maptool == TOOL_DELETELAND || maptool == TOOL_DELETEITEM; }

static void palettepress() {
    int i = (mousey - 400) / 16 + (mousex / 120) * 5;
    if (i >= 0 && i <= TOOL_STARTPOINT) maptool = (u8)i;
    selshown = 0;
    waitingforlmbup = 1;
}

static void spanrectangle() {
    selx0 = dragx < selectedwx ? dragx : selectedwx;
    selx1 = dragx < selectedwx ? selectedwx : dragx;
    sely0 = dragy < selectedwy ? dragy : selectedwy;
    sely1 = dragy < selectedwy ? selectedwy : dragy;
}

static void leftdown() {
    if (mousey >= 400) return palettepress();
    // A box or list closed by an earlier press may have left this set; the
    // press on the map is a new gesture.
    waitingforlmbup = 0;
    i32 x = selectedwx, y = selectedwy;
    if (!onmap(x, y)) return;
    switch (maptool) {
    case TOOL_LANDTILE: placelandtile(x, y); break;
    case TOOL_LANDSECTION: placelandsection(x, y); break;
    case TOOL_RANDOMLAND:
    case TOOL_DELETELAND:
    case TOOL_DELETEITEM:
        dragx = x;
        dragy = y;
        spanrectangle();
        selshown = 1;
        break;
    case TOOL_PLACEITEM: placeitem(x, y); break;
    case TOOL_PLACEUNIT: placeunit(x, y); break;
    case TOOL_STARTPOINT: setstartpoint(x, y); break;
    case TOOL_DELETEUNIT: deleteunit(x, y); break;
    default: break;
    }
}

static void leftup() {
    if (waitingforlmbup) {
        waitingforlmbup = 0;
        return;
    }
    if (!dragtool() || !selshown) return;
    if (maptool == TOOL_RANDOMLAND) randomland(selx0, sely0, selx1, sely1);
    else if (maptool == TOOL_DELETELAND) deleteland(selx0, sely0, selx1, sely1);
    else deleteitems(selx0, sely0, selx1, sely1);
    selshown = 0;
}

// The start tool shows the ground its formation may take.
static void mousemove() {
    if (maptool == TOOL_STARTPOINT && onmap(selectedwx, selectedwy)) {
        selx0 = selectedwx, selx1 = selectedwx + 14;
        sely0 = selectedwy, sely1 = selectedwy + 4;
        selshown = 1;
        return;
    }
    if (lbuttondown && selshown && dragtool() && onmap(selectedwx, selectedwy)) spanrectangle();
}

void followdrag() { mousemove(); }

enum : u32 { KEY_C = 'C', KEY_G = 'G', KEY_I = 'I', KEY_L = 'L', KEY_O = 'O', KEY_R = 'R', KEY_S = 'S' };
enum : u32 { NUMPAD2 = VK_NUMPAD0 + 2, NUMPAD4 = VK_NUMPAD0 + 4, NUMPAD6 = VK_NUMPAD0 + 6, NUMPAD8 = VK_NUMPAD0 + 8 };

static void keytool(u32 key) {
    switch (editorkeypad(key)) {
    case VK_RETURN:
    case VK_ESCAPE: boxresult = 1; break;
    case VK_LEFT: steptoolnumber(-1); break;
    case VK_RIGHT: steptoolnumber(1); break;
    case VK_DELETE: maptool = maptool == TOOL_DELETEITEM ? TOOL_DELETELAND : TOOL_DELETEITEM; break;
    case KEY_I: maptool = TOOL_PLACEITEM; break;
    case KEY_L: maptool = maptool == TOOL_LANDSECTION ? TOOL_LANDTILE : TOOL_LANDSECTION; break;
    case KEY_R: maptool = TOOL_RANDOMLAND; break;
    case KEY_S: maptool = TOOL_STARTPOINT; break;
    case KEY_O:
        if (maptool == TOOL_PLACEUNIT) placeowner = (u8)((placeowner + 1) % NUMPLAYERS);
        break;
    case KEY_G:
        if (maptool == TOOL_PLACEITEM && cursoroff < (u32)MAPCELLS) currentitem = itemmap[cursoroff];
        break;
    case KEY_C: clearblocking(cursoroff); break;
    case NUMPAD8: nudgeitem(cursoroff, 1, 0); break;
    case NUMPAD2: nudgeitem(cursoroff, -1, 0); break;
    case NUMPAD4:
        if (maptool == TOOL_STARTPOINT) placefacing = startfacing(placefacing, -1);
        else if (maptool == TOOL_PLACEUNIT) placefacing = placefacing <= 1 ? 8 : (u8)(placefacing - 1);
        else nudgeitem(cursoroff, 0, 2);
        break;
    case NUMPAD6:
        if (maptool == TOOL_STARTPOINT) placefacing = startfacing(placefacing, 1);
        else if (maptool == TOOL_PLACEUNIT) placefacing = placefacing >= 8 ? 1 : (u8)(placefacing + 1);
        else nudgeitem(cursoroff, 0, -2);
        break;
    default: break;
    }
}

bool editorcontrolkey(u32 key) {
    if (key == 'Z') undostep();
    else if (key == 'Y') redostep();
    else if (key == 'S') saveeditedmap();
    else return false;
    selshown = 0;
    return true;
}

// A tool changed by a key leaves no rectangle of the last one behind, as
// the palette does.
static void keydown(u32 key) {
    u8 before = maptool;
    keytool(key);
    if (maptool != before) selshown = 0;
}

void editmapinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_LBUTTONDOWN: leftdown(); break;
    case WM_LBUTTONUP: leftup(); break;
    case WM_MOUSEMOVE: mousemove(); break;
    case WM_KEYDOWN: keydown(wparam); break;
    case WM_RBUTTONDOWN: editoptions(); break;
    default: break;
    }
}
