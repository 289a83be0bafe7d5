#pragma once
// What the player's keys and clicks do during a mission.
#include "platform/types.h"

void combatinput(u32 message, u32 wparam, i32 lparam);
