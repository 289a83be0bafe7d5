// The sound module as the game uses it: set-up and its log, loading each
// slot from its WAV file (and every way that fails), playing and release.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/memory.h"
#include "app/timer.h"
#include "sound/dsound.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

namespace fs = std::filesystem;

const std::string P = "00000000 - GS: 00,  ";
const std::string INITLOG = P + "InitDSound ...\n" + P + "InitDSound complete.\n";

std::string logtext() { return readtext(testdatadir() + "/text/debug.log"); }

class SoundModule : public ::testing::Test {
  protected:
    void SetUp() override {
        starttestplatform();
        ReleaseDSound();
        soundenabled = 1;
        tickcount = 0;
        gamestate = 0;
        ASSERT_TRUE(plat_makedir("wave"));
        ASSERT_TRUE(opendebuglog());
    }
    void TearDown() override {
        ds_failnext(DSF_NONE, DS_OK);
        ReleaseDSound();
        closedebuglog();
    }
    void init() { ASSERT_EQ(InitDSound(nullptr), 1u); }
    // What loading the file logged after set-up, and what it returned.
    std::pair<u32, std::string> load(int slot, const bytes& file) {
        EXPECT_TRUE(writewav("wave\\x.wav", file));
        u32 ok = LoadSound(slot, "wave\\x.wav");
        std::string log = logtext();
        EXPECT_EQ(log.rfind(INITLOG, 0), 0u) << log;
        return {ok, log.substr(std::min(log.size(), INITLOG.size()))};
    }
    bytes contents(int slot) {
        void* p;
        u32 n;
        EXPECT_EQ(ds_lock(SoundBuffer[slot], 0, 0, &p, &n, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        bytes b((u8*)p, (u8*)p + n);
        ds_unlock(SoundBuffer[slot], p, n, nullptr, 0);
        return b;
    }
};

TEST_F(SoundModule, SetUpLogsItsTwoLinesAndFixesTheOutputFormat) {
    init();
    EXPECT_EQ(logtext(), INITLOG);
    ASSERT_NE(lpds, nullptr);
    ASSERT_NE(primarybuffer, nullptr);
    waveformatex f{};
    ASSERT_EQ(ds_getformat(primarybuffer, &f), DS_OK);
    EXPECT_EQ(f.wFormatTag, 1);
    EXPECT_EQ(f.nChannels, 2);
    EXPECT_EQ(f.nSamplesPerSec, 44100u);
    EXPECT_EQ(f.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(f.nBlockAlign, 4);
    EXPECT_EQ(f.wBitsPerSample, 16);
}

TEST_F(SoundModule, EachSetUpStepThatFailsLogsItsLineAndGivesZero) {
    struct {
        dsfailpoint where;
        const char* line;
    } cases[] = {
        {DSF_CREATE, "Failed DirectSoundCreate()!\n"},
        {DSF_COOPERATIVE, "Failed IDirectSound_SetCooperativeLevel()!\n"},
        {DSF_BUFFER, "Failed lpds->CreateSoundBuffer()!\n"},
    };
    for (auto& c : cases) {
        ReleaseDSound();
        ASSERT_TRUE(opendebuglog());
        ds_failnext(c.where, DSERR_OUTOFMEMORY);
        EXPECT_EQ(InitDSound(nullptr), 0u) << c.line;
        EXPECT_EQ(logtext(), P + "InitDSound ...\n" + P + c.line);
    }
}

TEST_F(SoundModule, ASecondSetUpFindsTheDeviceTaken) {
    init();
    dsdevice* first = lpds;
    EXPECT_EQ(InitDSound(nullptr), 0u);
    EXPECT_EQ(logtext(), INITLOG + P + "InitDSound ...\n" + P + "Failed DirectSoundCreate()!\n");
    EXPECT_EQ(lpds, nullptr) << "a failed create hands back no device";
    ds_release(first);
}

TEST_F(SoundModule, LoadingFillsTheSlotWithExactlyTheSamples) {
    init();
    struct {
        u32 channels, rate, bits;
        size_t size;
    } cases[] = {{1, 22050, 8, 1001}, {2, 44100, 16, 4000}, {1, 11025, 16, 9002}, {2, 8000, 8, 30000}};
    int slot = 1;
    for (auto& c : cases) {
        bytes samples = pattern(c.size, (u32)slot);
        auto [ok, log] = load(slot, pcmwav(c.channels, c.rate, c.bits, samples));
        EXPECT_EQ(ok, 1u) << slot;
        EXPECT_EQ(log, "") << "nothing logged on success";
        EXPECT_EQ(contents(slot), samples) << slot;
        const dsbufferdesc& d = soundbufferdesc[slot];
        EXPECT_EQ(d.dwSize, 36u);
        EXPECT_EQ(d.dwFlags, (u32)DSBCAPS_STATIC);
        EXPECT_EQ(d.dwBufferBytes, c.size);
        EXPECT_EQ(memoryused, 0u) << "the format block was given back";
        slot++;
    }
    EXPECT_EQ(SoundBuffer[0], nullptr) << "slot 0 is never filled";
}

TEST_F(SoundModule, ChunksBetweenFormatAndSamplesAreSkipped) {
    init();
    bytes samples = pattern(333);
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 22050, 8));
    putbytes(chunks, chunk("fact", {1, 2, 3}));
    putbytes(chunks, chunk("cue ", pattern(30)));
    putbytes(chunks, chunk("data", samples));
    auto [ok, log] = load(3, riffform("WAVE", chunks));
    EXPECT_EQ(ok, 1u);
    EXPECT_EQ(contents(3), samples);
}

bytes nonpcm() {
    bytes fmt = fmtbody(2, 1, 22050, 4);
    put16(fmt, 2);
    put16(fmt, 0x07F4);
    bytes chunks = chunk("fmt ", fmt);
    putbytes(chunks, chunk("data", pattern(256)));
    return riffform("WAVE", chunks);
}

TEST_F(SoundModule, EachLoadFailureLogsItsLineWithoutANewline) {
    init();
    bytes good = pcmwav(1, 22050, 8, pattern(100));
    bytes notriff = good;
    std::memcpy(notriff.data(), "RIFX", 4);
    bytes nodata = riffform("WAVE", chunk("fmt ", fmtbody(1, 1, 22050, 8)));
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 22050, 8));
    putbytes(chunks, chunk("data", pattern(500), 900));
    bytes cut = riffform("WAVE", chunks, 4 + 24 + 8 + 900);
    bytes empty = pcmwav(1, 22050, 8, {});
    struct {
        const char* what;
        bytes file;
        std::string log;
    } cases[] = {
        {"not RIFF", notriff, P + "WaveOpenFile() Failed!"},
        {"no data chunk", nodata, P + "WaveStartDataRead() Failed!"},
        {"a format the device refuses", nonpcm(), P + "CreateSoundBuffer() Failed!" + P + "DSERR_BADFORMAT"},
        {"no samples at all", empty, P + "CreateSoundBuffer() Failed!" + P + "DSERR_INVALIDPARAM"},
        {"samples cut short", cut, P + "WaveReadFile() Failed!"},
    };
    for (auto& c : cases) {
        ReleaseDSound();
        ASSERT_TRUE(opendebuglog());
        init();
        auto [ok, log] = load(2, c.file);
        EXPECT_EQ(ok, 0u) << c.what;
        EXPECT_EQ(log, c.log) << c.what;
        EXPECT_EQ(memoryused, 0u) << c.what << ": the format block was given back";
    }
}

TEST_F(SoundModule, AMissingFileFailsToOpen) {
    init();
    EXPECT_EQ(LoadSound(4, "wave\\sound4.wav"), 0u);
    EXPECT_EQ(logtext(), INITLOG + P + "WaveOpenFile() Failed!");
}

TEST_F(SoundModule, ARefusedBufferLogsTheNameOfEveryKnownCode) {
    init();
    struct {
        hresult code;
        const char* name;
    } cases[] = {
        {(hresult)0x8878000Au, "DSERR_ALLOCATED"},     {(hresult)0x88780064u, "DSERR_BADFORMAT"},
        {(hresult)0x887800AAu, "DSERR_UNINITIALIZED"}, {(hresult)0x80070057u, "DSERR_INVALIDPARAM"},
        {(hresult)0x80004001u, "DSERR_UNSUPPORTED"},   {(hresult)0x80040110u, "DSERR_NOAGGREGATION"},
        {(hresult)0x8007000Eu, "DSERR_OUTOFMEMORY"},   {(hresult)0x80004005u, nullptr},
    };
    bytes good = pcmwav(1, 22050, 8, pattern(100));
    for (auto& c : cases) {
        ASSERT_TRUE(opendebuglog());
        ASSERT_TRUE(writewav("wave\\x.wav", good));
        ds_failnext(DSF_BUFFER, c.code);
        EXPECT_EQ(LoadSound(5, "wave\\x.wav"), 0u);
        std::string want = P + "CreateSoundBuffer() Failed!" + (c.name ? P + c.name : "");
        EXPECT_EQ(logtext(), want);
        EXPECT_EQ(memoryused, 0u) << "the format block was given back";
    }
}

TEST_F(SoundModule, AFailedLockLogsAndClosesTheFile) {
    init();
    ds_failnext(DSF_LOCK, DSERR_INVALIDPARAM);
    auto [ok, log] = load(6, pcmwav(1, 22050, 8, pattern(100)));
    EXPECT_EQ(ok, 0u);
    EXPECT_EQ(log, P + "SoundBuffer->Lock() Failed!");
    EXPECT_EQ(memoryused, 0u);
}

TEST_F(SoundModule, AFailedConversionIsReportedNotPlayedAsSilence) {
    init();
    ds_failnext(DSF_UNLOCK, DSERR_OUTOFMEMORY);
    auto [ok, log] = load(6, pcmwav(1, 22050, 8, pattern(100)));
    EXPECT_EQ(ok, 0u);
    EXPECT_EQ(log, P + "SoundBuffer->Unlock() Failed!");
    EXPECT_EQ(memoryused, 0u);
}

TEST_F(SoundModule, AnEffectTooLongToConvertIsRefusedBeforeItsBufferIsMade) {
    init();
    // 8000 Hz, 8 bits, mono: 20 seconds convert to 3.5 MB, 100 seconds
    // to 17.6 MB.
    EXPECT_EQ(load(9, pcmwav(1, 8000, 8, bytes(160000, 0x80))).first, 1u);
    auto [ok, log] = load(10, pcmwav(1, 8000, 8, bytes(800000, 0x80)));
    EXPECT_EQ(ok, 0u);
    EXPECT_EQ(log, P + "CreateSoundBuffer() Failed!" + P + "DSERR_OUTOFMEMORY");
    EXPECT_EQ(SoundBuffer[10], nullptr);
}

TEST_F(SoundModule, PlayingGoesThroughTheSwitch) {
    init();
    ASSERT_EQ(load(7, pcmwav(1, 22050, 16, pattern(2000))).first, 1u);
    playsound(7);
    playsound(7);
    EXPECT_EQ(ds_playcount(SoundBuffer[7]), 2u);
    EXPECT_EQ(ds_startcount(SoundBuffer[7]), 1u) << "the second play found it still sounding";
    soundenabled = 0;
    playsound(7);
    EXPECT_EQ(ds_playcount(SoundBuffer[7]), 2u) << "no call at all while sound is off";
    soundenabled = 1;
    playsound(0);
    playsound(-1);
    playsound(NUMSOUNDS + 1);
    EXPECT_EQ(ds_playcount(SoundBuffer[7]), 2u);
}

TEST_F(SoundModule, ReleaseEndsTheDeviceAndClearsTheHandles) {
    init();
    ASSERT_EQ(load(8, pcmwav(1, 22050, 8, pattern(64))).first, 1u);
    ReleaseDSound();
    EXPECT_EQ(lpds, nullptr);
    EXPECT_EQ(primarybuffer, nullptr);
    for (dsbuffer* b : SoundBuffer) EXPECT_EQ(b, nullptr);
    playsound(8);
    ReleaseDSound();
    EXPECT_EQ(InitDSound(nullptr), 1u) << "the device is free again";
}

TEST_F(SoundModule, TheGeneratedEffectsAllLoad) {
    fs::path from = fs::path(VENNOR_DATA) / "wave";
    ASSERT_TRUE(fs::is_directory(from)) << "the content generator writes wave/";
    fs::copy(from, fs::path(testdatadir()) / "wave", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    init();
    for (int n = 1; n <= NUMSOUNDS; n++) {
        EXPECT_EQ(LoadSound(n, wavefiles[n]), 1u) << wavefiles[n];
        u32 status = 1;
        EXPECT_EQ(ds_getstatus(SoundBuffer[n], &status), DS_OK);
        EXPECT_EQ(status, 0u);
    }
    EXPECT_EQ(logtext(), INITLOG);
}

}  // namespace
