// The editor's map save: the files on disk become the backups (last letter
// "0") in the same set as the new files, and a failure at any step leaves
// files and backups as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/safewrite.h"
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
