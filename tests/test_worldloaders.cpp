// The world's loaders on broken files: each is refused through the exit
// path, naming the file, before anything is drawn from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/memory.h"
#include "testenv.h"
#include "tools/content/viewtables.h"
#include "world/itemtype.h"
#include "world/lebytes.h"
#include "world/unittype.h"
#include "world/viewtables.h"

namespace fs = std::filesystem;

static void write(const std::string& path, const std::vector<u8>& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

static std::string exitbox(void (*load)()) {
    try {
        load();
    } catch (const processexit&) {
        return boxes.empty() ? "" : boxes.back().text;
    }
    return "(loaded)";
}

// One item whose picture is 2 x 2 but whose run reaches column 3.
static void itemfiles(u32 rawoffset, u8 skip) {
    std::vector<u8> dat(ITEMSFILEBYTES, 0), raw = {skip, 0, 2, 1, 0, 1, 0};
    itemtyperec t{};
    t.isused = 1;
    t.fileoffset = rawoffset;
    t.rawdatasize = (u32)raw.size();
    t.picwidth = 4;
    t.picheight = 2;
    itemtypetofile(&t, &dat[5 * ITEMTYPESIZE]);
    write("items/items.dat", dat);
    write("items/items.raw", raw);
}

TEST(WorldLoaders, ItemPicturesOutsideTheirFileAreRefusedOutsideTheirBoxLoaded) {
    starttestdisplay();
    itemfiles(0, 2);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    starttestdisplay();
    itemfiles(0, 3); // columns 3..4 of a 4-wide box: drawing clips it
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    starttestdisplay();
    itemfiles(5, 0); // data past the file's end
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.raw");
    starttestdisplay();
    write("items/items.dat", std::vector<u8>(1000, 0));
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.dat");
    starttestdisplay();
    write("items/items.dat", std::vector<u8>(ITEMSFILEBYTES - 1, 0));
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.dat") << "one byte short";
}

// Item 9, a section of a large item whose first section is given.
static void sectionfiles(u32 first) {
    std::vector<u8> dat(ITEMSFILEBYTES, 0);
    itemtyperec t{};
    t.isused = 1;
    t.partoflargeitem = (u16)first;
    itemtypetofile(&t, &dat[9 * ITEMTYPESIZE]);
    write("items/items.dat", dat);
    write("items/items.raw", {});
}

TEST(WorldLoaders, ASectionOfAnItemPastTheLastIsRefused) {
    starttestdisplay();
    sectionfiles(4095);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    EXPECT_EQ(itemtype[9]->partoflargeitem, 4095);
    starttestdisplay();
    sectionfiles(4096);
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.dat");
    starttestdisplay();
    sectionfiles(65535);
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.dat");
}

// Twelve sets: all empty but set 3, whose frame 0 is the given code.
struct frameentry {
    int index;
    u32 offset, size;
};

// Twelve sets: all empty but set 3, with this raw file and these entries.
static void unitset(const std::vector<u8>& raw, const std::vector<frameentry>& entries) {
    for (int n = 0; n < NUMUNITTYPES; n++) {
        std::vector<u8> dir(UNITDIRSIZE, 0), type(UNITTYPESIZE, 0);
        type[1090] = (u8)n;
        if (n == 3)
            for (const frameentry& e : entries) {
                putu32(&dir[e.index * 4], e.offset);
                putu32(&dir[(UNITFRAMES + e.index) * 4], e.size);
            }
        write("units/newunitpic" + std::to_string(n) + ".dat", dir);
        write("units/newunitpic" + std::to_string(n) + ".raw", n == 3 ? raw : std::vector<u8>());
        write("units/unit" + std::to_string(n) + ".dat", type);
    }
}

static void unitfiles(const std::vector<u8>& frame, u32 declared) { unitset(frame, {{0, 0, declared}}); }

// Outside the file is refused; outside the 80 x 120 box is kept, as drawing
// clips every run and a nudged frame must load again.
TEST(WorldLoaders, UnitFramesOutsideTheirFileAreRefusedOutsideTheirBoxKept) {
    std::vector<u8> good = {0, 0, 1, 0x1F, 0};
    starttestdisplay();
    unitfiles(good, (u32)good.size());
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    EXPECT_EQ(unitpicloaded[3], 1);
    EXPECT_EQ(unitpicloaded[2], 0);
    EXPECT_EQ(unitframe[3][0][3], 0x1F); // 5-5-5 blue stays blue on 5-6-5
    starttestdisplay();
    unitfiles(good, 6); // a size past the raw file
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
    starttestdisplay();
    std::vector<u8> wide = {79, 0, 2, 1, 0, 1, 0}; // columns 79..80 of an 80-wide box
    unitfiles(wide, (u32)wide.size());
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    starttestdisplay();
    std::vector<u8> low = {0x00, 0xFF, 1, 1, 0}; // row 85 of 120 is fine ...
    unitfiles(low, (u32)low.size());
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    starttestdisplay();
    std::vector<u8> lower = {0xFF, 0xFF, 0, 0xFF, 0xFF, 1, 1, 0}; // ... row 170 too
    unitfiles(lower, (u32)lower.size());
    EXPECT_EQ(exitbox(initunit), "(loaded)");
}

TEST(WorldLoaders, AFrameReachingPastItsRawFileIsRefused) {
    // Frame 0 is one whole run; frame 1 another, right behind it.
    std::vector<u8> raw = {0, 0, 1, 0x1F, 0, 2, 0, 1, 0xE0, 0x03};
    starttestdisplay();
    unitset(raw, {{0, 0, 5}, {1, 5, 5}}); // ends exactly at the file's end
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    u32 size = 0;
    const u8* f1 = findunitframe(3, 0, 1, 1, &size);
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(f1[3] | f1[4] << 8, 0x07C0); // green, doubled for 5-6-5
    // Three bytes more than the file: enough for a whole run header to be
    // read from outside it if the size were not checked first.
    for (u32 over : {1u, 3u, 40u}) {
        starttestdisplay();
        unitset(raw, {{0, 0, 5}, {1, 5, 5 + over}});
        EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw") << over;
    }
    // One byte past the file, the last run's header straddling the end.
    std::vector<u8> straddle = raw;
    straddle.insert(straddle.end(), {0, 0});
    starttestdisplay();
    unitset(straddle, {{0, 0, 5}, {1, 5, 5}, {2, 10, 3}});
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
    for (u32 at : {11u, 15u, 0x40000000u}) { // starting past the end
        starttestdisplay();
        unitset(raw, {{0, 0, 5}, {1, at, 5}});
        EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw") << at;
    }
}

TEST(WorldLoaders, FramesSharingBytesAreRefusedAndEachFrameIsConvertedOnce) {
    std::vector<u8> raw = {0, 0, 1, 0x21, 0x04, 0, 0, 1, 0xFF, 0x7F};
    starttestdisplay(565);
    // Frame 0, an empty frame where frame 1 starts, then frame 1.
    unitset(raw, {{0, 0, 5}, {2, 5, 0}, {1, 5, 5}});
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    u32 size;
    const u8* f0 = findunitframe(3, 0, 1, 0, &size);
    const u8* f1 = findunitframe(3, 0, 1, 1, &size);
    ASSERT_TRUE(f0 && f1);
    EXPECT_EQ(f0[3] | f0[4] << 8, 0x0841); // (1, 1, 1): green doubled once
    EXPECT_EQ(f1[3] | f1[4] << 8, 0xFFDF);
    // The same bytes under two entries, or two entries overlapping by one.
    raw.insert(raw.end(), {0, 0, 1, 0, 0});
    std::vector<std::vector<frameentry>> shared = {
        {{0, 0, 5}, {1, 0, 5}}, // frame 1 at offset 0 is there too, and shares frame 0's bytes
        {{0, 0, 5}, {7, 5, 5}, {200, 5, 5}},
        {{0, 0, 10}, {1, 5, 10}},
        {{0, 0, 15}, {383, 5, 5}},
    };
    for (size_t c = 0; c < shared.size(); c++) {
        starttestdisplay(565);
        unitset(raw, shared[c]);
        EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw") << c;
    }
    // One byte shared: frame 0 ends in an empty run whose count byte is
    // where frame 1 starts; each parses on its own.
    std::vector<u8> onebyte = {0, 0, 1, 0x1F, 0, 0, 0, 0, 0, 1, 0x1F, 0};
    starttestdisplay(565);
    unitset(onebyte, {{0, 0, 8}, {1, 7, 5}});
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
    starttestdisplay(565);
    unitset(onebyte, {{0, 0, 7}, {1, 7, 5}}); // the same frames without the empty run
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw") << "a 7-byte frame 0 ends in a partial run";
}

TEST(WorldLoaders, UnitRawFilesPastTheLargestUsefulSizeAreRefusedUnread) {
    std::vector<u8> raw = {0, 0, 1, 0x1F, 0};
    starttestdisplay();
    unitset(raw, {{0, 0, 5}});
    fs::resize_file(testdatadir() + "/units/newunitpic3.raw", (uintmax_t)UNITRAWMAX);
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    EXPECT_EQ(unitpicrawsize[3], (u32)UNITRAWMAX);
    starttestdisplay();
    unitset(raw, {{0, 0, 5}});
    fs::resize_file(testdatadir() + "/units/newunitpic3.raw", (uintmax_t)UNITRAWMAX + 1);
    u32 before = memoryused;
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
    EXPECT_LT(memoryused - before, (u32)UNITRAWMAX) << "refused before its bytes were allocated";
}

static void viewfiles(int breakat) {
    std::vector<vsyrec> lines(NUMVSY);
    std::vector<vssrec> squares(NUMVSS);
    makeviewtables(lines.data(), squares.data());
    std::vector<u8> vssb(NUMVSS * 4), vsyb(NUMVSY * 4);
    for (int i = 0; i < NUMVSS; i++) {
        putu16(&vssb[i * 4], (u16)squares[i].x);
        putu16(&vssb[i * 4 + 2], (u16)(i == breakat ? 30000 : squares[i].y));
    }
    for (int l = 0; l < NUMVSY; l++) {
        vsyb[l * 4] = lines[l].firstx;
        vsyb[l * 4 + 1] = lines[l].numofxs;
        putu16(&vsyb[l * 4 + 2], (u16)lines[l].firstvss);
    }
    write("data/vsstable.dat", vssb);
    write("data/vsytable.dat", vsyb);
}

TEST(WorldLoaders, ViewTablesOffTheScreenAreRefusedAndGoodOnesLogged) {
    starttestdisplay();
    viewfiles(-1);
    EXPECT_EQ(exitbox(initviewtables), "(loaded)");
    std::ifstream log("text/vsy.log");
    std::string first;
    std::getline(log, first);
    EXPECT_EQ(first.rfind("Vsy line: 0\t  firstx: ", 0), 0u) << first;
    starttestdisplay();
    viewfiles(700);
    EXPECT_EQ(exitbox(initviewtables), "vsstable.dat");
    starttestdisplay();
    write("data/vsstable.dat", std::vector<u8>(100, 0));
    EXPECT_EQ(exitbox(initviewtables), "vsstable.dat");
}

TEST(WorldLoaders, TerrainOfAnyOtherSizeEndsWithItsName) {
    for (size_t size : {(size_t)5000, (size_t)TERRAINBYTES - 1, (size_t)TERRAINBYTES + 1}) {
        starttestdisplay();
        write("terrain/terrain.raw", std::vector<u8>(size, 0));
        EXPECT_EQ(exitbox(initland), "terrain\\terrain.raw") << size;
    }
    starttestdisplay();
    std::vector<u8> white(TERRAINBYTES, 0);
    for (u32 i = 0; i < TERRAINBYTES; i += 2) putu16(&white[i], 0x7FFF);
    write("terrain/terrain.raw", white);
    EXPECT_EQ(exitbox(initland), "(loaded)");
    u16 c = landtype[7]->ohmapcolor; // half of white: (15, 15, 15) in 5-6-5 terms
    EXPECT_EQ(c >> 11, 15);
    EXPECT_EQ((c >> 5) & 63, 31);
    EXPECT_EQ(c & 31, 15);
}

// A frame is asked for by set, action (0..2), facing (1..8) and frame
// (0..15); one past any end, or a set without pictures, finds nothing.
TEST(WorldLoaders, FramesAreFoundOnlyInsideTheirActionsFacingsAndFrames) {
    std::vector<u8> raw = {0, 0, 1, 0x1F, 0, 2, 0, 1, 0xE0, 0x03};
    starttestdisplay();
    unitset(raw, {{0, 0, 5}, {unitframeindex(2, 7, 15), 5, 5}});
    ASSERT_EQ(exitbox(initunit), "(loaded)");
    u32 size = 0;
    const u8* first = findunitframe(3, 0, 1, 0, &size);
    EXPECT_EQ(first, unitframe[3][0]);
    EXPECT_EQ(size, 5u);
    size = 0;
    const u8* last = findunitframe(3, 2, 8, 15, &size);
    EXPECT_EQ(last, unitframe[3][unitframeindex(2, 7, 15)]);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(last[0], 2);
    struct ask {
        int set, action, facing, frame;
    } outside[] = {{-1, 0, 1, 0}, {NUMUNITTYPES, 0, 1, 0}, {2, 0, 1, 0}, {3, -1, 1, 0}, {3, 3, 1, 0},
                   {3, 0, 0, 0},  {3, 0, 9, 0},            {3, 0, 1, -1}, {3, 0, 1, 16}, {3, 2, 9, 15}};
    for (const ask& a : outside)
        EXPECT_EQ(findunitframe(a.set, a.action, a.facing, a.frame, &size), nullptr)
            << a.set << " " << a.action << " " << a.facing << " " << a.frame;
}

// Item 5 with the given record; the raw file holds one 5-byte run.
static void oneitem(const itemtyperec& t, bool withraw = true) {
    std::vector<u8> dat(ITEMSFILEBYTES, 0);
    itemtypetofile(&t, &dat[5 * ITEMTYPESIZE]);
    write("items/items.dat", dat);
    fs::remove(testdatadir() + "/items/items.raw");
    if (withraw) write("items/items.raw", {0, 0, 1, 0xE0, 0x03});
}

// An item without a picture has none to point at, wherever its record says
// the picture would lie; a record not in use is not looked at; pictures are
// turned to 5-6-5 on such a display; no raw file at all ends naming it.
TEST(WorldLoaders, ItemsWithoutPicturesUnusedRecordsAndTheRawFile) {
    itemtyperec t{};
    t.isused = 1;
    t.fileoffset = 1000;
    starttestdisplay();
    oneitem(t);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    EXPECT_EQ(itemrawdataptr[5], nullptr);
    t.fileoffset = 0;
    starttestdisplay();
    oneitem(t);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    EXPECT_EQ(itemrawdataptr[5], nullptr);
    t = itemtyperec{};
    t.rawdatasize = 40000;
    t.fileoffset = 7;
    starttestdisplay();
    oneitem(t);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)") << "an unused record";
    t = itemtyperec{};
    t.isused = 1;
    t.rawdatasize = 5;
    t.picwidth = 1;
    t.picheight = 1;
    starttestdisplay(565);
    oneitem(t);
    ASSERT_EQ(exitbox(inititemtypes), "(loaded)");
    ASSERT_NE(itemrawdataptr[5], nullptr);
    EXPECT_EQ(itemrawdataptr[5][3] | itemrawdataptr[5][4] << 8, 0x07C0) << "5-5-5 green doubled for 5-6-5";
    starttestdisplay(555);
    oneitem(t);
    ASSERT_EQ(exitbox(inititemtypes), "(loaded)");
    EXPECT_EQ(itemrawdataptr[5][3] | itemrawdataptr[5][4] << 8, 0x03E0) << "kept on 5-5-5";
    starttestdisplay();
    oneitem(t, false);
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.raw");
    t.rawdatasize = 0; // no picture to read, and still no raw file
    starttestdisplay();
    oneitem(t, false);
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.raw");
}
