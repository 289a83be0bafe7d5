#include "editor/keypadkeys.h"

#include "platform/winmsg.h"

namespace {

struct standin {
    u32 key, keypad;
};

// Pairs sit side by side on the main block as they do on the keypad: the
// lower key for the keypad's left or lower one, so stepping down and up
// stays under two neighbouring fingers.
constexpr standin standins[] = {
    {VK_OEM_MINUS, VK_NUMPAD0 + 1}, {VK_OEM_PLUS, VK_NUMPAD0 + 3},
    {VK_OEM_4, VK_NUMPAD0 + 4},     {VK_OEM_6, VK_NUMPAD0 + 6},
    {VK_OEM_COMMA, VK_NUMPAD0 + 7}, {VK_OEM_PERIOD, VK_NUMPAD0 + 9},
    {VK_PRIOR, VK_NUMPAD0 + 8},     {VK_NEXT, VK_NUMPAD0 + 2},
};

}  // namespace

u32 editorkeypad(u32 vk) {
    for (const standin& s : standins)
        if (s.key == vk) return s.keypad;
    return vk;
}
