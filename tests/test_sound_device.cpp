// The sound device on the headless platform: what it accepts, locking, the
// one-shot play rule and the mixer a sound card pulls from.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/dsound.h"
#include "sound/dsound.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

waveformatex pcm(u16 channels, u32 rate, u16 bits) {
    u16 align = (u16)(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

class SoundDevice : public ::testing::Test {
  protected:
    dsdevice* ds = nullptr;
    void SetUp() override {
        starttestplatform();
        ReleaseDSound(); // a device the game's set-up left behind
        ASSERT_EQ(ds_create(nullptr, &ds, nullptr), DS_OK);
    }
    void TearDown() override { ds_release(ds); }

    hresult make(const waveformatex& f, u32 size, dsbuffer** out, u32 flags = DSBCAPS_STATIC) {
        dsbufferdesc d;
        d.dwSize = DSBUFFERDESC_SIZE;
        d.dwFlags = flags;
        d.dwBufferBytes = size;
        d.lpwfxFormat = &f;
        return ds_createsoundbuffer(ds, &d, out, nullptr);
    }
    // A buffer holding exactly these bytes.
    dsbuffer* filled(const waveformatex& f, const bytes& data) {
        dsbuffer* b = nullptr;
        EXPECT_EQ(make(f, (u32)data.size(), &b), DS_OK);
        void* p;
        u32 n;
        EXPECT_EQ(ds_lock(b, 0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        std::memcpy(p, data.data(), n);
        EXPECT_EQ(ds_unlock(b, p, n, nullptr, 0), DS_OK);
        return b;
    }
    bool playing(dsbuffer* b) {
        u32 s = 0;
        EXPECT_EQ(ds_getstatus(b, &s), DS_OK);
        return s & DSBSTATUS_PLAYING;
    }
};

bytes samples16(const std::vector<i16>& v) {
    bytes b;
    for (i16 s : v) put16(b, (u16)s);
    return b;
}

std::vector<i16> mixed(u32 frames) {
    std::vector<i16> out(frames * 2, 12345);
    ds_mix(out.data(), frames);
    return out;
}

TEST_F(SoundDevice, OneDeviceAtATimeOnTheDefaultOutputOnly) {
    dsdevice* other = nullptr;
    EXPECT_EQ(ds_create(nullptr, &other, nullptr), DSERR_ALLOCATED);
    EXPECT_EQ(other, nullptr);
    int outer;
    EXPECT_EQ(ds_create(nullptr, &other, &outer), DSERR_NOAGGREGATION);
    dsguid id{};
    EXPECT_EQ(ds_create(&id, &other, nullptr), DSERR_INVALIDPARAM);
    EXPECT_FALSE(ds_outputopen()) << "headless: no sound card";

    dsbuffer* b = filled(pcm(1, 8000, 8), pattern(16));
    ds_release(ds);
    EXPECT_EQ(ds_play(b, 0, 0, 0), DSERR_UNINITIALIZED) << "buffers end with their device";
    EXPECT_EQ(ds_setcooperativelevel(ds, DSSCL_PRIORITY), DSERR_UNINITIALIZED);
    ASSERT_EQ(ds_create(nullptr, &ds, nullptr), DS_OK);
    EXPECT_EQ(ds_play(b, 0, 0, 0), DSERR_INVALIDPARAM) << "an old handle is not the new device's";
}

TEST_F(SoundDevice, CooperativeLevelsOneToFour) {
    for (u32 level : {DSSCL_NORMAL, DSSCL_PRIORITY, DSSCL_EXCLUSIVE, DSSCL_WRITEPRIMARY})
        EXPECT_EQ(ds_setcooperativelevel(ds, level), DS_OK) << level;
    EXPECT_EQ(ds_setcooperativelevel(ds, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_setcooperativelevel(ds, 5), DSERR_INVALIDPARAM);
    int notadevice;
    EXPECT_EQ(ds_setcooperativelevel((dsdevice*)&notadevice, DSSCL_NORMAL), DSERR_INVALIDPARAM);
}

TEST_F(SoundDevice, OnlyPlainPcmFormatsAreTaken) {
    dsbuffer* b;
    for (auto f : {pcm(1, 8000, 8), pcm(2, 48000, 16), pcm(1, 44100, 16), pcm(2, 22050, 8)})
        EXPECT_EQ(make(f, 64, &b), DS_OK) << f.nChannels << " " << f.nSamplesPerSec << " " << f.wBitsPerSample;
    std::vector<waveformatex> bad = {pcm(0, 22050, 8),  pcm(3, 22050, 16), pcm(1, 22050, 4), pcm(1, 22050, 24),
                                     pcm(2, 22050, 32), pcm(1, 7999, 8),   pcm(1, 48001, 16)};
    waveformatex adpcm = pcm(1, 22050, 16);
    adpcm.wFormatTag = 2;
    waveformatex misaligned = pcm(2, 22050, 16);
    misaligned.nBlockAlign = 2;
    bad.push_back(adpcm);
    bad.push_back(misaligned);
    for (const waveformatex& f : bad) {
        b = nullptr;
        EXPECT_EQ(make(f, 64, &b), DSERR_BADFORMAT) << f.wFormatTag << " " << f.nChannels << " " << f.nSamplesPerSec
                                                     << " " << f.wBitsPerSample << " " << f.nBlockAlign;
        EXPECT_EQ(b, nullptr);
    }
}

TEST_F(SoundDevice, SizesFlagsAndTheDescriptionItselfAreChecked) {
    dsbuffer* b;
    waveformatex f = pcm(1, 22050, 8);
    EXPECT_EQ(make(f, DSBSIZE_MIN - 1, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(make(f, DSBSIZE_MAX + 1, &b), DSERR_INVALIDPARAM);
    EXPECT_EQ(make(f, DSBSIZE_MIN, &b), DS_OK);
    EXPECT_EQ(make(f, 64, &b, DSBCAPS_STATIC | 0x80), DSERR_UNSUPPORTED) << "no volume control";
    dsbufferdesc d;
    d.dwSize = 20;
    d.dwBufferBytes = 64;
    d.lpwfxFormat = &f;
    EXPECT_EQ(ds_createsoundbuffer(ds, &d, &b, nullptr), DSERR_INVALIDPARAM);
    d.dwSize = DSBUFFERDESC_SIZE;
    d.lpwfxFormat = nullptr;
    EXPECT_EQ(ds_createsoundbuffer(ds, &d, &b, nullptr), DSERR_INVALIDPARAM);
    int outer;
    d.lpwfxFormat = &f;
    EXPECT_EQ(ds_createsoundbuffer(ds, &d, &b, &outer), DSERR_NOAGGREGATION);
}

TEST_F(SoundDevice, ABufferIsRefusedWhenItOrItsConversionWouldPassTheCap) {
    dsbuffer* b = nullptr;
    // 8-bit mono at 8000 Hz: 5.5125 output frames of 4 bytes per byte written.
    EXPECT_EQ(make(pcm(1, 8000, 8), 760871, &b), DS_OK); // 16777208 bytes converted
    b = nullptr;
    EXPECT_EQ(make(pcm(1, 8000, 8), 760872, &b), DSERR_OUTOFMEMORY); // 16777228
    EXPECT_EQ(b, nullptr);
    // 16-bit stereo at 48000 Hz shrinks when converted: the bytes written are the bound.
    EXPECT_EQ(make(pcm(2, 48000, 16), DSBUFFERMAXBYTES, &b), DS_OK);
    EXPECT_EQ(make(pcm(2, 48000, 16), DSBUFFERMAXBYTES + 4, &b), DSERR_OUTOFMEMORY);
}

TEST_F(SoundDevice, ThePrimaryBufferOnlyCarriesTheFormat) {
    dsbufferdesc d;
    d.dwSize = DSBUFFERDESC_SIZE;
    d.dwFlags = DSBCAPS_PRIMARYBUFFER;
    dsbuffer *p = nullptr, *again = nullptr;
    ASSERT_EQ(ds_createsoundbuffer(ds, &d, &p, nullptr), DS_OK);
    ASSERT_EQ(ds_createsoundbuffer(ds, &d, &again, nullptr), DS_OK);
    EXPECT_EQ(p, again) << "one primary buffer per device";
    waveformatex cd = pcm(2, 44100, 16), got{};
    ASSERT_EQ(ds_setformat(p, &cd), DS_OK);
    ASSERT_EQ(ds_getformat(p, &got), DS_OK);
    EXPECT_EQ(std::memcmp(&got, &cd, sizeof cd), 0);
    waveformatex deep = pcm(2, 44100, 24);
    EXPECT_EQ(ds_setformat(p, &deep), DSERR_BADFORMAT);
    void* lp;
    u32 n;
    EXPECT_EQ(ds_lock(p, 0, 0, &lp, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_play(p, 0, 0, 0), DSERR_INVALIDPARAM);
    d.dwBufferBytes = 64;
    EXPECT_EQ(ds_createsoundbuffer(ds, &d, &again, nullptr), DSERR_INVALIDPARAM);
    dsbuffer* s = filled(pcm(1, 8000, 8), pattern(8));
    EXPECT_EQ(ds_setformat(s, &cd), DSERR_INVALIDPARAM) << "a secondary buffer keeps the format it was made with";
}

TEST_F(SoundDevice, LockGivesTheWholeBufferOrAWrappedRegion) {
    dsbuffer* b;
    ASSERT_EQ(make(pcm(1, 8000, 8), 10, &b), DS_OK);
    void *p1, *p2;
    u32 n1, n2;
    ASSERT_EQ(ds_lock(b, 3, 1, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(n1, 10u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(n2, 0u);
    EXPECT_EQ(bytes((u8*)p1, (u8*)p1 + 10), bytes(10, 0x80)) << "a new 8-bit buffer holds silence";
    void* again;
    EXPECT_EQ(ds_lock(b, 0, 0, &again, &n1, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_unlock(b, (u8*)p1 + 1, 10, nullptr, 0), DSERR_INVALIDPARAM);
    ASSERT_EQ(ds_unlock(b, p1, 10, nullptr, 0), DS_OK);
    EXPECT_EQ(ds_unlock(b, p1, 10, nullptr, 0), DSERR_INVALIDPARAM) << "not locked any more";

    void* start = p1;
    ASSERT_EQ(ds_lock(b, 6, 6, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(p1, (u8*)start + 6);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(p2, start);
    EXPECT_EQ(n2, 2u);
    ASSERT_EQ(ds_unlock(b, p1, n1, p2, n2), DS_OK);
    EXPECT_EQ(ds_lock(b, 10, 1, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_lock(b, 0, 11, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
}

TEST_F(SoundDevice, AtTheOutputRateTheMixIsTheSamplesThemselves) {
    std::vector<i16> v = {100, -100, 32767, -32768, 5, 6};
    dsbuffer* stereo = filled(pcm(2, 44100, 16), samples16(v));
    ASSERT_EQ(ds_play(stereo, 0, 0, 0), DS_OK);
    std::vector<i16> out = mixed(4);
    EXPECT_EQ(out, (std::vector<i16>{100, -100, 32767, -32768, 5, 6, 0, 0}));
    EXPECT_FALSE(playing(stereo)) << "a one-shot stops at its end";

    dsbuffer* mono8 = filled(pcm(1, 44100, 8), {0x80, 0xFF, 0x00, 0x90});
    ASSERT_EQ(ds_play(mono8, 0, 0, 0), DS_OK);
    EXPECT_EQ(mixed(4), (std::vector<i16>{0, 0, 32512, 32512, -32768, -32768, 4096, 4096}))
        << "8-bit is offset by 128 and mono goes to both sides";
}

TEST_F(SoundDevice, OtherRatesAreInterpolatedToTheOutputRate) {
    dsbuffer* b = filled(pcm(1, 22050, 16), samples16({0, 1000, 2000}));
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    std::vector<i16> out = mixed(7);
    std::vector<i16> left;
    for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
    EXPECT_EQ(left, (std::vector<i16>{0, 500, 1000, 1500, 2000, 2000, 0}));

    // One second at 8000 Hz lasts one second of output.
    dsbuffer* slow = filled(pcm(1, 8000, 8), bytes(8000, 0xC0));
    ASSERT_EQ(ds_play(slow, 0, 0, 0), DS_OK);
    std::vector<i16> frames(2 * 44099);
    ds_mix(frames.data(), 44099);
    EXPECT_TRUE(playing(slow));
    ds_mix(frames.data(), 1);
    EXPECT_FALSE(playing(slow));
}

TEST_F(SoundDevice, EffectsAddUpAndTheSumIsClamped) {
    dsbuffer* a = filled(pcm(1, 44100, 16), samples16({30000, -30000, 1000}));
    dsbuffer* b = filled(pcm(1, 44100, 16), samples16({30000, -30000, -3000}));
    ASSERT_EQ(ds_play(a, 0, 0, 0), DS_OK);
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    EXPECT_EQ(mixed(3), (std::vector<i16>{32767, 32767, -32768, -32768, -2000, -2000}));
}

TEST_F(SoundDevice, PlayWhilePlayingGoesOnWithoutRestarting) {
    dsbuffer* b = filled(pcm(1, 44100, 16), samples16(std::vector<i16>(100, 0)));
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    mixed(40);
    u32 at = 0;
    ASSERT_EQ(ds_getcurrentposition(b, &at, nullptr), DS_OK);
    EXPECT_EQ(at, 80u);
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    ASSERT_EQ(ds_getcurrentposition(b, &at, nullptr), DS_OK);
    EXPECT_EQ(at, 80u) << "not rewound";
    EXPECT_EQ(ds_playcount(b), 2u);
    EXPECT_EQ(ds_startcount(b), 1u);
    mixed(60);
    EXPECT_FALSE(playing(b));
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    EXPECT_TRUE(playing(b));
    ASSERT_EQ(ds_getcurrentposition(b, &at, nullptr), DS_OK);
    EXPECT_EQ(at, 0u) << "a finished one-shot starts again from the start";
    EXPECT_EQ(ds_startcount(b), 2u);

    EXPECT_EQ(ds_play(b, 0, 0, 1), DSERR_UNSUPPORTED) << "no looping";
    EXPECT_EQ(ds_play(b, 1, 0, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_play(b, 0, 1, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ds_playcount(b), 3u) << "refused calls are not counted";
}

TEST_F(SoundDevice, WhatIsWrittenUnderTheLockIsWhatPlaysNext) {
    dsbuffer* b = filled(pcm(1, 44100, 16), samples16({1, 2}));
    void* p;
    u32 n;
    ASSERT_EQ(ds_lock(b, 0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    bytes now = samples16({7, 8});
    std::memcpy(p, now.data(), n);
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    EXPECT_EQ(mixed(1), (std::vector<i16>{1, 1})) << "until the unlock the old samples play";
    ASSERT_EQ(ds_unlock(b, p, n, nullptr, 0), DS_OK);
    ASSERT_EQ(ds_play(b, 0, 0, 0), DS_OK);
    EXPECT_EQ(mixed(1), (std::vector<i16>{8, 8})) << "carried on at its place, in the new samples";
}

TEST_F(SoundDevice, NothingPlayingMixesSilence) {
    filled(pcm(2, 22050, 16), pattern(400));
    EXPECT_EQ(mixed(3), std::vector<i16>(6, 0));
    ds_release(ds);
    ds = nullptr;
    EXPECT_EQ(mixed(2), std::vector<i16>(4, 0)) << "no device";
}

}  // namespace
