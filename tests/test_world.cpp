// The world's records and files: layouts, the map file set, unit creation,
// the picture code and the view tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/memory.h"
#include "platform/files.h"
#include "testenv.h"
#include "tools/content/viewtables.h"
#include "video/display.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/lebytes.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/rle.h"
#include "world/unittype.h"
#include "world/viewtables.h"

TEST(Records, NpcFieldsSitAtTheirOffsetsAndUnlistedBytesSurvive) {
    u8 file[NPCRECSIZE];
    for (int i = 0; i < NPCRECSIZE; i++) file[i] = (u8)(i * 7 + 1);
    npcrec n;
    npcfromfile(file, &n);
    EXPECT_EQ(n.mapoff, getu32(file));
    EXPECT_EQ(n.unitno, getu32(file + 12));
    EXPECT_EQ(n.health, geti16(file + 16));
    EXPECT_EQ(n.magic, geti16(file + 32));
    EXPECT_EQ(n.frozen, file[39]);
    EXPECT_EQ((u8)n.name[0], file[50]);
    EXPECT_EQ(n.isused, file[71]);
    EXPECT_EQ(n.state, file[75]);
    EXPECT_EQ(n.destoff, getu16(file + 78));
    EXPECT_EQ(n.nextcry, getu32(file + 84));
    EXPECT_EQ(n.gold, getu32(file + 88));
    EXPECT_EQ(n.useonarrival, file[93]);
    u8 back[NPCRECSIZE];
    npctofile(&n, back);
    EXPECT_EQ(std::memcmp(file, back, NPCRECSIZE), 0);
}

TEST(Records, UnitAndItemTypeFieldsSitAtTheirOffsets) {
    std::vector<u8> u(UNITTYPESIZE, 0);
    std::memcpy(&u[1024], "Skeleton", 9);
    putu32(&u[1056], 40);
    putu32(&u[1068], 9);
    putu32(&u[1076], 3);
    u[1080] = 6;
    u[1083] = 2;
    u[1085] = 30;
    u[1086] = 7;
    u[1090] = 4;
    unittyperec t;
    unittypefromfile(u.data(), &t);
    EXPECT_STREQ(t.name, "Skeleton");
    EXPECT_EQ(t.healthmax, 40u);
    EXPECT_EQ(t.damagemax, 9u);
    EXPECT_EQ(t.unitclass, 3u);
    EXPECT_EQ(t.rangemax, 6);
    EXPECT_EQ(t.damagemin, 2);
    EXPECT_EQ(t.magicmax, 30);
    EXPECT_EQ(t.specials[0], 7);
    EXPECT_EQ(t.picno, 4);
    std::vector<u8> ub(UNITTYPESIZE);
    unittypetofile(&t, ub.data());
    EXPECT_EQ(ub, u);

    u8 it[ITEMTYPESIZE] = {};
    putu32(it + 0, 1234);
    putu32(it + 4, 56);
    it[8] = 3;
    it[11] = 90;
    it[12] = 41;
    putu32(it + 16, 2);
    it[23] = 1;
    it[25] = 1;
    putu16(it + 30, 300);
    it[37] = 1;
    itemtyperec r;
    itemtypefromfile(it, &r);
    EXPECT_EQ(r.fileoffset, 1234u);
    EXPECT_EQ(r.rawdatasize, 56u);
    EXPECT_EQ(r.brightness, 3);
    EXPECT_EQ(r.picheight, 90);
    EXPECT_EQ(r.picwidth, 41);
    EXPECT_EQ(r.passcost, 2u);
    EXPECT_EQ(r.iswall, 1);
    EXPECT_EQ(r.isused, 1);
    EXPECT_EQ(r.partoflargeitem, 300);
    EXPECT_EQ(r.usable, 1);
    u8 itb[ITEMTYPESIZE];
    itemtypetofile(&r, itb);
    EXPECT_EQ(std::memcmp(it, itb, ITEMTYPESIZE), 0);
}

// A world with its grids and npc table, and unit types of known maxima.
static std::vector<unittyperec> types(NUMUNITTYPES);
static void startworld() {
    starttestplatform();
    allocgrids();
    initnpc();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        types[i] = unittyperec{};
        types[i].healthmax = 30 + i;
        types[i].movementmax = 50 + i;
        types[i].magicmax = (u8)(10 + i);
        unittype[i] = &types[i];
    }
    std::filesystem::create_directories("maps");
}

static void writemap(const char* base, u8 homex, u8 homey, u8 homedir, int player0units) {
    std::vector<u8> main(2 * MAPGRIDBYTES, 0);
    putu16(&main[2 * (10 * 256 + 5)], 77);          // land at (5, 10)
    putu16(&main[MAPGRIDBYTES + 2 * 300], 180);    // gold at mapoff 300
    std::ofstream(std::string(base) + ".dat", std::ios::binary).write((char*)main.data(), (std::streamsize)main.size());
    std::vector<u8> npcs(NPCFILEBYTES, 0);
    for (int i = 0; i < player0units; i++) {
        u8* r = &npcs[(1 + i) * NPCRECSIZE];
        r[71] = 1;
        putu32(r + 12, 1);
    }
    std::ofstream(std::string(base) + ".npc", std::ios::binary).write((char*)npcs.data(), (std::streamsize)npcs.size());
    u8 header[MAPDATASIZE] = {};
    header[0] = homex;
    header[4] = homey;
    header[8] = homedir;
    std::ofstream(std::string(base) + ".map", std::ios::binary).write((char*)header, MAPDATASIZE);
}

TEST(MapFile, PlayerZeroStandsInFormationByFacing) {
    startworld();
    writemap("maps/map0", 100, 50, 1, 9);
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(npc[1 + i]->x, 100 + 2 * i);
        EXPECT_EQ(npc[1 + i]->y, 50);
        EXPECT_EQ(npc[1 + i]->facing, 1);
    }
    EXPECT_EQ(npc[9]->x, 100);
    EXPECT_EQ(npc[9]->y, 52);
    EXPECT_EQ(npc[9]->mapoff, 52u * 256 + 100);
    EXPECT_EQ(npc[9]->health, 200);
    EXPECT_EQ(npc[9]->fatigue, 51);
    EXPECT_EQ(npc[9]->magic, 11);
    EXPECT_EQ(npcmap[52 * 256 + 100], 9);
    EXPECT_EQ(npc[9]->state, NPC_IDLE);
    EXPECT_EQ(npc[10]->state, NPC_EMPTY);
    EXPECT_EQ(players[0].npccount, 9);
    EXPECT_EQ(players[0].active, 1);
    EXPECT_EQ(players[1].active, 0);
    EXPECT_EQ(landmap[10 * 256 + 5], 77);
    EXPECT_EQ(itemmap[300], 180);
    writemap("maps/map0", 100, 50, 3, 2);
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    EXPECT_EQ(npc[1]->x, 106);
    EXPECT_EQ(npc[2]->y, 52);
    writemap("maps/map0", 100, 50, 5, 1);
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    EXPECT_EQ(npc[1]->y, 56);
    EXPECT_EQ(npc[1]->facing, 5);
}

TEST(MapFile, SaveThenLoadKeepsThePartyAndTheOthersByteForByte) {
    startworld();
    starttestdisplay(); // saving shows its message in the text box
    allocgrids();
    initnpc();
    std::filesystem::create_directories("maps");
    writesolidbmp("bitmaps/textbox.bmp", 400, 104, 0x202020);
    writemap("maps/map0", 100, 50, 1, 3);
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    int a = createnpc(4, 30, 40, 1), b = createnpc(2, 30, 40, 2);
    ASSERT_EQ(a, 33);
    ASSERT_EQ(b, 65);
    npc[a]->thinkdelay = 9;
    npc[a]->nextcry = 123456;
    npc[a]->pad94[10] = 0x5A;
    std::strcpy(npc[b]->name, "Grimm");
    u8 before[2][NPCRECSIZE];
    npctofile(npc[a], before[0]);
    npctofile(npc[b], before[1]);
    std::strcpy(npc[2]->name, "Wren");
    ASSERT_TRUE(savemap("maps\\map0.dat"));
    EXPECT_TRUE(npc[1]->isused) << "a save leaves the party in memory";
    ASSERT_TRUE(loadmap("maps\\map0.dat"));
    EXPECT_EQ(players[0].npccount, 3);
    EXPECT_STREQ(npc[2]->name, "Wren");
    for (int s = 1; s <= 3; s++) EXPECT_EQ(npcmap[npc[s]->mapoff], s) << "the party stands in formation again";
    u8 after[NPCRECSIZE];
    npc[a]->state = before[0][75]; // the load sets the activity state
    npctofile(npc[a], after);
    EXPECT_EQ(std::memcmp(after, before[0], NPCRECSIZE), 0);
    npc[b]->state = before[1][75];
    npctofile(npc[b], after);
    EXPECT_EQ(std::memcmp(after, before[1], NPCRECSIZE), 0);
    // Both stand on one cell: the higher slot is the one the grid names.
    EXPECT_EQ(npcmap[40 * 256 + 30], b);
    EXPECT_EQ(std::filesystem::file_size("maps/map0.npc"), NPCFILEBYTES);
}

TEST(MapFile, ShortNpcFileIsRefusedAndLeavesTheRecordsAsTheyWere) {
    startworld();
    writemap("maps/map0", 10, 10, 0, 0);
    npc[100]->gold = 77;
    std::filesystem::resize_file("maps/map0.npc", 10 * NPCRECSIZE);
    EXPECT_FALSE(loadmap("maps\\map0.dat"));
    EXPECT_EQ(npc[100]->gold, 77u);
    EXPECT_EQ(companionname("maps\\map0.dat", "npc"), "maps\\map0.npc");
}

TEST(MapFile, MapsWhoseNumbersReachOutsideTheTablesAreRefusedWhole) {
    startworld();
    writemap("maps/good", 100, 50, 1, 1);
    ASSERT_TRUE(loadmap("maps\\good.dat"));
    std::vector<u16> land(landmap, landmap + MAPCELLS);
    struct breakage {
        const char* file;
        size_t at;
        std::vector<u8> bytes;
    } cases[] = {
        {"maps/bad.dat", 2 * 5, {0x00, 0x05}},                                  // land 1280
        {"maps/bad.dat", MAPGRIDBYTES + 2 * 9, {0x00, 0x10}},                   // item 4096
        {"maps/bad.npc", 40 * NPCRECSIZE + 71, {1}},                            // a unit at x 0, y 0 ...
        {"maps/bad.npc", 40 * NPCRECSIZE + 4, {0x00, 0x01}},                    // ... moved to x 256
        {"maps/bad.npc", 41 * NPCRECSIZE + 12, {12}},                           // of type 12
    };
    for (size_t k = 0; k < std::size(cases); k++) {
        writemap("maps/bad", 100, 50, 1, 1);
        for (size_t j = 0; j <= k; j++) {
            if (k >= 3 && j < 2) continue; // the unit cases stand alone
            std::fstream f(cases[j].file, std::ios::in | std::ios::out | std::ios::binary);
            f.seekp((std::streamoff)cases[j].at);
            f.write((const char*)cases[j].bytes.data(), (std::streamsize)cases[j].bytes.size());
        }
        if (k == 4) {
            std::fstream f("maps/bad.npc", std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(41 * NPCRECSIZE + 71);
            f.put(1);
        }
        if (k == 2) continue; // a unit at (0, 0) is fine
        EXPECT_FALSE(loadmap("maps\\bad.dat")) << k;
        EXPECT_EQ(std::memcmp(land.data(), landmap, MAPGRIDBYTES), 0) << k;
        EXPECT_EQ(npc[1]->x, 100) << k;
    }
    EXPECT_FALSE(loadmap("maps\\missing.dat"));
}

TEST(CreateNpc, FillsTheLowestFreeSlotOfThePlayerUntilFull) {
    startworld();
    for (int i = 0; i < 32; i++) ASSERT_EQ(createnpc(3, 1, 2, 2), 65 + i);
    EXPECT_EQ(createnpc(3, 1, 2, 2), 0);
    EXPECT_EQ(players[2].npccount, 32);
    std::memset(npc[70], 0, sizeof(npcrec));
    EXPECT_EQ(createnpc(5, 7, 8, 2), 70);
    const npcrec& n = *npc[70];
    EXPECT_EQ(n.mapoff, 8u * 256 + 7);
    EXPECT_EQ(n.health, 35);
    EXPECT_EQ(n.healthmax, 35);
    EXPECT_EQ(n.fatiguemax, 55);
    EXPECT_EQ(n.magicmax, 15);
    EXPECT_EQ(n.facing, 5);
    EXPECT_EQ(n.created, 1);
    EXPECT_EQ(npcmap[8 * 256 + 7], 0); // the caller places it
}

static std::vector<u8> runs(std::initializer_list<std::pair<u16, std::vector<u16>>> rs) {
    std::vector<u8> out;
    for (auto& r : rs) {
        out.push_back((u8)r.first);
        out.push_back((u8)(r.first >> 8));
        out.push_back((u8)r.second.size());
        for (u16 p : r.second) {
            out.push_back((u8)p);
            out.push_back((u8)(p >> 8));
        }
    }
    return out;
}

TEST(PictureCode, RunsMustStayInTheirBoxAndTheirData) {
    auto ok = runs({{3, {1, 2}}, {766, {3}}}); // row 0 columns 3..4, row 1 column 1
    EXPECT_TRUE(rlefits(ok.data(), (u32)ok.size(), 5, 2));
    EXPECT_FALSE(rlefits(ok.data(), (u32)ok.size(), 4, 2)); // too wide
    EXPECT_FALSE(rlefits(ok.data(), (u32)ok.size(), 5, 1)); // too tall
    EXPECT_FALSE(rlefits(ok.data(), (u32)ok.size() - 1, 5, 2)); // last pixel cut
    auto far = runs({{65535, {1}}, {65535, {1}}});
    EXPECT_FALSE(rlefits(far.data(), (u32)far.size(), 80, 120));
    EXPECT_TRUE(rlefits(nullptr, 0, 1, 1));
    // A run that fits a box wider than the 768-pixel pitch would wrap into
    // the next row: such a box is refused, whatever the runs.
    auto wraps = runs({{760, std::vector<u16>(20, 7)}});
    EXPECT_FALSE(rlefits(wraps.data(), (u32)wraps.size(), 780, 3));
    EXPECT_FALSE(rlefits(ok.data(), (u32)ok.size(), RLEPITCH + 1, 2));
    EXPECT_TRUE(rlefits(ok.data(), (u32)ok.size(), RLEPITCH, 2));
    EXPECT_EQ(to565(0x7FFF), 0xFFDF);
    EXPECT_EQ(to565(0x0421), 0x0841);
    EXPECT_EQ(to565(0x001F), 0x001F);
    EXPECT_EQ(to565(0x03E0), 0x07C0);
    std::vector<u8> conv = runs({{0, {0x7FFF, 0x0421}}});
    rleto565(conv.data(), (u32)conv.size());
    EXPECT_EQ(getu16(&conv[3]), 0xFFDF);
    EXPECT_EQ(getu16(&conv[5]), 0x0841);
}

TEST(ViewTables, GeneratedTablesKeepEveryRuleAndPickEveryPointOfTheMapArea) {
    std::vector<vsyrec> lines(NUMVSY);
    std::vector<vssrec> squares(NUMVSS);
    makeviewtables(lines.data(), squares.data());
    ASSERT_EQ(checkviewtables(lines.data(), squares.data()), nullptr);
    std::memcpy(vsy, lines.data(), sizeof vsy);
    for (int i = 0; i < NUMVSS; i++) {
        vss[i] = squares[i];
        vss[i].offset = (u32)squares[i].y * 768 + (u32)squares[i].x;
    }
    scx = 100;
    scy = 60;
    for (i32 my = 0; my < 400; my++)
        for (i32 mx = 0; mx < 640; mx++) {
            i32 cx, cy;
            int sq;
            ASSERT_TRUE(pickcell(mx, my, &cx, &cy, &sq)) << mx << "," << my;
            ASSERT_GE(sq, 0) << mx << "," << my;
            // The picked cell's diamond holds the point.
            const vssrec& s = vss[sq];
            EXPECT_EQ(cx, scx + s.column - 20);
            double dx = std::fabs(mx + 0.5 - (s.x - 60 + 20)) / 20, dy = std::fabs(my + 0.5 - (s.y - 30 + 10)) / 10;
            ASSERT_LE(dx + dy, 1.1) << mx << "," << my;
        }
    // Every square's box lies inside the Virtual Screen.
    for (const vssrec& s : squares) {
        EXPECT_GE(s.x - 60, -60);
        EXPECT_LE(s.x - 60 + 40, 708);
        EXPECT_GE(s.y - 30, -240);
        EXPECT_LE(s.y - 30 + 20, 660);
    }
}

TEST(ViewTables, BrokenTablesAreNamed) {
    std::vector<vsyrec> lines(NUMVSY);
    std::vector<vssrec> squares(NUMVSS);
    makeviewtables(lines.data(), squares.data());
    auto l2 = lines;
    l2[30].firstvss++;
    EXPECT_STREQ(checkviewtables(l2.data(), squares.data()), "a line does not start where the one above ends");
    auto s2 = squares;
    s2[500].x += 20;
    EXPECT_STREQ(checkviewtables(lines.data(), s2.data()), "a square is off the projection's grid");
    l2 = lines;
    l2[46].numofxs++;
    EXPECT_STREQ(checkviewtables(l2.data(), squares.data()), "the lines do not list every square");
    EXPECT_EQ(pickmask(0, 19), 1);
    EXPECT_EQ(pickmask(0, 20), 3);
    EXPECT_EQ(pickmask(9, 1), 1);
    EXPECT_EQ(pickmask(9, 2), 0);
    EXPECT_EQ(pickmask(9, 37), 0);
    EXPECT_EQ(pickmask(9, 38), 3);
}
