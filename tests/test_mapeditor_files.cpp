// The map editor's maps and history: undo and redo over every tool, Save As,
// New Map, the map's title line and the menu's entries.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/windowproc.h"
#include "editor/editinput.h"
#include "editor/editoptions.h"
#include "editor/mapeditor.h"
#include "editor/mapfiles.h"
#include "editor/maptools.h"
#include "editor/selectlist.h"
#include "editor/undo.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/winmsg.h"
#include "itemeditorenv.h"
#include "testenv.h"
#include "text/boxes.h"
#include "view/panel.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

namespace {

std::vector<itemtyperec> items(NUMITEMTYPES);
std::vector<unittyperec> units(NUMUNITTYPES);

std::string bytesof(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The three files of a map set, in one string.
std::string setof(const std::string& name) {
    return bytesof("maps/" + name + ".dat") + "|" + bytesof("maps/" + name + ".npc") + "|" + bytesof("maps/" + name + ".map");
}

// A saved map0 with land, an item, a party member and two computer units,
// opened in the editor.
void openeditor() {
    starttestdisplay();
    fs::create_directories(testdatadir() + "/maps");
    fs::create_directories(testdatadir() + "/bitmaps");
    fs::copy_file(fs::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp", fs::path(testdatadir()) / "bitmaps" / "textbox.bmp");
    fs::current_path(testdatadir());
    allocgrids();
    for (int i = 0; i < NUMITEMTYPES; i++) items[i] = itemtyperec{}, itemtype[i] = &items[i];
    for (int i : {10, 20}) items[i].isused = 1;
    items[20].blockssight = items[20].blockspassage = 1;
    items[20].picheight = 7;
    for (int i = 0; i < NUMUNITTYPES; i++) units[i] = unittyperec{}, units[i].healthmax = 30, unittype[i] = &units[i];
    initnpc();
    for (int c = 0; c < MAPCELLS; c++) landmap[c] = (u16)(c % 7 + 1);
    itemmap[60 * 256 + 60] = 20;
    ASSERT_EQ(createnpc(3, 100, 100, 0), 1);
    ASSERT_NE(createnpc(2, 70, 70, 1), 0);
    ASSERT_NE(createnpc(4, 80, 80, 2), 0);
    mapdata.homex[0] = mapdata.homey[0] = 100;
    mapdata.homedir[0] = 1;
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    demomapname = "maps\\map0.dat";
    editmapname = demomapname; // whatever an earlier test left open
    platq_reset(); // an earlier script's end leaves its quit behind
    if (!plat_windowexists()) {
        ASSERT_TRUE(plat_createwindow("Vennor", windowproc));
    }
    for (platmsg m; plat_peekmessage(&m);) {
        plat_getmessage(&m);
        plat_dispatchmessage(&m);
    }
    appactive = 1;
    gamestate = GS_MAINMENU;
    ASSERT_TRUE(startmapeditor());
    itemtypesedited = false;
    placeowner = 1;
    placefacing = 5;
}

// Answers to the boxes and dialogs that f opens, as a script of events
// (ticks from now); false when the script ran out before f returned.
template <typename F> bool answered(const std::string& script, F f) { return underscript(script, f); }

} // namespace

// Every tool, then everything undone: the save writes what a save with no
// change writes, byte for byte; redone, the last state is back.
TEST(MapEditorUndo, EveryToolUndoneSavesWhatNoChangeSaves) {
    openeditor();
    ASSERT_TRUE(saveeditedmap());
    std::string unchanged = setof("map0");
    ASSERT_NE(unchanged.find("(absent)"), 0u);
    EXPECT_FALSE(mapunsaved());

    currentland = 5;
    placelandtile(10, 10);
    undocommit();
    currentland = 0;
    placelandsection(30, 30);
    undocommit();
    currentitem = 10;
    placeitem(20, 20);
    undocommit();
    placeunittype = 2;
    placeowner = 2;
    placeunit(40, 40);
    undocommit();
    deleteland(0, 0, 5, 5);
    undocommit();
    deleteitems(55, 55, 65, 65);
    undocommit();
    deleteunit(70, 70);
    undocommit();
    placefacing = 3;
    ASSERT_TRUE(answered("5 key ENTER\n", [] { setstartpoint(120, 120); })); // its box said so
    undocommit();
    itemmap[61 * 256 + 61] = 20;
    undocommit();
    nudgeitem(61 * 256 + 61, 1, 2);
    undocommit();
    clearblocking(61 * 256 + 61);
    undocommit();
    filleditoptions();
    ASSERT_TRUE(answered("5 key Y\n20 key Y\n", [] { editoption(11); })); // Erase Entire Map, units too
    undocommit();
    EXPECT_EQ(undocount(), 12);
    EXPECT_TRUE(mapunsaved());
    EXPECT_EQ(npc[1]->isused, 0) << "the erase took the party member too";

    while (undostep()) {}
    EXPECT_EQ(undocount(), 0);
    EXPECT_FALSE(mapunsaved());
    EXPECT_EQ(items[20].picheight, 7) << "the nudge undone";
    EXPECT_EQ(items[20].blockssight, 1) << "and C";
    EXPECT_TRUE(itemtypesedited) << "undone item changes are written again";
    itemtypesedited = false;
    ASSERT_TRUE(saveeditedmap());
    EXPECT_EQ(setof("map0"), unchanged);

    while (redostep()) {}
    EXPECT_EQ(undocount(), 12);
    EXPECT_EQ(landmap[10 * 256 + 10], 0) << "erased again";
    EXPECT_EQ(npcmap[40 * 256 + 40], 0);
    for (int s = 1; s <= MAXNPCS; s++) EXPECT_EQ(npc[s]->isused, 0) << s;
    EXPECT_EQ(mapdata.homex[0], 120);
    EXPECT_EQ(items[20].blockspassage, 0);
    undostep();
    EXPECT_EQ(npc[1]->isused, 1) << "one step back: before the erase";
    EXPECT_EQ(npcmap[40 * 256 + 40], 66) << "player 2's second unit placed";
    EXPECT_EQ(landmap[10 * 256 + 10], 5);
}

// Steps past the limit drop the oldest; a new change after an undo drops
// the steps that could have been redone; nothing changed is no step.
TEST(MapEditorUndo, TheHistoryKeepsItsLastStepsAndANewChangeEndsRedo) {
    openeditor();
    undocommit();
    EXPECT_FALSE(canundo());
    for (int k = 0; k < UNDOSTEPS + 50; k++) {
        landmap[k] = 999;
        undocommit();
    }
    EXPECT_EQ(undocount(), UNDOSTEPS);
    while (undostep()) {}
    EXPECT_EQ(landmap[49], 999) << "the oldest 50 steps are gone";
    EXPECT_EQ(landmap[50], 50 % 7 + 1);
    redostep();
    EXPECT_TRUE(canredo());
    landmap[1000] = 3;
    undocommit();
    EXPECT_FALSE(canredo());
    EXPECT_EQ(undocount(), 2);
    EXPECT_TRUE(mapunsaved()) << "the saved state can no longer be reached";
}

// Ctrl+Z and Ctrl+Y through the window's keys; Z alone is no undo.
TEST(MapEditorUndo, ControlZAndYStepThroughTheHistory) {
    openeditor();
    landmap[7] = 300;
    undocommit();
    windowproc(WM_KEYDOWN, 'Z', 0);
    EXPECT_EQ(landmap[7], 300);
    plat_setkeyheld(VK_CONTROL, true);
    windowproc(WM_KEYDOWN, 'Z', 0);
    EXPECT_EQ(landmap[7], 7 % 7 + 1);
    windowproc(WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(landmap[7], 300);
    windowproc(WM_KEYDOWN, 'S', 0);
    plat_setkeyheld(VK_CONTROL, false);
    EXPECT_EQ(maptool, TOOL_PLACEITEM) << "Ctrl+S is no Set Starting Point";
    EXPECT_FALSE(mapunsaved()) << "but the save";
}

// Redo and New Map take separator rows, so the other entries keep theirs;
// Undo and Redo are grey with nothing to step through.
TEST(MapEditorMenu, TheEntriesKeepTheirRowsAndGreyWhatCannotBeDone) {
    openeditor();
    filleditoptions();
    const char* names[] = {"Undo", "Redo", "Land Editor", "Item Editor", "Unit Editor", "New Map",
                           "Load Map", "Save Map", "Save Map As", "---", "Erase Entire Map"};
    ASSERT_EQ(listcount, 11);
    for (int i = 0; i < 11; i++) EXPECT_STREQ(listentries[i].text, names[i]) << i;
    EXPECT_TRUE(listentries[0].notselectable);
    EXPECT_TRUE(listentries[1].notselectable);
    for (int i : {5, 6, 8}) EXPECT_FALSE(listentries[i].notselectable) << names[i];
    landmap[7] = 300;
    undocommit();
    filleditoptions();
    EXPECT_FALSE(listentries[0].notselectable);
    editoption(1);
    EXPECT_EQ(landmap[7], 7 % 7 + 1) << "the menu's Undo";
    filleditoptions();
    EXPECT_TRUE(listentries[0].notselectable);
    EXPECT_FALSE(listentries[1].notselectable);
    editoption(2);
    EXPECT_EQ(landmap[7], 300) << "and its Redo";
}

// The line under the map and the window's caption name the open map and
// say when it has changes.
TEST(MapEditorMaps, TheTitleSaysWhichMapAndWhetherItHasChanges) {
    openeditor();
    EXPECT_EQ(editortitleline(), "Map: map0");
    EXPECT_EQ(plat_windowtitle(), "Vennor - map0");
    currentland = 3;
    placelandtile(9, 9);
    EXPECT_EQ(editortitleline(), "Map: map0  (unsaved changes)") << "before the step is even taken";
    undocommit();
    undostep();
    EXPECT_EQ(editortitleline(), "Map: map0");
}

// Save As: a plain name only, a new set of three files, the history ended,
// and the old map left as it was.
TEST(MapEditorMaps, SaveAsWritesANewSetUnderAPlainName) {
    openeditor();
    std::string map0 = setof("map0");
    landmap[7] = 300;
    undocommit();
    bool saved = true;
    // "../x" is refused in the dialog, then the name is cleared and retyped.
    ASSERT_TRUE(answered("5 text ../x\n10 key ENTER\n15 key BACK\n16 key BACK\n17 key BACK\n18 key BACK\n"
                         "25 text road\n30 key ENTER\n",
                         [&] { saved = editorsaveas(); }));
    EXPECT_TRUE(saved);
    EXPECT_EQ(editmapname, "maps\\road.dat");
    EXPECT_EQ(setof("map0"), map0) << "the old map is as it was";
    EXPECT_EQ(bytesof("maps/road.dat").size(), (size_t)MAPGRIDBYTES * 2);
    EXPECT_EQ((u8)bytesof("maps/road.dat")[14], 300 & 0xFF);
    EXPECT_FALSE(fs::exists("x.dat"));
    EXPECT_FALSE(fs::exists("maps/x.dat"));
    EXPECT_FALSE(canundo()) << "the history ends at Save As";
    EXPECT_EQ(editortitleline(), "Map: road");
    EXPECT_EQ(firsteditmap(), "maps\\road.dat") << "and the editor comes back to it";
    // Saving over an existing map asks; No leaves it alone.
    landmap[7] = 301;
    std::string road = setof("road");
    ASSERT_TRUE(answered("5 text map0\n10 key ENTER\n30 key N\n", [&] { saved = editorsaveas(); }));
    EXPECT_FALSE(saved);
    EXPECT_EQ(setof("map0"), map0);
    EXPECT_EQ(setof("road"), road);
}

// New Map asks to save the changes, then gives a blank map without a name
// whose first save asks for one.
TEST(MapEditorMaps, NewMapOffersASaveAndIsBlank) {
    openeditor();
    std::string map0 = setof("map0");
    landmap[7] = 300;
    undocommit();
    ASSERT_TRUE(answered("5 key N\n", [] { EXPECT_TRUE(editornewmap()); }));
    EXPECT_EQ(setof("map0"), map0) << "No: not saved";
    for (int c : {0, 7, 60 * 256 + 60}) EXPECT_EQ(landmap[c] | itemmap[c], 0) << c;
    for (int s = 1; s <= MAXNPCS; s++) EXPECT_EQ(npc[s]->isused, 0) << s;
    EXPECT_EQ(mapdata.homex[0], 128);
    EXPECT_EQ(mapdata.homey[0], 128);
    EXPECT_EQ(editortitleline(), "Map: (new map)  (unsaved changes)");
    EXPECT_FALSE(canundo());
    bool saved = false;
    ASSERT_TRUE(answered("5 text blank\n10 key ENTER\n", [&] { saved = saveeditedmap(); }));
    EXPECT_TRUE(saved);
    EXPECT_EQ(editmapname, "maps\\blank.dat");
    EXPECT_EQ(bytesof("maps/blank.npc").size(), (size_t)NPCFILEBYTES);
}

// A file chosen in the dialog is a map only inside the maps folder.
TEST(MapEditorMaps, OnlyAFileInTheMapsFolderIsAMapToLoad) {
    openeditor();
    std::string here = fs::current_path().string();
    EXPECT_EQ(chosenmappath(here + "/maps/road.dat"), "maps\\road.dat");
    EXPECT_EQ(chosenmappath(here + "/maps/../maps/road.dat"), "maps\\road.dat");
    EXPECT_EQ(chosenmappath(here + "/road.dat"), "");
    EXPECT_EQ(chosenmappath(here + "/maps/sub/road.dat"), "");
}

TEST(MapNames, PlainNamesOnly) {
    for (const char* good : {"map0", "forest_road", "Crypt-2", "a"}) EXPECT_TRUE(validmapname(good)) << good;
    for (const char* bad : {"", "../x", "a b", "a.dat", "a\\b", "x/y", "abcdefghijklmnopqrstuvwxyz0123456"})
        EXPECT_FALSE(validmapname(bad)) << bad;
    EXPECT_TRUE(validmapname("abcdefghijklmnopqrstuvwxyz012345"));
    EXPECT_EQ(mappath("forest"), "maps\\forest.dat");
    EXPECT_EQ(mapnameof("maps\\forest.dat"), "forest");
}
