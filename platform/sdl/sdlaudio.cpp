// The sound card through SDL: one output device in the mixer's own format,
// whose callback pulls frames from ds_mix. SDL converts for cards that want
// something else, so the mixer never has to know.
#include <SDL.h>

#include "platform/dsound.h"

namespace {

SDL_AudioDeviceID audiodevice = 0;

// Runs on SDL's audio thread with the device lock held, which is what keeps
// ds_play and buffer changes on the main thread from crossing it.
void SDLCALL pull(void*, Uint8* stream, int len) { ds_mix((i16*)stream, (u32)len / 4); }

bool fail(std::string* err) {
    if (err) *err = SDL_GetError();
    return false;
}

bool audioopen(std::string* err) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return fail(err);
    SDL_AudioSpec want{};
    want.freq = (int)DSMIXRATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024; // about 23 ms: short enough that a hit sounds with its blow
    want.callback = pull;
    audiodevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!audiodevice) {
        fail(err);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(audiodevice, 0);
    return true;
}

// Returns only once the callback has finished for good.
void audioclose() {
    if (!audiodevice) return;
    SDL_CloseAudioDevice(audiodevice);
    audiodevice = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void audiolock() {
    if (audiodevice) SDL_LockAudioDevice(audiodevice);
}

void audiounlock() {
    if (audiodevice) SDL_UnlockAudioDevice(audiodevice);
}

}  // namespace

const dsoutput sdlaudio = {
    .open = audioopen,
    .close = audioclose,
    .lock = audiolock,
    .unlock = audiounlock,
};
