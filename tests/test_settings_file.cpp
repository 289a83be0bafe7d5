// The settings file on disk: where it is, files that are refused and never
// written over, the command line winning for one run, changes saved at once
// (Alt+Enter among them), a failed save and the volume reaching the mixer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/backend.h"
#include "platform/dsound.h"
#include "platform/platform.h"
#include "platform/safewrite.h"
#include "platform/sdl/sdlinternal.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "sound/dsound.h"
#include "testenv.h"

namespace fs = std::filesystem;

// No test of this program may read or write the player's real settings:
// every run of the test binary, and every game it starts, looks in here.
static const bool isolated = [] {
    fs::create_directories(std::string(VENNOR_TEST_TMP) + "/config-home");
    setenv("XDG_CONFIG_HOME", VENNOR_TEST_TMP "/config-home", 1);
    return true;
}();

namespace {

class SettingsFile : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override {
        ASSERT_TRUE(isolated);
        char tmpl[] = "/tmp/vennor-settings-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        setenv("XDG_CONFIG_HOME", (dir + "/xdg").c_str(), 1);
    }
    void TearDown() override {
        settings_load("");
        plat_safewritefailat(0);
        setenv("XDG_CONFIG_HOME", VENNOR_TEST_TMP "/config-home", 1);
        fs::remove_all(dir);
    }
    std::string ini() const { return dir + "/xdg/vennor/vennor.ini"; }
    void write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // Loads path and gives what it said on standard error.
    std::string load(const std::string& path) {
        testing::internal::CaptureStderr();
        settings_load(path);
        return testing::internal::GetCapturedStderr();
    }
    std::string setfails(const char* key, const char* value) {
        std::string why;
        testing::internal::CaptureStderr();
        bool ok = plat_setsetting(key, value, &why);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(ok) << key << " was saved";
        EXPECT_FALSE(said.empty()) << "nothing said on stderr";
        return why;
    }
};

int parse(std::vector<std::string> args, platoptions* o) {
    args.insert(args.begin(), "vennor");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::string err;
    return plat_parseargs((int)argv.size(), argv.data(), o, &err);
}

}  // namespace

TEST_F(SettingsFile, TheDefaultPathFollowsXdgConfigHomeThenHome) {
    EXPECT_EQ(settings_defaultpath(), ini());
    setenv("XDG_CONFIG_HOME", "relative/not/allowed", 1);
    std::string home = getenv("HOME") ? getenv("HOME") : "";
    if (home.empty() || home[0] != '/') GTEST_SKIP() << "no absolute HOME";
    EXPECT_EQ(settings_defaultpath(), home + "/.config/vennor/vennor.ini");
}

TEST_F(SettingsFile, AMissingFileIsTheDefaultsAndIsWrittenAtTheFirstChange) {
    EXPECT_EQ(load(ini()), "");
    EXPECT_EQ(plat_setting("fullscreen"), nullptr);
    EXPECT_FALSE(fs::exists(ini())) << "loading created the file";
    std::string why;
    ASSERT_TRUE(plat_setsetting("fullscreen", "1", &why)) << why;
    EXPECT_EQ(readtext(ini()), "fullscreen = 1\n");
    ASSERT_TRUE(plat_setsetting("volume", "30", &why)) << why;
    EXPECT_EQ(readtext(ini()), "fullscreen = 1\nvolume = 30\n");
    EXPECT_STREQ(plat_setting("volume"), "30");
}

TEST_F(SettingsFile, RefusedLinesAreNamedWithFileAndLineAndTheOthersCount) {
    write(ini(), "# mine\nscale = 12\nvolume = 20\nwhat\n");
    std::string said = load(ini());
    EXPECT_NE(said.find("vennor: " + ini() + ":2: "), std::string::npos) << said;
    EXPECT_NE(said.find("vennor: " + ini() + ":4: "), std::string::npos) << said;
    EXPECT_EQ(said.find(":3:"), std::string::npos) << said;
    EXPECT_EQ(plat_setting("scale"), nullptr);
    EXPECT_STREQ(plat_setting("volume"), "20");
}

TEST_F(SettingsFile, ASaveKeepsCommentsUnknownKeysAndOrder) {
    std::string before = "# my settings\nkey-fire = F5\n\nscale = 2   \nsome-later-key = 9\n# end\n";
    write(ini(), before);
    load(ini());
    std::string why;
    ASSERT_TRUE(plat_setsetting("scale", "4", &why)) << why;
    EXPECT_EQ(readtext(ini()), "# my settings\nkey-fire = F5\n\nscale = 4\nsome-later-key = 9\n# end\n");
    settings_load(ini());
    EXPECT_STREQ(plat_setting("scale"), "4");
    EXPECT_STREQ(plat_setting("some-later-key"), "9");
}

TEST_F(SettingsFile, ABadValueIsNotSavedNorTaken) {
    write(ini(), "volume = 20\n");
    load(ini());
    std::string why;
    EXPECT_FALSE(plat_setsetting("volume", "250", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_STREQ(plat_setting("volume"), "20");
    EXPECT_EQ(readtext(ini()), "volume = 20\n");
}

// A folder, a FIFO, a huge file or one with zero bytes: one message naming
// it, the defaults, and a change of this run never replaces it.
TEST_F(SettingsFile, AFileThatIsNoSettingsFileIsNamedAndNeverWrittenOver) {
    std::string folder = dir + "/folder.ini", fifo = dir + "/fifo.ini", huge = dir + "/huge.ini",
                binary = dir + "/binary.ini";
    fs::create_directories(folder);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string big = "volume = 10\n" + std::string(SETTINGS_MAXFILE, '#');
    write(huge, big);
    std::string zeros("volume = 10\n\0\0", 14);
    write(binary, zeros);
    for (const std::string& path : {folder, fifo, huge, binary}) {
        std::string said = load(path);
        EXPECT_EQ(said.rfind("vennor: " + path + ": "), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_EQ(plat_setting("volume"), nullptr) << path;
        std::string why = setfails("volume", "50");
        EXPECT_NE(why.find("this run only"), std::string::npos) << why;
        EXPECT_STREQ(plat_setting("volume"), "50") << "the change does not hold for the run";
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(readtext(huge), big);
    EXPECT_EQ(readtext(binary), zeros);
}

TEST_F(SettingsFile, EveryFailedStepOfASaveLeavesTheOldFileWhole) {
    std::string before = "# keep me\nscale = 2\n";
    write(ini(), before);
    load(ini());
    std::string why;
    plat_safewritefailat(0);
    ASSERT_TRUE(plat_setsetting("scale", "3", &why)) << why;
    int steps = plat_safewritesteps();
    ASSERT_GT(steps, 2);
    write(ini(), before);
    for (int n = 1; n <= steps; n++) {
        load(ini());
        plat_safewritefailat(n);
        setfails("scale", "5");
        EXPECT_EQ(readtext(ini()), before) << "step " << n;
        for (const fs::directory_entry& e : fs::directory_iterator(fs::path(ini()).parent_path()))
            EXPECT_EQ(e.path().filename(), "vennor.ini") << "left behind at step " << n;
    }
}

TEST_F(SettingsFile, TheFileFillsInWhatTheCommandLineLeavesOpenAndIsNotWritten) {
    std::string text = "fullscreen = 1\nscale = 3\npixel-format = 555\nmute = 1\n";
    write(ini(), text);
    platoptions o;
    ASSERT_EQ(parse({}, &o), 0);
    EXPECT_TRUE(o.fullscreen);
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.pixelformat, 555);
    EXPECT_TRUE(o.mute);

    ASSERT_EQ(parse({"--window", "--scale", "2", "--pixel-format", "565"}, &o), 0);
    EXPECT_FALSE(o.fullscreen);
    EXPECT_EQ(o.scale, 2);
    EXPECT_EQ(o.pixelformat, 565);
    EXPECT_EQ(readtext(ini()), text) << "a command-line option was saved";

    write(ini(), "fullscreen = 0\nmute = 0\n");
    ASSERT_EQ(parse({"--fullscreen", "--mute"}, &o), 0);
    EXPECT_TRUE(o.fullscreen);
    EXPECT_TRUE(o.mute);
}

TEST_F(SettingsFile, HeadlessReadsOnlyAFileItIsGiven) {
    write(ini(), "scale = 3\n");
    write(dir + "/named.ini", "scale = 5\n");
    platoptions o;
    ASSERT_EQ(parse({"--headless", "--play", "x.script"}, &o), 0);
    EXPECT_EQ(o.scale, 0) << "a headless run read the player's file";
    EXPECT_EQ(settings_path(), "");
    std::string why;
    EXPECT_TRUE(plat_setsetting("scale", "2", &why));
    EXPECT_EQ(readtext(ini()), "scale = 3\n");

    ASSERT_EQ(parse({"--headless", "--play", "x.script", "--config", dir + "/named.ini"}, &o), 0);
    EXPECT_EQ(o.scale, 5);
    EXPECT_EQ(settings_path(), dir + "/named.ini");
}

TEST_F(SettingsFile, TheVolumeReachesTheDeviceAndScalesTheMix) {
    write(ini(), "volume = 40\n");
    load(ini());
    starttestplatform();
    ReleaseDSound();
    dsdevice* ds = nullptr;
    ASSERT_EQ(ds_create(nullptr, &ds, nullptr), DS_OK);
    EXPECT_EQ(ds_volume(), 40u);
    waveformatex f{WAVE_FORMAT_PCM, 1, DSMIXRATE, DSMIXRATE * 2, 2, 16, 0};
    dsbufferdesc d;
    d.dwSize = DSBUFFERDESC_SIZE;
    d.dwFlags = DSBCAPS_STATIC;
    d.dwBufferBytes = 8;
    d.lpwfxFormat = &f;
    dsbuffer* b = nullptr;
    ASSERT_EQ(ds_createsoundbuffer(ds, &d, &b, nullptr), DS_OK);
    void* p;
    u32 n;
    ASSERT_EQ(ds_lock(b, 0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    i16 loud[4] = {10000, 10000, -20000, -20000};
    std::memcpy(p, loud, sizeof loud);
    ASSERT_EQ(ds_unlock(b, p, n, nullptr, 0), DS_OK);
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    i16 out[6];
    ds_mix(out, 2);
    EXPECT_EQ(out[0], 4000);
    EXPECT_EQ(out[1], 4000);
    EXPECT_EQ(out[2], 4000);

    ds_setvolume(100);
    ds_play(b, 0, 0, 0);
    ds_mix(out, 3);
    EXPECT_EQ(out[0], -20000) << "the buffer goes on at full volume";
    ds_setvolume(300);
    EXPECT_EQ(ds_volume(), 100u);
    ds_release(ds);
}

// The real-window backend on SDL's dummy video driver, which needs no display.
class SettingsWindow : public SettingsFile {
  protected:
    std::string videodriver;
    void open(const std::string& settings) {
        write(ini(), settings);
        starttestplatform();
        const char* before = getenv("SDL_VIDEODRIVER");
        videodriver = before ? before : "";
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        platoptions o;
        ASSERT_EQ(parse({"--data", testdatadir(), "--mute"}, &o), 0);
        std::string err;
        ASSERT_TRUE(plat_init(o, &err)) << err;
        ASSERT_TRUE(plat_createwindow("Vennor", [](u32, u32, i32) -> i32 { return 0; }));
    }
    void TearDown() override {
        if (plat_windowexists()) plat_destroywindow();
        plat_shutdown();
        if (videodriver.empty()) unsetenv("SDL_VIDEODRIVER");
        else setenv("SDL_VIDEODRIVER", videodriver.c_str(), 1);
        starttestplatform();
        SettingsFile::TearDown();
    }
    bool confined() { return (SDL_GetWindowFlags(sdlwin_window()) & SDL_WINDOW_MOUSE_GRABBED) != 0; }
};

TEST_F(SettingsWindow, AltEnterSavesTheFullScreenSwitchAtOnce) {
    open("# screen\nfullscreen = 0\n");
    sdlwin_togglefullscreen();
    EXPECT_EQ(readtext(ini()), "# screen\nfullscreen = 1\n");
    sdlwin_togglefullscreen();
    EXPECT_EQ(readtext(ini()), "# screen\nfullscreen = 0\n");
}

TEST_F(SettingsWindow, GrabZeroNeverConfinesTheMouse) {
    open("grab = 1\n");
    plat_setfocus(true);
    plat_setgrabwanted(true);
    ASSERT_TRUE(confined()) << "the game's wish to confine did not reach the window";
    plat_setgrabwanted(false);
    write(ini(), "grab = 0\n");
    settings_load(ini());
    plat_setgrabwanted(true);
    EXPECT_FALSE(confined());
    plat_setgrabwanted(false);
}
