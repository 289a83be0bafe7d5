#pragma once
// The sound device and the twelve effect slots.
#include "platform/types.h"

constexpr int NUMSOUNDS = 12;
extern const char* const wavefiles[NUMSOUNDS + 1]; // slots 1..12
extern u32 soundenabled;

u32 InitDSound();
u32 LoadSound(int slot, const char* file);
void ReleaseDSound();
