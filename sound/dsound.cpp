#include "sound/dsound.h"

#include "app/debuglog.h"

dsdevice* lpds = nullptr;
dsbuffer* primarybuffer = nullptr;
dsbuffer* SoundBuffer[NUMSOUNDS + 1] = {};
dsbufferdesc soundbufferdesc[NUMSOUNDS + 1] = {};
const char* const wavefiles[NUMSOUNDS + 1] = {
    nullptr,          "wave\\click.wav",  "wave\\sound2.wav",  "wave\\sound3.wav", "wave\\sound4.wav",
    "wave\\sound5.wav", "wave\\sound6.wav", "wave\\sound7.wav",  "wave\\sound8.wav", "wave\\sound9.wav",
    "wave\\sound10.wav", "wave\\wingame.wav", "wave\\chime1.wav",
};
u32 soundenabled = 1;

// The primary buffer is made only so that the output format can be fixed.
static bool fixoutputformat() {
    dsbufferdesc desc;
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (ds_createsoundbuffer(lpds, &desc, &primarybuffer, nullptr) != DS_OK) return false;
    waveformatex cd = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    ds_setformat(primarybuffer, &cd);
    return true;
}

u32 InitDSound(const dsguid* device) {
    debuglog("InitDSound ...\n");
    if (ds_create(device, &lpds, nullptr) != DS_OK) {
        debuglog("Failed DirectSoundCreate()!\n");
        return 0;
    }
    if (ds_setcooperativelevel(lpds, DSSCL_PRIORITY) != DS_OK) {
        debuglog("Failed IDirectSound_SetCooperativeLevel()!\n");
        return 0;
    }
    if (!fixoutputformat()) {
        debuglog("Failed lpds->CreateSoundBuffer()!\n");
        return 0;
    }
    debuglog("InitDSound complete.\n");
    return 1;
}

// The buffers end with the device; the handles are cleared so that nothing
// can reach them afterwards.
void ReleaseDSound() {
    if (!lpds) return;
    ds_release(lpds);
    lpds = nullptr;
    primarybuffer = nullptr;
    for (dsbuffer*& b : SoundBuffer) b = nullptr;
}

void playsound(int slot) {
    if (soundenabled && slot >= 0 && slot <= NUMSOUNDS) ds_play(SoundBuffer[slot], 0, 0, 0);
}
