#include <vector>

#include "app/debuglog.h"
#include "platform/files.h"
#include "sound/dsound.h"
#include "sound/wavereader.h"

static const struct {
    hresult code;
    const char* name;
} createerrors[] = {
    {DSERR_ALLOCATED, "DSERR_ALLOCATED"},         {DSERR_BADFORMAT, "DSERR_BADFORMAT"},
    {DSERR_UNINITIALIZED, "DSERR_UNINITIALIZED"}, {DSERR_INVALIDPARAM, "DSERR_INVALIDPARAM"},
    {DSERR_UNSUPPORTED, "DSERR_UNSUPPORTED"},     {DSERR_NOAGGREGATION, "DSERR_NOAGGREGATION"},
    {DSERR_OUTOFMEMORY, "DSERR_OUTOFMEMORY"},
};

static void logcreateerror(hresult code) {
    debuglog("CreateSoundBuffer() Failed!");
    for (const auto& e : createerrors)
        if (e.code == code) debuglog("%s", e.name);
}

// Fills the slot's buffer from the open file; the file is closed either way.
static u32 fillbuffer(int slot, mmiofile** file, waveformatex** format, mmckinfo* data) {
    void* p = nullptr;
    u32 n = 0, got = 0;
    if (ds_lock(SoundBuffer[slot], 0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK) {
        WaveCloseFile(file, format);
        debuglog("SoundBuffer->Lock() Failed!");
        return 0;
    }
    if (WaveReadFile(*file, n, (u8*)p, data, &got) != 0) {
        WaveCloseFile(file, format);
        debuglog("WaveReadFile() Failed!");
        return 0;
    }
    // The unlock converts the samples for the output: if that fails the
    // buffer would play as silence.
    if (ds_unlock(SoundBuffer[slot], p, n, nullptr, 0) != DS_OK) {
        WaveCloseFile(file, format);
        debuglog("SoundBuffer->Unlock() Failed!");
        return 0;
    }
    WaveCloseFile(file, format);
    return 1;
}

u32 LoadSound(int slot, const char* file) {
    std::vector<u8> bytes;
    if (!plat_readfile(file, &bytes, SOUNDMAXFILE)) {
        debuglog("WaveOpenFile() Failed!");
        return 0;
    }
    return LoadSoundBytes(slot, bytes.data(), bytes.size());
}

u32 LoadSoundBytes(int slot, const u8* bytes, size_t size) {
    mmiofile* f = nullptr;
    waveformatex* format = nullptr;
    mmckinfo riff, data;
    if (WaveOpenMemory(bytes, size, &f, &format, &riff) != 0) {
        debuglog("WaveOpenFile() Failed!");
        return 0;
    }
    if (WaveStartDataRead(&f, &data, &riff) != 0) {
        WaveCloseFile(&f, &format);
        debuglog("WaveStartDataRead() Failed!");
        return 0;
    }
    dsbufferdesc& desc = soundbufferdesc[slot];
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_STATIC;
    desc.dwBufferBytes = data.cksize;
    desc.dwReserved = 0;
    desc.lpwfxFormat = format;
    hresult r = ds_createsoundbuffer(lpds, &desc, &SoundBuffer[slot], nullptr);
    if (r != DS_OK) {
        WaveCloseFile(&f, &format);
        logcreateerror(r);
        return 0;
    }
    return fillbuffer(slot, &f, &format, &data);
}
