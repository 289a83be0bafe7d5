#include "editor/mapeditor.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/editinput.h"
#include "editor/itemsave.h"
#include "editor/mapfiles.h"
#include "editor/maptools.h"
#include "editor/undo.h"
#include "game/cursorchoice.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "text/boxes.h"
#include "text/font.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/mapview.h"
#include "view/objectpics.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

i32 currentland = 0;
i32 currentitem = 0;
i32 placeunittype = 1;
u8 placeowner = 1;
i32 dragx = 0, dragy = 0;

static const itemtyperec* currenttype() {
    return currentitem > 0 && currentitem < NUMITEMTYPES ? itemtype[currentitem] : nullptr;
}

static bool largecurrent() {
    const itemtyperec* t = currenttype();
    return t && t->largeitem;
}

void editstatus(char* out, int size) {
    switch (maptool) {
    case TOOL_LANDTILE: std::snprintf(out, size, "Place Land Tile %d  (left and right arrow changes land)", currentland); break;
    case TOOL_LANDSECTION: std::snprintf(out, size, "Place Land Section  (left and right arrow changes land)"); break;
    case TOOL_RANDOMLAND: std::snprintf(out, size, "Place Random Land %d  (left and right arrow changes land)", currentland); break;
    case TOOL_DELETELAND: std::snprintf(out, size, "Delete Land"); break;
    case TOOL_PLACEITEM:
        std::snprintf(out, size,
                      largecurrent() ? "Place Item %d  (left and right arrow changes item)"
                                     : "Place Item %d (left and right arrow changes item)",
                      currentitem);
        break;
    case TOOL_DELETEITEM: std::snprintf(out, size, "Delete Item"); break;
    case TOOL_PLACEUNIT: {
        const unittyperec* t = placeunittype >= 0 && placeunittype < NUMUNITTYPES ? unittype[placeunittype] : nullptr;
        std::snprintf(out, size,
                      "Place %.31s unit for player %d  (left and right arrow changes unit type, NUMPAD 4 and 6 rotate, O "
                      "changes player)",
                      t ? t->name : "", placeowner % NUMPLAYERS);
        break;
    }
    case TOOL_DELETEUNIT: std::snprintf(out, size, "Delete Unit"); break;
    case TOOL_STARTPOINT: std::snprintf(out, size, "Set Starting Point For Player %d", 0); break;
    default: out[0] = 0; break;
    }
}

// Land tiles past the last type are not drawn, as they are never laid.
static void previewtile(i32 land, i32 x, i32 y) {
    if (land >= 0 && land < NUMLANDTYPES) drawlandtile(land, x, y);
}

static void previewsection(i32 sx, i32 sy, i32 down) {
    for (int k = 0; k < 16; k++) {
        i32 a = sectioncell[k][0], b = sectioncell[k][1];
        previewtile(currentland + k, sx - 60 + 20 * (b - a), sy - 30 - 10 * (a + b) + down);
    }
}

// Item 0, the eraser, shows its label like any missing picture.
static void previewitem(i32 sx, i32 sy) {
    if (currentitem < 0 || currentitem >= NUMITEMTYPES) return;
    const itemtyperec* t = currenttype();
    if (!t || !t->largeitem) return drawitempicraw(currentitem, sx - 60, sy - 30);
    for (int i = 0; i < t->ysize; i++)
        for (int j = 0; j < t->xsize; j++) {
            i32 part = currentitem + i * t->xsize + j;
            if (part < NUMITEMTYPES) drawitempicraw(part, sx - 60 + 20 * (i - j), sy - 30 - 10 * (i + j));
        }
}

void drawtoolpreview() {
    if (!onmap(selectedwx, selectedwy)) return;
    int sq = squareofcell(selectedwx, selectedwy);
    if (sq < 0 || sq >= NUMVSS) return;
    i32 sx = vss[sq].x, sy = vss[sq].y;
    switch (maptool) {
    case TOOL_LANDTILE: previewtile(currentland, sx - 60, sy - 30); break;
    case TOOL_LANDSECTION: previewsection(sx, sy, 0); break;
    case TOOL_RANDOMLAND: previewsection(sx, sy, 80); break;
    case TOOL_PLACEITEM: previewitem(sx, sy); break;
    case TOOL_PLACEUNIT:
        if (placeunittype >= 0 && placeunittype < NUMUNITTYPES && unittype[placeunittype])
            drawunitpicraw(unittype[placeunittype]->picno, sx - 60, sy - 30, 0, placefacing, 0);
        break;
    default: break;
    }
}

static void drawstatusline() {
    char text[160];
    editstatus(text, sizeof text);
    u8 keep = currentfont;
    currentfont = 5;
    settextcolour555(31, 31, 31);
    drawtextcentered(text, 4, 0, 640);
    settextcolour555(31, 28, 17);
    drawtextcentered(editortitleline().c_str(), 384, 0, 640);
    currentfont = keep;
}

static bool openfirstmap() {
    const std::string& name = firsteditmap();
    if (name.empty()) {
        blankmap();
    } else if (!loadmap(name.c_str())) {
        // A map named on the command line that is not there yet is begun
        // blank under its name, so one command starts a new map.
        bool named = name == demomapname && !plat_options().mapname.empty();
        if (!named || plat_fileexists(name.c_str())) return false;
        blankmap();
    }
    editormapopened(name);
    return true;
}

bool startmapeditor() {
    pushgamestate(gamestate);
    gamestate = GS_EDITMAP;
    setcursormode(20);
    if (!openfirstmap()) {
        okbox("Unable to load map!");
        gamestate = popgamestate();
        redrawscreen();
        return false;
    }
    fullview = 0;
    maptool = TOOL_PLACEITEM;
    scx = scy = 128;
    selshown = 0;
    boxresult = 255;
    return true;
}

static bool pumpeditor() {
    for (;;) {
        int status = 0;
        pumped p = pumpmessage(&status);
        if (p == pumped::quit) exitgame(0, nullptr);
        if (p == pumped::idle) return boxresult == 255;
    }
}

bool mapeditorframe() {
    if (!pumpeditor()) return false;
    // A drag is one step of the history: it is taken once the button is up.
    if (!lbuttondown) undocommit();
    pickcursor();
    followdrag();
    borderscroll(mousex, mousey);
    drawmapeditor();
    return boxresult == 255;
}

void drawmapeditor() {
    drawmapview();
    beginvsdraw();
    drawtoolpreview();
    drawstatusline();
    endvsdraw();
    presentframe();
}

// The item types the map editor changed (nudges, C) go with the map.
bool saveeditedmap() {
    if (editmapname.empty()) return editorsaveas();
    std::string why;
    char text[256];
    if (!savemap(editmapname.c_str(), &why)) {
        std::snprintf(text, sizeof text, "Map not saved: %s", why.c_str());
        okbox(text);
        return false;
    }
    undosaved();
    if (!itemtypesedited) return true;
    if (!saveitems(&why)) {
        std::snprintf(text, sizeof text, "Map saved, but its item changes not: %s", why.c_str());
        okbox(text);
        return false;
    }
    itemtypesedited = false;
    return true;
}

bool leavemapeditor() {
    boxresult = 255;
    if (confirmbox("Save map?") && !saveeditedmap()) {
        waitingforlmbup = 1;
        return false;
    }
    selshown = 0;
    plat_setwindowtitle("Vennor");
    gamestate = popgamestate();
    redrawscreen();
    return true;
}

u32 runmapeditor() {
    if (!startmapeditor()) return 0;
    for (;;) {
        while (mapeditorframe()) {}
        if (leavemapeditor()) return 1;
    }
}
