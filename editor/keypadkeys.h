#pragma once
// The editors' keypad keys and the keys of the main block that stand in for
// them, so a laptop or a compact keyboard can do everything a full one can.
#include "platform/types.h"

// The keypad key vk stands for in an editor; vk itself when it stands for none.
u32 editorkeypad(u32 vk);
