// The command line: combinations that cannot work are refused with a reason
// before anything starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

struct parsed {
    int result;
    platoptions options;
    std::string err;
};

parsed parse(std::vector<std::string> args) {
    args.insert(args.begin(), "vennor");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    parsed p;
    p.result = plat_parseargs((int)argv.size(), argv.data(), &p.options, &p.err);
    return p;
}

}  // namespace

TEST(Options, HeadlessNeedsAScriptToDriveIt) {
    parsed p = parse({"--headless"});
    EXPECT_EQ(p.result, 2);
    EXPECT_EQ(p.err.rfind("--headless needs --play FILE", 0), 0u) << p.err;
    p = parse({"--headless", "--record", "out.script"});
    EXPECT_EQ(p.result, 2);
    p = parse({"--headless", "--play", "menu.script"});
    EXPECT_EQ(p.result, 0) << p.err;
    EXPECT_TRUE(p.options.headless);
    EXPECT_EQ(p.options.playfile, "menu.script");
}

TEST(Options, WindowAndFullscreenTogetherAreRefusedInEitherOrder) {
    for (auto args : {std::vector<std::string>{"--window", "--fullscreen"},
                      std::vector<std::string>{"--fullscreen", "--mute", "--window"}}) {
        parsed p = parse(args);
        EXPECT_EQ(p.result, 2);
        EXPECT_EQ(p.err.rfind("--window and --fullscreen cannot both be given", 0), 0u) << p.err;
    }
    parsed p = parse({"--fullscreen"});
    EXPECT_EQ(p.result, 0);
    EXPECT_TRUE(p.options.fullscreen);
    p = parse({"--window", "--window"});
    EXPECT_EQ(p.result, 0);
    EXPECT_FALSE(p.options.fullscreen);
}

// --map takes a plain name, never a path that could leave the maps folder.
TEST(Options, MapTakesAPlainNameOnly) {
    parsed p = parse({"--map", "forest_road-2"});
    EXPECT_EQ(p.result, 0) << p.err;
    EXPECT_EQ(p.options.mapname, "forest_road-2");
    for (const char* bad : {"../map0", "maps/map0", "map0.dat", "a b", ""}) {
        p = parse({"--map", bad});
        EXPECT_EQ(p.result, 2) << bad;
        EXPECT_EQ(p.err.rfind("--map takes a map's name", 0), 0u) << p.err;
    }
    p = parse({"--map"});
    EXPECT_EQ(p.result, 2);
    EXPECT_EQ(p.err.rfind("--map needs a value", 0), 0u) << p.err;
}
