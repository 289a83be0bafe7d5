#pragma once
// A land editor test's data: the generated tiles, the editor's pictures and
// the text box, in the test's own folder, with the tiles loaded.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/gamestate.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/scriptplayer.h"
#include <gtest/gtest.h>
#include "editor/filedialog.h"
#include "editor/landeditor.h"
#include "editor/mapeditor.h"
#include "testenv.h"
#include "world/itemtype.h"

namespace landenv {

namespace fs = std::filesystem;

inline void copydata(const char* rel) {
    fs::create_directories(fs::path(rel).parent_path());
    fs::copy_file(fs::path(VENNOR_DATA) / rel, rel, fs::copy_options::overwrite_existing);
}

inline void start(int format = 565) {
    starttestdisplay(format);
    fs::current_path(testdatadir());
    for (const char* f : {"terrain/terrain.raw", "bitmaps/editor/updown.bmp", "bitmaps/editor/scrollbar.bmp",
                          "bitmaps/editor/scrollbox.bmp", "bitmaps/textbox.bmp"})
        copydata(f);
    initland();
    cleargamestack();
    gamestate = GS_EDITMAP;
    boxresult = 255;
    landfirst = landselected = 0;
    reopenfiledir = 0; // the dialog opens on this test's terrain folder
    lastfiledir.clear();
    currentland = 0;
}

inline std::string bytesof(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// A whole visit from a script; the editor must be left before the script ends.
inline void runscripted(const std::string& script, bool leaves = true) {
    // The clock runs on from earlier tests, so the script's ticks count from now.
    std::istringstream in(script);
    std::string line, shifted;
    u32 base = plat_ticks();
    while (std::getline(in, line)) {
        size_t space = line.find(' ');
        shifted += std::to_string(base + std::stoul(line.substr(0, space))) + line.substr(space) + "\n";
    }
    std::string path = testdatadir() + "/land.script", err;
    std::ofstream(path) << shifted;
    platq_reset();
    ASSERT_TRUE(scriptplayer_open(path, "", true, &err)) << err;
    try {
        runlandeditor();
        EXPECT_TRUE(leaves) << "the editor was left";
    } catch (const processexit&) {
        EXPECT_FALSE(leaves) << "the script ran out before the editor was left";
    }
}

} // namespace landenv
