// The editors used as a modder would, headless on a fresh data tree: every
// editor and dialog in one session, the files they write, and the demo
// playing what was made.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "playrun.h"
#include "testenv.h"
#include "world/itemtype.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

namespace {

// Map editor view centred on (128, 128); the cells used lie in the band the
// demo's first view (centred on the leader at (115, 117)) shows too.
struct cellat {
    i32 x, y;
};
constexpr cellat SECTIONCELL = {124, 124}, TILECELL = {126, 121}, TOWERCELL = {123, 119}, CRATECELL = {119, 122},
                 FIRSTUNIT = {121, 119}, SECONDUNIT = {124, 121};

std::string at(cellat c) {
    std::ostringstream s;
    s << 320 + 20 * ((c.x - 128) - (c.y - 128)) << " " << 200 + 10 * ((c.x - 128) + (c.y - 128));
    return s.str();
}

// One line per event, ticks counted from the line before.
struct script {
    std::ostringstream out;
    int tick = 0;
    script& then(int gap, const std::string& event) {
        tick += gap;
        out << tick << " " << event << "\n";
        return *this;
    }
    script& click(int gap, const std::string& xy) { return then(gap, "move " + xy).then(5, "ldown").then(2, "lup"); }
    script& doubleclick(int gap, const std::string& xy) { return click(gap, xy).then(3, "ldown").then(2, "lup"); }
    // A right press, a move to an entry of the list that opens, the release.
    script& menu(int gap, const std::string& press, const std::string& entry) {
        return then(gap, "move " + press).then(5, "rdown").then(10, "move " + entry).then(10, "rup");
    }
};

// The whole session; shots go to dir.
std::string session(const std::string& dir) {
    script s;
    s.click(5, "320 288");  // "Map Editor"
    s.then(40, "shot " + dir + "/mapeditor.png");

    // Land editor: cut the red sand source into the section at tile 32 and
    // take that section for the map's land tools.
    s.menu(10, "300 200", "320 236");
    s.then(40, "move 541 210").then(10, "shot " + dir + "/landeditor.png");
    s.menu(10, "540 210", "480 231");
    s.then(40, "shot " + dir + "/filedialog.png");
    s.doubleclick(10, "340 168");  // redsand.bmp
    s.then(30, "shot " + dir + "/usethisone.png").then(10, "key Y");
    s.then(40, "move 541 211").then(10, "shot " + dir + "/landcut.png");
    s.click(10, "541 210");

    // Item editor: page 8, a crate at 256 with its flags set in Edit Item,
    // then the tower split 2 x 2 into 257..260, which the map takes.
    s.menu(60, "300 200", "320 250");
    for (int i = 0; i < 8; i++) s.click(10, "590 450");
    s.then(20, "move 40 50");
    s.menu(10, "40 50", "80 71");
    s.doubleclick(40, "340 126");  // crate.bmp
    s.then(30, "key Y");
    s.click(40, "326 198").click(10, "326 246").click(10, "440 306");  // Blocks Passage, Takeable, Brightness
    s.then(10, "key BACK").then(5, "text 5").then(10, "shot " + dir + "/edititem.png").then(5, "key ENTER");
    s.then(40, "move 120 50");
    s.menu(10, "120 50", "160 71");
    s.doubleclick(40, "340 154");  // tower.bmp
    s.then(30, "key Y").then(30, "key Y");  // use it, split it
    s.then(30, "key UP").then(5, "key LEFT").then(10, "shot " + dir + "/setsections.png");
    s.then(10, "key ENTER").then(30, "key ENTER").then(30, "key ENTER");  // the grid, the picheight note, Edit Item
    s.then(40, "move 121 50").then(10, "shot " + dir + "/itemeditor.png");
    s.click(10, "120 50");

    // Back in the map editor: the section, a tile, the tower, the crate and
    // a unit of the first type.
    s.click(60, "40 424").click(20, at(SECTIONCELL));
    s.click(20, "40 408").click(20, at(TILECELL));
    s.click(20, "40 472").click(20, at(TOWERCELL));
    s.then(10, "key LEFT").click(20, at(CRATECELL));
    s.click(20, "180 424").click(20, at(FIRSTUNIT));

    // Unit editor: rename the archers in Edit Unit, compile set 2, take
    // set 3 for the unit tool.
    s.menu(40, "300 200", "320 264");
    s.then(40, "move 200 50");
    s.menu(10, "200 50", "220 57");
    s.click(40, "400 138").then(5, "key END").then(5, "text  Captain");
    s.click(10, "195 196").then(5, "key END").then(5, "key BACK").then(5, "key BACK").then(5, "text 50");
    s.then(10, "shot " + dir + "/editunit.png").then(5, "key ENTER");
    s.then(40, "move 201 50");
    // Compile Unit Pics: 384 frames, each presented, so the clock runs on
    // while the events wait.
    s.menu(10, "200 50", "220 71");
    s.then(1200, "move 280 50").then(10, "shot " + dir + "/uniteditor.png");
    s.click(10, "280 50");

    s.click(60, at(SECONDUNIT));
    s.then(20, "shot " + dir + "/mapedited.png");
    s.then(10, "key ESC").then(30, "key Y");  // "Save map?"

    // The demo, on what was just made.
    s.click(80, "320 256");
    s.then(60, "dump " + dir + "/demo.txt").then(1, "shot " + dir + "/demo.png");
    return s.out.str();
}

std::vector<u8> bytes(const std::string& path) {
    std::string t = readtext(path);
    return std::vector<u8>(t.begin(), t.end());
}

bool samebytes(const std::string& a, const std::string& b) { return fs::exists(a) && readtext(a) == readtext(b); }

itemtyperec itemrecord(const std::vector<u8>& dat, int n) {
    itemtyperec t{};
    if (dat.size() >= (size_t)(n + 1) * ITEMTYPESIZE) itemtypefromfile(&dat[(size_t)n * ITEMTYPESIZE], &t);
    return t;
}

u16 cellof(const std::vector<u8>& grids, size_t grid, cellat c) {
    size_t at = grid * MAPCELLS * 2 + (size_t)(c.y * 256 + c.x) * 2;
    return at + 1 < grids.size() ? (u16)(grids[at] | grids[at + 1] << 8) : 0xFFFF;
}

} // namespace

TEST(EndToEndEditors, EveryEditorInOneSessionAndTheDemoPlaysWhatWasMade) {
    for (const char* format : {"565", "555"}) {
        SCOPED_TRACE(format);
        std::string data = freshdata(std::string("editors") + format);
        std::string shots = data + "/../editors" + format + "-shots";
        fs::remove_all(shots);
        fs::create_directories(shots);
        run r = play(data, session(shots), std::string("--pixel-format ") + format);
        ASSERT_EQ(r.status, 0) << r.err << r.log;
        const std::string gen = VENNOR_DATA;

        // Land: tiles 32..47 are the new section, every other tile as it was;
        // the backup is the file as it was.
        std::vector<u8> terrain = bytes(data + "/terrain/terrain.raw"), before = bytes(gen + "/terrain/terrain.raw");
        ASSERT_EQ(terrain.size(), 1024000u);
        ASSERT_EQ(before.size(), 1024000u);
        EXPECT_TRUE(samebytes(data + "/terrain/terrain.ra0", gen + "/terrain/terrain.raw"));
        int changed = 0, othersdiffer = 0;
        for (int t = 0; t < 1280; t++) {
            bool same = std::memcmp(&terrain[t * 800u], &before[t * 800u], 800) == 0;
            if (t >= 32 && t < 48) changed += !same;
            else othersdiffer += !same;
        }
        EXPECT_EQ(changed, 16);
        EXPECT_EQ(othersdiffer, 0);

        // Items: the crate and the four parts of the tower, the backups.
        std::vector<u8> dat = bytes(data + "/items/items.dat");
        ASSERT_EQ(dat.size(), (size_t)ITEMSFILEBYTES);
        EXPECT_TRUE(samebytes(data + "/items/items.da0", gen + "/items/items.dat"));
        EXPECT_TRUE(samebytes(data + "/items/items.ra0", gen + "/items/items.raw"));
        itemtyperec crate = itemrecord(dat, 256), tower = itemrecord(dat, 257);
        EXPECT_TRUE(crate.isused && crate.blockspassage && crate.takeable && !crate.blockssight);
        EXPECT_EQ(crate.brightness, 5);
        EXPECT_GT(crate.rawdatasize, 0u);
        EXPECT_TRUE(tower.isused && tower.largeitem);
        EXPECT_EQ(tower.xsize, 2);
        EXPECT_EQ(tower.ysize, 2);
        for (int part = 258; part <= 260; part++) {
            itemtyperec p = itemrecord(dat, part);
            EXPECT_EQ(p.partoflargeitem, 257) << part;
            EXPECT_TRUE(p.offlimits) << part;
        }
        EXPECT_FALSE(itemrecord(dat, 261).isused);
        EXPECT_GT(readtext(data + "/items/items.raw").size(), readtext(gen + "/items/items.raw").size());

        // Units: set 2 compiles back to the generated bytes; only type 2 changed.
        for (int i = 0; i < 12; i++) {
            std::string n = std::to_string(i);
            EXPECT_TRUE(samebytes(data + "/units/newunitpic" + n + ".raw", gen + "/units/newunitpic" + n + ".raw")) << i;
            EXPECT_TRUE(samebytes(data + "/units/newunitpic" + n + ".dat", gen + "/units/newunitpic" + n + ".dat")) << i;
            EXPECT_TRUE(samebytes(data + "/units/unit" + n + ".da0", gen + "/units/unit" + n + ".dat")) << i;
            EXPECT_TRUE(samebytes(data + "/units/newunitpic" + n + ".ra0", gen + "/units/newunitpic" + n + ".raw")) << i;
            if (i != 2) {
                EXPECT_TRUE(samebytes(data + "/units/unit" + n + ".dat", gen + "/units/unit" + n + ".dat")) << i;
            }
        }
        std::vector<u8> archer = bytes(data + "/units/unit2.dat");
        ASSERT_EQ(archer.size(), 1280u);
        unittyperec u{};
        unittypefromfile(archer.data(), &u);
        EXPECT_STREQ(u.name, "Archer Captain");
        EXPECT_EQ(u.healthmax, 50u);

        // The map: what the tools put on the cells, and the backups.
        std::vector<u8> grids = bytes(data + "/maps/map0.dat");
        ASSERT_EQ(grids.size(), (size_t)MAPCELLS * 4);
        EXPECT_EQ(cellof(grids, 0, SECTIONCELL), 32);
        EXPECT_EQ(cellof(grids, 0, TILECELL), 32);
        EXPECT_EQ(cellof(grids, 1, TOWERCELL), 257);
        EXPECT_EQ(cellof(grids, 1, CRATECELL), 256);
        for (const char* f : {"map0.dat", "map0.npc", "map0.map"}) {
            std::string backup = f;
            backup.back() = '0';
            EXPECT_TRUE(samebytes(data + "/maps/" + backup, gen + "/maps/" + f)) << f;
        }

        // The demo starts on the edited map with both placed units.
        std::string dump = readtext(shots + "/demo.txt");
        EXPECT_NE(dump.find("type 1 at 121 119"), std::string::npos) << dump;
        // The placed thief hunts in the dark from the start: he is near his cell.
        bool thiefnear = false;
        for (size_t at = dump.find("type 3 at "); at != std::string::npos; at = dump.find("type 3 at ", at + 1)) {
            int x = -99, y = -99;
            std::sscanf(dump.c_str() + at, "type 3 at %d %d", &x, &y);
            thiefnear |= std::abs(x - 124) <= 4 && std::abs(y - 121) <= 4;
        }
        EXPECT_TRUE(thiefnear) << dump;
        for (const char* shot : {"mapeditor", "landeditor", "filedialog", "usethisone", "landcut", "edititem",
                                 "setsections", "itemeditor", "editunit", "uniteditor", "mapedited", "demo"})
            EXPECT_TRUE(fs::exists(shots + "/" + shot + ".png")) << shot;
    }
}

// "Erase Entire Map" clears the ground and the items, and after a second
// question every unit too; No there keeps the units as they were.
TEST(EndToEndEditors, EraseEntireMapAsksBeforeItErasesTheUnitsToo) {
    auto erase = [](const std::string& name, const char* second) {
        std::string data = freshdata(name);
        std::string base = data + "/../" + name;
        std::string script = "10 move 320 284\n20 ldown\n22 lup\n70 dump " + base + "-before.txt\n80 move 300 100\n90 rdown\n"
                             "100 move 310 243\n110 rup\n140 key Y\n180 key " + std::string(second) + "\n220 dump " + base +
                             "-after.txt\n240 quit\n";
        run r = play(data, script);
        EXPECT_EQ(r.status, 0) << r.err;
        return std::make_pair(readtext(base + "-before.txt"), readtext(base + "-after.txt"));
    };
    auto units = [](const std::string& dump) {
        std::istringstream in(dump);
        std::string lines;
        for (std::string line; std::getline(in, line);)
            if (line.rfind("npc ", 0) == 0) lines += line + "\n";
        return lines;
    };
    auto [before, erased] = erase("eraseall", "Y");
    EXPECT_FALSE(units(before).empty()) << "the demo map has units";
    EXPECT_EQ(units(erased), "") << "Yes twice: no unit left";
    auto [again, kept] = erase("erasekeep", "N");
    EXPECT_EQ(units(kept), units(again)) << "No to the second question keeps every unit";
}
