// Input scripts and file names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/script.h"
#include "platform/winmsg.h"
#include "testenv.h"

TEST(Script, ParsesEveryEventWithCommentsAndBlankLines) {
    std::vector<scriptevent> ev;
    std::string err;
    const char* text =
        "# a comment\n"
        "\n"
        "0 move 10 20   # trailing comment\r\n"
        "1 ldown\n2 lup\n2 rdown\n3 rup\n"
        "4 key esc\n5 keydown NUMPAD7\n6 keyup F12\n"
        "7 key a\n7 key 9\n8 shot out/menu.png\n9 quit\n9 dump units.txt\n";
    ASSERT_TRUE(script_parse(text, &ev, &err)) << err;
    ASSERT_EQ(ev.size(), 13u);
    EXPECT_EQ(ev[0].kind, SE_MOVE);
    EXPECT_EQ(ev[0].x, 10);
    EXPECT_EQ(ev[0].y, 20);
    EXPECT_EQ(ev[0].line, 3);
    EXPECT_EQ(ev[5].vk, (u32)VK_ESCAPE);
    EXPECT_EQ(ev[6].vk, (u32)VK_NUMPAD0 + 7);
    EXPECT_EQ(ev[7].vk, (u32)VK_F12);
    EXPECT_EQ(ev[8].vk, (u32)'A');
    EXPECT_EQ(ev[9].vk, (u32)'9');
    EXPECT_EQ(ev[10].file, "out/menu.png");
    EXPECT_EQ(ev[11].kind, SE_QUIT);
    EXPECT_EQ(ev[11].tick, 9u);
    EXPECT_EQ(ev[12].kind, SE_DUMP);
    EXPECT_EQ(ev[12].file, "units.txt");
}

TEST(Script, MalformedLinesAreRefusedWithTheirNumber) {
    struct bad {
        const char* text;
        const char* why;
    } cases[] = {
        {"0 move 10\n", "line 1: move needs X and Y"},
        {"0 move 640 0\n", "line 1: move takes X 0..639 and Y 0..479"},
        {"0 move -1 0\n", "line 1: move takes X 0..639 and Y 0..479"},
        {"# ok\n0 jump\n", "line 2: unknown event 'jump'"},
        {"x ldown\n", "line 1: bad tick 'x'"},
        {"-3 ldown\n", "line 1: bad tick '-3'"},
        {"5\n", "line 1: missing event"},
        {"0 key F13\n", "line 1: unknown key 'F13'"},
        {"0 key\n", "line 1: key needs an argument"},
        {"0 ldown now\n", "line 1: unexpected 'now'"},
        {"5 ldown\n4 lup\n", "line 2: tick goes backwards"},
        {"0 shot\n", "line 1: shot needs an argument"},
        {"0 dump\n", "line 1: dump needs an argument"},
    };
    for (const bad& b : cases) {
        std::vector<scriptevent> ev;
        std::string err;
        EXPECT_FALSE(script_parse(b.text, &ev, &err)) << b.text;
        EXPECT_EQ(err, b.why) << b.text;
    }
}

TEST(Script, KeyNamesRoundTrip) {
    for (const char* n : {"A", "Z", "0", "ESC", "ENTER", "TAB", "SPACE", "DEL", "END", "HOME", "LEFT", "RIGHT", "UP",
                          "DOWN", "F1", "F12", "NUMPAD0", "NUMPAD9", "SHIFT", "CTRL", "CAPSLOCK"}) {
        u32 vk = script_keycode(n);
        ASSERT_NE(vk, 0u) << n;
        EXPECT_EQ(script_keyname(vk), n);
    }
    EXPECT_EQ(script_keyname(VK_SCROLL), "");
    EXPECT_EQ(script_keycode("NUMPAD10"), 0u);
    EXPECT_EQ(script_keycode("F0"), 0u);
}

TEST(Files, BackslashPathsMatchAnyLetterCase) {
    namespace fs = std::filesystem;
    starttestplatform();
    fs::create_directories("Pictures/Editor");
    std::ofstream("Pictures/Editor/Panel.BMP") << "x";
    EXPECT_EQ(plat_hostpath("pictures\\editor\\panel.bmp"), "Pictures/Editor/Panel.BMP");
    EXPECT_EQ(plat_hostpath("PICTURES\\Editor\\new.bmp"), "Pictures/Editor/new.bmp"); // to be created
    EXPECT_TRUE(plat_fileexists("pictures\\EDITOR\\PANEL.bmp"));
    EXPECT_TRUE(plat_writefile("pictures\\editor\\made.dat", "abc", 3));
    EXPECT_TRUE(fs::exists("Pictures/Editor/made.dat"));
    EXPECT_TRUE(plat_copyfile("pictures\\editor\\made.dat", "pictures\\editor\\made.da0"));
    std::vector<u8> back;
    ASSERT_TRUE(plat_readfile("PICTURES\\editor\\made.da0", &back, 1 << 20));
    EXPECT_EQ(std::string(back.begin(), back.end()), "abc");
    auto names = plat_listdir("pictures\\editor", "*.bmp");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "Panel.BMP");
    EXPECT_EQ(plat_listdir("pictures\\editor", "made.d?0").size(), 1u);
    EXPECT_FALSE(plat_readfile("bitmaps\\nothere.bmp", &back, 1 << 20));
}
