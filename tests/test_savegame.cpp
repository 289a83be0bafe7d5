// Saved games in memory: what a save holds comes back whole, a file is
// taken only when every number in it fits, and a refused file leaves the
// game in progress as it was.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/clickorders.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/pathfind.h"
#include "game/missionstate.h"
#include "game/savefile.h"
#include "game/savestate.h"
#include "game/spells.h"
#include "testenv.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/lebytes.h"
#include "world/npc.h"
#include "world/unittype.h"

static std::vector<unittyperec> saveunits(NUMUNITTYPES);

static int placeunit(int type, int player, i32 x, i32 y) {
    int s = createnpc((u32)type, x, y, player);
    EXPECT_GT(s, 0);
    npc[s]->state = NPC_IDLE;
    npcmap[y * 256 + x] = (u16)s;
    return s;
}

// A mission in the middle of things: units walking and fighting, a missile
// with its trail, a cloud, a number, a path half walked, the clock and the
// generator somewhere along.
static void startsaveworld() {
    static bool ready = false;
    if (!ready) {
        starttestplatform();
        allocgrids();
        initnpc();
        for (int i = 0; i < NUMUNITTYPES; i++) {
            saveunits[i] = unittyperec{};
            saveunits[i].healthmax = 40;
            saveunits[i].movementmax = 50;
            unittype[i] = &saveunits[i];
        }
        ready = true;
    }
    std::memset(landmap, 0, MAPCELLS * 2);
    std::memset(itemmap, 0, MAPCELLS * 2);
    std::memset(npcmap, 0, MAPCELLS * 2);
    std::memset(specialmap, 0, MAPCELLS * 2);
    std::memset(lightmap, 15, MAPCELLS);
    for (npcrec* n : npc) std::memset(n, 0, sizeof *n);
    std::memset(players, 0, sizeof players);
    for (int i = 0; i < MAPCELLS; i++) landmap[i] = (u16)(2 + i % 7), itemmap[i] = (u16)(i % 13 == 0 ? 40 : 0);
    specialmap[300] = 16;
    lightmap[1000] = 3;
    vistoplayer[2][77] = 0;
    int leader = placeunit(1, 0, 100, 100);
    npc[leader]->brightness = 6;
    npc[leader]->selected = 1;
    int hunter = placeunit(4, 1, 104, 100);
    npc[hunter]->state = NPC_MOVING;
    npc[hunter]->step = 5;
    npc[hunter]->target = (u8)leader;
    npc[hunter]->cloudslot = 2;
    npc[hunter]->nextcry = 4321;
    placeunit(2, 2, 90, 95);
    clearmissiles();
    launchmissile(104, 100, 100, 100, MISSILE_MAGIC, 30.0f, 7, hunter);
    updatemissiles();
    cleardamagenumbers();
    startdamagenumber(12, 100 * 256 + 100, 1);
    clearclouds();
    opencloud(2, hunter, "Help!", 0);
    cloud[2].width = 80;
    tickcount = 5000;
    pulse = 11;
    pulseup = 0;
    resetgamerandom();
    for (int i = 0; i < 17; i++) gamerandom();
    curnpc = leader;
    gamepaused = 0;
    std::memset(npcpath, 9, NPCPATHSIZE);
    npcpath[0] = 3, npcpath[1] = 4, npcpath[2] = 5;
    pathpos = 1;
    fatigueregentick = 5003;
    magicregentick = 5077;
    animationdue = 5002;
    nextframetick = 5001;
    armedslot[0] = armedslot[1] = armedslot[2] = armedslot[3] = 0;
    resetpathfinder();
    setcursormode(1);
    scx = 100, scy = 100;
    framedelay = 2;
    lighting = 1;
    ambient = 15;
    npc[hunter]->frozen = 3;
    thawtick[hunter] = 5040;
    frozenseen[hunter] = 3;
    followtoggle = 1;
    autogather = 1;
    armedslot[2] = 1;
    paneltab = 2;
    gamepaused = 1;
}

static std::vector<u8> savenow() {
    std::vector<u8> b;
    buildsave(&b);
    return b;
}

// Everything the table moves, scrambled, so that a load has all of it to
// put back.
static void scramble() {
    std::memset(landmap, 0, MAPCELLS * 2);
    std::memset(itemmap, 0, MAPCELLS * 2);
    std::memset(npcmap, 0, MAPCELLS * 2);
    std::memset(lightmap, 0, MAPCELLS);
    for (npcrec* n : npc) std::memset(n, 0, sizeof *n);
    npc[1]->isused = 1;
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    tickcount = 9;
    pulse = 3;
    gamerandom();
    curnpc = 1;
    pathpos = 0;
    magicregentick = 0;
    setcursormode(20);
    scx = 30;
    thawtick[33] = 0;
    frozenseen[33] = 0;
    followtoggle = 0;
    autogather = 0;
    armedslot[2] = 0;
    paneltab = 0;
    gamepaused = 0;
    lighting = 0;
    framedelay = 9;
}

TEST(SaveGame, LoadingPutsBackEveryPieceAndSavingAgainGivesTheSameFile) {
    startsaveworld();
    std::vector<u8> first = savenow();
    i32 next[3] = {gamerandom(), gamerandom(), gamerandom()};
    scramble();
    const char* why = loadsavebytes(first.data(), first.size());
    ASSERT_EQ(why, nullptr) << why;
    EXPECT_EQ(savenow(), first) << "save, load, save gives the same bytes";
    // What the game goes on with is what it was saved with.
    EXPECT_EQ((u32)tickcount, 5000u);
    EXPECT_EQ((int)pulse, 11);
    EXPECT_EQ(gamerandom(), next[0]);
    EXPECT_EQ(gamerandom(), next[1]);
    EXPECT_EQ(gamerandom(), next[2]);
    EXPECT_EQ(npc[33]->nextcry, 4321u);
    EXPECT_EQ(npc[33]->step, 5);
    EXPECT_EQ(npcmap[100 * 256 + 104], 33);
    EXPECT_EQ(landmap[12345], 2 + 12345 % 7);
    EXPECT_EQ(lightmap[1000], 3);
    EXPECT_EQ(vistoplayer[2][77], 0);
    EXPECT_EQ(missile[0].isused, 1);
    EXPECT_EQ(missile[0].shooter, 33);
    EXPECT_EQ(damagenumber[0].value, 12);
    ASSERT_TRUE(cloud[2].active);
    ASSERT_NE(cloud[2].text, nullptr);
    EXPECT_STREQ(cloud[2].text, "Help!");
    EXPECT_EQ(cloud[2].slot, 33);
    EXPECT_EQ(pathpos, 1);
    EXPECT_EQ(npcpath[2], 5);
    EXPECT_EQ(magicregentick, 5077u);
    EXPECT_EQ(cursormode, 1);
    EXPECT_EQ(cursorvisible, 1u);
    EXPECT_EQ(scx, 100);
    // The frozen hunter thaws when it would have; the switches are as they were.
    EXPECT_EQ(thawtick[33], 5040u);
    EXPECT_EQ(frozenseen[33], 3);
    EXPECT_EQ(followtoggle, 1u);
    EXPECT_EQ(autogather, 1);
    EXPECT_EQ(armedslot[2], 1);
    EXPECT_EQ(paneltab, 2);
    EXPECT_EQ(gamepaused, 1u);
    EXPECT_EQ(lighting, 1);
    EXPECT_EQ(framedelay, 2u);
}

TEST(SaveGame, TheFileHasItsMagicVersionLengthAndChecksum) {
    startsaveworld();
    std::vector<u8> b = savenow();
    ASSERT_GT(b.size(), SAVEHEADERBYTES);
    EXPECT_EQ(std::memcmp(b.data(), SAVEMAGIC, 8), 0);
    EXPECT_EQ(getu32(&b[8]), SAVEVERSION);
    EXPECT_EQ(getu32(&b[12]), b.size() - SAVEHEADERBYTES);
    EXPECT_EQ(getu32(&b[16]), savecrc32(b.data() + SAVEHEADERBYTES, b.size() - SAVEHEADERBYTES));
    // The CRC is the usual one.
    const u8 check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(savecrc32(check, 9), 0xCBF43926u);
    std::vector<savesectionview> s;
    ASSERT_EQ(savesplit(b.data(), b.size(), &s), nullptr);
    ASSERT_EQ((int)s.size(), numsavepieces);
    for (int i = 0; i < numsavepieces; i++) {
        EXPECT_STREQ(s[(size_t)i].name, savepieces[i].name);
        EXPECT_EQ(s[(size_t)i].size, savepieces[i].size);
    }
}

// A byte of a section changed, the checksum made right again: only the
// checks of the numbers stand between the file and the game.
static std::vector<u8> patched(std::vector<u8> b, const char* name, size_t at, const void* value, size_t n) {
    std::vector<savesectionview> s;
    EXPECT_EQ(savesplit(b.data(), b.size(), &s), nullptr);
    for (const savesectionview& v : s)
        if (std::strcmp(v.name, name) == 0) {
            EXPECT_LE(at + n, v.size) << name;
            std::memcpy(&b[v.offset + at], value, n);
            putu32(&b[16], savecrc32(b.data() + SAVEHEADERBYTES, b.size() - SAVEHEADERBYTES));
            return b;
        }
    ADD_FAILURE() << "no section " << name;
    return b;
}

template <typename T> static std::vector<u8> patched(const std::vector<u8>& b, const char* name, size_t at, T v) {
    return patched(b, name, at, &v, sizeof v);
}

static size_t npcfield(int slot, size_t offset) { return (size_t)slot * sizeof(npcrec) + offset; }

struct badfile {
    const char* what;
    std::vector<u8> bytes;
    const char* reason; // the start of what the refusal says
};

TEST(SaveGame, EveryBadFileIsRefusedWithItsReasonAndTheGameIsKept) {
    startsaveworld();
    std::vector<u8> good = savenow();
    const char* goodwhy = checksavebytes(good.data(), good.size());
    ASSERT_EQ(goodwhy, nullptr) << goodwhy;
    std::vector<badfile> bad;
    bad.push_back({"empty", {}, "not a saved game"});
    bad.push_back({"cut in the header", std::vector<u8>(good.begin(), good.begin() + 10), "not a saved game"});
    bad.push_back({"truncated", std::vector<u8>(good.begin(), good.end() - 100), "cut short"});
    std::vector<u8> longer = good;
    longer.push_back(0);
    bad.push_back({"a byte too many", longer, "longer than it says"});
    std::vector<u8> magic = good;
    magic[0] = 'X';
    bad.push_back({"another magic", magic, "not a saved game"});
    std::vector<u8> version = good;
    putu32(&version[8], SAVEVERSION + 1);
    bad.push_back({"another version", version, "saved by another version"});
    std::vector<u8> flipped = good;
    flipped[good.size() / 2] ^= 0x40;
    bad.push_back({"a byte flipped", flipped, "damaged (its checksum"});
    std::vector<u8> huge(SAVEMAXBYTES + 1, 0);
    std::memcpy(huge.data(), good.data(), good.size());
    bad.push_back({"huge", huge, "too large"});
    // A section of another size, the file otherwise whole.
    std::vector<u8> resized;
    savebegin(&resized);
    std::vector<savesectionview> s;
    ASSERT_EQ(savesplit(good.data(), good.size(), &s), nullptr);
    for (const savesectionview& v : s) saveaddsection(&resized, v.name, v.bytes, std::strcmp(v.name, "missiles") ? v.size : v.size - 4);
    savefinish(&resized);
    bad.push_back({"fewer missiles", resized, "saved by another version"});
    std::vector<u8> fewer;
    savebegin(&fewer);
    for (size_t i = 0; i + 1 < s.size(); i++) saveaddsection(&fewer, s[i].name, s[i].bytes, s[i].size);
    savefinish(&fewer);
    bad.push_back({"a section missing", fewer, "saved by another version"});
    // Numbers that would reach outside what they index.
    bad.push_back({"unit type 12", patched(good, "npcs", npcfield(1, 12), (u32)NUMUNITTYPES), "a unit outside the map or of no known type"});
    bad.push_back({"unit off the map", patched(good, "npcs", npcfield(33, 4), (i16)256), "a unit outside the map"});
    bad.push_back({"map offset not its cell", patched(good, "npcs", npcfield(33, 0), (u32)70000), "a unit outside the map"});
    bad.push_back({"unit in another's slot", patched(good, "npcs", npcfield(1, 24), (u8)1), "a unit in another player's slot"});
    bad.push_back({"unit brightness", patched(good, "npcs", npcfield(1, 11), (u8)(MAXBRIGHTNESS + 1)), "a unit shining"});
    bad.push_back({"unit cloud past the last", patched(good, "npcs", npcfield(1, 82), (u8)MAXCLOUDS), "a unit naming a record"});
    bad.push_back({"unit state 5", patched(good, "npcs", npcfield(1, 75), (u8)5), "a unit in no known state"});
    bad.push_back({"curnpc 0", patched(good, "curnpc", 0, (i32)0), "a value out of its range"});
    bad.push_back({"curnpc 129", patched(good, "curnpc", 0, (i32)129), "a value out of its range"});
    bad.push_back({"curnpc a slot off the map", patched(patched(good, "npcs", npcfield(100, 4), (i16)300), "curnpc", 0, (i32)100), "the commanded unit outside the map"});
    bad.push_back({"npcmap slot 129", patched(good, "npcmap", 2 * 500, (u16)129), "a value out of its range"});
    bad.push_back({"npcmap an empty slot", patched(good, "npcmap", 2 * 500, (u16)90), "a cell holding a unit that is not there"});
    bad.push_back({"land type past the last", patched(good, "landmap", 2 * 7, (u16)NUMLANDTYPES), "a value out of its range"});
    bad.push_back({"item past the last", patched(good, "itemmap", 2 * 9, (u16)NUMITEMTYPES), "a value out of its range"});
    bad.push_back({"light level 16", patched(good, "lightmap", 3, (u8)16), "a value out of its range"});
    bad.push_back({"missile off the map", patched(good, "missiles", 4, (i32)256), "a missile outside the map"});
    bad.push_back({"missile position not a number", patched(good, "missiles", 12, std::numeric_limits<f32>::quiet_NaN()), "a missile off its cell"});
    bad.push_back({"missile shooter", patched(good, "missiles", offsetof(missilerec, shooter), (i32)MAXNPCS + 1), "a missile of no known kind"});
    bad.push_back({"number off the map", patched(good, "numbers", offsetof(damagenumberrec, cell), (i32)MAPCELLS), "a floating number outside the map"});
    bad.push_back({"cloud of slot 200", patched(good, "clouds", 2 * 92 + 20, (i32)200), "a cloud of a unit past the last"});
    std::vector<u8> words(64, 'a');
    bad.push_back({"cloud words without end", patched(good, "clouds", 2 * 92 + 28, words.data(), words.size()), "a cloud's words"});
    std::vector<u8> steps(NPCPATHSIZE, 3);
    bad.push_back({"path without its end", patched(good, "path", 1, steps.data(), steps.size()), "a path without an end"});
    bad.push_back({"path walked past its end", patched(good, "path", 0, (u8)NPCPATHSIZE), "a path without an end"});
    bad.push_back({"path step 10", patched(good, "path", 3, (u8)10), "a path of no known steps"});
    bad.push_back({"cursor mode 47", patched(good, "cursor", 0, (u8)(CM_LASTAIM + 1)), "no known cursor"});
    bad.push_back({"pulse 25", patched(good, "clock", 8, (u8)25), "a clock out of its range"});
    bad.push_back({"ambient 16", patched(good, "ambient", 0, (u8)16), "a value out of its range"});
    bad.push_back({"picked cell off the map", patched(good, "cursoff", 0, (u32)MAPCELLS), "a picked cell outside the map"});
    bad.push_back({"player with 33 units", patched(good, "players", 3, (u8)33), "a player with more units"});
    bad.push_back({"target off the map", patched(patched(good, "npcs", npcfield(33, 69), (u8)100), "npcs", npcfield(100, 4), (i16)-1), "a unit's target outside the map"});
    for (const badfile& f : bad) {
        const char* why = loadsavebytes(f.bytes.data(), f.bytes.size());
        ASSERT_NE(why, nullptr) << f.what << " was taken";
        EXPECT_EQ(std::string(why).rfind(f.reason, 0), 0u) << f.what << ": " << why;
        EXPECT_EQ(savenow(), good) << f.what << " changed the game";
    }
}
