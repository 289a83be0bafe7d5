#pragma once
// The sound device: one device object on the default output, a primary
// buffer that only fixes the output format, and static secondary buffers
// that the game fills through a lock and plays one shot at a time. Every
// playing buffer is mixed into the output. Calls answer with DS_OK or one of
// the DSERR_ codes below, as the game's error reporting expects.
//
// With --headless or --mute no sound card is opened: everything is accepted
// and counted, and nothing is heard. When the card cannot be opened the
// device still comes up, silent, so that a machine without sound can play.
#include <string>

#include "platform/types.h"

typedef i32 hresult;

constexpr hresult DS_OK = 0;
constexpr hresult DSERR_ALLOCATED = (hresult)0x8878000Au;     // a device exists already
constexpr hresult DSERR_BADFORMAT = (hresult)0x88780064u;     // a wave format the device cannot play
constexpr hresult DSERR_UNINITIALIZED = (hresult)0x887800AAu; // no device
constexpr hresult DSERR_INVALIDPARAM = (hresult)0x80070057u;
constexpr hresult DSERR_UNSUPPORTED = (hresult)0x80004001u;
constexpr hresult DSERR_NOAGGREGATION = (hresult)0x80040110u;
constexpr hresult DSERR_OUTOFMEMORY = (hresult)0x8007000Eu;

// Cooperative levels.
enum : u32 { DSSCL_NORMAL = 1, DSSCL_PRIORITY = 2, DSSCL_EXCLUSIVE = 3, DSSCL_WRITEPRIMARY = 4 };
// Buffer description flags. Volume, pan and frequency controls are not offered.
enum : u32 { DSBCAPS_PRIMARYBUFFER = 0x1, DSBCAPS_STATIC = 0x2 };
enum : u32 { DSBLOCK_ENTIREBUFFER = 0x2 };
enum : u32 { DSBSTATUS_PLAYING = 0x1 };
constexpr u32 DSBSIZE_MIN = 4;
constexpr u32 DSBSIZE_MAX = 0x0FFFFFFF;
// A buffer is kept twice, as written and converted to the output's format
// (which for 8-bit mono at 8000 Hz is 22 times larger); a buffer is refused
// with DSERR_OUTOFMEMORY when either would pass this, which is some 95
// seconds of output, far more than any effect.
constexpr u32 DSBUFFERMAXBYTES = 16u << 20;
constexpr u16 WAVE_FORMAT_PCM = 1;

// The wave format block as WAV files hold it: 18 bytes, then cbSize extra
// bytes straight behind it.
#pragma pack(push, 2)
struct waveformatex {
    u16 wFormatTag;
    u16 nChannels;
    u32 nSamplesPerSec;
    u32 nAvgBytesPerSec;
    u16 nBlockAlign;
    u16 wBitsPerSample;
    u16 cbSize;
};
#pragma pack(pop)
static_assert(sizeof(waveformatex) == 18);

// The size field of a description is a version stamp: the device takes only
// descriptions that say 36.
constexpr u32 DSBUFFERDESC_SIZE = 36;
struct dsbufferdesc {
    u32 dwSize = 0;
    u32 dwFlags = 0;
    u32 dwBufferBytes = 0;
    u32 dwReserved = 0;
    const waveformatex* lpwfxFormat = nullptr;
};

// A device identifier. Only the default device (none) exists.
struct dsguid {
    u32 data1;
    u16 data2, data3;
    u8 data4[8];
};

struct dsdevice;
struct dsbuffer;

hresult ds_create(const dsguid* device, dsdevice** out, void* outer);
// Every buffer goes with the device. Returns the references left (0).
u32 ds_release(dsdevice* ds);
// For the game's one window.
hresult ds_setcooperativelevel(dsdevice* ds, u32 level);
// A primary buffer (no size, no format; the same one each time) or a
// secondary buffer of the given size and format, silent until written.
hresult ds_createsoundbuffer(dsdevice* ds, const dsbufferdesc* desc, dsbuffer** out, void* outer);
// The primary buffer's format. The output itself always runs at 44100 Hz,
// stereo, 16-bit, and every buffer is converted to that.
hresult ds_setformat(dsbuffer* b, const waveformatex* format);
hresult ds_getformat(dsbuffer* b, waveformatex* out);
// With DSBLOCK_ENTIREBUFFER the whole buffer comes back as the first region.
// Otherwise the region from offset that wraps round to the start as the
// second region (when p2 is given).
hresult ds_lock(dsbuffer* b, u32 offset, u32 bytes, void** p1, u32* n1, void** p2, u32* n2, u32 flags);
// What was written between lock and unlock is what plays from then on; the
// buffer is converted to the output's format here, once per unlock.
hresult ds_unlock(dsbuffer* b, void* p1, u32 n1, void* p2, u32 n2);
// One shot from the start. A buffer that is still playing goes on as it was:
// the call is accepted (and counted) but changes nothing. Looping is not offered.
hresult ds_play(dsbuffer* b, u32 reserved, u32 priority, u32 flags);
hresult ds_getstatus(dsbuffer* b, u32* status);
// The play position, in the buffer's own bytes.
hresult ds_getcurrentposition(dsbuffer* b, u32* play, u32* write);

// The effects' loudness, 0 (silent) to 100 (as recorded); the device starts
// at the settings' volume. Larger values are taken as 100.
void ds_setvolume(u32 volume);
u32 ds_volume();

// ---- for tests ---------------------------------------------------------------
// Play calls the buffer accepted, and those of them that started it.
u32 ds_playcount(const dsbuffer* b);
u32 ds_startcount(const dsbuffer* b);
// True while a sound card takes the mix.
bool ds_outputopen();
// The next call of one kind fails with a code.
enum dsfailpoint { DSF_NONE, DSF_CREATE, DSF_COOPERATIVE, DSF_BUFFER, DSF_LOCK, DSF_UNLOCK };
void ds_failnext(dsfailpoint where, hresult code);

// ---- inside platform/: the sound card behind the device ----------------------
constexpr u32 DSMIXRATE = 44100; // frames per second; two channels of 16 bits
// Adds up every playing buffer into frames of the output, scaled by the
// volume, clamped. Buffers
// that reach their end stop. The card calls it with its lock held; tests call
// it to stand in for the card.
void ds_mix(i16* out, u32 frames);
struct dsoutput {
    // False (with *err) when there is no card to play on.
    bool (*open)(std::string* err);
    void (*close)();
    // Keeps the mixer out while buffers change.
    void (*lock)();
    void (*unlock)();
};
extern const dsoutput sdlaudio;
