// The program itself, run headless with scripts, as a player's session would be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>

#include "playrun.h"
#include "testenv.h"

namespace fs = std::filesystem;

static bool endswith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

static const char* movescript(const std::string& shot) {
    static std::string s;
    s = "2 move 100 100\n30 move 320 240\n40 shot " + shot + "\n";
    return s.c_str();
}

TEST(EndToEnd, ScriptedRunLogsStartAndPixelFormatAndTakesTheShot) {
    for (const char* fmt : {"565", "555"}) {
        std::string data = freshdata(std::string("run") + fmt);
        std::string shot = data + "/../shot" + fmt + ".png";
        fs::remove(shot);
        run r = play(data, movescript(shot), std::string("--pixel-format ") + fmt);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.log.rfind("Game Start ...\n\n16 bit Pixel Format: ", 0), 0u) << r.log;
        EXPECT_NE(r.log.find(std::string("16 bit Pixel Format: ") + fmt + "\n"), std::string::npos);
        // Every data set loads, in its order, before the sounds.
        size_t at = 0;
        for (const char* line : {"unitpicno ...0\n", "unitpicno ...11\n", "Loading Map: maps\\map0.dat\n",
                                 " npcs loaded, 20124 bytes read (sizeof npc: 156)\n", "Map Loaded.\n",
                                 "InitDSound complete.\n", "Loading Sound 12 ... wave\\chime1.wav\n"}) {
            size_t found = r.log.find(line, at);
            EXPECT_NE(found, std::string::npos) << fmt << ": " << line;
            if (found != std::string::npos) at = found;
        }
        ASSERT_TRUE(fs::exists(shot));
        std::string png = readtext(shot);
        EXPECT_EQ(png.substr(1, 3), "PNG");
    }
}

TEST(EndToEnd, SameScriptTwiceGivesIdenticalLogsAndShots) {
    std::string a = freshdata("same1"), b = freshdata("same2");
    std::string sa = a + "/../same1.png", sb = b + "/../same2.png";
    std::string script = "1 key F11\n5 move 10 10\n70 move 600 470\n75 keydown CTRL\n76 key F7\n77 keyup CTRL\n90 shot ";
    run ra = play(a, script + sa + "\n");
    run rb = play(b, script + sb + "\n");
    ASSERT_EQ(ra.status, 0);
    ASSERT_EQ(rb.status, 0);
    EXPECT_EQ(ra.log, rb.log);
    std::string pa = readtext(sa), pb = readtext(sb);
    ASSERT_FALSE(pa.empty());
    EXPECT_EQ(pa, pb);
}

TEST(EndToEnd, MissingCursorPictureShowsTheBoxAndEndsNormally) {
    std::string data = freshdata("nocursors");
    fs::remove(fs::path(data) / "resources" / "CURSORS.bmp");
    run r = play(data, "");
    EXPECT_EQ(r.status, 1) << "a failure, though the log says OK";
    EXPECT_NE(r.err.find("DDLoadBitmap(): Unknown Error"), std::string::npos) << r.err;
    EXPECT_NE(r.log.find("\nGame Exit ... OK!\n"), std::string::npos) << r.log;
    EXPECT_TRUE(endswith(r.log, " - GS: 00,  DSExit() ...\n")) << r.log;
    EXPECT_EQ(r.log.find("Loading Sound"), std::string::npos);
}

TEST(EndToEnd, BadScriptIsRefusedBeforeTheGameStarts) {
    std::string data = freshdata("badscript");
    fs::remove(fs::path(data) / "text" / "debug.log");
    run r = play(data, "0 move 1 1\n3 fly away\n");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("line 2: unknown event 'fly'"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(fs::path(data) / "text" / "debug.log"));
}

TEST(EndToEnd, BadOptionsAreRefusedWithUsage) {
    // Without --data a run would use the player's tree: never the real one.
    std::string env = std::string("XDG_DATA_HOME=") + VENNOR_TEST_TMP + "/xdg ";
    std::string cmd = env + VENNOR_EXE + " --pixel-format 888 >/dev/null 2>&1";
    int st = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(st), 2);
    cmd = env + VENNOR_EXE + " --version >/dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 0);
}

TEST(EndToEnd, RealWindowBackendRunsTheScriptToo) {
    // The sdl backend on SDL's dummy video driver: no display needed.
    std::string data = freshdata("sdl");
    std::string shot = data + "/../sdl.png";
    fs::remove(shot);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string scriptfile = data + "/../sdl.script";
    std::ofstream(scriptfile) << "2 move 200 200\n10 shot " << shot << "\n";
    std::string cmd = std::string(VENNOR_EXE) + " --data " + data + " --play " + scriptfile + " 2>/dev/null";
    int st = std::system(cmd.c_str());
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(WEXITSTATUS(st), 0);
    EXPECT_TRUE(fs::exists(shot));
    EXPECT_NE(readtext(data + "/text/debug.log").find("16 bit Pixel Format: 565"), std::string::npos);
}

TEST(EndToEnd, EscapeThenNoReturnsToTheSameUnpressedMenu) {
    std::string data = freshdata("escno");
    std::string a = data + "/../escno_a.png", b = data + "/../escno_b.png";
    // 64 ticks apart: the busy cursor shows the same cell again.
    run r = play(data, "2 move 100 100\n20 shot " + a + "\n30 key ESC\n50 key N\n84 shot " + b + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string pa = readtext(a), pb = readtext(b);
    ASSERT_FALSE(pa.empty());
    EXPECT_EQ(pa, pb);
    EXPECT_EQ(r.log.find("Game Exit"), std::string::npos);
}

TEST(EndToEnd, EscapeThenYesEndsTheGameNormally) {
    std::string data = freshdata("escyes");
    run r = play(data, "2 move 100 100\n30 key ESC\n50 key Y\n");
    EXPECT_EQ(r.status, 0) << r.err;
    size_t exitat = r.log.rfind("\nGame Exit ... OK!\n");
    ASSERT_NE(exitat, std::string::npos) << r.log.substr(r.log.size() > 300 ? r.log.size() - 300 : 0);
    std::string tail = r.log.substr(exitat + std::string("\nGame Exit ... OK!\n").size());
    EXPECT_NE(tail.find(" - GS: 01,  DSExit() ...\n"), std::string::npos) << tail;
    EXPECT_TRUE(endswith(r.log, "DSExit() ...\n"));
    // The twelve sounds were loaded in slot order before.
    size_t at = 0;
    for (int n = 1; n <= 12; n++) {
        std::string line = "Loading Sound " + std::to_string(n) + " ... wave\\";
        size_t found = r.log.find(line, at);
        ASSERT_NE(found, std::string::npos) << n;
        at = found;
    }
}

struct dumpedunit {
    int player, x, y, state, health, magic, gold, frozen;
};

// "npc SLOT player P type T at X Y state S health H magic M gold G frozen F"
// lines by slot.
static std::map<int, dumpedunit> readdump(const std::string& path) {
    std::map<int, dumpedunit> units;
    std::istringstream in(readtext(path));
    std::string line;
    while (std::getline(in, line)) {
        int slot, type;
        dumpedunit u;
        if (std::sscanf(line.c_str(), "npc %d player %d type %d at %d %d state %d health %d magic %d gold %d frozen %d",
                        &slot, &u.player, &type, &u.x, &u.y, &u.state, &u.health, &u.magic, &u.gold, &u.frozen) == 10)
            units[slot] = u;
    }
    return units;
}

static int cellsapart(const dumpedunit& a, const dumpedunit& b) { return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)); }

// The computer's units that were near the leader and alive at the first dump
// have, taken together, come closer to him by the second.
static void expecthuntersclosedin(const std::string& before, const std::string& after) {
    std::map<int, dumpedunit> a = readdump(before), b = readdump(after);
    ASSERT_TRUE(a.count(1) && b.count(1)) << "the leader is listed";
    EXPECT_EQ(a[1].player, 0);
    int hunters = 0, closer = 0, sumbefore = 0, sumafter = 0;
    for (auto& [slot, u] : a) {
        if (u.player == 0 || u.state > 5 || cellsapart(u, a[1]) > 20 || !b.count(slot)) continue;
        hunters++;
        sumbefore += cellsapart(u, a[1]);
        sumafter += cellsapart(b[slot], b[1]);
        closer += cellsapart(b[slot], b[1]) < cellsapart(u, a[1]);
    }
    EXPECT_GE(hunters, 3) << "computer units stand within twenty cells of the leader's start";
    EXPECT_GE(closer, 3) << "several of them came closer";
    EXPECT_LT(sumafter, sumbefore) << "together they closed in";
}

static std::string afterfirstline(const std::string& text) { return text.substr(std::min(text.size(), text.find('\n') + 1)); }

// Run Demo: the mission starts, the hunters come, a pause holds every unit
// still (the view's own animations, the marker's glow and the numbers
// already rising, run on), Escape and Yes lead back to the menu; twice the
// same.
TEST(EndToEnd, RunDemoHuntersComePauseHoldsAndEscapeLeaves) {
    std::string shots[2][4];
    std::string logs[2], dumps[2][4];
    for (int i = 0; i < 2; i++) {
        std::string data = freshdata("demo" + std::to_string(i));
        std::string base = data + "/../demo" + std::to_string(i);
        for (int k = 0; k < 4; k++) shots[i][k] = base + "-" + std::to_string(k) + ".png";
        for (int k = 0; k < 4; k++) dumps[i][k] = base + "-" + std::to_string(k) + ".txt";
        std::string script = "10 move 320 252\n20 ldown\n22 lup\n60 shot " + shots[i][0] + "\n61 dump " + dumps[i][0] +
                             "\n590 dump " + dumps[i][1] + "\n600 key P\n680 shot " + shots[i][1] + "\n681 dump " + dumps[i][2] +
                             "\n740 shot " + shots[i][2] + "\n741 dump " + dumps[i][3] + "\n750 key P\n760 key ESC\n800 key Y\n840 shot " + shots[i][3] + "\n";
        run r = play(data, script);
        EXPECT_EQ(r.status, 0) << r.err;
        size_t at = 0;
        for (const char* line : {"runmission() ...\n", "Initiating map load ...\n", "Map Loaded.\n",
                                 "Starting Main Game Loop ...\n"}) {
            size_t found = r.log.find(line, at);
            ASSERT_NE(found, std::string::npos) << line;
            at = found;
        }
        logs[i] = r.log;
    }
    EXPECT_EQ(logs[0], logs[1]);
    expecthuntersclosedin(dumps[0][0], dumps[0][1]);
    for (int k = 0; k < 4; k++) EXPECT_EQ(readtext(dumps[0][k]), readtext(dumps[1][k])) << "dump " << k;
    for (int k = 0; k < 4; k++) EXPECT_TRUE(readtext(shots[0][k]) == readtext(shots[1][k])) << "shot " << k;
    EXPECT_EQ(afterfirstline(readtext(dumps[0][2])), afterfirstline(readtext(dumps[0][3]))) << "nothing moves while paused";
    EXPECT_NE(readtext(dumps[0][2]), readtext(dumps[0][3])) << "while the clock runs on";
    EXPECT_FALSE(readtext(shots[0][0]) == readtext(shots[0][1])) << "the world moved before the pause";
    EXPECT_FALSE(readtext(shots[0][2]) == readtext(shots[0][3])) << "the menu is back";
}

// The demo played by hand, its leader alone: he opens the store room's chest
// and picks up what it drops, kills a skeleton in melee, shoots an arrow at
// the archer, casts Light, Lightning at the archer (the chain leaps on to
// the units around), Freeze on a goblin and kills it, heals himself, opens
// the overhead map, scrolls it and closes it, pauses and resumes, and leaves
// with Escape and Yes; twice the same. Slots: 1 the leader, 104 the
// skeleton, 105 the archer, 103 the goblin of the raiding band.
static const char* handscript = R"(10 move 320 252
20 ldown
22 lup
40 move 580 190
50 ldown
52 lup
250 move 380 210
260 ldown
262 lup
400 dump @-chest.txt
465 move 300 210
470 ldown
472 lup
900 dump @-melee.txt
905 move 280 150
910 rdown
912 rup
916 shot @-arrow.png
960 dump @-arrow.txt
1000 move 475 417
1002 ldown
1004 lup
1010 move 360 200
1015 ldown
1017 lup
1100 dump @-light.txt
1100 shot @-light.png
1110 move 475 460
1112 ldown
1114 lup
1120 move 280 150
1125 ldown
1127 lup
1200 dump @-lightning.txt
1405 move 475 431
1407 ldown
1409 lup
1420 move 320 220
1430 ldown
1432 lup
1600 dump @-freeze.txt
1610 move 320 220
1612 ldown
1614 lup
1850 dump @-kill.txt
1860 move 475 445
1862 ldown
1864 lup
1875 move 320 200
1877 shot @-healaim.png
1880 ldown
1882 lup
2000 dump @-heal.txt
2000 shot @-heal.png
2010 move 598 418
2012 ldown
2014 lup
2020 shot @-map.png
2025 move 639 240
2060 shot @-mapscrolled.png
2065 move 320 240
2070 ldown
2072 lup
2080 shot @-mapclosed.png
2100 key P
2120 dump @-pause1.txt
2180 dump @-pause2.txt
2190 key P
2200 key ESC
2240 key Y
2280 shot @-menu.png
)";

static std::string withbase(std::string text, const std::string& base) {
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + base.size())) text.replace(at, 1, base);
    return text;
}

TEST(EndToEnd, TheDemoPlayedByHand) {
    static const char* outputs[] = {"chest.txt", "melee.txt", "arrow.png", "arrow.txt", "light.txt", "light.png",
                                    "lightning.txt", "freeze.txt", "kill.txt", "healaim.png", "heal.txt", "heal.png",
                                    "map.png", "mapscrolled.png", "mapclosed.png", "pause1.txt", "pause2.txt", "menu.png"};
    std::string bases[2], logs[2];
    for (int i = 0; i < 2; i++) {
        std::string data = freshdataleaderalone("hand" + std::to_string(i));
        bases[i] = data + "/../hand" + std::to_string(i);
        run r = play(data, withbase(handscript, bases[i]));
        ASSERT_EQ(r.status, 0) << r.err;
        logs[i] = r.log;
    }
    EXPECT_EQ(logs[0], logs[1]);
    for (const char* o : outputs)
        EXPECT_TRUE(readtext(bases[0] + "-" + o) == readtext(bases[1] + "-" + o)) << o << " differs between the runs";
    auto at = [&](const char* name) { return readdump(bases[0] + "-" + name); };
    auto melee = at("melee.txt"), arrow = at("arrow.txt"), light = at("light.txt"),
         lightning = at("lightning.txt"), freeze = at("freeze.txt"), kill = at("kill.txt"), heal = at("heal.txt");
    EXPECT_NE(readtext(bases[0] + "-chest.txt").find("event Brannoc picks up"), std::string::npos) << "the chest's drop picked up";
    EXPECT_TRUE(melee[104].health <= 0 && melee[104].state < 2) << "the skeleton fell to the leader";
    EXPECT_LT(arrow[105].health, melee[105].health) << "the arrow hit the archer";
    EXPECT_LE(light[1].magic, arrow[1].magic - 4 + 2) << "Light was paid for";
    EXPECT_LT(lightning[105].health, light[105].health) << "Lightning struck the archer";
    int struckon = 0;
    for (auto& [slot, u] : lightning)
        struckon += slot != 105 && u.player != 0 && light.count(slot) && u.health < light[slot].health;
    EXPECT_GT(struckon, 0) << "and its chain leapt on";
    EXPECT_GT(freeze[103].frozen, 0) << "the goblin is frozen";
    EXPECT_LE(freeze[1].magic, lightning[1].magic - 8 + 3) << "Freeze was paid for";
    EXPECT_TRUE(kill[103].health <= 0 && kill[103].state < 2) << "the frozen goblin fell";
    EXPECT_LE(heal[1].magic, kill[1].magic - 4 + 2) << "Heal was paid for";
    std::string map = readtext(bases[0] + "-map.png"), scrolled = readtext(bases[0] + "-mapscrolled.png");
    EXPECT_FALSE(map == readtext(bases[0] + "-heal.png")) << "the overhead map opened";
    EXPECT_FALSE(map == scrolled) << "and scrolled at the border";
    EXPECT_FALSE(scrolled == readtext(bases[0] + "-mapclosed.png")) << "and closed with a click";
    EXPECT_EQ(afterfirstline(readtext(bases[0] + "-pause1.txt")), afterfirstline(readtext(bases[0] + "-pause2.txt")))
        << "nothing moves while paused";
    EXPECT_FALSE(readtext(bases[0] + "-menu.png") == readtext(bases[0] + "-mapclosed.png")) << "the menu is back";
}
