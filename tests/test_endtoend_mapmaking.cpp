// A map made from nothing and played, headless, as a modder would: a new
// map with a party, a start point and enemies of three players, saved under
// a new name, loaded back, a change undone and redone, then played with
// --map to a victory.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "playrun.h"
#include "testenv.h"
#include "world/lebytes.h"
#include "world/mapfile.h"
#include "world/npc.h"

namespace {

std::string withbase(std::string text, const std::string& base) {
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + base.size())) text.replace(at, 1, base);
    return text;
}

std::vector<u8> filebytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<u8>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

u16 landat(const std::vector<u8>& main, int x, int y) { return getu16(&main[(size_t)(y * 256 + x) * 2]); }

// The editor's view is centred on (128, 128): a cell (x, y) is at
// (320 + 20 (x - y), 200 + 10 (x + y - 256)). New Map from the menu, random
// land, the start at (126, 126) facing its first way, the Place Unit tool
// with the skeleton type; units for players 3, 1, 2 round the start and one
// of the party (O steps the owner), each placed before the ones drawn in
// front of it; Save Map As "e2emap"; Load Map of it through the file
// dialog; a piece of land deleted, undone and saved, redone and saved
// (Ctrl+Z, Ctrl+S, Ctrl+Y, Ctrl+S), then leaving without a further save.
const char* const MAKE =
    "10 move 320 284\n"
    "15 ldown\n"
    "17 lup\n"
    "60 move 300 100\n"
    "65 rdown\n"
    "75 move 310 173\n"
    "85 rup\n"
    "130 key R\n"
    "140 move 320 80\n"
    "145 ldown\n"
    "150 move 320 200\n"
    "155 move 320 320\n"
    "160 lup\n"
    "170 key S\n"
    "172 key LBRACKET\n"
    "174 key LBRACKET\n"
    "180 move 320 160\n"
    "185 ldown\n"
    "187 lup\n"
    "200 key ENTER\n"
    "220 move 180 420\n"
    "225 ldown\n"
    "227 lup\n"
    "240 key LEFT\n"
    "245 key O\n"
    "250 key O\n"
    "260 move 320 140\n"
    "265 ldown\n"
    "267 lup\n"
    "280 key O\n"
    "283 key O\n"
    "285 move 300 150\n"
    "290 ldown\n"
    "292 lup\n"
    "300 key O\n"
    "305 move 340 150\n"
    "310 ldown\n"
    "312 lup\n"
    "320 key O\n"
    "322 key O\n"
    "325 move 400 200\n"
    "330 ldown\n"
    "332 lup\n"
    "350 shot @-made.png\n"
    "360 move 300 100\n"
    "365 rdown\n"
    "375 move 310 217\n"
    "385 rup\n"
    "425 text e2emap\n"
    "430 key ENTER\n"
    "470 move 300 100\n"
    "475 rdown\n"
    "485 move 310 187\n"
    "495 rup\n"
    "530 shot @-load.png\n"
    "540 move 330 139\n"
    "545 ldown\n"
    "547 lup\n"
    "550 ldown\n"
    "552 lup\n"
    "600 shot @-loaded.png\n"
    "610 key DEL\n"
    "612 key DEL\n"
    "620 move 320 240\n"
    "625 ldown\n"
    "630 move 320 250\n"
    "635 move 320 260\n"
    "640 lup\n"
    "660 keydown CTRL\n"
    "662 key Z\n"
    "664 key S\n"
    "666 keyup CTRL\n"
    "700 keydown CTRL\n"
    "702 key Y\n"
    "704 key S\n"
    "706 keyup CTRL\n"
    "720 shot @-redone.png\n"
    "740 key ESC\n"
    "760 key N\n"
    "800 dump @-menu.txt\n"
    "820 quit\n";

// Run Demo on the new map: the leader strikes the three foes standing
// round him, one after the other (the view is centred on him).
const char* const PLAY =
    "10 move 320 252\n"
    "20 ldown\n"
    "22 lup\n"
    "60 move 300 190\n"
    "65 ldown\n"
    "67 lup\n"
    "600 move 340 190\n"
    "605 ldown\n"
    "607 lup\n"
    "1050 shot @-1050.png\n"
    "1100 move 320 140\n"
    "1105 ldown\n"
    "1107 lup\n"
    "1700 dump @-d1700.txt\n"
    "1700 shot @-end.png\n"
    "1750 quit\n";

} // namespace

TEST(EndToEndMapMaking, ANewMapIsMadeSavedLoadedUndoneAndPlayedToAVictory) {
    std::string data = freshdata("mapmaking");
    std::string base = data + "/../mapmaking";
    run made = play(data, withbase(MAKE, base));
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.log.find("Loading Map: maps\\e2emap.dat"), std::string::npos) << "Load Map read the map saved as";

    std::vector<u8> npcs = filebytes(data + "/maps/e2emap.npc"), header = filebytes(data + "/maps/e2emap.map");
    ASSERT_EQ(npcs.size(), (size_t)NPCFILEBYTES);
    ASSERT_EQ(header.size(), (size_t)MAPDATASIZE);
    EXPECT_EQ(header[0], 126);
    EXPECT_EQ(header[4], 126);
    EXPECT_EQ(header[8], 1);
    int perplayer[NUMPLAYERS] = {};
    for (int s = 1; s <= MAXNPCS; s++) {
        npcrec n{};
        npcfromfile(&npcs[(size_t)s * NPCRECSIZE], &n);
        if (n.isused) perplayer[slotplayer(s)]++;
    }
    EXPECT_EQ(perplayer[0], 1) << "one of the party";
    for (int p = 1; p < NUMPLAYERS; p++) EXPECT_EQ(perplayer[p], 1) << "an enemy of player " << p;

    // The save after the undo is the backup now; the save after the redo
    // is the map.
    std::vector<u8> undone = filebytes(data + "/maps/e2emap.da0"), redone = filebytes(data + "/maps/e2emap.dat");
    ASSERT_EQ(undone.size(), (size_t)MAPGRIDBYTES * 2);
    ASSERT_EQ(redone.size(), (size_t)MAPGRIDBYTES * 2);
    for (int c : {130, 131}) {
        EXPECT_NE(landat(undone, c, c), 0) << "undone: the land is back at " << c;
        EXPECT_EQ(landat(redone, c, c), 0) << "redone: deleted again at " << c;
    }
    EXPECT_NE(landat(redone, 129, 129), 0) << "the land round it untouched";
    EXPECT_NE(readtext(base + "-menu.txt").find("gamestate 1 "), std::string::npos) << "back at the main menu";

    run played = play(data, withbase(PLAY, base), "--map e2emap");
    ASSERT_EQ(played.status, 0) << played.err;
    size_t loaded = played.log.find("Loading Map: maps\\e2emap.dat");
    ASSERT_NE(loaded, std::string::npos);
    size_t won = played.log.find(" - GS: 04,  Mission won\n", loaded);
    EXPECT_NE(won, std::string::npos) << played.log.substr(played.log.size() > 600 ? played.log.size() - 600 : 0);
    EXPECT_EQ(played.log.find("Mission lost"), std::string::npos);
    EXPECT_EQ(played.log.find("Loading Map: maps\\map0.dat", loaded), std::string::npos) << "map0 is not played";
}
