#pragma once
// The game's twelve sound effects, wave/*.wav: 16-bit mono PCM at
// kSoundRate, in the order of the sound module's slots 1..12.
#include <string>

#include "tools/content/gen.h"
#include "tools/content/sound_wave.h"

struct SoundFile {
    const char* path;    // in the data tree
    Wave (*make)();      // the raw mix
    double loudness_db;  // target for wave_loudness, dBFS
};

constexpr int kSoundFiles = 12;
extern const SoundFile kSounds[kSoundFiles];

// No effect peaks above this, whatever its loudness target asks for.
constexpr double kSoundCeilingDb = -3.0;

// The mix with its ends faded, its offset removed and its level set.
Wave finish_sound(const SoundFile& f);
bool gen_sounds(const GenContext& ctx, std::string& why);
