#include <gtest/gtest.h>

#include <cstdio>

#include "platform/png.h"

namespace {

// A reader written for this test only: bitwise CRC and a plain Adler sum, so
// a shared mistake in a table cannot make the encoder agree with itself.
u32 bitcrc(const u8* p, size_t n) {
    u32 c = 0xffffffffu;
    for (size_t i = 0; i < n; i++) {
        c ^= p[i];
        for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1)));
    }
    return ~c;
}

u32 adler(const std::vector<u8>& v) {
    u64 a = 1, b = 0;
    for (u8 x : v) {
        a += x;
        b += a;
    }
    return (u32)((b % 65521) << 16 | (a % 65521));
}

u32 be32(const u8* p) { return (u32)p[0] << 24 | (u32)p[1] << 16 | (u32)p[2] << 8 | p[3]; }
u32 le16(const u8* p) { return (u32)p[0] | (u32)p[1] << 8; }

struct chunk {
    std::string type;
    std::vector<u8> body;
};

std::vector<chunk> chunks(const std::vector<u8>& png) {
    static const u8 SIG[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<chunk> out;
    EXPECT_GE(png.size(), 8u);
    if (png.size() < 8 || memcmp(png.data(), SIG, 8) != 0) {
        ADD_FAILURE() << "bad signature";
        return out;
    }
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        u32 len = be32(&png[pos]);
        if (pos + 12 + len > png.size()) break;
        chunk c{std::string((const char*)&png[pos + 4], 4), {}};
        c.body.assign(png.begin() + pos + 8, png.begin() + pos + 8 + len);
        EXPECT_EQ(be32(&png[pos + 8 + len]), bitcrc(&png[pos + 4], len + 4)) << "CRC of " << c.type;
        out.push_back(c);
        pos += 12 + len;
    }
    EXPECT_EQ(pos, png.size()) << "bytes after the last whole chunk";
    return out;
}

struct inflated {
    std::vector<u8> raw;
    std::vector<u32> blocks; // length of each stored block
};

inflated unstore(const std::vector<u8>& z) {
    inflated r;
    EXPECT_GE(z.size(), 6u);
    if (z.size() < 6) return r;
    EXPECT_EQ(z[0] & 0x0f, 8) << "deflate";
    EXPECT_EQ(((u32)z[0] << 8 | z[1]) % 31, 0u) << "zlib check bits";
    EXPECT_EQ(z[1] & 0x20, 0) << "no preset dictionary";
    size_t pos = 2;
    bool final = false;
    while (!final && pos + 5 <= z.size()) {
        final = z[pos] & 1;
        EXPECT_EQ((z[pos] >> 1) & 3, 0) << "stored block";
        u32 len = le16(&z[pos + 1]), nlen = le16(&z[pos + 3]);
        EXPECT_EQ(len ^ 0xffffu, nlen);
        pos += 5;
        if (pos + len > z.size()) break;
        r.raw.insert(r.raw.end(), z.begin() + pos, z.begin() + pos + len);
        r.blocks.push_back(len);
        pos += len;
    }
    EXPECT_TRUE(final) << "stream ends without a final block";
    EXPECT_EQ(pos + 4, z.size()) << "Adler-32 must follow the final block and end the stream";
    if (pos + 4 <= z.size()) {
        EXPECT_EQ(be32(&z[pos]), adler(r.raw));
    }
    return r;
}

struct decoded {
    u32 width = 0, height = 0;
    std::vector<u8> rgb;
    std::vector<u32> blocks;
};

decoded decodepng(const std::vector<u8>& png) {
    decoded d;
    std::vector<chunk> cs = chunks(png);
    EXPECT_EQ(cs.size(), 3u);
    if (cs.size() != 3) return d;
    EXPECT_EQ(cs[0].type, "IHDR");
    EXPECT_EQ(cs[1].type, "IDAT");
    EXPECT_EQ(cs[2].type, "IEND");
    EXPECT_TRUE(cs[2].body.empty());
    const std::vector<u8>& h = cs[0].body;
    EXPECT_EQ(h.size(), 13u);
    if (h.size() != 13) return d;
    d.width = be32(&h[0]);
    d.height = be32(&h[4]);
    EXPECT_EQ(h[8], 8) << "bit depth";
    EXPECT_EQ(h[9], 2) << "colour type";
    EXPECT_EQ(h[10] | h[11] | h[12], 0) << "compression, filter, interlace";
    inflated inf = unstore(cs[1].body);
    d.blocks = inf.blocks;
    size_t row = (size_t)d.width * 3 + 1;
    EXPECT_EQ(inf.raw.size(), row * d.height);
    for (size_t y = 0; (y + 1) * row <= inf.raw.size(); y++) {
        EXPECT_EQ(inf.raw[y * row], 0) << "filter byte of row " << y;
        d.rgb.insert(d.rgb.end(), inf.raw.begin() + y * row + 1, inf.raw.begin() + (y + 1) * row);
    }
    return d;
}

std::vector<u8> pattern(i32 width, i32 height) {
    std::vector<u8> rgb((size_t)width * height * 3);
    for (size_t i = 0; i < rgb.size(); i++) rgb[i] = (u8)(i * 7 + i / 251);
    return rgb;
}

void roundtrip(i32 width, i32 height, std::vector<u32> blocks) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    std::vector<u8> rgb = pattern(width, height);
    decoded d = decodepng(png_encode(width, height, rgb.data()));
    EXPECT_EQ(d.width, (u32)width);
    EXPECT_EQ(d.height, (u32)height);
    EXPECT_EQ(d.blocks, blocks);
    EXPECT_TRUE(d.rgb == rgb) << "pixels differ after decoding";
}

} // namespace

TEST(PngEncode, SmallImagesRoundTrip) {
    roundtrip(1, 1, {4});
    roundtrip(3, 2, {20});
    std::vector<u8> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
    decoded d = decodepng(png_encode(2, 2, rgb.data()));
    EXPECT_EQ(d.rgb, rgb);
}

TEST(PngEncode, StoredBlocksSplitAtTheirLimit) {
    // 15 rows of 1 + 1456 * 3 bytes fill exactly one block.
    roundtrip(1456, 15, {65535});
    // 16384 rows of 4 bytes are one byte more.
    roundtrip(1, 16384, {65535, 1});
    // A screenshot spans several blocks: 480 * 1921 bytes.
    std::vector<u32> screen(14, 65535);
    screen.push_back(480 * 1921 - 14 * 65535);
    roundtrip(640, 480, screen);
}

TEST(PngEncode, RefusesEmptyOrMissingImages) {
    u8 px[3] = {1, 2, 3};
    EXPECT_TRUE(png_encode(0, 1, px).empty());
    EXPECT_TRUE(png_encode(1, 0, px).empty());
    EXPECT_TRUE(png_encode(-1, 1, px).empty());
    EXPECT_TRUE(png_encode(1, 1, nullptr).empty());
    // Too large for one chunk; refused before anything is read or allocated.
    EXPECT_TRUE(png_encode(0x7fffffff, 0x7fffffff, px).empty());
}

TEST(PngWrite, WritesTheEncodedBytes) {
    std::vector<u8> rgb = pattern(5, 4);
    std::string path = testing::TempDir() + "vennor_png_write.png";
    ASSERT_TRUE(png_write(path, 5, 4, rgb.data()));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<u8> back(4096);
    back.resize(std::fread(back.data(), 1, back.size(), f));
    std::fclose(f);
    std::remove(path.c_str());
    EXPECT_EQ(back, png_encode(5, 4, rgb.data()));
}

TEST(PngWrite, FailsWhereItCannotWrite) {
    std::vector<u8> rgb = pattern(2, 2);
    EXPECT_FALSE(png_write(testing::TempDir() + "no_such_dir_vennor/x.png", 2, 2, rgb.data()));
    EXPECT_FALSE(png_write(testing::TempDir() + "vennor_png_empty.png", 0, 0, rgb.data()));
    // A full device shows only when the data is flushed.
    if (std::FILE* full = std::fopen("/dev/full", "wb")) {
        std::fclose(full);
        EXPECT_FALSE(png_write("/dev/full", 2, 2, rgb.data()));
    }
}
