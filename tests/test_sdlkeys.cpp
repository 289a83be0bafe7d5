#include <gtest/gtest.h>

#include "platform/sdl/sdlkeys.h"
#include "platform/winmsg.h"

namespace {

// USB HID keyboard usages (usage page 7) of the keys used below.
enum : u32 {
    HID_A = 0x04,
    HID_Q = 0x14,
    HID_Z = 0x1D,
    HID_1 = 0x1E,
    HID_0 = 0x27,
    HID_ENTER = 0x28,
    HID_ESCAPE = 0x29,
    HID_BACKSPACE = 0x2A,
    HID_TAB = 0x2B,
    HID_SPACE = 0x2C,
    HID_LEFTBRACKET = 0x2F,
    HID_SEMICOLON = 0x33,
    HID_CAPSLOCK = 0x39,
    HID_F1 = 0x3A,
    HID_F12 = 0x45,
    HID_SCROLLLOCK = 0x47,
    HID_INSERT = 0x49,
    HID_HOME = 0x4A,
    HID_PAGEUP = 0x4B,
    HID_DELETE = 0x4C,
    HID_END = 0x4D,
    HID_PAGEDOWN = 0x4E,
    HID_RIGHT = 0x4F,
    HID_LEFT = 0x50,
    HID_DOWN = 0x51,
    HID_UP = 0x52,
    HID_KP_ENTER = 0x58,
    HID_KP_1 = 0x59,
    HID_KP_9 = 0x61,
    HID_KP_0 = 0x62,
    HID_KP_PERIOD = 0x63,
    HID_LCTRL = 0xE0,
    HID_LSHIFT = 0xE1,
    HID_LALT = 0xE2,
    HID_RCTRL = 0xE4,
    HID_RSHIFT = 0xE5,
    HID_RALT = 0xE6,
};

}  // namespace

TEST(sdlkeys, lettersanddigitsfollowthelayout) {
    EXPECT_EQ(sdlkeys_vk('a', HID_A), (u32)'A');
    EXPECT_EQ(sdlkeys_vk('z', HID_Z), (u32)'Z');
    // French layout: A sits where US keyboards have Q.
    EXPECT_EQ(sdlkeys_vk('a', HID_Q), (u32)'A');
    EXPECT_EQ(sdlkeys_vk('1', HID_1), (u32)'1');
    EXPECT_EQ(sdlkeys_vk('0', HID_0), (u32)'0');
}

TEST(sdlkeys, charactersthegamecannotnamegobyposition) {
    // French digit row prints '&' unshifted; Russian letters are not Latin.
    EXPECT_EQ(sdlkeys_vk('&', HID_1), (u32)'1');
    EXPECT_EQ(sdlkeys_vk(0x444, HID_A), (u32)'A');
    // German u-umlaut sits on the US '[' key.
    EXPECT_EQ(sdlkeys_vk(0xFC, HID_LEFTBRACKET), VK_OEM_4);
}

TEST(sdlkeys, punctuation) {
    EXPECT_EQ(sdlkeys_vk(';', HID_SEMICOLON), VK_OEM_1);
    EXPECT_EQ(sdlkeys_vk('-', 0x2D), VK_OEM_MINUS);
    EXPECT_EQ(sdlkeys_vk('\'', 0x34), VK_OEM_7);
    EXPECT_EQ(sdlkeys_vk('`', 0x35), VK_OEM_3);
    EXPECT_EQ(sdlkeys_vk('/', 0x38), VK_OEM_2);
}

TEST(sdlkeys, functionkeys) {
    EXPECT_EQ(sdlkeys_vk(0, HID_F1), VK_F1);
    EXPECT_EQ(sdlkeys_vk(0, HID_F1 + 6), VK_F7);
    EXPECT_EQ(sdlkeys_vk(0, HID_F1 + 10), VK_F11);
    EXPECT_EQ(sdlkeys_vk(0, HID_F12), VK_F12);
}

TEST(sdlkeys, editingandnavigation) {
    EXPECT_EQ(sdlkeys_vk(0, HID_LEFT), VK_LEFT);
    EXPECT_EQ(sdlkeys_vk(0, HID_RIGHT), VK_RIGHT);
    EXPECT_EQ(sdlkeys_vk(0, HID_UP), VK_UP);
    EXPECT_EQ(sdlkeys_vk(0, HID_DOWN), VK_DOWN);
    EXPECT_EQ(sdlkeys_vk(0, HID_HOME), VK_HOME);
    EXPECT_EQ(sdlkeys_vk(0, HID_END), VK_END);
    EXPECT_EQ(sdlkeys_vk(0, HID_PAGEUP), VK_PRIOR);
    EXPECT_EQ(sdlkeys_vk(0, HID_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(sdlkeys_vk(0, HID_INSERT), VK_INSERT);
    EXPECT_EQ(sdlkeys_vk(0x7F, HID_DELETE), VK_DELETE);
}

TEST(sdlkeys, controlcharacterscomefromthekeyitself) {
    EXPECT_EQ(sdlkeys_vk('\r', HID_ENTER), VK_RETURN);
    EXPECT_EQ(sdlkeys_vk(0x1B, HID_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(sdlkeys_vk('\b', HID_BACKSPACE), VK_BACK);
    EXPECT_EQ(sdlkeys_vk('\t', HID_TAB), VK_TAB);
    EXPECT_EQ(sdlkeys_vk(' ', HID_SPACE), VK_SPACE);
}

TEST(sdlkeys, bothsidesofamodifierarethesamekey) {
    EXPECT_EQ(sdlkeys_vk(0, HID_LSHIFT), VK_SHIFT);
    EXPECT_EQ(sdlkeys_vk(0, HID_RSHIFT), VK_SHIFT);
    EXPECT_EQ(sdlkeys_vk(0, HID_LCTRL), VK_CONTROL);
    EXPECT_EQ(sdlkeys_vk(0, HID_RCTRL), VK_CONTROL);
    EXPECT_EQ(sdlkeys_vk(0, HID_LALT), VK_MENU);
    EXPECT_EQ(sdlkeys_vk(0, HID_RALT), VK_MENU);
    EXPECT_EQ(sdlkeys_vk(0, HID_CAPSLOCK), VK_CAPITAL);
    EXPECT_EQ(sdlkeys_vk(0, HID_SCROLLLOCK), VK_SCROLL);
}

TEST(sdlkeys, keypadisneverthetoprow) {
    EXPECT_EQ(sdlkeys_vk(0, HID_KP_0), VK_NUMPAD0);
    EXPECT_EQ(sdlkeys_vk(0, HID_KP_1), VK_NUMPAD0 + 1);
    EXPECT_EQ(sdlkeys_vk(0, HID_KP_9), VK_NUMPAD0 + 9);
    // Even when the layout reports a plain digit for it.
    EXPECT_EQ(sdlkeys_vk('3', HID_KP_1 + 2), VK_NUMPAD0 + 3);
    EXPECT_EQ(sdlkeys_vk('.', HID_KP_PERIOD), VK_DECIMAL);
    EXPECT_EQ(sdlkeys_vk('\r', HID_KP_ENTER), VK_RETURN);
}

TEST(sdlkeys, unknownkeysarezero) {
    EXPECT_EQ(sdlkeys_vk(0, 0), 0u);
    EXPECT_EQ(sdlkeys_vk('~', 0), 0u);
    EXPECT_EQ(sdlkeys_vk(0, 0x1FF), 0u);
}
