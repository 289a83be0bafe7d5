// The editor's start and its map save: the files on disk become the backups (last letter
// "0") in the same set as the new files, and a failure at any step leaves
// files and backups as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/gamestate.h"
#include "editor/mapeditor.h"
#include "platform/platform.h"
#include "platform/safewrite.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "testenv.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

static std::vector<unittyperec> saveunits(NUMUNITTYPES);

static void startsave() {
    starttestdisplay();
    allocgrids();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        saveunits[i] = unittyperec{};
        unittype[i] = &saveunits[i];
    }
    initnpc();
    fs::create_directories(testdatadir() + "/maps");
    fs::current_path(testdatadir());
    fs::create_directories("bitmaps"); // the "Saving Map" line shows in the text box
    fs::copy_file(fs::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp", "bitmaps/textbox.bmp");
}

static std::string bytesof(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

static const char* const setnames[6] = {"maps/map0.dat", "maps/map0.npc", "maps/map0.map",
                                        "maps/map0.da0", "maps/map0.np0", "maps/map0.ma0"};

TEST(MapEditorSave, TheFilesOnDiskBecomeTheBackups) {
    startsave();
    landmap[5] = 7;
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    EXPECT_EQ(bytesof("maps/map0.da0"), "(absent)") << "no earlier map, no backup";
    std::string first[3];
    for (int k = 0; k < 3; k++) first[k] = bytesof(setnames[k]);
    landmap[5] = 9;
    ASSERT_NE(createnpc(2, 40, 41, 1), 0);
    mapdata.homex[0] = 3;
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    for (int k = 0; k < 3; k++) {
        EXPECT_EQ(bytesof(setnames[k + 3]), first[k]) << setnames[k + 3];
        EXPECT_NE(bytesof(setnames[k]), first[k]) << setnames[k];
    }
    EXPECT_EQ(bytesof("maps/map0.dat").size(), (size_t)MAPGRIDBYTES * 2);
    EXPECT_EQ((u8)bytesof("maps/map0.dat")[10], 9);
}

TEST(MapEditorSave, AFailureAtAnyStepKeepsFilesAndBackups) {
    startsave();
    landmap[5] = 7;
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    landmap[5] = 8;
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    std::string before[6];
    for (int k = 0; k < 6; k++) before[k] = bytesof(setnames[k]);
    landmap[5] = 9;
    plat_safewritefailat(0);
    int failures = 0;
    for (int n = 1; n < 200; n++) {
        plat_safewritefailat(n);
        std::string why;
        bool saved = savemap("maps\\map0.dat", &why);
        plat_safewritefailat(0);
        if (saved) break;
        failures++;
        EXPECT_FALSE(why.empty());
        for (int k = 0; k < 6; k++) ASSERT_EQ(bytesof(setnames[k]), before[k]) << "step " << n << ": " << setnames[k];
    }
    EXPECT_GT(failures, 12) << "six files have more fallible steps than that";
    // The save that went through keeps the last files as backups.
    for (int k = 0; k < 3; k++) EXPECT_EQ(bytesof(setnames[k + 3]), before[k]);
}

// Without a loadable map the editor says so and edits nothing; with one,
// it starts on the map with the human player's party gone.
TEST(MapEditorStart, AMapThatCannotBeLoadedIsSaidSo) {
    startsave();
    boxtext[0] = 0;
    gamestate = GS_MAINMENU;
    landmap[9] = 4;
    plat_postmessage(WM_KEYDOWN, VK_RETURN, 0);
    bool started = true;
    try {
        started = startmapeditor();
    } catch (const processexit&) { // the headless run ends after the box's last frame
        started = false;
    }
    EXPECT_FALSE(started);
    EXPECT_STREQ(boxtext, "Unable to load map!");
    EXPECT_EQ(landmap[9], 4);
}

TEST(MapEditorStart, TheEditorOpensOnTheSavedMapWithoutThePlayersParty) {
    startsave();
    landmap[9] = 4;
    ASSERT_NE(createnpc(2, 40, 41, 1), 0);
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    landmap[9] = 0;
    int mine = createnpc(1, 50, 50, 0);
    ASSERT_EQ(mine, 1);
    npcmap[50 * 256 + 50] = 1;
    gamestate = GS_MAINMENU;
    ASSERT_TRUE(startmapeditor());
    EXPECT_EQ(gamestate, GS_EDITMAP);
    EXPECT_EQ(landmap[9], 4);
    EXPECT_EQ(npc[1]->isused, 0);
    EXPECT_EQ(npcmap[50 * 256 + 50], 0);
    EXPECT_EQ(npcmap[41 * 256 + 40], 33);
    EXPECT_EQ(maptool, TOOL_PLACEITEM);
    EXPECT_EQ(scx, 128);
    EXPECT_EQ(scy, 128);
    gamestate = popgamestate();
}
