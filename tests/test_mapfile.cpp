// The map file set at its edges: parts of the wrong size, units at the map's
// border, the start formation, and saves that fail part way.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/safewrite.h"
#include "testenv.h"
#include "world/grids.h"
#include "world/lebytes.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

namespace {

std::vector<unittyperec> types(NUMUNITTYPES);

void setupworld(bool display) {
    if (display) {
        starttestdisplay(); // saving shows its message in the text box
        writesolidbmp("bitmaps/textbox.bmp", 400, 104, 0x202020);
    } else {
        starttestplatform();
    }
    allocgrids();
    initnpc();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        types[i] = unittyperec{};
        types[i].movementmax = 50 + i;
        unittype[i] = &types[i];
    }
    fs::create_directories("maps");
}

struct mapset {
    std::vector<u8> main = std::vector<u8>(2 * MAPGRIDBYTES, 0);
    std::vector<u8> npcs = std::vector<u8>(NPCFILEBYTES, 0);
    std::vector<u8> header = std::vector<u8>(MAPDATASIZE, 0);

    u8* rec(int slot) { return &npcs[(size_t)slot * NPCRECSIZE]; }
    // A used unit of type 1 in slot at (x, y), its offset said as given.
    void unit(int slot, i16 x, i16 y, u32 mapoff) {
        rec(slot)[71] = 1;
        putu32(rec(slot) + 12, 1);
        putu16(rec(slot) + 4, (u16)x);
        putu16(rec(slot) + 6, (u16)y);
        putu32(rec(slot), mapoff);
    }
    void write(const std::string& base) const {
        std::ofstream(base + ".dat", std::ios::binary).write((const char*)main.data(), (std::streamsize)main.size());
        std::ofstream(base + ".npc", std::ios::binary).write((const char*)npcs.data(), (std::streamsize)npcs.size());
        std::ofstream(base + ".map", std::ios::binary).write((const char*)header.data(), (std::streamsize)header.size());
    }
};

mapset goodset() {
    mapset m;
    putu16(&m.main[2 * 1000], 7);
    putu16(&m.main[MAPGRIDBYTES + 2 * 2000], 9);
    m.unit(40, 12, 13, 13 * 256 + 12);
    m.header[0] = 20;
    m.header[4] = 30;
    m.header[8] = 1;
    return m;
}

// Everything a load replaces or rebuilds, as bytes.
std::vector<u8> world() {
    std::vector<u8> w;
    auto add = [&](const void* p, size_t n) { w.insert(w.end(), (const u8*)p, (const u8*)p + n); };
    add(landmap, MAPGRIDBYTES);
    add(itemmap, MAPGRIDBYTES);
    add(npcmap, MAPGRIDBYTES);
    for (int slot = 0; slot < NPCSLOTS; slot++) add(npc[slot], sizeof(npcrec));
    add(&mapdata, sizeof mapdata);
    add(players, sizeof players);
    return w;
}

std::string bytesof(const std::string& path) { return readtext(path); }

} // namespace

TEST(MapFile, PartsOfTheWrongSizeAreRefusedWhole) {
    setupworld(false);
    goodset().write("maps/good");
    ASSERT_TRUE(loadmap("maps\\good.dat"));
    std::vector<u8> before = world();
    struct cut {
        const char* what;
        const char* ending;
        size_t size;
    } cuts[] = {
        {"main file one byte short", ".dat", 2 * MAPGRIDBYTES - 1},
        {"main file without its item grid", ".dat", MAPGRIDBYTES},
        {"main file one byte long", ".dat", 2 * MAPGRIDBYTES + 1},
        {"npc file ending in part of a record", ".npc", NPCFILEBYTES - 1},
        {"npc file one record short", ".npc", NPCFILEBYTES - NPCRECSIZE},
        {"empty npc file", ".npc", 0},
        {"npc file one byte long", ".npc", NPCFILEBYTES + 1},
        {"empty header file", ".map", 0},
        {"header file one byte short", ".map", MAPDATASIZE - 1},
        {"header file one byte long", ".map", MAPDATASIZE + 1},
    };
    for (const cut& c : cuts) {
        mapset m = goodset();
        m.unit(41, 50, 60, 60 * 256 + 50); // something new that must not arrive
        m.header[5] = 99;
        putu16(&m.main[2 * 5], 3);
        m.write("maps/cut");
        fs::resize_file(std::string("maps/cut") + c.ending, c.size);
        EXPECT_FALSE(loadmap("maps\\cut.dat")) << c.what;
        EXPECT_TRUE(world() == before) << c.what << ": the world changed";
    }
    // The same set at its true sizes loads.
    goodset().write("maps/cut");
    EXPECT_TRUE(loadmap("maps\\cut.dat"));
}

TEST(MapFile, UnitsMustStandOnTheMap) {
    setupworld(false);
    mapset m = goodset();
    m.unit(70, 255, 255, MAPCELLS - 1); // the last cell
    m.write("maps/edge");
    ASSERT_TRUE(loadmap("maps\\edge.dat"));
    EXPECT_EQ(npcmap[MAPCELLS - 1], 70);
    std::vector<u8> before = world();
    m.unit(70, 255, 255, MAPCELLS); // one past it
    m.write("maps/edge");
    EXPECT_FALSE(loadmap("maps\\edge.dat"));
    EXPECT_TRUE(world() == before);
    m.unit(70, 255, 256, MAPCELLS - 1);
    m.write("maps/edge");
    EXPECT_FALSE(loadmap("maps\\edge.dat"));
    m.unit(70, -1, 0, 0);
    m.write("maps/edge");
    EXPECT_FALSE(loadmap("maps\\edge.dat"));
    EXPECT_TRUE(world() == before);
}

TEST(MapFile, StartFormationCellsOfEveryFacing) {
    setupworld(false);
    // Nine units of player 0 from the start point (100, 50): the first eight
    // fill a row or column two cells apart, the ninth starts the next one.
    struct formation {
        u8 dir;
        i16 firstx, firsty, stepx, stepy, ninthx, ninthy;
    } cases[] = {
        {1, 100, 50, 2, 0, 100, 52},
        {3, 106, 50, 0, 2, 104, 50},
        {5, 100, 56, 2, 0, 100, 54},
        {7, 100, 50, 0, 2, 102, 50},
    };
    for (const formation& f : cases) {
        SCOPED_TRACE(testing::Message() << "facing " << (int)f.dir);
        mapset m;
        m.header[0] = 100;
        m.header[4] = 50;
        m.header[8] = f.dir;
        for (int i = 0; i < 9; i++) m.unit(1 + i, 0, 0, 0);
        m.write("maps/form");
        ASSERT_TRUE(loadmap("maps\\form.dat"));
        for (int i = 0; i < 8; i++) {
            EXPECT_EQ(npc[1 + i]->x, f.firstx + i * f.stepx) << i;
            EXPECT_EQ(npc[1 + i]->y, f.firsty + i * f.stepy) << i;
            EXPECT_EQ(npc[1 + i]->facing, f.dir);
        }
        EXPECT_EQ(npc[9]->x, f.ninthx);
        EXPECT_EQ(npc[9]->y, f.ninthy);
        EXPECT_EQ(npc[9]->mapoff, (u32)(f.ninthy * 256 + f.ninthx));
        EXPECT_EQ(npcmap[f.ninthy * 256 + f.ninthx], 9);
    }
    // Any other facing leaves the stored cells.
    mapset m;
    m.header[8] = 2;
    m.unit(1, 33, 44, 44 * 256 + 33);
    m.rec(1)[8] = 6;
    m.write("maps/form");
    ASSERT_TRUE(loadmap("maps\\form.dat"));
    EXPECT_EQ(npc[1]->x, 33);
    EXPECT_EQ(npc[1]->y, 44);
    EXPECT_EQ(npc[1]->facing, 6);
}

TEST(MapFile, FailedSaveLeavesTheFilesAndTheWorld) {
    setupworld(true);
    goodset().write("maps/map0");
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    ASSERT_NE(createnpc(3, 10, 11, 0), 0);
    ASSERT_NE(createnpc(4, 12, 13, 2), 0);
    landmap[77] = 5;
    std::vector<u8> memory = world();
    std::string dat = bytesof("maps/map0.dat"), npcs = bytesof("maps/map0.npc"), header = bytesof("maps/map0.map");
    auto unchanged = [&](const char* how) {
        EXPECT_TRUE(world() == memory) << how << ": the world changed";
        EXPECT_TRUE(bytesof("maps/map0.dat") == dat) << how;
        EXPECT_TRUE(bytesof("maps/map0.npc") == npcs) << how;
        EXPECT_TRUE(bytesof("maps/map0.map") == header) << how;
    };
    // A companion that cannot be replaced (a folder in its place).
    fs::rename("maps/map0.map", "maps/aside");
    fs::create_directories("maps/map0.map");
    std::string why;
    EXPECT_FALSE(savemap("maps\\map0.dat", &why));
    EXPECT_NE(why.find("map0.map"), std::string::npos) << why;
    fs::remove("maps/map0.map");
    fs::rename("maps/aside", "maps/map0.map");
    unchanged("a folder in place of the header file");
    // Every step of the write failing in turn.
    int n = 1;
    for (;; n++) {
        plat_safewritefailat(n);
        bool ok = savemap("maps\\map0.dat", &why);
        bool reached = plat_safewritesteps() >= n;
        plat_safewritefailat(0);
        if (!reached) {
            EXPECT_TRUE(ok) << why;
            break;
        }
        EXPECT_FALSE(ok) << n;
        unchanged(("step " + std::to_string(n)).c_str());
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator("maps")) names.push_back(e.path().filename().string());
        EXPECT_EQ(names.size(), 3u) << "a temporary or a backup is left at step " << n;
    }
    EXPECT_GT(n, 20);
    // The save that went through keeps every unit, player 0's too.
    EXPECT_EQ(std::filesystem::file_size("maps/map0.dat"), 2 * MAPGRIDBYTES);
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    EXPECT_EQ(landmap[77], 5);
    EXPECT_EQ(players[0].npccount, 1);
    EXPECT_EQ(players[1].npccount, 1);
    EXPECT_EQ(players[2].npccount, 1);
}

TEST(MapFile, ASetWithAPartMissingIsRefusedWhole) {
    setupworld(false);
    goodset().write("maps/good");
    ASSERT_TRUE(loadmap("maps\\good.dat"));
    std::vector<u8> before = world();
    for (const char* ending : {".dat", ".npc", ".map"}) {
        mapset m = goodset();
        m.unit(41, 50, 60, 60 * 256 + 50);
        m.write("maps/part");
        fs::remove(std::string("maps/part") + ending);
        EXPECT_FALSE(loadmap("maps\\part.dat")) << ending << " missing";
        EXPECT_TRUE(world() == before) << ending << " missing: the world changed";
    }
}

// A companion's name is the map's with its last three letters replaced; a
// name shorter than an ending is kept as it is.
TEST(MapFile, CompanionNamesReplaceTheLastThreeLetters) {
    EXPECT_EQ(companionname("maps\\forest.dat", "npc"), "maps\\forest.npc");
    EXPECT_EQ(companionname("dat", "map"), "map");
    EXPECT_EQ(companionname("at", "map"), "at");
    EXPECT_EQ(companionname("", "map"), "");
}

// Player 0's units start at 200 health, never above their own maximum (a
// maximum of 0 is none).
TEST(MapFile, PlayerZeroStartsAtFullHealthNeverAboveItsMaximum) {
    setupworld(false);
    mapset m = goodset();
    const i16 maxima[] = {0, 1, 40, 199, 200, 250};
    for (int i = 0; i < 6; i++) {
        m.unit(1 + i, 0, 0, 0);
        putu16(m.rec(1 + i) + 18, (u16)maxima[i]);
    }
    m.write("maps/health");
    ASSERT_TRUE(loadmap("maps\\health.dat"));
    const i16 health[] = {200, 1, 40, 199, 200, 200};
    for (int i = 0; i < 6; i++) EXPECT_EQ(npc[1 + i]->health, health[i]) << "maximum " << maxima[i];
}

// The party a map starts with: the leader and the map's units of player 0,
// at most a player's slots; each of them at its place in the formation.
TEST(MapFile, ThePartysSizeAndEachPlaceInTheFormation) {
    setupworld(false);
    mapset m = goodset(); // start (20, 30), facing 1
    for (int i = 0; i < 3; i++) m.unit(1 + i, 0, 0, 0);
    m.write("maps/party");
    ASSERT_TRUE(loadmap("maps\\party.dat"));
    EXPECT_EQ(startpartysize(), 4);
    EXPECT_EQ(formationplace(20, 30, 9), 0);
    EXPECT_EQ(formationplace(34, 30, 9), 7);
    EXPECT_EQ(formationplace(20, 32, 9), 8);
    EXPECT_EQ(formationplace(20, 32, 8), -1) << "past the count";
    EXPECT_EQ(formationplace(21, 30, 9), -1) << "between two places";
    EXPECT_EQ(formationplace(22, 32, 9), -1) << "the right row, no place";
    for (int slot = 1; slot <= SLOTSPERPLAYER; slot++) m.unit(slot, 0, 0, 0);
    m.write("maps/party");
    ASSERT_TRUE(loadmap("maps\\party.dat"));
    EXPECT_EQ(startpartysize(), SLOTSPERPLAYER);
    // A facing with no formation has no places.
    m.header[8] = 2;
    m.write("maps/party");
    ASSERT_TRUE(loadmap("maps\\party.dat"));
    EXPECT_EQ(formationplace(0, 0, 3), -1);
    EXPECT_EQ(formationplace(20, 30, 3), -1);
}

// Player 0's units start rested, of the last type too; one of no known type
// refuses the map (under the sanitizers: without its type being read).
TEST(MapFile, PlayerZeroOfTheLastTypeStartsRestedAndOfNoTypeIsRefused) {
    setupworld(false);
    mapset m = goodset();
    m.unit(1, 0, 0, 0);
    putu32(m.rec(1) + 12, NUMUNITTYPES - 1);
    m.write("maps/types");
    ASSERT_TRUE(loadmap("maps\\types.dat"));
    EXPECT_EQ(npc[1]->fatigue, 50 + NUMUNITTYPES - 1);
    putu32(m.rec(1) + 12, NUMUNITTYPES);
    m.write("maps/types");
    EXPECT_FALSE(loadmap("maps\\types.dat"));
}

// Every number of a map at the last value it may take loads; one past it,
// on its own, refuses the map. A record not in use is not looked at.
TEST(MapFile, EachNumberAtItsLastValueLoadsAndOnePastIsRefused) {
    setupworld(false);
    goodset().write("maps/good");
    ASSERT_TRUE(loadmap("maps\\good.dat"));
    std::vector<u8> before = world();
    struct edge {
        const char* what;
        void (*change)(mapset& m);
        bool loads;
    } edges[] = {
        {"land type 1279", [](mapset& m) { putu16(&m.main[2 * 9], NUMLANDTYPES - 1); }, true},
        {"land type 1280", [](mapset& m) { putu16(&m.main[2 * 9], NUMLANDTYPES); }, false},
        {"item 4095", [](mapset& m) { putu16(&m.main[MAPGRIDBYTES + 2 * 9], NUMITEMTYPES - 1); }, true},
        {"item 4096", [](mapset& m) { putu16(&m.main[MAPGRIDBYTES + 2 * 9], NUMITEMTYPES); }, false},
        {"unit at x 0", [](mapset& m) { m.unit(40, 0, 100, 100 * 256); }, true},
        {"unit at y 0", [](mapset& m) { m.unit(40, 100, 0, 100); }, true},
        {"unit at x 255", [](mapset& m) { m.unit(40, 255, 100, 100 * 256 + 255); }, true},
        {"unit at y 255", [](mapset& m) { m.unit(40, 100, 255, 255 * 256 + 100); }, true},
        {"unit at x -1", [](mapset& m) { m.unit(40, -1, 100, 100 * 256 - 1); }, false},
        {"unit at y -1", [](mapset& m) { m.unit(40, 100, -1, 100); }, false},
        {"unit at x 256", [](mapset& m) { m.unit(40, 256, 100, 101 * 256); }, false},
        {"unit at y 256", [](mapset& m) { m.unit(40, 100, 256, 100); }, false},
        {"unit of the last type", [](mapset& m) { putu32(m.rec(40) + 12, NUMUNITTYPES - 1); }, true},
        {"unit of no type", [](mapset& m) { putu32(m.rec(40) + 12, NUMUNITTYPES); }, false},
        {"unused record off the map, of no type", [](mapset& m) {
             m.unit(50, -7, 300, 0xFFFFFFu);
             putu32(m.rec(50) + 12, 99);
             m.rec(50)[71] = 0;
         }, true},
    };
    for (const edge& e : edges) {
        mapset m = goodset();
        e.change(m);
        m.write("maps/edge");
        EXPECT_EQ(loadmap("maps\\edge.dat"), e.loads) << e.what;
        if (!e.loads) {
            EXPECT_TRUE(world() == before) << e.what << ": the world changed";
        } else {
            ASSERT_TRUE(loadmap("maps\\good.dat"));
        }
    }
}

// The grids are checked eight bytes at a time: a value past its table is
// found in every place of a word, in the last cell, and with its top bit.
TEST(MapFile, AGridValuePastItsTableIsFoundInEveryCellOfAWord) {
    setupworld(false);
    struct grid {
        const char* name;
        size_t start;
        u16 last;
    } grids[] = {{"land", 0, NUMLANDTYPES - 1}, {"items", MAPGRIDBYTES, NUMITEMTYPES - 1}};
    for (const grid& g : grids)
        for (int cell : {0, 1, 2, 3, 4, MAPCELLS - 1})
            for (u32 value : {(u32)g.last, (u32)g.last + 1, 0x8000u, 0xFFFFu}) {
                mapset m = goodset();
                putu16(&m.main[g.start + 2 * (size_t)cell], (u16)value);
                const char* why = parsemap({m.main.data(), m.main.size()}, {m.npcs.data(), m.npcs.size()},
                                           {m.header.data(), m.header.size()});
                EXPECT_EQ(why == nullptr, value == g.last) << g.name << " cell " << cell << " = " << value;
            }
}

// The shortest name a map set can have is three letters, each companion
// the whole name replaced; a shorter one is refused.
TEST(MapFile, AThreeLetterSetLoadsAndSavesAShorterNameIsRefused) {
    setupworld(true);
    mapset m = goodset();
    std::ofstream("abc", std::ios::binary).write((const char*)m.main.data(), (std::streamsize)m.main.size());
    std::ofstream("npc", std::ios::binary).write((const char*)m.npcs.data(), (std::streamsize)m.npcs.size());
    std::ofstream("map", std::ios::binary).write((const char*)m.header.data(), (std::streamsize)m.header.size());
    ASSERT_TRUE(loadmap("abc"));
    EXPECT_EQ(landmap[1000], 7);
    landmap[1000] = 8;
    std::string why;
    EXPECT_TRUE(savemap("abc", &why)) << why;
    EXPECT_EQ(fs::file_size("abc"), 2 * MAPGRIDBYTES);
    EXPECT_EQ(fs::file_size("npc"), (uintmax_t)NPCFILEBYTES);
    EXPECT_EQ(fs::file_size("map"), (uintmax_t)MAPDATASIZE);
    EXPECT_FALSE(savemap("ab", &why));
    EXPECT_EQ(why, "the map name is too short");
    EXPECT_FALSE(fs::exists("ab"));
}
