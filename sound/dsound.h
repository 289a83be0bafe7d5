#pragma once
// The sound device and the twelve effect slots: set up once at start-up,
// each slot loaded once from its WAV file, played one shot at a time.
#include <cstddef>

#include "platform/dsound.h"
#include "platform/mmio.h"
#include "platform/types.h"

constexpr int NUMSOUNDS = 12;

extern dsdevice* lpds;
extern dsbuffer* primarybuffer;
extern dsbuffer* SoundBuffer[NUMSOUNDS + 1];       // slot 0 is never filled
// Its format pointer is good only while the slot loads.
extern dsbufferdesc soundbufferdesc[NUMSOUNDS + 1];
extern const char* const wavefiles[NUMSOUNDS + 1]; // slots 1..12
// The one switch that silences every effect.
extern u32 soundenabled;

// 1 on success. The cooperative level is for the game's one window, which the
// platform knows, so only the device is named: always none, the default.
u32 InitDSound(const dsguid* device);
// 1 when the slot's buffer holds the file's samples. A file larger than any
// sound of the game is refused unread.
constexpr size_t SOUNDMAXFILE = MMIO_MAXFILE;
u32 LoadSound(int slot, const char* file);
// The same from a WAV file's bytes.
u32 LoadSoundBytes(int slot, const u8* bytes, size_t size);
void ReleaseDSound();
// What every place that makes a sound does: nothing while sound is
// disabled, otherwise one shot on the slot's buffer, the result ignored.
void playsound(int slot);
