// Keys for keyboards without a keypad: the mission's actions by their
// alternatives and by the player's own bindings from the settings file, the
// section grid's stand-ins, and the script names these keys are given.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/input.h"
#include "commandworld.h"
#include "editor/setsections.h"
#include "game/combatinput.h"
#include "game/keybindings.h"
#include "game/missionstate.h"
#include "platform/script.h"
#include "platform/settingsstore.h"
#include "platform/winmsg.h"
#include "view/light.h"
#include "view/overheadmap.h"
#include "app/gamestate.h"

namespace {

void press(u32 vk) { combatinput(WM_KEYDOWN, vk, 0); }

// A settings file of the given text taken up as at start; forgotten again,
// with the standard keys back, when the test ends.
struct withsettings {
    std::string path = std::string(VENNOR_TEST_TMP) + "/keybindings.ini";
    explicit withsettings(const std::string& text) {
        std::filesystem::create_directories(VENNOR_TEST_TMP);
        std::ofstream(path) << text;
        settings_load(path);
    }
    ~withsettings() {
        settings_load("");
        loadkeybindings();
        std::filesystem::remove(path);
    }
};

}  // namespace

TEST(MissionKeys, AlternativesPaceTheGameAsTheKeypadDoes) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    loadkeybindings();
    const struct {
        u32 keypad, alt;
    } pairs[] = {{VK_NUMPAD0 + 1, VK_OEM_MINUS}, {VK_NUMPAD0 + 3, VK_OEM_PLUS}};
    for (auto p : pairs) {
        framedelay = 10;
        press(p.keypad);
        u32 bypad = framedelay;
        framedelay = 10;
        press(p.alt);
        EXPECT_NE(bypad, 10u) << p.keypad;
        EXPECT_EQ(framedelay, bypad) << p.alt;
    }
    // The ends hold for the alternatives too.
    framedelay = 31;
    press(VK_OEM_MINUS);
    EXPECT_EQ(framedelay, 31u);
    framedelay = 0;
    press(VK_OEM_PLUS);
    EXPECT_EQ(framedelay, 0u);
}

TEST(MissionKeys, TheOverheadMapHasAKeyAndTheControllersBackButton) {
    loadkeybindings();
    EXPECT_EQ(keyaction('O'), ACT_MAP);
    EXPECT_EQ(keyaction(VK_GAMEPAD_VIEW_BUTTON), ACT_MAP);
    EXPECT_EQ(keyaction('Q'), ACT_NONE);
    EXPECT_EQ(keyaction(VK_ESCAPE), ACT_NONE) << "Escape is not an action to rebind";
    // The key that opened the map closes it; other keys do not.
    boxresult = 0;
    overheadinput(WM_KEYDOWN, 'G', 0);
    EXPECT_EQ(boxresult, 0);
    overheadinput(WM_KEYDOWN, VK_GAMEPAD_VIEW_BUTTON, 0);
    EXPECT_EQ(boxresult, 1);
    boxresult = 0;
    overheadinput(WM_KEYDOWN, 'O', 0);
    EXPECT_EQ(boxresult, 1);
    boxresult = 0;
}

TEST(MissionKeys, SettingsRebindAndBadBindingsKeepTheStandardKey) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    // A value that is no key name is refused as the file is read; the rest
    // when the mission takes the bindings up.
    testing::internal::CaptureStderr();
    withsettings ini("# mine\nkey-pause = q\nkey-slower = Z\nkey-light = NOSUCHKEY\n"
                     "key-jump = J\nkey-talk = ESC\n");
    loadkeybindings();
    loadkeybindings();  // a second mission says nothing new
    std::string said = testing::internal::GetCapturedStderr();

    gamepaused = 0;
    press('P');
    EXPECT_EQ(gamepaused, 0u) << "P is no longer pause";
    press('Q');
    EXPECT_EQ(gamepaused, 1u);
    framedelay = 10;
    press('Z');
    EXPECT_EQ(framedelay, 11u);
    press(VK_NUMPAD0 + 1);
    EXPECT_EQ(framedelay, 11u) << "the rebound key replaces the keypad key";
    press(VK_OEM_MINUS);
    EXPECT_EQ(framedelay, 12u) << "the alternative stays";
    u8 was = lighting;
    press('L');
    EXPECT_NE(lighting, was) << "a value that is not a key keeps L";

    for (const char* line : {"NOSUCHKEY", "key-jump = J", "key-talk = ESC"}) {
        size_t at = said.find(line);
        EXPECT_NE(at, std::string::npos) << line << " in: " << said;
        if (at != std::string::npos) {
            EXPECT_EQ(said.find(line, at + 1), std::string::npos) << "said once: " << line;
        }
    }
    EXPECT_EQ(said.find("key-pause"), std::string::npos) << said;
    EXPECT_EQ(keyaction('T'), ACT_TALK) << "Escape cannot be taken from leaving";
}

TEST(SectionGridKeys, MainBlockKeysMoveTheGridAsTheKeypadDoes) {
    const struct {
        u32 keypad, standin;
    } pairs[] = {{VK_NUMPAD0 + 4, VK_OEM_4}, {VK_NUMPAD0 + 6, VK_OEM_6},
                 {VK_NUMPAD0 + 8, VK_PRIOR}, {VK_NUMPAD0 + 2, VK_NEXT}};
    auto pressfrom = [](u32 vk) {
        g_xpos = g_ypos = 50;
        setsectionsinput(WM_KEYDOWN, vk, 0);
        return std::pair<i32, i32>{g_xpos, g_ypos};
    };
    for (auto p : pairs) {
        auto bypad = pressfrom(p.keypad);
        EXPECT_NE(bypad, (std::pair<i32, i32>{50, 50})) << p.keypad;
        EXPECT_EQ(pressfrom(p.standin), bypad) << p.standin;
    }
}

TEST(ScriptKeys, TheStandInsAndTheBackButtonHaveNamesBothWays) {
    const struct {
        const char* name;
        u32 vk;
    } names[] = {{"MINUS", VK_OEM_MINUS}, {"EQUALS", VK_OEM_PLUS}, {"LBRACKET", VK_OEM_4},
                 {"RBRACKET", VK_OEM_6},  {"COMMA", VK_OEM_COMMA}, {"PERIOD", VK_OEM_PERIOD},
                 {"PAUSE", VK_PAUSE},     {"PADBACK", VK_GAMEPAD_VIEW_BUTTON}};
    for (auto n : names) {
        EXPECT_EQ(script_keycode(n.name), n.vk) << n.name;
        EXPECT_EQ(script_keyname(n.vk), n.name);
    }
    EXPECT_EQ(script_keycode("lbracket"), (u32)VK_OEM_4) << "names are read in any case";
}
