#pragma once
// Windows virtual-key codes for keyboard keys. A key is known two ways: by
// the character the user's layout prints on it, and by its position, given
// as a USB HID keyboard usage (which is what SDL scancodes are). Letters,
// digits and punctuation follow the layout, as they do on Windows, so a
// French user's A key is 'A'; everything else, and any character the game
// has no key for (Cyrillic letters, accented keys), goes by position.
#include "platform/types.h"

// ch: the layout's character for the key, 0 for keys that print nothing.
// 0 when the game has no virtual key for it.
u32 sdlkeys_vk(u32 ch, u32 usage);
