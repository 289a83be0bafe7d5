// Saved games played through: F5 and F9 in a mission, the main menu's Load
// Game, and bad save files, in headless runs of the demo mission.
#include <gtest/gtest.h>

#include <filesystem>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "game/savefile.h"
#include "playrun.h"
#include "testenv.h"

namespace fs = std::filesystem;

// Into the demo, the pointer on the map beside the leader; the leader
// speaks and shoots two arrows just before the save, so a cloud and
// missiles are in the air while the computer's units close in.
static std::string intodemo() {
    return "10 move 320 252\n11 ldown\n12 lup\n20 move 600 60\n150 key T\n166 rdown\n167 rup\n170 rdown\n171 rup\n";
}

// The plain length of play after the save or load it is counted from.
constexpr int PLAYTICKS = 400;
constexpr int SOONTICKS = 110;

static std::string at(int tick, const std::string& event) { return std::to_string(tick) + " " + event + "\n"; }

struct quickrun {
    run r;
    std::string data, before, after, afterload, shot, shotload, soon, soonload;
};

// Saves with F5 at tick 175, plays on, loads with F9 and plays the same
// length again; what both stretches end in is kept.
static quickrun quicksaveandload(const std::string& name) {
    quickrun q;
    q.data = freshdata(name);
    std::string base = q.data + "/../" + name;
    // Soon after each (the message at the mouse gone) the cloud and the
    // arrows are still in the air.
    std::string s = intodemo() + at(174, "dump " + base + "-before.txt") + at(175, "key F5") +
                    at(175 + SOONTICKS, "shot " + base + "-soon.png") + at(175 + PLAYTICKS, "dump " + base + "-after.txt") +
                    at(176 + PLAYTICKS, "shot " + base + "-after.png") + at(605, "key F9") +
                    at(605 + SOONTICKS, "shot " + base + "-soonload.png") + at(605 + PLAYTICKS, "dump " + base + "-load.txt") +
                    at(606 + PLAYTICKS, "shot " + base + "-load.png") + at(1050, "quit");
    q.r = play(q.data, s);
    q.before = readtext(base + "-before.txt");
    q.after = readtext(base + "-after.txt");
    q.afterload = readtext(base + "-load.txt");
    q.shot = readtext(base + "-after.png");
    q.shotload = readtext(base + "-load.png");
    q.soon = readtext(base + "-soon.png");
    q.soonload = readtext(base + "-soonload.png");
    return q;
}

static int computerlinesdiffering(const std::string& a, const std::string& b) {
    std::istringstream sa(a), sb(b);
    std::string la, lb;
    int n = 0;
    while (std::getline(sa, la) && std::getline(sb, lb))
        if (la != lb && la.find(" player 0 ") == std::string::npos && la.rfind("npc ", 0) == 0) n++;
    return n;
}

TEST(SaveGamePlay, QuickLoadGoesOnExactlyAsTheGameDidAfterTheQuickSave) {
    quickrun q = quicksaveandload("quick");
    ASSERT_EQ(q.r.status, 0) << q.r.err;
    EXPECT_NE(q.r.log.find("Saved saves/quicksave.sav"), std::string::npos) << q.r.log;
    EXPECT_NE(q.r.log.find("Loaded saves/quicksave.sav"), std::string::npos);
    ASSERT_TRUE(fs::is_regular_file(q.data + "/saves/quicksave.sav"));
    ASSERT_FALSE(q.after.empty());
    ASSERT_FALSE(q.shot.empty());
    // The stretch played is not a still picture: the computer's units moved.
    EXPECT_GT(computerlinesdiffering(q.before, q.after), 2) << q.before << "\n" << q.after;
    EXPECT_EQ(q.after, q.afterload);
    EXPECT_TRUE(q.shot == q.shotload) << "the screens after the two stretches differ";
    ASSERT_FALSE(q.soon.empty());
    EXPECT_TRUE(q.soon == q.soonload) << "the screens soon after the save and after the load differ";
}

TEST(SaveGamePlay, TheMenusLoadGameButtonPlaysOnFromTheSaveChosenInItsList) {
    quickrun q = quicksaveandload("menusource");
    ASSERT_EQ(q.r.status, 0) << q.r.err;
    std::string data = freshdata("menuload");
    fs::create_directories(data + "/saves");
    fs::copy_file(q.data + "/saves/quicksave.sav", data + "/saves/older.sav");
    // A newer save comes first in the list: Down picks the older one.
    std::ofstream(data + "/saves/newer.sav") << "not a save";
    fs::last_write_time(data + "/saves/older.sav", fs::last_write_time(data + "/saves/newer.sav") - std::chrono::hours(1));
    std::string base = data + "/../menuload";
    std::string s = "5 move 320 348\n6 ldown\n7 lup\n19 key DOWN\n" + at(20, "key ENTER") + at(21, "move 600 60") +
                    at(20 + PLAYTICKS, "dump " + base + ".txt") + at(21 + PLAYTICKS, "shot " + base + ".png") + at(500, "quit");
    run r = play(data, s);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.log.find("Loaded saves/older.sav"), std::string::npos) << r.log;
    EXPECT_EQ(readtext(base + ".txt"), q.after);
    EXPECT_TRUE(readtext(base + ".png") == q.shot) << "the loaded game's screen differs";
}

// Each bad file in place of the quick save: F9 refuses it, naming it, and
// the mission goes on as if nothing had been tried.
TEST(SaveGamePlay, BadSaveFilesAreRefusedNamingThemAndTheMissionGoesOn) {
    quickrun q = quicksaveandload("badsource");
    ASSERT_EQ(q.r.status, 0) << q.r.err;
    std::string good = readtext(q.data + "/saves/quicksave.sav");
    ASSERT_GT(good.size(), 1000u);
    struct bad {
        const char* name;
        std::string bytes; // empty: a folder
        const char* says;
    };
    std::string version = good;
    version[8] = (char)(SAVEVERSION + 1);
    std::string flipped = good;
    flipped[good.size() / 3] ^= 1;
    const bad cases[] = {
        {"folder", "", "Not loaded: saves/quicksave.sav: not a file"},
        {"truncated", good.substr(0, good.size() - 5000), "Not loaded: saves/quicksave.sav: cut short"},
        {"version", version, "Not loaded: saves/quicksave.sav: saved by another version of the game"},
        {"flipped", flipped, "Not loaded: saves/quicksave.sav: damaged (its checksum does not match)"},
        {"huge", std::string(5u << 20, 'x'), "Not loaded: saves/quicksave.sav: too large to be a saved game"},
    };
    for (const bad& c : cases) {
        SCOPED_TRACE(c.name);
        std::string data = freshdata(std::string("bad") + c.name);
        fs::create_directories(data + "/saves");
        if (c.bytes.empty()) fs::create_directories(data + "/saves/quicksave.sav");
        else std::ofstream(data + "/saves/quicksave.sav", std::ios::binary) << c.bytes;
        std::string base = data + "/../bad" + c.name;
        std::string s = intodemo() + at(175, "key F9") + at(175 + PLAYTICKS, "dump " + base + ".txt") + at(700, "quit");
        run r = play(data, s);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.log.find(c.says), std::string::npos) << r.log.substr(r.log.size() > 600 ? r.log.size() - 600 : 0);
        EXPECT_EQ(r.log.find("Game loaded"), std::string::npos);
        EXPECT_EQ(readtext(base + ".txt"), q.after) << "the mission did not go on as it was";
    }
}

// A save that cannot be written says why, naming the file; the list of
// saves takes a typed name, and Escape there writes nothing.
TEST(SaveGamePlay, SavesListTakesANameAndAFailedSaveSaysWhy) {
    std::string data = freshdata("savelist");
    fs::create_directories(data + "/saves/quicksave.sav");
    std::string s = intodemo() + at(175, "key F5") + at(320, "keydown CTRL") + at(322, "key S") + at(330, "keyup CTRL") +
                    at(340, "key TAB") + at(345, "text my game") + at(350, "key ENTER") + at(500, "keydown CTRL") +
                    at(502, "key S") + at(510, "keyup CTRL") + at(515, "key TAB") + at(520, "text nothing") + at(530, "key ESC") + at(600, "quit");
    run r = play(data, s);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.log.find("Game not saved to saves/quicksave.sav: "), std::string::npos) << r.log;
    EXPECT_TRUE(fs::is_regular_file(data + "/saves/my game.sav"));
    EXPECT_NE(r.log.find("Saved saves/my game.sav"), std::string::npos);
    EXPECT_FALSE(fs::exists(data + "/saves/nothing.sav"));
    EXPECT_EQ(r.log.find("Saved saves/slot1.sav"), std::string::npos) << "Escape saved into the chosen slot";
}
