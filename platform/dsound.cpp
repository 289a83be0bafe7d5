// The sound device kept in memory: buffers, their play state and the mixer.
// A sound card, when there is one, only pulls mixed frames from ds_mix.
#include "platform/dsound.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/platform.h"
#include "platform/settings.h"

struct dsbuffer {
    bool primary = false;
    waveformatex format{};
    std::vector<u8> data;
    std::vector<i16> mix; // the data in the output's format, left and right
    u8* lockedat = nullptr;
    bool playing = false;
    size_t frame = 0;     // next output frame to mix
    u32 plays = 0, starts = 0;
};

struct dsdevice {
    u32 level = 0;
    dsbuffer* primary = nullptr;
    std::vector<dsbuffer*> buffers;
    const dsoutput* output = nullptr;
    u32 volume = 100;
};

static dsdevice* device = nullptr;
static dsfailpoint failwhere = DSF_NONE;
static hresult failcode = DS_OK;

void ds_failnext(dsfailpoint where, hresult code) {
    failwhere = where;
    failcode = code;
}

static bool injected(dsfailpoint where, hresult* code) {
    if (failwhere != where) return false;
    *code = failcode;
    failwhere = DSF_NONE;
    return true;
}

static void mixlock() {
    if (device && device->output) device->output->lock();
}
static void mixunlock() {
    if (device && device->output) device->output->unlock();
}

static hresult checkdevice(const dsdevice* ds) {
    if (!device) return DSERR_UNINITIALIZED;
    return ds == device ? DS_OK : DSERR_INVALIDPARAM;
}

// A handle the device does not know (any more) is refused, not followed.
static hresult checkbuffer(const dsbuffer* b) {
    if (!device) return DSERR_UNINITIALIZED;
    if (b && b == device->primary) return DS_OK;
    bool known = b && std::find(device->buffers.begin(), device->buffers.end(), b) != device->buffers.end();
    return known ? DS_OK : DSERR_INVALIDPARAM;
}

static bool playable(const waveformatex* f) {
    if (f->wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f->nChannels != 1 && f->nChannels != 2) return false;
    if (f->wBitsPerSample != 8 && f->wBitsPerSample != 16) return false;
    if (f->nSamplesPerSec < 8000 || f->nSamplesPerSec > 48000) return false;
    return f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8;
}

// One channel of one frame of the buffer's own data, scaled to 16 bits.
static i32 sample(const dsbuffer* b, size_t frame, int channel) {
    int bytes = b->format.wBitsPerSample / 8;
    const u8* p = b->data.data() + frame * b->format.nBlockAlign + channel * bytes;
    return bytes == 1 ? ((i32)p[0] - 128) * 256 : (i16)(p[0] | p[1] << 8);
}

// Output frames a buffer of this format and size converts to.
static u64 mixframes(const waveformatex* f, u64 bytes) {
    u64 rate = f->nSamplesPerSec, frames = bytes / f->nBlockAlign;
    return (frames * DSMIXRATE + rate - 1) / rate;
}

// To the output's rate by straight-line interpolation, into out (sized by
// mixframes); mono goes to both sides. A partial frame at the end is dropped.
static void convert(const dsbuffer* b, std::vector<i16>& out) {
    u64 rate = b->format.nSamplesPerSec;
    size_t frames = b->data.size() / b->format.nBlockAlign;
    size_t outframes = out.size() / 2;
    for (size_t i = 0; i < outframes; i++) {
        u64 at = i * rate / DSMIXRATE;
        i64 frac = (i64)(i * rate % DSMIXRATE);
        size_t next = at + 1 < frames ? at + 1 : at;
        for (int side = 0; side < 2; side++) {
            int channel = b->format.nChannels == 2 ? side : 0;
            i32 a = sample(b, at, channel), z = sample(b, next, channel);
            out[i * 2 + side] = (i16)(a + (z - a) * frac / (i64)DSMIXRATE);
        }
    }
}

// Converted where it lies: the mix keeps its size for the buffer's life. The
// mixer reads only playing buffers and only this thread starts one, so a
// buffer that is not playing is converted without holding the mixer up.
static void remix(dsbuffer* b) {
    mixlock();
    bool held = b->playing;
    if (!held) mixunlock();
    convert(b, b->mix);
    if (!held) mixlock();
    if (b->frame * 2 >= b->mix.size()) {
        b->playing = false;
        b->frame = 0;
    }
    mixunlock();
}

static i16 clamp16(i32 v) { return (i16)std::clamp(v, -32768, 32767); }

void ds_mix(i16* out, u32 frames) {
    if (!device) {
        std::fill(out, out + frames * 2, (i16)0);
        return;
    }
    for (u32 i = 0; i < frames; i++) {
        i32 left = 0, right = 0;
        for (dsbuffer* b : device->buffers) {
            if (!b->playing) continue;
            if (b->frame * 2 < b->mix.size()) {
                left += b->mix[b->frame * 2];
                right += b->mix[b->frame * 2 + 1];
            }
            if (++b->frame * 2 >= b->mix.size()) {
                b->playing = false;
                b->frame = 0;
            }
        }
        // The sum is scaled before clamping, so a quieter mix clips less.
        i32 v = (i32)device->volume;
        out[i * 2] = clamp16(left * v / 100);
        out[i * 2 + 1] = clamp16(right * v / 100);
    }
}

static const dsoutput* openoutput() {
    if (plat_options().headless || plat_options().mute) return nullptr;
    std::string err;
    if (sdlaudio.open(&err)) return &sdlaudio;
    plat_debugoutput(("sound: no output device (" + err + "); the effects stay silent\n").c_str());
    return nullptr;
}

hresult ds_create(const dsguid* id, dsdevice** out, void* outer) {
    if (!out) return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    if (id) return DSERR_INVALIDPARAM;
    hresult code;
    if (injected(DSF_CREATE, &code)) return code;
    if (device) return DSERR_ALLOCATED;
    dsdevice* ds = new (std::nothrow) dsdevice;
    if (!ds) return DSERR_OUTOFMEMORY;
    // The card may call the mixer as soon as it is open.
    const char* v = plat_setting("volume");
    if (v) ds->volume = (u32)std::strtol(v, nullptr, 10);
    ds->output = openoutput();
    if (ds->output) ds->output->lock();
    device = ds;
    if (ds->output) ds->output->unlock();
    *out = ds;
    return DS_OK;
}

u32 ds_release(dsdevice* ds) {
    if (!ds || ds != device) return 0;
    if (ds->output) ds->output->close();
    device = nullptr;
    for (dsbuffer* b : ds->buffers) delete b;
    delete ds->primary;
    delete ds;
    return 0;
}

bool ds_outputopen() { return device && device->output; }

void ds_setvolume(u32 volume) {
    if (!device) return;
    mixlock();
    device->volume = std::min<u32>(volume, 100);
    mixunlock();
}

u32 ds_volume() { return device ? device->volume : 0; }

hresult ds_setcooperativelevel(dsdevice* ds, u32 level) {
    hresult code = checkdevice(ds);
    if (code != DS_OK || injected(DSF_COOPERATIVE, &code)) return code;
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    ds->level = level;
    return DS_OK;
}

static hresult createprimary(dsdevice* ds, const dsbufferdesc* desc, dsbuffer** out) {
    if (desc->dwFlags != DSBCAPS_PRIMARYBUFFER || desc->dwBufferBytes || desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    if (!ds->primary) {
        ds->primary = new (std::nothrow) dsbuffer;
        if (!ds->primary) return DSERR_OUTOFMEMORY;
        ds->primary->primary = true;
        ds->primary->format = {WAVE_FORMAT_PCM, 2, 22050, 44100, 2, 8, 0};
    }
    *out = ds->primary;
    return DS_OK;
}

static hresult createsecondary(dsdevice* ds, const dsbufferdesc* desc, dsbuffer** out) {
    if (desc->dwFlags & ~DSBCAPS_STATIC) return DSERR_UNSUPPORTED;
    if (!desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
    if (!playable(desc->lpwfxFormat)) return DSERR_BADFORMAT;
    u64 mixbytes = mixframes(desc->lpwfxFormat, desc->dwBufferBytes) * 4;
    if (desc->dwBufferBytes > DSBUFFERMAXBYTES || mixbytes > DSBUFFERMAXBYTES) return DSERR_OUTOFMEMORY;
    dsbuffer* b = new (std::nothrow) dsbuffer;
    if (!b) return DSERR_OUTOFMEMORY;
    b->format = *desc->lpwfxFormat;
    b->format.cbSize = 0;
    bool ok = true;
    // Silence converts to zeros, so a new buffer's mix needs no conversion.
    try {
        b->data.assign(desc->dwBufferBytes, b->format.wBitsPerSample == 8 ? 0x80 : 0);
        b->mix.assign((size_t)(mixbytes / 2), 0);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    // The list may move when it grows, so the mixer must not be walking it.
    mixlock();
    try {
        if (ok) ds->buffers.push_back(b);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    mixunlock();
    if (!ok) {
        delete b;
        return DSERR_OUTOFMEMORY;
    }
    *out = b;
    return DS_OK;
}

hresult ds_createsoundbuffer(dsdevice* ds, const dsbufferdesc* desc, dsbuffer** out, void* outer) {
    hresult code = checkdevice(ds);
    if (code != DS_OK) return code;
    if (!out || !desc || desc->dwSize != DSBUFFERDESC_SIZE) return DSERR_INVALIDPARAM;
    if (outer) return DSERR_NOAGGREGATION;
    if (injected(DSF_BUFFER, &code)) return code;
    if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) return createprimary(ds, desc, out);
    return createsecondary(ds, desc, out);
}

hresult ds_setformat(dsbuffer* b, const waveformatex* format) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (!b->primary || !format) return DSERR_INVALIDPARAM;
    if (!playable(format)) return DSERR_BADFORMAT;
    b->format = *format;
    b->format.cbSize = 0;
    return DS_OK;
}

hresult ds_getformat(dsbuffer* b, waveformatex* out) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (!out) return DSERR_INVALIDPARAM;
    *out = b->format;
    return DS_OK;
}

hresult ds_lock(dsbuffer* b, u32 offset, u32 bytes, void** p1, u32* n1, void** p2, u32* n2, u32 flags) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (b->primary || !p1 || !n1 || b->lockedat || (flags & ~DSBLOCK_ENTIREBUFFER)) return DSERR_INVALIDPARAM;
    if (injected(DSF_LOCK, &code)) return code;
    u32 size = (u32)b->data.size();
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    u32 first = std::min(bytes, size - offset);
    u32 rest = p2 ? bytes - first : 0;
    *p1 = b->data.data() + offset;
    *n1 = first;
    if (p2) *p2 = rest ? b->data.data() : nullptr;
    if (n2) *n2 = rest;
    b->lockedat = b->data.data() + offset;
    return DS_OK;
}

hresult ds_unlock(dsbuffer* b, void* p1, u32, void*, u32) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (!b->lockedat || p1 != b->lockedat) return DSERR_INVALIDPARAM;
    b->lockedat = nullptr;
    if (injected(DSF_UNLOCK, &code)) return code;
    remix(b);
    return DS_OK;
}

hresult ds_play(dsbuffer* b, u32 reserved, u32 priority, u32 flags) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (b->primary || reserved || priority) return DSERR_INVALIDPARAM;
    if (flags) return DSERR_UNSUPPORTED;
    mixlock();
    b->plays++;
    if (!b->playing) {
        b->playing = true;
        b->frame = 0;
        b->starts++;
    }
    mixunlock();
    return DS_OK;
}

hresult ds_getstatus(dsbuffer* b, u32* status) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (!status) return DSERR_INVALIDPARAM;
    mixlock();
    *status = b->playing ? (u32)DSBSTATUS_PLAYING : 0u;
    mixunlock();
    return DS_OK;
}

hresult ds_getcurrentposition(dsbuffer* b, u32* play, u32* write) {
    hresult code = checkbuffer(b);
    if (code != DS_OK) return code;
    if (b->primary) return DSERR_INVALIDPARAM;
    mixlock();
    u64 frame = (u64)b->frame * b->format.nSamplesPerSec / DSMIXRATE;
    mixunlock();
    u32 at = (u32)std::min<u64>(frame * b->format.nBlockAlign, b->data.size());
    if (play) *play = at;
    if (write) *write = at;
    return DS_OK;
}

u32 ds_playcount(const dsbuffer* b) { return checkbuffer(b) == DS_OK ? b->plays : 0; }
u32 ds_startcount(const dsbuffer* b) { return checkbuffer(b) == DS_OK ? b->starts : 0; }
