// Sound effects are WAV files from the data tree: the RIFF chunk walk, the
// WAV reader and the sound device's format check and conversion meet
// whatever bytes are there. A sound either loads and plays through the
// mixer or is refused.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "platform/dsound.h"
#include "sound/dsound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (!InitDSound(nullptr)) std::abort();
    bool loaded = false;
    fuzzrun([&] {
        loaded = LoadSoundBytes(1, data, size) == 1;
        if (!loaded) return;
        // The mixer reads the converted samples to their end.
        ds_play(SoundBuffer[1], 0, 0, 0);
        static i16 out[2 * 4096];
        for (int i = 0; i < 4; i++) ds_mix(out, 4096);
    });
    ReleaseDSound();
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
