// What scripts type into dialogs: the text event with its characters, spaces
// included, the key names the dialogs use, and the character messages the
// player delivers.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/platform.h"
#include "platform/script.h"
#include "platform/scriptplayer.h"
#include "testenv.h"

TEST(DialogScript, TextTakesTheRestOfTheLineAndOnlyPrintableCharacters) {
    std::vector<scriptevent> ev;
    std::string err;
    ASSERT_TRUE(script_parse("3 text hello\n4 text  two  words  # typed\n5 text x\n", &ev, &err)) << err;
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[0].kind, SE_TEXT);
    EXPECT_EQ(ev[0].tick, 3u);
    EXPECT_EQ(ev[0].text, "hello");
    EXPECT_EQ(ev[1].text, " two  words  ") << "after the one separating space, everything up to the comment";
    EXPECT_EQ(ev[2].text, "x");
    struct bad {
        const char* text;
        const char* why;
    } cases[] = {
        {"0 text\n", "line 1: text needs the characters to type"},
        {"0 text \n", "line 1: text needs the characters to type"},
        {"0 text a\tb\n", "line 1: text takes printable characters only"},
        {"0 text caf\xc3\xa9\n", "line 1: text takes printable characters only"},
    };
    for (const bad& b : cases) {
        EXPECT_FALSE(script_parse(b.text, &ev, &err)) << b.text;
        EXPECT_EQ(err, b.why) << b.text;
    }
}

TEST(DialogScript, TheDialogKeysHaveNames) {
    EXPECT_EQ(script_keycode("BACK"), (u32)VK_BACK);
    EXPECT_EQ(script_keycode("pgup"), (u32)VK_PRIOR);
    EXPECT_EQ(script_keycode("PGDN"), (u32)VK_NEXT);
    for (u32 vk : {(u32)VK_BACK, (u32)VK_PRIOR, (u32)VK_NEXT}) EXPECT_EQ(script_keycode(script_keyname(vk)), vk);
}

TEST(DialogScript, TextArrivesAsOneCharacterMessageEachInOrderBetweenKeys) {
    starttestdisplay();
    std::string path = testdatadir() + "/type.script";
    std::ofstream(path) << "0 keydown SHIFT\n0 key TAB\n0 keyup SHIFT\n1 text a b\n2 key BACK\n3 text #\n";
    std::string err;
    ASSERT_FALSE(scriptplayer_open(path, "", true, &err)) << "a lone '#' is a comment: nothing to type";
    std::ofstream(path) << "0 keydown SHIFT\n0 key TAB\n0 keyup SHIFT\n1 text a b\n2 key BACK\n3 text Z\n4 quit\n";
    ASSERT_TRUE(scriptplayer_open(path, "", true, &err)) << err;
    std::string seen;
    platmsg m;
    while (plat_getmessage(&m)) {
        if (m.message == WM_CHAR) seen += (char)m.wparam;
        if (m.message == WM_KEYDOWN && m.wparam == VK_SHIFT) seen += "<shift>";
        if (m.message == WM_KEYUP && m.wparam == VK_SHIFT) seen += "</shift>";
        if (m.message == WM_KEYDOWN && m.wparam == VK_TAB) seen += "<tab>";
        if (m.message == WM_KEYDOWN && m.wparam == VK_BACK) seen += "<back>";
    }
    EXPECT_EQ(seen, "<shift><tab></shift>a b<back>Z");
}
