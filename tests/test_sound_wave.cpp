// The WAV reader: every result code it gives, the format block it hands out,
// and that whatever fails leaves no file open and no block behind.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/memory.h"
#include "sound/wavereader.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

size_t openfds() {
    size_t n = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd"); it != std::filesystem::directory_iterator(); ++it) n++;
    return n;
}

struct opened {
    u32 code;
    mmiofile* file;
    waveformatex* format;
    mmckinfo riff;
};

opened openpath(const char* name) {
    opened o{};
    o.file = (mmiofile*)1;
    o.format = (waveformatex*)1;
    o.code = WaveOpenFile(name, &o.file, &o.format, &o.riff);
    return o;
}

opened openwav(const bytes& b) {
    starttestplatform();
    EXPECT_TRUE(writewav("t.wav", b));
    return openpath("t.wav");
}

// The truncated files below keep the sizes they had when whole.
bytes cutoff(bytes b, size_t keep) {
    b.resize(keep);
    return b;
}

bytes nonpcmfmt(u32 extra, const bytes& extrabytes) {
    bytes f = fmtbody(2, 1, 22050, 4);
    put16(f, extra);
    putbytes(f, extrabytes);
    return f;
}

TEST(WaveOpenFile, GivesThePcmFormatWithNoExtraBytesAndTheRiffChunk) {
    opened o = openwav(pcmwav(2, 22050, 16, pattern(400)));
    ASSERT_EQ(o.code, 0u);
    ASSERT_NE(o.file, nullptr);
    ASSERT_NE(o.format, nullptr);
    EXPECT_EQ(o.format->wFormatTag, 1);
    EXPECT_EQ(o.format->nChannels, 2);
    EXPECT_EQ(o.format->nSamplesPerSec, 22050u);
    EXPECT_EQ(o.format->nAvgBytesPerSec, 88200u);
    EXPECT_EQ(o.format->nBlockAlign, 4);
    EXPECT_EQ(o.format->wBitsPerSample, 16);
    EXPECT_EQ(o.format->cbSize, 0);
    EXPECT_EQ(o.riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(o.riff.fccType, mmio_fourcc('W', 'A', 'V', 'E'));
    EXPECT_EQ(memoryused, 18u) << "the test platform starts from nothing";
    EXPECT_EQ(WaveCloseFile(&o.file, &o.format), 0u);
    EXPECT_EQ(o.file, nullptr);
    EXPECT_EQ(o.format, nullptr);
    EXPECT_EQ(memoryused, 0u);
    EXPECT_EQ(WaveCloseFile(&o.file, &o.format), 0u) << "closing nothing is harmless";
}

TEST(WaveOpenFile, OtherFormatTagsBringTheirExtraBytes) {
    bytes chunks = chunk("fmt ", nonpcmfmt(4, {0xA1, 0xB2, 0xC3, 0xD4}));
    putbytes(chunks, chunk("data", pattern(64)));
    opened o = openwav(riffform("WAVE", chunks));
    ASSERT_EQ(o.code, 0u);
    EXPECT_EQ(memoryused, 22u);
    EXPECT_EQ(o.format->wFormatTag, 2);
    EXPECT_EQ(o.format->cbSize, 4);
    const u8* extra = (const u8*)o.format + 18;
    EXPECT_EQ(bytes(extra, extra + 4), bytes({0xA1, 0xB2, 0xC3, 0xD4}));
    WaveCloseFile(&o.file, &o.format);
    EXPECT_EQ(memoryused, 0u);
}

struct badcase {
    const char* what;
    bytes file;
    u32 code;
};

std::vector<badcase> badfiles() {
    bytes good = pcmwav(1, 8000, 8, pattern(32));
    bytes riffx = good;
    std::memcpy(riffx.data(), "RIFX", 4);
    bytes avi = good;
    std::memcpy(avi.data() + 8, "AVI ", 4);
    bytes fmt14 = fmtbody(1, 1, 8000, 8);
    fmt14.resize(14);
    bytes shortfmt = riffform("WAVE", chunk("fmt ", fmt14));
    bytes nofmt = riffform("WAVE", chunk("data", pattern(8)));
    // Whole, these would hold a 16-byte fmt (at 20) and 10 extra bytes (at 38).
    bytes whole = riffform("WAVE", chunk("fmt ", nonpcmfmt(10, pattern(10))), 200);
    return {
        {"not RIFF", riffx, WAVEERR_NOTWAVE},
        {"RIFF but not WAVE", avi, WAVEERR_NOTWAVE},
        {"fmt shorter than 16", shortfmt, WAVEERR_NOTWAVE},
        {"fmt read short", cutoff(whole, 30), WAVEERR_SHORTFORMAT},
        {"extra count read short", cutoff(whole, 37), WAVEERR_SHORTFORMAT},
        {"extra bytes short", cutoff(whole, 42), WAVEERR_NOTWAVE},
        {"no fmt chunk", nofmt, MMIOERR_CHUNKNOTFOUND},
        {"header cut short", cutoff(good, 6), MMIOERR_CHUNKNOTFOUND},
        {"fmt past the form", riffform("WAVE", chunk("fmt ", fmtbody(1, 1, 8000, 8)), 12), MMIOERR_INVALIDFILE},
    };
}

TEST(WaveOpenFile, EachBrokenFileGivesItsCodeAndLeavesNothingOpen) {
    for (const badcase& c : badfiles()) {
        starttestplatform();
        ASSERT_TRUE(writewav("t.wav", c.file));
        u32 before = memoryused;
        size_t fds = openfds();
        opened o = openpath("t.wav");
        EXPECT_EQ(o.code, c.code) << c.what;
        EXPECT_EQ(o.file, nullptr) << c.what;
        EXPECT_EQ(o.format, nullptr) << c.what;
        EXPECT_EQ(memoryused, before) << c.what;
        EXPECT_EQ(openfds(), fds) << c.what;
    }
}

TEST(WaveOpenFile, AMissingFileIsE100) {
    starttestplatform();
    opened o = openpath("wave\\nothere.wav");
    EXPECT_EQ(o.code, (u32)WAVEERR_CANNOTOPEN);
    EXPECT_EQ(o.file, nullptr);
    EXPECT_EQ(o.format, nullptr);
}

// Reads all of the samples in pieces of the given size.
bytes readall(opened& o, mmckinfo* data, u32 piece) {
    bytes out;
    for (;;) {
        bytes buf(piece, 0);
        u32 got = 99;
        EXPECT_EQ(WaveReadFile(o.file, piece, buf.data(), data, &got), 0u);
        if (got == 0) return out;
        EXPECT_LE(got, piece);
        out.insert(out.end(), buf.begin(), buf.begin() + got);
    }
}

TEST(WaveData, ChunksAroundTheSamplesAreSkippedAndTheSearchRestartsFromTheForm) {
    bytes samples = pattern(20001, 5); // more than one I/O buffer, odd length
    bytes list;
    putid(list, "INFO");
    putbytes(list, chunk("ICMT", pattern(3)));
    bytes after = chunk("fmt ", fmtbody(1, 1, 11025, 8));
    putbytes(after, chunk("fact", {4, 0, 0, 0}));
    putbytes(after, chunk("LIST", list));
    putbytes(after, chunk("data", samples));
    bytes before = chunk("data", samples);
    putbytes(before, chunk("fmt ", fmtbody(1, 1, 11025, 8)));
    for (const bytes& chunks : {after, before}) {
        opened o = openwav(riffform("WAVE", chunks));
        ASSERT_EQ(o.code, 0u);
        mmckinfo data;
        ASSERT_EQ(WaveStartDataRead(&o.file, &data, &o.riff), 0u);
        EXPECT_EQ(data.ckid, mmio_fourcc('d', 'a', 't', 'a'));
        EXPECT_EQ(data.cksize, samples.size());
        EXPECT_EQ(readall(o, &data, 777), samples);
        EXPECT_EQ(data.cksize, 0u) << "the chunk's size counts down to nothing";
        WaveCloseFile(&o.file, &o.format);
    }
}

TEST(WaveData, AReadTakesNoMoreThanTheChunkHasLeft) {
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 8000, 8));
    putbytes(chunks, chunk("data", pattern(10)));
    putbytes(chunks, chunk("junk", {0xFF, 0xFF, 0xFF, 0xFF}));
    opened o = openwav(riffform("WAVE", chunks));
    ASSERT_EQ(o.code, 0u);
    mmckinfo data;
    ASSERT_EQ(WaveStartDataRead(&o.file, &data, &o.riff), 0u);
    u8 buf[32];
    std::memset(buf, 0xAA, sizeof buf);
    u32 got = 0;
    ASSERT_EQ(WaveReadFile(o.file, 4, buf, &data, &got), 0u);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(data.cksize, 6u);
    ASSERT_EQ(WaveReadFile(o.file, 32, buf + 4, &data, &got), 0u);
    EXPECT_EQ(got, 6u);
    EXPECT_EQ(bytes(buf, buf + 10), pattern(10));
    EXPECT_EQ(buf[10], 0xAA) << "the next chunk's bytes are not samples";
    WaveCloseFile(&o.file, &o.format);
}

TEST(WaveData, NoDataChunkIsTheDescendsCode) {
    opened o = openwav(riffform("WAVE", chunk("fmt ", fmtbody(1, 1, 8000, 8))));
    ASSERT_EQ(o.code, 0u);
    mmckinfo data;
    EXPECT_EQ(WaveStartDataRead(&o.file, &data, &o.riff), (u32)MMIOERR_CHUNKNOTFOUND);
    WaveCloseFile(&o.file, &o.format);
}

TEST(WaveData, SamplesCutShortOfTheDeclaredSizeAreE103) {
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 8000, 8));
    putbytes(chunks, chunk("data", pattern(9000), 12000));
    opened o = openwav(riffform("WAVE", chunks, 4 + 24 + 8 + 12000));
    ASSERT_EQ(o.code, 0u);
    mmckinfo data;
    ASSERT_EQ(WaveStartDataRead(&o.file, &data, &o.riff), 0u);
    EXPECT_EQ(data.cksize, 12000u);
    bytes buf(12000);
    u32 got = 99;
    EXPECT_EQ(WaveReadFile(o.file, 12000, buf.data(), &data, &got), (u32)WAVEERR_DATAENDED);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(bytes(buf.begin(), buf.begin() + 9000), pattern(9000)) << "what was there came through";
    WaveCloseFile(&o.file, &o.format);
}

}  // namespace
