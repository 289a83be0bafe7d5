#include "editor/editoptions.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/input.h"
#include "editor/itemeditor.h"
#include "editor/landeditor.h"
#include "editor/mapeditor.h"
#include "editor/mapfiles.h"
#include "editor/selectlist.h"
#include "editor/uniteditor.h"
#include "editor/undo.h"
#include "text/boxes.h"
#include "world/grids.h"
#include "world/mapfile.h"
#include "world/npc.h"

enum : int {
    OPT_UNDO = 1, OPT_REDO = 2, OPT_LANDEDITOR = 3, OPT_ITEMEDITOR = 4, OPT_UNITEDITOR = 5,
    OPT_NEWMAP = 6, OPT_LOADMAP = 7, OPT_SAVEMAP = 8, OPT_SAVEAS = 9, OPT_ERASE = 11
};

// Redo and New Map take two of the separators' rows, so every other entry
// keeps its row. Undo and Redo are grey with nothing to step through.
void filleditoptions() {
    listcount = 0;
    addlistentry("Undo", canundo() ? 0 : 1);
    addlistentry("Redo", canredo() ? 0 : 1);
    addlistentry("Land Editor", 0);
    addlistentry("Item Editor", 0);
    addlistentry("Unit Editor", 0);
    addlistentry("New Map", 0);
    addlistentry("Load Map", 0);
    addlistentry("Save Map", 0);
    addlistentry("Save Map As", 0);
    addlistentry("---", 1);
    addlistentry("Erase Entire Map", 0);
}

static bool anyunits() {
    for (int slot = 1; slot <= MAXNPCS; slot++)
        if (npc[slot] && npc[slot]->isused) return true;
    return false;
}

// As Delete Unit leaves each: its record and its cell empty.
static void eraseunits() {
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        npcrec* n = npc[slot];
        if (!n || !n->isused) continue;
        if (n->mapoff < (u32)MAPCELLS && npcmap[n->mapoff] == slot) npcmap[n->mapoff] = 0;
        std::memset(n, 0, sizeof *n);
    }
}

// The other editors change the land, item and unit types on their own;
// what they did is not the map editor's to undo.
static void runsubeditor(u32 (*editor)()) {
    undocommit();
    editor();
    undorebase();
}

void editoption(int choice) {
    if (choice < 1 || choice > listcount || listentries[choice - 1].notselectable) return;
    waitingforlmbup = 1;
    // The list goes before a box or dialog keeps the screen behind it.
    drawmapeditor();
    if (choice == OPT_UNDO) undostep();
    else if (choice == OPT_REDO) redostep();
    else if (choice == OPT_NEWMAP) editornewmap();
    else if (choice == OPT_LOADMAP) editorloadmap();
    else if (choice == OPT_SAVEAS) editorsaveas();
    else if (choice == OPT_SAVEMAP) {
        saveeditedmap();
        waitingforlmbup = 1;
    } else if (choice == OPT_LANDEDITOR) {
        runsubeditor(runlandeditor);
        waitingforlmbup = 1;
    } else if (choice == OPT_UNITEDITOR) {
        runsubeditor(rununiteditor);
        waitingforlmbup = 1;
    } else if (choice == OPT_ITEMEDITOR) {
        runsubeditor(runitemeditor);
        waitingforlmbup = 1;
    } else if (choice == OPT_ERASE) {
        if (confirmbox("Clear Entire Map?")) {
            std::memset(landmap, 0, MAPCELLS * sizeof(u16));
            std::memset(itemmap, 0, MAPCELLS * sizeof(u16));
            if (anyunits() && confirmbox("Erase every unit too?")) eraseunits();
        }
        waitingforlmbup = 1;
    }
}

void editoptions() {
    filleditoptions();
    runselectlist();
    editoption(listchoice);
}
