#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/bmpdecode.h"

namespace {

// Field offsets from the start of the file, for corrupting built images.
constexpr size_t OFFBITS = 10, INFOSIZE = 14, WIDTH = 18, HEIGHT = 22, PLANES = 26, BPP = 28,
                 COMPRESSION = 30, CLRUSED = 46;

void put16(std::vector<u8>* v, size_t at, u32 x) {
    (*v)[at] = (u8)x;
    (*v)[at + 1] = (u8)(x >> 8);
}

void put32(std::vector<u8>* v, size_t at, u32 x) {
    for (int i = 0; i < 4; i++) (*v)[at + i] = (u8)(x >> (8 * i));
}

struct bmpimage {
    i32 width = 0;
    i32 height = 0; // rows in the picture, always positive here
    bool topdown = false;
    u32 bpp = 24;
    u32 infosize = 40;
    std::vector<u8> palette; // BGRx entries, 8-bit only
    std::vector<u8> pixels;  // top to bottom: RGB triples, or indices for 8-bit
};

// Writes the file the way an ordinary writer would, padding each row with
// 0xEE so that padding leaking into the picture shows.
std::vector<u8> writebmp(const bmpimage& img) {
    u32 pixelbytes = img.bpp / 8;
    u32 stride = (img.width * img.bpp + 31) / 32 * 4;
    u32 offbits = 14 + img.infosize + (u32)img.palette.size();
    std::vector<u8> f(offbits + stride * img.height, 0xEE);
    f[0] = 'B';
    f[1] = 'M';
    put32(&f, 2, (u32)f.size());
    put32(&f, 6, 0);
    put32(&f, OFFBITS, offbits);
    std::fill(f.begin() + 14, f.begin() + 14 + img.infosize, 0);
    put32(&f, INFOSIZE, img.infosize);
    put32(&f, WIDTH, (u32)img.width);
    put32(&f, HEIGHT, (u32)(img.topdown ? -img.height : img.height));
    put16(&f, PLANES, 1);
    put16(&f, BPP, img.bpp);
    put32(&f, CLRUSED, (u32)img.palette.size() / 4);
    std::copy(img.palette.begin(), img.palette.end(), f.begin() + 14 + img.infosize);
    for (i32 y = 0; y < img.height; y++) {
        i32 stored = img.topdown ? y : img.height - 1 - y;
        u8* row = f.data() + offbits + stored * stride;
        for (i32 x = 0; x < img.width; x++) {
            if (img.bpp == 8) {
                row[x] = img.pixels[y * img.width + x];
                continue;
            }
            const u8* rgb = &img.pixels[(y * img.width + x) * 3];
            u8* px = row + x * pixelbytes;
            px[0] = rgb[2];
            px[1] = rgb[1];
            px[2] = rgb[0];
            if (pixelbytes == 4) px[3] = 0x5A;
        }
    }
    return f;
}

// Every pixel distinct, so a swapped row, column or channel shows.
std::vector<u8> gradient(i32 width, i32 height) {
    std::vector<u8> rgb;
    for (i32 y = 0; y < height; y++)
        for (i32 x = 0; x < width; x++) {
            rgb.push_back((u8)(10 + x));
            rgb.push_back((u8)(100 + y));
            rgb.push_back((u8)(200 + x + y));
        }
    return rgb;
}

bmpimage truecolour(i32 width, i32 height, bool topdown = false, u32 bpp = 24) {
    bmpimage img;
    img.width = width;
    img.height = height;
    img.topdown = topdown;
    img.bpp = bpp;
    img.pixels = gradient(width, height);
    return img;
}

bmpimage palettized() {
    bmpimage img;
    img.width = 5;
    img.height = 2;
    img.bpp = 8;
    // Three colours, BGRx: red, green, blue.
    img.palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    img.pixels = {0, 1, 2, 1, 0, 2, 2, 1, 1, 0};
    return img;
}

std::string refusal(const std::vector<u8>& f) {
    platbitmap b;
    b.width = 77;
    std::string why;
    EXPECT_FALSE(bmp_decode(f.data(), f.size(), &b, &why));
    EXPECT_EQ(b.width, 77) << "a refused file must leave the output alone";
    EXPECT_FALSE(why.empty());
    return why;
}

void expectdecodes(const bmpimage& img) {
    std::vector<u8> f = writebmp(img);
    platbitmap b;
    std::string why;
    ASSERT_TRUE(bmp_decode(f.data(), f.size(), &b, &why)) << why;
    EXPECT_EQ(b.width, img.width);
    EXPECT_EQ(b.height, img.height);
    EXPECT_EQ(b.rgb, img.pixels);
}

} // namespace

TEST(BmpDecode, TrueColourInEveryRowOrderAndDepth) {
    expectdecodes(truecolour(4, 3));
    expectdecodes(truecolour(4, 3, true));
    expectdecodes(truecolour(4, 3, false, 32));
    expectdecodes(truecolour(2, 5, true, 32));
    expectdecodes(truecolour(1, 1));
}

TEST(BmpDecode, OddWidthsSkipRowPadding) {
    // 3, 5 and 7 pixels of 3 bytes leave 3, 1 and 3 padding bytes per row.
    for (i32 w : {3, 5, 7}) {
        SCOPED_TRACE(w);
        expectdecodes(truecolour(w, 4));
        expectdecodes(truecolour(w, 4, true));
    }
}

TEST(BmpDecode, LargerInfoHeadersAreSkipped) {
    for (u32 size : {52u, 56u, 108u, 124u}) {
        bmpimage img = truecolour(3, 2);
        img.infosize = size;
        expectdecodes(img);
    }
    bmpimage pal = palettized();
    std::vector<u8> small = writebmp(pal);
    pal.infosize = 124;
    std::vector<u8> large = writebmp(pal);
    platbitmap a, b;
    ASSERT_TRUE(bmp_decode(small.data(), small.size(), &a));
    ASSERT_TRUE(bmp_decode(large.data(), large.size(), &b));
    EXPECT_EQ(a.rgb, b.rgb);
}

TEST(BmpDecode, PalettizedLooksUpEachIndex) {
    std::vector<u8> f = writebmp(palettized());
    platbitmap b;
    ASSERT_TRUE(bmp_decode(f.data(), f.size(), &b));
    ASSERT_EQ(b.rgb.size(), 5u * 2 * 3);
    const u8 red[3] = {255, 0, 0}, green[3] = {0, 255, 0}, blue[3] = {0, 0, 255};
    const u8* expect[10] = {red, green, blue, green, red, blue, blue, green, green, red};
    for (int i = 0; i < 10; i++) EXPECT_EQ(0, memcmp(&b.rgb[i * 3], expect[i], 3)) << "pixel " << i;
}

TEST(BmpDecode, PalettizedWithZeroCountMeansAFullPalette) {
    bmpimage img = palettized();
    img.palette.assign(256 * 4, 0);
    img.palette[255 * 4 + 0] = 30; // entry 255: B=30 G=20 R=10
    img.palette[255 * 4 + 1] = 20;
    img.palette[255 * 4 + 2] = 10;
    img.pixels.assign(10, 255);
    std::vector<u8> f = writebmp(img);
    put32(&f, CLRUSED, 0);
    platbitmap b;
    ASSERT_TRUE(bmp_decode(f.data(), f.size(), &b));
    for (size_t i = 0; i < b.rgb.size(); i += 3) {
        EXPECT_EQ(b.rgb[i], 10);
        EXPECT_EQ(b.rgb[i + 1], 20);
        EXPECT_EQ(b.rgb[i + 2], 30);
    }
}

TEST(BmpDecode, RefusesPaletteTrouble) {
    bmpimage img = palettized();
    img.pixels[7] = 3; // one past the three colours; SDL says so in its own words
    EXPECT_NE(refusal(writebmp(img)).find("palette"), std::string::npos);

    // More colours than 8 bits can index, even with all of them present.
    img = palettized();
    img.palette.assign(257 * 4, 9);
    refusal(writebmp(img));

    std::vector<u8> f;

    // Claims 256 colours where the file holds three before its pixels.
    f = writebmp(palettized());
    put32(&f, CLRUSED, 0);
    refusal(f);
}

TEST(BmpDecode, RefusesTruncatedFiles) {
    std::vector<u8> whole = writebmp(truecolour(3, 3));
    for (size_t keep : {0ul, 1ul, 2ul, 13ul, 14ul, 30ul, 53ul, 54ul, 60ul}) {
        SCOPED_TRACE(keep);
        refusal(std::vector<u8>(whole.begin(), whole.begin() + keep));
    }
    // One byte short of the last row's padding is already too short.
    whole.pop_back();
    EXPECT_EQ(refusal(whole), "pixel data truncated");
}

TEST(BmpDecode, RefusesOffsetsOutsideTheFile) {
    std::vector<u8> f = writebmp(truecolour(2, 2));
    put32(&f, OFFBITS, (u32)f.size() + 1);
    refusal(f);
    put32(&f, OFFBITS, 0xFFFFFFFFu);
    refusal(f);
    put32(&f, OFFBITS, 20); // inside the info header
    refusal(f);
    f = writebmp(truecolour(2, 2));
    put32(&f, INFOSIZE, 0xFFFFFFF0u);
    refusal(f);
}

TEST(BmpDecode, RefusesImpossibleDimensions) {
    std::vector<u8> base = writebmp(truecolour(2, 2));
    struct dims {
        u32 width, height;
    };
    for (dims d : {dims{0, 2}, dims{2, 0}, dims{(u32)-2, 2}, dims{(u32)INT32_MIN, 2}, dims{2, (u32)INT32_MIN},
                   dims{16385, 1}, dims{1, (u32)-16385}, dims{16384, 16384}, dims{4097, 4096}, dims{0x40000000u, 0x40000000u}}) {
        SCOPED_TRACE(testing::Message() << d.width << " x " << d.height);
        std::vector<u8> f = base;
        put32(&f, WIDTH, d.width);
        put32(&f, HEIGHT, d.height);
        refusal(f);
    }
}

TEST(BmpDecode, SidesAreBoundedEvenWhenTheFileHoldsThePixels) {
    expectdecodes(truecolour(16384, 1));
    expectdecodes(truecolour(1, 16384, true));
    refusal(writebmp(truecolour(16385, 1)));
    refusal(writebmp(truecolour(1, 16385)));
    refusal(writebmp(truecolour(1, 16385, true)));
}

TEST(BmpDecode, RefusesWhatItDoesNotSupport) {
    std::vector<u8> base = writebmp(truecolour(2, 2));
    std::vector<u8> f = base;
    f[1] = 'A';
    EXPECT_EQ(refusal(f), "not a BMP file (no BM signature)");
    // Run lengths and masks exist, but not for 24 bits; JPEG, PNG and the
    // rest not at all.
    for (u32 compression : {1u, 2u, 3u}) {
        f = base;
        put32(&f, COMPRESSION, compression);
        EXPECT_EQ(refusal(f), "unsupported bit depth");
    }
    for (u32 compression : {4u, 5u, 6u, 0x80000000u}) {
        f = base;
        put32(&f, COMPRESSION, compression);
        EXPECT_EQ(refusal(f), "unsupported compression");
    }
    for (u32 bpp : {0u, 2u, 15u, 48u, 64u}) {
        f = base;
        put16(&f, BPP, bpp);
        EXPECT_EQ(refusal(f), "unsupported bit depth");
    }
    f = base;
    put16(&f, PLANES, 2);
    EXPECT_EQ(refusal(f), "plane count is not 1");
    for (u32 size : {12u, 39u, 41u, 64u, 125u}) { // 12 and 64: the OS/2 headers
        f = base;
        put32(&f, INFOSIZE, size);
        EXPECT_EQ(refusal(f), "unsupported info header size");
    }
}

TEST(BmpDecode, NullInputIsRefused) {
    platbitmap b;
    EXPECT_FALSE(bmp_decode(nullptr, 0, &b));
    std::vector<u8> f = writebmp(truecolour(2, 2));
    EXPECT_FALSE(bmp_decode(f.data(), f.size(), nullptr));
}
