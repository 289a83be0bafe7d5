// The item files written on leaving: pictures in 5-5-5 whatever the display,
// offsets in order, the files they replace kept as items.ra0 and items.da0,
// and a save that fails at any step changes no file; leaving then asks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "editor/mapfiles.h"
#include "editor/itemeditor.h"
#include "editor/itemsave.h"
#include "editor/mapeditor.h"
#include "editor/maptools.h"
#include "itemeditorenv.h"
#include "platform/safewrite.h"
#include "testenv.h"
#include "text/boxes.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"

namespace fs = std::filesystem;

static std::string bytesof(const std::string& rel) {
    std::ifstream f(testdatadir() + "/" + rel, std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

static const char* const itemfiles[4] = {"items/items.raw", "items/items.dat", "items/items.ra0", "items/items.da0"};

// Item 5: pure green and magenta as the display holds them; 9: one grey
// pixel; 7 used without a picture; 12 unused with an old offset.
static void pictures(u16 green, u16 magenta, u16 grey) {
    for (int n : {5, 7, 9}) itemtype[n]->isused = itemtype[n]->isloaded = 1;
    givepicture(5, {4, 0, 2, (u8)green, (u8)(green >> 8), (u8)magenta, (u8)(magenta >> 8)});
    givepicture(9, {0, 0, 1, (u8)grey, (u8)(grey >> 8)});
    itemtype[12]->fileoffset = 1234;
}

static itemtyperec record(const std::string& dat, int n) {
    itemtyperec t{};
    itemtypefromfile((const u8*)dat.data() + n * ITEMTYPESIZE, &t);
    return t;
}

TEST(ItemEditorSave, In565ThePicturesAreWrittenIn555WhileMemoryKeeps565) {
    startitemeditor(565);
    pictures(0x07E0, 0xF81F, 0x8410);
    std::string why;
    ASSERT_TRUE(saveitems(&why)) << why;
    std::string raw = bytesof("items/items.raw"), dat = bytesof("items/items.dat");
    EXPECT_EQ(raw, std::string("\x04\x00\x02\xE0\x03\x1F\x7C"
                               "\x00\x00\x01\x10\x42",
                               12));
    ASSERT_EQ(dat.size(), (size_t)ITEMSFILEBYTES);
    EXPECT_EQ(record(dat, 5).fileoffset, 0u);
    EXPECT_EQ(record(dat, 9).fileoffset, 7u);
    EXPECT_EQ(record(dat, 9).rawdatasize, 5u);
    EXPECT_EQ(record(dat, 7).rawdatasize, 0u);
    EXPECT_EQ(record(dat, 12).fileoffset, 1234u) << "others keep their offset";
    EXPECT_EQ(itemtype[9]->fileoffset, 7u);
    EXPECT_EQ(itemrawdataptr[5][3] | itemrawdataptr[5][4] << 8, 0x07E0) << "memory stays 5-6-5";
    EXPECT_EQ(itemrawdataptr[5][0], 4) << "skips and counts as they were";
    closedebuglog();
    std::string log = bytesof("text/debug.log");
    EXPECT_NE(log.find("Converting item 5 raw data ..."), std::string::npos) << log;
    EXPECT_NE(log.find("Converting item 9 raw data ..."), std::string::npos);
}

TEST(ItemEditorSave, In555ThePicturesAreWrittenAsTheyAre) {
    startitemeditor(555);
    pictures(0x03E0, 0x7C1F, 0x4210);
    std::string why;
    ASSERT_TRUE(saveitems(&why)) << why;
    EXPECT_EQ(bytesof("items/items.raw"), std::string("\x04\x00\x02\xE0\x03\x1F\x7C"
                                                      "\x00\x00\x01\x10\x42",
                                                      12));
    closedebuglog();
    EXPECT_EQ(bytesof("text/debug.log").find("Converting item"), std::string::npos);
}

TEST(ItemEditorSave, TheFilesReplacedBecomeTheBackups) {
    startitemeditor();
    pictures(0x07E0, 0xF81F, 0x8410);
    std::string why;
    ASSERT_TRUE(saveitems(&why)) << why;
    EXPECT_EQ(bytesof("items/items.ra0"), "(absent)");
    std::string raw = bytesof("items/items.raw"), dat = bytesof("items/items.dat");
    itemtype[7]->takeable = 1;
    givepicture(20, {0, 0, 1, 1, 0});
    itemtype[20]->isused = 1;
    ASSERT_TRUE(saveitems(&why)) << why;
    EXPECT_EQ(bytesof("items/items.ra0"), raw);
    EXPECT_EQ(bytesof("items/items.da0"), dat);
    EXPECT_NE(bytesof("items/items.raw"), raw);
    EXPECT_NE(bytesof("items/items.dat"), dat);
}

TEST(ItemEditorSave, AFailureAtAnyStepLeavesAllFourFilesAsTheyWere) {
    startitemeditor();
    pictures(0x07E0, 0xF81F, 0x8410);
    std::string why;
    ASSERT_TRUE(saveitems(&why));
    itemtype[7]->takeable = 1;
    ASSERT_TRUE(saveitems(&why));
    std::string before[4];
    for (int k = 0; k < 4; k++) before[k] = bytesof(itemfiles[k]);
    itemtype[7]->usable = 1;
    int failures = 0;
    for (int n = 1; n < 200; n++) {
        plat_safewritefailat(n);
        why.clear();
        bool saved = saveitems(&why);
        plat_safewritefailat(0);
        if (saved) break;
        failures++;
        EXPECT_FALSE(why.empty());
        for (int k = 0; k < 4; k++) ASSERT_EQ(bytesof(itemfiles[k]), before[k]) << "step " << n << ": " << itemfiles[k];
    }
    EXPECT_GT(failures, 8) << "four files have more fallible steps than that";
    EXPECT_EQ(bytesof("items/items.ra0"), before[0]);
    EXPECT_EQ(bytesof("items/items.da0"), before[1]);
}

TEST(ItemEditorSave, AFailedSaveOnLeavingSaysWhyAndAsksBeforeLeaving) {
    startitemeditor();
    pictures(0x07E0, 0xF81F, 0x8410);
    fs::create_directories(testdatadir() + "/items/items.da0"); // the backup cannot take its name
    std::ofstream(testdatadir() + "/items/items.dat") << "old";
    // Escape: the box says why; No stays. Escape again, the box, Yes leaves.
    std::string script = "5 move 100 100\n6 key ESC\n20 key ENTER\n40 key N\n60 key ESC\n80 key ENTER\n100 key Y\n";
    ASSERT_TRUE(underscript(script, [] { runitemeditor(); }));
    EXPECT_STREQ(boxtext, "Leave without saving?");
    EXPECT_EQ(gamestate, GS_EDITMAP);
    EXPECT_EQ(bytesof("items/items.dat"), "old");
    EXPECT_EQ(bytesof("items/items.raw"), "(absent)");
    EXPECT_EQ(itemtype[5]->isused, 1) << "memory keeps the edits";
    closedebuglog();
    std::string log = bytesof("text/debug.log");
    size_t first = log.find("Items not saved: ");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find("Items not saved: ", first + 1), std::string::npos) << "saved twice, the page between";
}

// The map editor's nudges and C change item types: the map's save writes
// them into the item files, the old ones kept as backups; a save with no
// such change leaves the item files alone.
TEST(ItemEditorSave, TheMapsSaveWritesTheMapEditorsItemChanges) {
    startitemeditor(565);
    allocgrids();
    initnpc();
    fs::create_directories(testdatadir() + "/maps");
    editmapname = "maps\\map0.dat"; // as the editor has it open
    itemtype[5]->isused = itemtype[5]->isloaded = 1;
    itemtype[5]->picheight = 20;
    itemtype[5]->blockssight = 1;
    givepicture(5, {0, 0, 1, 0x1F, 0});
    std::string why;
    ASSERT_TRUE(saveitems(&why)) << why;
    std::string before = bytesof("items/items.dat");
    u32 off = (u32)cellof(10, 10);
    itemmap[off] = 5;
    itemtypesedited = false;
    nudgeitem(off, 1, 0);
    clearblocking(off);
    EXPECT_TRUE(itemtypesedited);
    ASSERT_TRUE(saveeditedmap());
    EXPECT_FALSE(itemtypesedited);
    EXPECT_TRUE(bytesof("items/items.da0") == before) << "the old file kept as the backup";
    std::vector<u8> raw, dat;
    std::vector<u32> offsets;
    builditemfiles(&raw, &dat, &offsets);
    EXPECT_TRUE(bytesof("items/items.dat") == std::string(dat.begin(), dat.end())) << "the changed record written";
    EXPECT_FALSE(bytesof("items/items.dat") == before);
    std::string backup = bytesof("items/items.da0");
    landmap[off] = 3;
    ASSERT_TRUE(saveeditedmap());
    EXPECT_TRUE(bytesof("items/items.da0") == backup) << "no item change, no item files written";
}
