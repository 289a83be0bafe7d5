#include "game/keybindings.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/script.h"
#include "platform/settings.h"
#include "platform/winmsg.h"

// Indexed by missionaction. The overhead map has no key of the original
// set: O is free in the mission, and a controller's Back button answers to
// it whatever the binding.
keybinding keybindings[ACT_COUNT] = {
    {"follow", VK_END, 0, VK_END},
    {"fatigue", 'F', 0, 'F'},
    {"gather", 'G', 0, 'G'},
    {"health", 'H', 0, 'H'},
    {"light", 'L', 0, 'L'},
    {"magic", 'M', 0, 'M'},
    {"pause", 'P', VK_PAUSE, 'P'},
    {"cry", 'R', 0, 'R'},
    {"talk", 'T', 0, 'T'},
    {"slower", VK_NUMPAD0 + 1, VK_OEM_MINUS, VK_NUMPAD0 + 1},
    {"faster", VK_NUMPAD0 + 3, VK_OEM_PLUS, VK_NUMPAD0 + 3},
    {"map", 'O', VK_GAMEPAD_VIEW_BUTTON, 'O'},
    {"quicksave", VK_F5, 0, VK_F5},
    {"quickload", VK_F9, 0, VK_F9},
};

static const char PREFIX[] = "key-";

static keybinding* bindingnamed(const std::string& name) {
    for (keybinding& b : keybindings)
        if (name == b.name) return &b;
    return nullptr;
}

// Every mission reads the bindings again; a bad one is said the first time.
static void refuse(const std::string& key, const char* value, const char* why) {
    static std::vector<std::string> said;
    std::string line = key + " = " + (value ? value : "");
    for (const std::string& s : said)
        if (s == line) return;
    said.push_back(line);
    std::fprintf(stderr, "vennor: settings: %s: %s; the mission's own key stays\n", line.c_str(), why);
}

void loadkeybindings() {
    for (keybinding& b : keybindings) b.key = b.standard;
    for (const std::string& key : plat_settingkeys(PREFIX)) {
        keybinding* b = bindingnamed(key.substr(sizeof PREFIX - 1));
        const char* value = plat_setting(key.c_str());
        if (!b) {
            refuse(key, value, "no mission action of that name");
            continue;
        }
        u32 vk = value ? script_keycode(value) : 0;
        if (!vk || vk == VK_ESCAPE) refuse(key, value, vk ? "Escape is kept for leaving" : "not a key name");
        else b->key = vk;
    }
}

missionaction keyaction(u32 vk) {
    if (!vk) return ACT_NONE;
    for (int i = 0; i < ACT_COUNT; i++)
        if (keybindings[i].key == vk) return (missionaction)i;
    for (int i = 0; i < ACT_COUNT; i++)
        if (keybindings[i].alternative == vk) return (missionaction)i;
    return ACT_NONE;
}
