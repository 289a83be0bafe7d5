// How the program ends, seen from the shell: the status says whether it
// failed, and every box's text is on standard error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "testenv.h"

namespace {

namespace fs = std::filesystem;

struct ended {
    int status;
    std::string err;
};

// A data tree with only what the test puts in it (the log's folder always).
std::string emptydata(const std::string& name, bool cursors) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / "exits" / name;
    fs::remove_all(dir);
    fs::create_directories(dir / "text");
    if (cursors) {
        fs::create_directories(dir / "resources");
        fs::copy_file(fs::path(VENNOR_DATA) / "resources" / "CURSORS.bmp", dir / "resources" / "CURSORS.bmp");
    }
    return dir.string();
}

ended runvennor(const std::string& data, const std::string& env, const std::string& args) {
    std::string script = data + ".script", errfile = data + ".err";
    std::ofstream(script) << "2 move 10 10\n";
    std::string cmd = env + " " + VENNOR_EXE + " --data " + data + " --play " + script + " " + args + " 2>" + errfile;
    int st = std::system(cmd.c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(errfile)};
}

bool has(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

}  // namespace

TEST(Exits, ADisplayErrorBoxEndsWithStatusOneAndItsLine) {
    std::string data = emptydata("nocursors", false);
    ended e = runvennor(data, "", "--headless");
    EXPECT_EQ(e.status, 1) << e.err;
    EXPECT_TRUE(has(e.err, "vennor: DDLoadBitmap(): Unknown Error (data directory " + data + ")\n")) << e.err;
}

TEST(Exits, AMissingFileEndsWithItsCodeNamingTheDataDirectory) {
    std::string data = emptydata("noviewtables", true);
    ended e = runvennor(data, "", "--headless");
    EXPECT_EQ(e.status, 3) << e.err;
    EXPECT_TRUE(has(e.err, "vennor: Unable to access file!: vsstable.dat (data directory " + data + ")\n")) << e.err;
}

// An editor picture of the wrong size ends the start, naming it, before
// the menu: never an edit in progress.
TEST(Exits, AnEditorPictureOfAnotherSizeEndsTheStartNamingIt) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / "exits" / "editorpicture";
    fs::remove_all(dir);
    fs::create_directories(dir.parent_path());
    fs::copy(VENNOR_DATA, dir, fs::copy_options::recursive);
    fs::path editor = dir / "bitmaps" / "editor";
    fs::copy_file(editor / "scrollbox.bmp", editor / "updown.bmp", fs::copy_options::overwrite_existing); // 20 x 16
    ended e = runvennor(dir.string(), "", "--headless");
    EXPECT_EQ(e.status, 3) << e.err;
    EXPECT_TRUE(has(e.err, "Bitmaps\\Editor\\updown.bmp: 20 x 16 pixels, the program needs 20 x 40")) << e.err;
    EXPECT_TRUE(has(e.err, "vennor: Unable to access file!: Bitmaps\\Editor\\updown.bmp")) << e.err;
}

TEST(Exits, WithoutADisplayTheProgramSaysSoInsteadOfRunningUnseen) {
    std::string data = emptydata("nodisplay", true);
    ended e = runvennor(data, "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy", "");
    EXPECT_EQ(e.status, 1) << e.err;
    EXPECT_TRUE(has(e.err, "vennor: cannot open the window: no display available")) << e.err;
    EXPECT_TRUE(has(e.err, "--headless --play FILE")) << e.err;
    EXPECT_FALSE(fs::exists(fs::path(data) / "text" / "vsy.log")) << "the game went on loading";
}

TEST(Exits, AScaleLargerThanTheDesktopIsLoweredWithANote) {
    // SDL's dummy display is 1024 x 768: one picture fits, two do not.
    std::string data = emptydata("scale", false);
    ended e = runvennor(data, "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy", "--scale 3");
    EXPECT_TRUE(has(e.err, "vennor: scale 3 does not fit the desktop (1024 x 768 usable); using 1\n")) << e.err;
    data = emptydata("scalefits", false);
    e = runvennor(data, "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy", "--scale 1");
    EXPECT_FALSE(has(e.err, "does not fit")) << e.err;
}

TEST(Exits, RefusedOptionsEndWithStatusTwoAndTheReason) {
    std::string data = emptydata("options", false);
    ended e = runvennor(data, "", "--window --fullscreen --headless");
    EXPECT_EQ(e.status, 2);
    EXPECT_TRUE(has(e.err, "vennor: --window and --fullscreen cannot both be given\n")) << e.err;
    std::string cmd = std::string(VENNOR_EXE) + " --headless --data " + data + " 2>" + data + ".err";
    int st = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(st), 2);
    EXPECT_TRUE(has(readtext(data + ".err"), "vennor: --headless needs --play FILE")) << readtext(data + ".err");
}
