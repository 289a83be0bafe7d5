#include "editor/editoptions.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/input.h"
#include "editor/itemeditor.h"
#include "editor/landeditor.h"
#include "editor/mapeditor.h"
#include "editor/selectlist.h"
#include "editor/uniteditor.h"
#include "text/boxes.h"
#include "world/grids.h"
#include "world/mapfile.h"
#include "world/npc.h"

enum : int { OPT_LANDEDITOR = 3, OPT_ITEMEDITOR = 4, OPT_UNITEDITOR = 5, OPT_SAVEMAP = 8, OPT_ERASE = 11 };

// Undo, a second map file and a chosen file name do not exist, so their
// entries are shown grey. The land, item and unit editors are grey until
// they are built.
void filleditoptions() {
    listcount = 0;
    addlistentry("Undo", 1);
    addlistentry("---", 1);
    addlistentry("Land Editor", 0);
    addlistentry("Item Editor", 0);
    addlistentry("Unit Editor", 0);
    addlistentry("---", 1);
    addlistentry("Load Map", 1);
    addlistentry("Save Map", 0);
    addlistentry("Save Map As", 1);
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

void editoption(int choice) {
    if (choice < 1 || choice > listcount || listentries[choice - 1].notselectable) return;
    if (choice == OPT_SAVEMAP) {
        saveeditedmap();
        waitingforlmbup = 1;
    } else if (choice == OPT_LANDEDITOR) {
        runlandeditor();
        waitingforlmbup = 1;
    } else if (choice == OPT_UNITEDITOR) {
        rununiteditor();
        waitingforlmbup = 1;
    } else if (choice == OPT_ITEMEDITOR) {
        runitemeditor();
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
