#include <gtest/gtest.h>

#include "video/pcxdecode.h"

namespace {

// Header, packed bytes, then the palette block the decoder must not read
// as pixels (filled with 0xAB so that leaking into it shows).
std::vector<u8> pcxfile(u32 xmax, u32 ymax, const std::vector<u8>& packed) {
    std::vector<u8> f(128 + packed.size() + 768, 0xAB);
    std::fill(f.begin(), f.begin() + 128, 0);
    f[0] = 10;
    f[1] = 5;
    f[2] = 1; // run-length packed
    f[3] = 8; // bits per pixel
    f[8] = (u8)xmax;
    f[9] = (u8)(xmax >> 8);
    f[10] = (u8)ymax;
    f[11] = (u8)(ymax >> 8);
    f[65] = 1; // planes
    u32 line = xmax < 0xFFFF ? xmax + 1 : 0xFFFF;
    f[66] = (u8)line;
    f[67] = (u8)(line >> 8);
    std::copy(packed.begin(), packed.end(), f.begin() + 128);
    return f;
}

void put16(std::vector<u8>& f, size_t at, u32 v) {
    f[at] = (u8)v;
    f[at + 1] = (u8)(v >> 8);
}

struct result {
    bool ok = false;
    std::vector<u8> pixels;
    i32 width = -1, height = -1;
    std::string why;
};

result decode(const std::vector<u8>& f) {
    result r;
    r.ok = pcx_decode(f.data(), f.size(), &r.pixels, &r.width, &r.height, &r.why);
    return r;
}

void expectrefused(const std::vector<u8>& f) {
    result r = decode(f);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.why.empty());
    EXPECT_EQ(r.width, -1) << "a refused file must leave the outputs alone";
    EXPECT_TRUE(r.pixels.empty());
}

} // namespace

TEST(PcxDecode, LiteralsAndRunsFillRowsTopToBottom) {
    // 4 x 2: row 0 literals, row 1 a run of three then a literal.
    result r = decode(pcxfile(3, 1, {1, 2, 3, 191, 195, 9, 7}));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.width, 4);
    EXPECT_EQ(r.height, 2);
    EXPECT_EQ(r.pixels, (std::vector<u8>{1, 2, 3, 191, 9, 9, 9, 7}));
}

TEST(PcxDecode, FontSheetSizeComesFromXmaxAndYmax) {
    // Xmax 1279, Ymax 19: each row is 20 runs of 63 and one of 20 pixels.
    std::vector<u8> packed;
    for (int y = 0; y < 20; y++) {
        for (int i = 0; i < 20; i++) packed.insert(packed.end(), {255, (u8)y});
        packed.insert(packed.end(), {192 + 20, (u8)(y + 100)});
    }
    result r = decode(pcxfile(1279, 19, packed));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.width, 1280);
    EXPECT_EQ(r.height, 20);
    ASSERT_EQ(r.pixels.size(), 1280u * 20);
    for (int y = 0; y < 20; y++) {
        EXPECT_EQ(r.pixels[y * 1280], y);
        EXPECT_EQ(r.pixels[y * 1280 + 1259], y);
        EXPECT_EQ(r.pixels[y * 1280 + 1260], y + 100);
        EXPECT_EQ(r.pixels[y * 1280 + 1279], y + 100);
    }
}

TEST(PcxDecode, RunLengthsAtTheirExtremes) {
    // 192 is a run of nothing that still swallows its value byte.
    result r = decode(pcxfile(1, 0, {192, 77, 5, 6}));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.pixels, (std::vector<u8>{5, 6}));

    // 255 writes 63, so a 64-wide row needs one more literal.
    r = decode(pcxfile(63, 0, {255, 4, 8}));
    ASSERT_TRUE(r.ok) << r.why;
    std::vector<u8> expect(63, 4);
    expect.push_back(8);
    EXPECT_EQ(r.pixels, expect);
}

TEST(PcxDecode, OverlongRunStopsAtTheRowEnd) {
    // 3 x 2: the run of 5 fills the rest of row 0 only; row 1 is read afresh.
    result r = decode(pcxfile(2, 1, {1, 197, 4, 7, 8, 9}));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.pixels, (std::vector<u8>{1, 4, 4, 7, 8, 9}));

    // The last row too: nothing may land past the picture.
    r = decode(pcxfile(2, 0, {255, 6}));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.pixels, (std::vector<u8>{6, 6, 6}));

    // Had the run carried over, row 1 would be done after one byte and
    // the file would decode; cut at the row end, it is a byte short.
    expectrefused(pcxfile(2, 1, {1, 197, 4, 7, 8}));
}

TEST(PcxDecode, RefusesPackedDataEndingEarly) {
    expectrefused(pcxfile(3, 1, {1, 2, 3, 4, 5, 6, 7}));
    // A run byte as the last packed byte, its value missing (the palette
    // follows and must not be taken for it).
    expectrefused(pcxfile(3, 1, {1, 2, 3, 4, 5, 6, 7, 193}));
    expectrefused(pcxfile(0, 0, {}));
}

TEST(PcxDecode, RefusesFilesTooShortForHeaderAndPalette) {
    std::vector<u8> f = pcxfile(0, 0, {});
    for (size_t keep : {0ul, 1ul, 127ul, 128ul, 895ul}) {
        SCOPED_TRACE(keep);
        expectrefused(std::vector<u8>(f.begin(), f.begin() + keep));
    }
    result r;
    EXPECT_FALSE(pcx_decode(nullptr, 0, &r.pixels, &r.width, &r.height, nullptr));
}

TEST(PcxDecode, RefusesHeadersAskingForMoreThanTheFileHolds) {
    // Refused on the header alone, before a buffer is sized from it.
    auto headerrefusal = [](const std::vector<u8>& f) {
        expectrefused(f);
        EXPECT_EQ(decode(f).why, "header dimensions exceed what the file can hold");
    };
    // 65535 x 65536 from 4 packed bytes would be a 4 GiB buffer.
    headerrefusal(pcxfile(65534, 65535, {255, 0, 255, 0}));
    // 5 rows from 4 bytes: each row needs at least one.
    headerrefusal(pcxfile(0, 4, {1, 2, 3, 4}));
    // 4 bytes make at most 2 runs of 63; 129 pixels are past even the
    // coarse bound of 32 per byte.
    headerrefusal(pcxfile(128, 0, {255, 0, 255, 0}));
    // Within the bound the data decides.
    result r = decode(pcxfile(125, 0, {255, 3, 255, 3}));
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.pixels, std::vector<u8>(126, 3));
    expectrefused(pcxfile(127, 0, {255, 3, 255, 3}));
}

TEST(PcxDecode, HeaderFieldsTheUnpackingReliesOnAreChecked) {
    const std::vector<u8> good = pcxfile(3, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(decode(good).ok) << decode(good).why;
    struct broken {
        size_t at;
        u32 value;
        bool word;
    } fields[] = {
        {2, 0, false},  // stored unpacked
        {3, 1, false},  // 1 bit per pixel
        {3, 4, false},  {65, 3, false}, // three planes of 8 bits
        {65, 0, false}, {66, 3, true},  // packed lines shorter than the width
        {4, 4, true},   // Xmin past Xmax
        {6, 2, true},   // Ymin past Ymax
    };
    for (const broken& b : fields) {
        SCOPED_TRACE(b.at);
        std::vector<u8> f = good;
        if (b.word) put16(f, b.at, b.value);
        else f[b.at] = (u8)b.value;
        expectrefused(f);
    }
}

TEST(PcxDecode, TheWindowGivesTheSizeAndPaddedLinesAreDropped) {
    // Window (2, 5)-(4, 6): 3 x 2.
    std::vector<u8> f = pcxfile(4, 6, {1, 2, 3, 4, 5, 6});
    put16(f, 4, 2);
    put16(f, 6, 5);
    put16(f, 66, 3);
    result r = decode(f);
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.width, 3);
    EXPECT_EQ(r.height, 2);
    EXPECT_EQ(r.pixels, (std::vector<u8>{1, 2, 3, 4, 5, 6}));
    // A 3-wide picture in 4-byte lines: the fourth byte of each line is
    // padding, and a run is cut at the line's end, not the picture's.
    f = pcxfile(2, 1, {1, 2, 3, 99, 196, 7, 8});
    put16(f, 66, 4);
    r = decode(f);
    ASSERT_TRUE(r.ok) << r.why;
    EXPECT_EQ(r.pixels, (std::vector<u8>{1, 2, 3, 7, 7, 7}));
}
