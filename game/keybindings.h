#pragma once
// The mission's keys: each action has a key of its own and one more, and the
// player may give it another in the settings ("key-<action> = NAME", NAME as
// a script names keys). Escape stays the way out of every screen.
#include "platform/types.h"

enum missionaction : u8 {
    ACT_FOLLOW, ACT_FATIGUE, ACT_GATHER, ACT_HEALTH, ACT_LIGHT, ACT_MAGIC, ACT_PAUSE,
    ACT_CRY, ACT_TALK, ACT_SLOWER, ACT_FASTER, ACT_MAP, ACT_QUICKSAVE, ACT_QUICKLOAD, ACT_COUNT, ACT_NONE = ACT_COUNT
};

struct keybinding {
    const char* name;  // the settings key is "key-" + name
    u32 standard;      // the key when the settings give none
    u32 alternative;   // a second key, for keyboards without a keypad
    u32 key;           // the key of this mission
};

extern keybinding keybindings[ACT_COUNT];

// Takes up the settings' bindings; a binding that cannot be used is said on
// stderr (once a run) and its action keeps its standard key.
void loadkeybindings();
// The action a key press stands for: the bound keys first, so a binding
// may take over another action's alternative.
missionaction keyaction(u32 vk);
