// The program itself, run headless with scripts, as a player's session would be.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "testenv.h"

namespace fs = std::filesystem;

struct run {
    int status;
    std::string log, err;
};

// A copy of the generated data in a fresh directory, so that runs can change it.
static std::string freshdata(const std::string& name) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir.parent_path());
    fs::copy(VENNOR_DATA, dir, fs::copy_options::recursive);
    return dir.string();
}

static run play(const std::string& data, const std::string& script, const std::string& extra = "") {
    std::string scriptfile = data + "/../" + fs::path(data).filename().string() + ".script";
    std::ofstream(scriptfile) << script;
    std::string errfile = scriptfile + ".err";
    std::string cmd = std::string(VENNOR_EXE) + " --headless --data " + data + " --play " + scriptfile + " " + extra +
                      " 2>" + errfile;
    int st = std::system(cmd.c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(data + "/text/debug.log"), readtext(errfile)};
}

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
    std::string cmd = std::string(VENNOR_EXE) + " --pixel-format 888 >/dev/null 2>&1";
    int st = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(st), 2);
    cmd = std::string(VENNOR_EXE) + " --version >/dev/null 2>&1";
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

// Run Demo: the mission starts, the hunters come, a pause holds the picture
// still, Escape and Yes lead back to the menu; twice the same.
TEST(EndToEnd, RunDemoHuntersComePauseHoldsAndEscapeLeaves) {
    std::string shots[2][4];
    std::string logs[2];
    for (int i = 0; i < 2; i++) {
        std::string data = freshdata("demo" + std::to_string(i));
        std::string base = data + "/../demo" + std::to_string(i);
        for (int k = 0; k < 4; k++) shots[i][k] = base + "-" + std::to_string(k) + ".png";
        std::string script = "10 move 320 252\n20 ldown\n22 lup\n60 shot " + shots[i][0] + "\n600 key P\n640 shot " +
                             shots[i][1] + "\n700 shot " + shots[i][2] + "\n710 key P\n720 key ESC\n760 key Y\n800 shot " +
                             shots[i][3] + "\n";
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
    for (int k = 0; k < 4; k++) EXPECT_EQ(readtext(shots[0][k]), readtext(shots[1][k])) << "shot " << k;
    EXPECT_EQ(readtext(shots[0][1]), readtext(shots[0][2])) << "nothing moves while paused";
    EXPECT_NE(readtext(shots[0][0]), readtext(shots[0][1])) << "the world moved before the pause";
    EXPECT_NE(readtext(shots[0][2]), readtext(shots[0][3])) << "the menu is back";
}
