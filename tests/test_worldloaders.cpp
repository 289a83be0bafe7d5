// The world's loaders on broken files: each is refused through the exit
// path, naming the file, before anything is drawn from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(WorldLoaders, ItemPicturesOutsideTheirFileOrBoxAreRefused) {
    starttestdisplay();
    itemfiles(0, 2);
    EXPECT_EQ(exitbox(inititemtypes), "(loaded)");
    starttestdisplay();
    itemfiles(0, 3); // columns 3..4 of a 4-wide box
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.raw");
    starttestdisplay();
    itemfiles(5, 0); // data past the file's end
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.raw");
    starttestdisplay();
    write("items/items.dat", std::vector<u8>(1000, 0));
    EXPECT_EQ(exitbox(inititemtypes), "items\\items.dat");
}

// Twelve sets: all empty but set 3, whose frame 0 is the given code.
static void unitfiles(const std::vector<u8>& frame, u32 declared) {
    for (int n = 0; n < NUMUNITTYPES; n++) {
        std::vector<u8> dir(UNITDIRSIZE, 0), type(UNITTYPESIZE, 0);
        type[1090] = (u8)n;
        if (n == 3) putu32(&dir[UNITFRAMES * 4], declared);
        write("units/newunitpic" + std::to_string(n) + ".dat", dir);
        write("units/newunitpic" + std::to_string(n) + ".raw", n == 3 ? frame : std::vector<u8>());
        write("units/unit" + std::to_string(n) + ".dat", type);
    }
}

TEST(WorldLoaders, UnitFramesOutsideTheirFileOrBoxAreRefused) {
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
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
    starttestdisplay();
    std::vector<u8> low = {0x00, 0xFF, 1, 1, 0}; // row 85 of 120 is fine ...
    unitfiles(low, (u32)low.size());
    EXPECT_EQ(exitbox(initunit), "(loaded)");
    starttestdisplay();
    std::vector<u8> lower = {0xFF, 0xFF, 0, 0xFF, 0xFF, 1, 1, 0}; // ... row 170 is not
    unitfiles(lower, (u32)lower.size());
    EXPECT_EQ(exitbox(initunit), "units\\newunitpic3.raw");
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

TEST(WorldLoaders, ShortTerrainEndsWithItsName) {
    starttestdisplay();
    write("terrain/terrain.raw", std::vector<u8>(5000, 0));
    EXPECT_EQ(exitbox(initland), "terrain.dat");
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
