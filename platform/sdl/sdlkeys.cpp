#include "platform/sdl/sdlkeys.h"

#include <SDL_scancode.h>

#include "platform/winmsg.h"

namespace {

// Codes the game never names but the keyboard has.
enum : u32 {
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_F13 = 0x7C,
    VK_NUMLOCK = 0x90,
    VK_SNAPSHOT = 0x2C,
    VK_OEM_102 = 0xE2,
};

struct keypair {
    u32 from, vk;
};

constexpr keypair punctuation[] = {
    {';', VK_OEM_1},  {'=', VK_OEM_PLUS}, {',', VK_OEM_COMMA}, {'-', VK_OEM_MINUS},
    {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2}, {'`', VK_OEM_3},     {'[', VK_OEM_4},
    {'\\', VK_OEM_5}, {']', VK_OEM_6},    {'\'', VK_OEM_7},
};

constexpr keypair positions[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},     {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_SPACE, VK_SPACE},       {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},   {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},   {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},  {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},   {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},       {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},  {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL}, {SDL_SCANCODE_PAUSE, VK_PAUSE},
    {SDL_SCANCODE_INSERT, VK_INSERT},     {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},      {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_END, VK_END},           {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},       {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_DOWN, VK_DOWN},         {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK}, {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},     {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},      {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LALT, VK_MENU},         {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_LGUI, VK_LWIN},         {SDL_SCANCODE_RGUI, VK_RWIN},
};

// The keypad speaks by position only: with Num Lock on some layouts report
// its keys as plain digits, which would make them indistinguishable from the
// top row.
constexpr keypair keypad[] = {
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},   {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},  {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0},       {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2},   {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4},   {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6},   {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8},   {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9},
};

template <size_t n>
u32 lookup(const keypair (&table)[n], u32 from) {
    for (const keypair& p : table)
        if (p.from == from) return p.vk;
    return 0;
}

u32 fromchar(u32 ch) {
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 'A';
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) return ch;
    return lookup(punctuation, ch);
}

u32 fromusage(u32 usage) {
    if (usage >= SDL_SCANCODE_A && usage <= SDL_SCANCODE_Z) return 'A' + (usage - SDL_SCANCODE_A);
    if (usage >= SDL_SCANCODE_1 && usage <= SDL_SCANCODE_9) return '1' + (usage - SDL_SCANCODE_1);
    if (usage == SDL_SCANCODE_0) return '0';
    if (usage >= SDL_SCANCODE_F1 && usage <= SDL_SCANCODE_F12) return VK_F1 + (usage - SDL_SCANCODE_F1);
    if (usage >= SDL_SCANCODE_F13 && usage <= SDL_SCANCODE_F24) return VK_F13 + (usage - SDL_SCANCODE_F13);
    return lookup(positions, usage);
}

}  // namespace

u32 sdlkeys_vk(u32 ch, u32 usage) {
    if (u32 vk = lookup(keypad, usage)) return vk;
    if (u32 vk = fromchar(ch)) return vk;
    return fromusage(usage);
}
