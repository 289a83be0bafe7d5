// Saved games in memory: what a save holds comes back whole, a file is
// taken only when every number in it fits, and a refused file leaves the
// game in progress as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/clickorders.h"
#include "game/cursorchoice.h"
#include "game/eventlog.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstats.h"
#include "game/pathfind.h"
#include "game/missionstate.h"
#include "game/savefile.h"
#include "game/savegame.h"
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

// Where each section of the good file starts, found once: an edit moves
// nothing, so every edited copy has its sections there too.
static std::vector<savesectionview> goodsections;

static std::vector<u8> edited(std::vector<u8> b, const char* name, size_t at, const void* value, size_t n) {
    for (const savesectionview& v : goodsections)
        if (std::strcmp(v.name, name) == 0) {
            EXPECT_LE(at + n, v.size) << name;
            std::memcpy(&b[v.offset + at], value, n);
            putu32(&b[16], savecrc32(b.data() + SAVEHEADERBYTES, b.size() - SAVEHEADERBYTES));
            return b;
        }
    ADD_FAILURE() << "no section " << name;
    return b;
}

template <typename T> static std::vector<u8> edited(const std::vector<u8>& b, const char* name, size_t at, T v) {
    return edited(b, name, at, &v, sizeof v);
}

// A whole unit record of the file changed at once, so that a cell and its
// offset move together.
template <typename F> static std::vector<u8> withunit(const std::vector<u8>& b, int slot, F change) {
    npcrec n{};
    for (const savesectionview& v : goodsections)
        if (std::strcmp(v.name, "npcs") == 0) std::memcpy(&n, b.data() + v.offset + npcfield(slot, 0), sizeof n);
    change(n);
    return edited(b, "npcs", npcfield(slot, 0), &n, sizeof n);
}

struct edgefile {
    std::string what;
    std::vector<u8> bytes;
    const char* reason; // nullptr: the file must be taken
};

// The ends of a range must be taken and the values just past them refused
// (where the field's type can hold them).
template <typename T>
static void rangeedges(std::vector<edgefile>* out, const std::vector<u8>& good, const char* section, size_t at,
                       long long lo, long long hi, const char* reason) {
    std::string what = std::string(section) + " at " + std::to_string(at) + " = ";
    out->push_back({what + std::to_string(lo), edited(good, section, at, (T)lo), nullptr});
    out->push_back({what + std::to_string(hi), edited(good, section, at, (T)hi), nullptr});
    if (lo - 1 >= (long long)std::numeric_limits<T>::min())
        out->push_back({what + std::to_string(lo - 1), edited(good, section, at, (T)(lo - 1)), reason});
    if (hi + 1 <= (long long)std::numeric_limits<T>::max())
        out->push_back({what + std::to_string(hi + 1), edited(good, section, at, (T)(hi + 1)), reason});
}

TEST(SaveGame, EachLimitTakesItsLastValueAndRefusesTheNext) {
    startsaveworld();
    std::vector<u8> good = savenow();
    ASSERT_EQ(checksavebytes(good.data(), good.size()), nullptr);
    ASSERT_EQ(savesplit(good.data(), good.size(), &goodsections), nullptr);
    std::vector<edgefile> e;
    const char* range = "a value out of its range";
    // The leader's record (slot 1), field by field.
    auto unitfield = [&](size_t off) { return npcfield(1, off); };
    const char* pose = "a unit in no known pose";
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, facing)), 0, 8, pose);
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, frame)), 0, 16, pose);
    rangeedges<i8>(&e, good, "npcs", unitfield(offsetof(npcrec, step)), -8, 8, pose);
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, brightness)), 0, MAXBRIGHTNESS, "a unit shining");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, hidden)), 0, 2, "a unit shining");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, casting)), 0, 1, "a unit shining");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, cloudslot)), 0, MAXCLOUDS - 1, "a unit naming a record");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, target)), 0, MAXNPCS, "a unit naming a record");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, selected)), 0, 1, "a unit naming a record");
    rangeedges<u32>(&e, good, "npcs", unitfield(offsetof(npcrec, unitno)), 0, NUMUNITTYPES - 1, "a unit outside the map or of no known type");
    rangeedges<u8>(&e, good, "npcs", unitfield(offsetof(npcrec, state)), 0, NPC_ATTACKING, "a unit in no known state");
    e.push_back({"state empty", edited(good, "npcs", unitfield(offsetof(npcrec, state)), (u8)NPC_EMPTY), nullptr});
    e.push_back({"state past empty", edited(good, "npcs", unitfield(offsetof(npcrec, state)), (u8)(NPC_EMPTY + 1)), "a unit in no known state"});
    // A cell is the map's from 0 to 255 on both axes, its offset with it.
    auto at = [&](i16 x, i16 y) {
        return withunit(good, 1, [&](npcrec& n) { n.x = x, n.y = y, n.mapoff = (u32)(y * MAPSIZE + x); });
    };
    const char* off = "a unit outside the map";
    e.push_back({"unit at x 0", at(0, 100), nullptr});
    e.push_back({"unit at x 255", at(255, 100), nullptr});
    e.push_back({"unit at y 0", at(100, 0), nullptr});
    e.push_back({"unit at y 255", at(100, 255), nullptr});
    e.push_back({"unit at x -1", at(-1, 100), off});
    e.push_back({"unit at x 256", at(256, 100), off});
    e.push_back({"unit at y -1", at(100, -1), off});
    e.push_back({"unit at y 256", at(100, 256), off});
    // A record not in use is not looked at.
    e.push_back({"unused record in no pose", withunit(good, 2, [](npcrec& n) { n.facing = 200, n.x = -5; }), nullptr});
    // The last slot, in use and on the map's cell that names it.
    std::vector<u8> last = withunit(good, MAXNPCS, [](npcrec& n) {
        n = npcrec{}, n.isused = 1, n.player = (u8)slotplayer(MAXNPCS), n.x = 7, n.y = 9, n.mapoff = 9 * MAPSIZE + 7;
        n.state = NPC_IDLE;
    });
    e.push_back({"the last slot on the map", edited(last, "npcmap", 2 * (9 * MAPSIZE + 7), (u16)MAXNPCS), nullptr});
    // The first player's numbers.
    const char* player = "a player with more units";
    rangeedges<u8>(&e, good, "players", offsetof(playerrec, npccount), 0, SLOTSPERPLAYER, player);
    rangeedges<u8>(&e, good, "players", offsetof(playerrec, active), 0, 1, player);
    rangeedges<u8>(&e, good, "players", offsetof(playerrec, computer), 0, 1, player);
    // The missile in flight.
    const char* kind = "a missile of no known kind";
    e.push_back({"missile isused 2", edited(good, "missiles", offsetof(missilerec, isused), (u8)2), "a missile neither flying nor free"});
    rangeedges<u8>(&e, good, "missiles", offsetof(missilerec, kind), 0, MISSILE_MAGIC, kind);
    rangeedges<u8>(&e, good, "missiles", offsetof(missilerec, dir), 0, 8, kind);
    rangeedges<u8>(&e, good, "missiles", offsetof(missilerec, frame), 0, 7, kind);
    rangeedges<i32>(&e, good, "missiles", offsetof(missilerec, shooter), 0, MAXNPCS, kind);
    rangeedges<i32>(&e, good, "missiles", offsetof(missilerec, x), 0, MAPSIZE - 1, "a missile outside the map");
    rangeedges<i32>(&e, good, "missiles", offsetof(missilerec, y), 0, MAPSIZE - 1, "a missile outside the map");
    rangeedges<u8>(&e, good, "missiles", offsetof(missilerec, trailactive) + 3, 0, 1, "a missile's trail");
    rangeedges<u8>(&e, good, "missiles", offsetof(missilerec, trailage) + 3, 0, 8, "a missile's trail");
    struct fedge {
        size_t off;
        f32 lo, hi, past;
        const char* reason;
    } fedges[] = {
        {offsetof(missilerec, offx), 0, 40, 40.5f, "a missile off its cell"},
        {offsetof(missilerec, offy), 0, 40, 40.5f, "a missile off its cell"},
        {offsetof(missilerec, xstep), -40, 40, 40.5f, "a missile off its cell"},
        {offsetof(missilerec, ystep), -40, 40, 40.5f, "a missile off its cell"},
        {offsetof(missilerec, traildx) + 12, -1000, 1000, 1000.5f, "a missile's trail"},
        {offsetof(missilerec, traildy) + 12, -1000, 1000, 1000.5f, "a missile's trail"},
    };
    for (const fedge& f : fedges) {
        std::string what = "missile field at " + std::to_string(f.off);
        e.push_back({what + " low end", edited(good, "missiles", f.off, f.lo), nullptr});
        e.push_back({what + " high end", edited(good, "missiles", f.off, f.hi), nullptr});
        e.push_back({what + " past the high end", edited(good, "missiles", f.off, f.past), f.reason});
        e.push_back({what + " past the low end", edited(good, "missiles", f.off, f.lo == 0 ? -0.5f : -f.past), f.reason});
        e.push_back({what + " infinite", edited(good, "missiles", f.off, std::numeric_limits<f32>::infinity()), f.reason});
    }
    e.push_back({"free missile record of no kind", edited(good, "missiles", sizeof(missilerec) + offsetof(missilerec, dir), (u8)99), nullptr});
    // The floating number shown, and one not shown.
    const char* state = "a floating number in no known state";
    rangeedges<u8>(&e, good, "numbers", offsetof(damagenumberrec, active), 0, 1, state);
    rangeedges<u8>(&e, good, "numbers", offsetof(damagenumberrec, placed), 0, 1, state);
    rangeedges<i32>(&e, good, "numbers", offsetof(damagenumberrec, mode), 0, 1, state);
    rangeedges<i32>(&e, good, "numbers", offsetof(damagenumberrec, cell), 0, MAPCELLS - 1, "a floating number outside the map");
    rangeedges<i32>(&e, good, "numbers", offsetof(damagenumberrec, timer), 0, 1000, "a floating number outside the map");
    e.push_back({"number not shown off the map", edited(good, "numbers", sizeof(damagenumberrec) + offsetof(damagenumberrec, cell), (i32)-1), nullptr});
    // The open cloud (record 2 of 92 bytes: five bytes of state, three
    // spare, x, y, width, slot, the end tick, the words).
    const size_t c = 2 * 92;
    const char* cloudstate = "a cloud in no known state";
    rangeedges<u8>(&e, good, "clouds", c + 0, 0, 1, cloudstate);
    rangeedges<u8>(&e, good, "clouds", c + 1, 0, 1, cloudstate);
    rangeedges<u8>(&e, good, "clouds", c + 2, 0, 8, cloudstate);
    rangeedges<u8>(&e, good, "clouds", c + 3, 0, 1, cloudstate);
    rangeedges<u8>(&e, good, "clouds", c + 4, 0, 32, cloudstate);
    rangeedges<i32>(&e, good, "clouds", c + 16, 0, 640, "a cloud wider than the screen");
    rangeedges<i32>(&e, good, "clouds", c + 20, 0, MAXNPCS, "a cloud of a unit past the last");
    // Its speaker is looked at where it stands, in use or not, while it is open.
    std::vector<u8> over = edited(withunit(good, 40, [](npcrec& n) { n.x = 300; }), "clouds", c + 20, (i32)40);
    e.push_back({"cloud over a unit off the map", over, "a cloud over a unit outside the map"});
    e.push_back({"closed cloud over a unit off the map", edited(over, "clouds", c, (u8)0), nullptr});
    // Slot 1 is a speaker like any other (here a unit left off the map and
    // out of use, no longer commanded or on its cell); slot 0 is no unit.
    {
        npcrec leader{};
        for (const savesectionview& v : goodsections)
            if (std::strcmp(v.name, "npcs") == 0) std::memcpy(&leader, good.data() + v.offset + npcfield(1, 0), sizeof leader);
        std::vector<u8> gone = withunit(good, 1, [](npcrec& n) { n.isused = 0, n.x = 300; });
        gone = edited(edited(gone, "curnpc", 0, (i32)40), "npcmap", 2 * (size_t)leader.mapoff, (u16)0);
        for (int slot = 2; slot <= MAXNPCS; slot++)
            gone = withunit(gone, slot, [](npcrec& n) {
                if (n.target == 1) n.target = 0;
            });
        e.push_back({"cloud over slot 1 off the map", edited(gone, "clouds", c + 20, (i32)1), "a cloud over a unit outside the map"});
        e.push_back({"slot 1 off the map, no cloud over it", edited(gone, "clouds", c + 20, (i32)40), nullptr});
        std::vector<u8> none = withunit(good, 0, [](npcrec& n) { n.x = 300; });
        e.push_back({"cloud over no unit", edited(none, "clouds", c + 20, (i32)0), nullptr});
    }
    // The clock and the cursor.
    rangeedges<u8>(&e, good, "clock", 8, 0, 24, "a clock out of its range");
    rangeedges<u8>(&e, good, "clock", 9, 0, 1, "a clock out of its range");
    rangeedges<u8>(&e, good, "clock", 10, 0, 7, "a clock out of its range");
    rangeedges<u8>(&e, good, "clock", 11, 0, 1, "a clock out of its range");
    rangeedges<u8>(&e, good, "cursor", 0, 0, CM_LASTAIM, "no known cursor");
    rangeedges<u32>(&e, good, "cursoff", 0, 0, MAPCELLS - 1, "a picked cell outside the map");
    e.push_back({"no picked cell", edited(good, "cursoff", 0, NOCELL), nullptr});
    // The walked path: its last step may be the end mark itself.
    std::vector<u8> atlast = edited(edited(good, "path", 0, (u8)(NPCPATHSIZE - 1)), "path", NPCPATHSIZE, (u8)9);
    e.push_back({"path at its last step, the end mark", atlast, nullptr});
    e.push_back({"path at its last step, no end mark", edited(atlast, "path", NPCPATHSIZE, (u8)4), "a path without an end"});
    rangeedges<u8>(&e, good, "path", NPCPATHSIZE, 0, 9, "a path of no known steps");
    // A parked path may be walked to its very end, not past it.
    const size_t parked = 5 * (1 + NPCPATHSIZE);
    rangeedges<u8>(&e, good, "parked", parked, 0, NPCPATHSIZE, "a path walked past its end");
    rangeedges<u8>(&e, good, "parked", parked + 1, 0, 9, "a path of no known steps");
    // What the tally keeps.
    rangeedges<u8>(&e, good, "stats", offsetof(missionstatsrec, outcome), 0, OUTCOME_LOST, "no known outcome");
    rangeedges<u8>(&e, good, "stats", offsetof(missionstatsrec, alive) + MAXNPCS, 0, 1, "a unit neither alive nor fallen");
    std::vector<u8> endless(EVENTLINECHARS, 'x');
    e.push_back({"log line without its end", edited(good, "events", (EVENTLINES - 1) * EVENTLINECHARS, endless.data(), endless.size()), "a log line without its end"});
    // Every ranged piece of the table at both ends.
    rangeedges<i32>(&e, good, "curnpc", 0, 1, MAXNPCS, range);
    for (const char* flag : {"paused", "cputhink", "follow"}) rangeedges<u32>(&e, good, flag, 0, 0, 1, range);
    for (const char* flag : {"gather", "clickmov", "clickatk", "lmbwait", "lighting", "inrange", "adjacent"})
        rangeedges<u8>(&e, good, flag, 0, 0, 1, range);
    rangeedges<u8>(&e, good, "armed", 0, 0, 1, range);
    rangeedges<u8>(&e, good, "armed", 3, 0, 1, range);
    rangeedges<u8>(&e, good, "paneltab", 0, 0, 4, range);
    rangeedges<u8>(&e, good, "ambient", 0, 0, NUMLIGHTLEVELS - 1, range);
    rangeedges<u32>(&e, good, "frdelay", 0, 0, 31, range);
    rangeedges<i32>(&e, good, "viewx", 0, 0, MAPSIZE - 1, range);
    rangeedges<i32>(&e, good, "viewy", 0, 0, MAPSIZE - 1, range);
    rangeedges<u8>(&e, good, "pathbuf", 0, 0, 9, range);
    rangeedges<u8>(&e, good, "pathbuf", PATHBUFSIZE - 1, 0, 9, range);
    rangeedges<int>(&e, good, "invroll", 0, 0, SLOTSPERPLAYER, range);
    rangeedges<int>(&e, good, "logroll", 0, 0, EVENTLINES, range);
    rangeedges<u16>(&e, good, "landmap", 2 * 70, 0, NUMLANDTYPES - 1, range);
    rangeedges<u16>(&e, good, "itemmap", 2 * 70, 0, NUMITEMTYPES - 1, range);
    rangeedges<u16>(&e, good, "special", 2 * 70, 0, 16, range);
    rangeedges<u8>(&e, good, "lightmap", 70, 0, NUMLIGHTLEVELS - 1, range);
    // Grids are checked eight bytes at a time: every place in a word, the
    // last cell, and values with their top bit set.
    for (int cell : {0, 1, 2, 3, 4, 5, 6, 7, MAPCELLS - 1}) {
        if (cell < 4 || cell == MAPCELLS - 1) {
            rangeedges<u16>(&e, good, "landmap", 2 * (size_t)cell, 0, NUMLANDTYPES - 1, range);
            rangeedges<u16>(&e, good, "special", 2 * (size_t)cell, 0, 16, range);
            for (u16 top : {(u16)0x8000, (u16)0xFFFF})
                e.push_back({"itemmap top bit", edited(good, "itemmap", 2 * (size_t)cell, top), range});
        }
        rangeedges<u8>(&e, good, "lightmap", (size_t)cell, 0, NUMLIGHTLEVELS - 1, range);
        for (u8 top : {(u8)0x80, (u8)0xFF})
            e.push_back({"lightmap top bit", edited(good, "lightmap", (size_t)cell, top), range});
    }
    for (const edgefile& f : e) {
        const char* why = checksavebytes(f.bytes.data(), f.bytes.size());
        if (!f.reason) {
            EXPECT_EQ(why, nullptr) << f.what << " was refused: " << why;
        } else if (why == nullptr) {
            ADD_FAILURE() << f.what << " was taken";
        } else {
            EXPECT_EQ(std::string(why).rfind(f.reason, 0), 0u) << f.what << ": " << why;
        }
    }
}

// The file's frame at its edges: a header alone is a file of no sections,
// a section's own header cut anywhere or a size past the end is damage.
TEST(SaveGame, TheFramesEdgesHeaderAloneAndSectionsCutShort) {
    std::vector<u8> empty;
    savebegin(&empty);
    savefinish(&empty);
    ASSERT_EQ(empty.size(), SAVEHEADERBYTES);
    std::vector<savesectionview> s = {savesectionview{}};
    EXPECT_EQ(savesplit(empty.data(), empty.size(), &s), nullptr);
    EXPECT_TRUE(s.empty());
    std::vector<u8> shortheader(empty.begin(), empty.end() - 1);
    const char* why = savesplit(shortheader.data(), shortheader.size(), &s);
    EXPECT_STREQ(why ? why : "(taken)", "not a saved game");
    // A section of no bytes is a whole section: its header alone.
    std::vector<u8> one;
    savebegin(&one);
    saveaddsection(&one, "nothing", nullptr, 0);
    savefinish(&one);
    ASSERT_EQ(one.size(), SAVEHEADERBYTES + SAVENAMEBYTES + 4);
    EXPECT_EQ(savesplit(one.data(), one.size(), &s), nullptr);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_STREQ(s[0].name, "nothing");
    EXPECT_EQ(s[0].size, 0u);
    // The same file with its section header one byte short, or with a
    // section that says it is longer than what follows, checksum made right.
    auto resealed = [](std::vector<u8> b) {
        putu32(&b[12], (u32)(b.size() - SAVEHEADERBYTES));
        putu32(&b[16], savecrc32(b.data() + SAVEHEADERBYTES, b.size() - SAVEHEADERBYTES));
        return b;
    };
    for (size_t cut = 1; cut <= SAVENAMEBYTES + 4; cut++) {
        std::vector<u8> c = resealed(std::vector<u8>(one.begin(), one.end() - (std::ptrdiff_t)cut));
        if (c.size() == SAVEHEADERBYTES) continue; // no section at all
        why = savesplit(c.data(), c.size(), &s);
        EXPECT_STREQ(why ? why : "(taken)", "damaged (a section is cut short)") << cut << " bytes cut";
    }
    std::vector<u8> two;
    savebegin(&two);
    const u8 bytes[5] = {1, 2, 3, 4, 5};
    saveaddsection(&two, "five", bytes, 5);
    savefinish(&two);
    EXPECT_EQ(savesplit(two.data(), two.size(), &s), nullptr);
    putu32(&two[SAVEHEADERBYTES + SAVENAMEBYTES], 6);
    two = resealed(two);
    why = savesplit(two.data(), two.size(), &s);
    EXPECT_STREQ(why ? why : "(taken)", "damaged (a section is cut short)");
}

// A save's name: 1 to 24 letters, digits, spaces, '-' or '_', not starting
// with a space.
TEST(SaveGame, SaveNamesFromOneLetterToTheLongest) {
    for (const char* good : {"a", "slot 1", "x-y_z", "7"}) EXPECT_TRUE(savenameok(good)) << good;
    for (const char* bad : {"", " a", "a.b", "a/b", "a\\b", "\xe9t\xe9"}) EXPECT_FALSE(savenameok(bad)) << bad;
    EXPECT_TRUE(savenameok(std::string(SAVENAMEMAX, 'n')));
    EXPECT_FALSE(savenameok(std::string(SAVENAMEMAX + 1, 'n')));
}

// A save's file, written and read back by name; a file that is missing, a
// folder, empty, or larger than any save is refused, saying why.
TEST(SaveGame, ASaveByNameAndTheFilesThatAreNone) {
    startsaveworld();
    std::vector<u8> good = savenow();
    std::string said;
    ASSERT_TRUE(savegameto("slot 1", &said)) << said;
    EXPECT_EQ(said, "Game saved");
    EXPECT_EQ(readtext(testdatadir() + "/saves/slot 1.sav"), std::string(good.begin(), good.end()));
    EXPECT_FALSE(savegameto("bad.name", &said));
    scramble();
    ASSERT_TRUE(loadgamefrom("slot 1", &said)) << said;
    EXPECT_EQ(said, "Game loaded");
    EXPECT_EQ(savenow(), good);
    namespace fs = std::filesystem;
    const std::string saves = testdatadir() + "/saves/";
    fs::create_directories(saves + "folder.sav");
    std::ofstream(saves + "empty.sav").close();
    std::ofstream(saves + "huge.sav").close();
    fs::resize_file(saves + "huge.sav", SAVEMAXBYTES + 1);
    std::ofstream(saves + "largest.sav").close();
    fs::resize_file(saves + "largest.sav", SAVEMAXBYTES);
    struct none {
        const char* name;
        const char* why;
    } nones[] = {
        {"missing", "Not loaded: saves/missing.sav: not there"},
        {"folder", "Not loaded: saves/folder.sav: not a file"},
        {"empty", "Not loaded: saves/empty.sav: not a saved game"},
        {"huge", "Not loaded: saves/huge.sav: too large to be a saved game"},
        {"largest", "Not loaded: saves/largest.sav: not a saved game"},
        {"no.name", "Not loaded: saves/no.name.sav: no name for a save"},
    };
    for (const none& n : nones) {
        EXPECT_FALSE(loadgamefrom(n.name, &said)) << n.name;
        EXPECT_EQ(said, n.why);
        EXPECT_EQ(savenow(), good) << n.name << " changed the game";
    }
    // The list holds the saves by name, newest first, and no file whose
    // name is none.
    fs::remove_all(saves + "folder.sav");
    for (const char* f : {"empty.sav", "huge.sav", "largest.sav"}) fs::remove(saves + f);
    ASSERT_TRUE(savegameto("slot 2", &said)) << said;
    std::ofstream(saves + "not.a.name.sav").close();
    fs::last_write_time(saves + "slot 1.sav", fs::last_write_time(saves + "slot 2.sav") - std::chrono::seconds(5));
    std::vector<saveentry> list = listsaves();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "slot 2");
    EXPECT_EQ(list[1].name, "slot 1");
    EXPECT_GT(list[0].written, list[1].written);
}
