// The RIFF chunk reader: chunk walking and finding, the bounds every size is
// held to, and the I/O buffer window a reader walks byte by byte.
#include <gtest/gtest.h>

#include "platform/mmio.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

constexpr fourcc ID_WAVE = mmio_fourcc('W', 'A', 'V', 'E');
constexpr fourcc ID_FMT = mmio_fourcc('f', 'm', 't', ' ');
constexpr fourcc ID_DATA = mmio_fourcc('d', 'a', 't', 'a');
constexpr fourcc ID_INFO = mmio_fourcc('I', 'N', 'F', 'O');
constexpr fourcc ID_NAME = mmio_fourcc('I', 'N', 'A', 'M');

// Over the bytes themselves, as a sound is parsed once the file is read; the
// bytes must outlive the handle.
mmiofile* openbytes(const bytes& b, u32 buffer = 0, u32 flags = MMIO_ALLOCBUF) {
    mmioinfo info;
    info.cchBuffer = buffer;
    mmiofile* f = mmio_openmemory(b.data(), b.size(), &info, flags);
    EXPECT_NE(f, nullptr) << info.wErrorRet;
    return f;
}

i32 tell(mmiofile* f) { return mmio_seek(f, 0, MMIO_SEEK_CUR); }

// fmt (16), a LIST with one sub-chunk, data of odd length, then a chunk
// outside the form.
bytes layeredfile() {
    bytes list;
    putid(list, "INFO");
    putbytes(list, chunk("INAM", {'a', 'b', 'c'}));
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 22050, 8));
    putbytes(chunks, chunk("LIST", list));
    putbytes(chunks, chunk("data", {1, 2, 3, 4, 5}));
    bytes file = riffform("WAVE", chunks);
    putbytes(file, chunk("tail", {9, 9}));
    return file;
}

TEST(MmioChunks, DescendFindAndAscendWalkTheForm) {
    bytes file = layeredfile();
    mmiofile* f = openbytes(file);
    ASSERT_NE(f, nullptr);
    mmckinfo riff;
    ASSERT_EQ(mmio_descend(f, &riff, nullptr, 0), 0u);
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.fccType, ID_WAVE);
    EXPECT_EQ(riff.cksize, file.size() - 8 - 10); // less its header and the tail chunk
    EXPECT_EQ(riff.dwDataOffset, 8u);
    EXPECT_EQ(tell(f), 12) << "past the form type";

    mmckinfo data;
    data.ckid = ID_DATA;
    ASSERT_EQ(mmio_descend(f, &data, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(data.cksize, 5u);
    EXPECT_EQ(data.fccType, 0u);
    EXPECT_EQ((i32)data.dwDataOffset, tell(f));
    u8 got[5];
    ASSERT_EQ(mmio_read(f, got, 5), 5);
    EXPECT_EQ(bytes(got, got + 5), bytes({1, 2, 3, 4, 5}));
    ASSERT_EQ(mmio_ascend(f, &data, 0), 0u);
    EXPECT_EQ(tell(f), (i32)data.dwDataOffset + 6) << "ascend pads an odd chunk to even";

    ASSERT_EQ(mmio_seek(f, 12, MMIO_SEEK_SET), 12);
    mmckinfo list;
    list.fccType = ID_INFO;
    ASSERT_EQ(mmio_descend(f, &list, &riff, MMIO_FINDLIST), 0u);
    EXPECT_EQ(list.ckid, FOURCC_LIST);
    mmckinfo name;
    ASSERT_EQ(mmio_descend(f, &name, &list, 0), 0u) << "no flag: the chunk right here";
    EXPECT_EQ(name.ckid, ID_NAME);
    EXPECT_EQ(name.cksize, 3u);
    mmio_close(f, 0);
}

TEST(MmioChunks, FindStaysInsideTheParent) {
    const bytes layered = layeredfile();
    mmiofile* f = openbytes(layered);
    ASSERT_NE(f, nullptr);
    mmckinfo riff, tail;
    ASSERT_EQ(mmio_descend(f, &riff, nullptr, 0), 0u);
    tail.ckid = mmio_fourcc('t', 'a', 'i', 'l');
    EXPECT_EQ(mmio_descend(f, &tail, &riff, MMIO_FINDCHUNK), (u32)MMIOERR_CHUNKNOTFOUND);
    mmio_seek(f, 12, MMIO_SEEK_SET);
    EXPECT_EQ(mmio_descend(f, &tail, nullptr, MMIO_FINDCHUNK), 0u) << "without a parent the file's end is the limit";
    mmckinfo fmt;
    fmt.ckid = ID_FMT;
    mmio_seek(f, 0, MMIO_SEEK_END);
    EXPECT_EQ(mmio_descend(f, &fmt, nullptr, MMIO_FINDCHUNK), (u32)MMIOERR_CHUNKNOTFOUND);
    mmio_close(f, 0);
}

TEST(MmioChunks, AChunkRunningPastItsParentIsRefusedWhetherSoughtOrSkipped) {
    for (bool sought : {true, false}) {
        bytes chunks = chunk("fmt ", fmtbody(1, 1, 22050, 8), sought ? 16 : 400);
        putbytes(chunks, chunk("data", pattern(8), sought ? 400 : 8));
        const bytes form = riffform("WAVE", chunks);
        mmiofile* f = openbytes(form);
        ASSERT_NE(f, nullptr);
        mmckinfo riff, data;
        ASSERT_EQ(mmio_descend(f, &riff, nullptr, 0), 0u);
        data.ckid = ID_DATA;
        EXPECT_EQ(mmio_descend(f, &data, &riff, MMIO_FINDCHUNK), (u32)MMIOERR_INVALIDFILE) << sought;
        mmio_close(f, 0);
    }
}

TEST(MmioChunks, AChunkCutShortByTheFileKeepsItsSizeButReadsStopAtTheEnd) {
    // A file cut off inside its samples: both sizes still tell of 1000 bytes.
    bytes chunks = chunk("fmt ", fmtbody(1, 1, 22050, 8));
    putbytes(chunks, chunk("data", pattern(600), 1000));
    bytes file = riffform("WAVE", chunks, 4 + 24 + 8 + 1000);
    mmiofile* f = openbytes(file, 256);
    ASSERT_NE(f, nullptr);
    mmckinfo riff, data;
    ASSERT_EQ(mmio_descend(f, &riff, nullptr, 0), 0u);
    data.ckid = ID_DATA;
    ASSERT_EQ(mmio_descend(f, &data, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(data.cksize, 1000u);
    bytes got(1000, 0xEE);
    EXPECT_EQ(mmio_read(f, got.data(), 1000), 600);
    EXPECT_EQ(bytes(got.begin(), got.begin() + 600), pattern(600));
    EXPECT_EQ(got[600], 0xEE) << "nothing written past what was read";
    EXPECT_EQ(mmio_read(f, got.data(), 10), 0);
    mmioinfo info;
    ASSERT_EQ(mmio_getinfo(f, &info, 0), 0u);
    ASSERT_EQ(mmio_advance(f, &info, MMIO_READ), 0u);
    EXPECT_EQ(info.pchNext, info.pchEndRead) << "an empty window at the end of the file";
    mmio_close(f, 0);
}

TEST(MmioChunks, HeadersMustBeWhollyInTheFile) {
    struct {
        bytes file;
        u32 want;
    } cases[] = {
        {{'R', 'I', 'F', 'F', 4, 0}, MMIOERR_CHUNKNOTFOUND},                  // size cut short
        {{'R', 'I', 'F', 'F', 4, 0, 0, 0}, MMIOERR_CHUNKNOTFOUND},            // no form type
        {{'R', 'I', 'F', 'F', 2, 0, 0, 0, 'W', 'A'}, MMIOERR_INVALIDFILE},    // too small for one
        {{}, MMIOERR_CHUNKNOTFOUND},
    };
    for (auto& c : cases) {
        mmiofile* f = openbytes(c.file);
        ASSERT_NE(f, nullptr);
        mmckinfo ck;
        EXPECT_EQ(mmio_descend(f, &ck, nullptr, 0), c.want) << c.file.size();
        mmio_close(f, 0);
    }
}

TEST(MmioFile, OpenTakesGamePathsAndRefusesWhatItCannotRead) {
    starttestplatform();
    ASSERT_TRUE(plat_makedir("wave"));
    ASSERT_TRUE(writewav("wave\\Click.wav", pcmwav(1, 8000, 8, pattern(4))));
    mmiofile* f = mmio_open("WAVE\\click.WAV", nullptr, MMIO_ALLOCBUF | MMIO_READ);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(mmio_close(f, 0), 0u);

    mmioinfo info;
    EXPECT_EQ(mmio_open("wave\\missing.wav", &info, MMIO_ALLOCBUF), nullptr);
    EXPECT_EQ(info.wErrorRet, (u32)MMIOERR_FILENOTFOUND);
    for (u32 mode : {MMIO_WRITE, MMIO_READWRITE}) {
        EXPECT_EQ(mmio_open("wave\\click.wav", &info, MMIO_ALLOCBUF | mode), nullptr);
        EXPECT_EQ(info.wErrorRet, (u32)MMIOERR_CANNOTOPEN);
    }
}

TEST(MmioFile, SeekAndReadFollowTheBufferAndTheFileEnd) {
    bytes file = pattern(100);
    mmiofile* f = openbytes(file, 16);
    ASSERT_NE(f, nullptr);
    u8 b[40];
    ASSERT_EQ(mmio_read(f, b, 40), 40) << "reads run across refills";
    EXPECT_EQ(bytes(b, b + 40), bytes(file.begin(), file.begin() + 40));
    EXPECT_EQ(mmio_seek(f, -30, MMIO_SEEK_CUR), 10);
    ASSERT_EQ(mmio_read(f, b, 1), 1);
    EXPECT_EQ(b[0], file[10]);
    EXPECT_EQ(mmio_seek(f, -4, MMIO_SEEK_END), 96);
    EXPECT_EQ(mmio_read(f, b, 40), 4);
    EXPECT_EQ(b[3], file[99]);
    EXPECT_EQ(mmio_seek(f, 500, MMIO_SEEK_SET), 500);
    EXPECT_EQ(mmio_read(f, b, 1), 0);
    EXPECT_EQ(mmio_seek(f, -1, MMIO_SEEK_SET), -1);
    EXPECT_EQ(mmio_seek(f, 0, 7), -1);
    EXPECT_EQ(mmio_read(f, b, -1), -1);
    mmio_close(f, 0);
}

TEST(MmioBuffer, TheWindowWalksTheFileByteByByteAndSetInfoMovesThePosition) {
    bytes file = pattern(100, 3);
    mmiofile* f = openbytes(file, 16);
    ASSERT_NE(f, nullptr);
    mmioinfo info;
    ASSERT_EQ(mmio_getinfo(f, &info, 0), 0u);
    bytes seen;
    for (int i = 0; i < 30; i++) {
        if (info.pchNext == info.pchEndRead) {
            ASSERT_EQ(mmio_advance(f, &info, MMIO_READ), 0u);
            ASSERT_LE(info.pchEndRead - info.pchNext, 16);
            ASSERT_LT(info.pchNext, info.pchEndRead);
        }
        seen.push_back(*info.pchNext++);
    }
    EXPECT_EQ(seen, bytes(file.begin(), file.begin() + 30));
    ASSERT_EQ(mmio_setinfo(f, &info, 0), 0u);
    EXPECT_EQ(tell(f), 30);
    u8 b;
    ASSERT_EQ(mmio_read(f, &b, 1), 1);
    EXPECT_EQ(b, file[30]);

    ASSERT_EQ(mmio_getinfo(f, &info, 0), 0u);
    mmioinfo stray = info;
    stray.pchNext = info.pchEndRead + 1;
    EXPECT_EQ(mmio_setinfo(f, &stray, 0), (u32)MMIOERR_INVALIDPARAM);
    EXPECT_EQ(mmio_advance(f, &stray, MMIO_READ), (u32)MMIOERR_INVALIDPARAM);
    EXPECT_EQ(tell(f), 31) << "a refused window moves nothing";
    mmio_close(f, 0);
}

TEST(MmioBuffer, WithoutAllocBufThereIsNoWindowButReadsWork) {
    bytes file = pattern(20);
    mmiofile* f = openbytes(file, 0, MMIO_READ);
    ASSERT_NE(f, nullptr);
    mmioinfo info;
    ASSERT_EQ(mmio_getinfo(f, &info, 0), 0u);
    EXPECT_EQ(info.pchBuffer, nullptr);
    EXPECT_EQ(info.pchNext, info.pchEndRead);
    EXPECT_EQ(mmio_advance(f, &info, MMIO_READ), (u32)MMIOERR_UNBUFFERED);
    u8 b[20];
    EXPECT_EQ(mmio_read(f, b, 20), 20);
    EXPECT_EQ(bytes(b, b + 20), file);
    mmio_close(f, 0);
}

}  // namespace
