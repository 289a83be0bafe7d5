// Every common kind of BMP, built byte by byte, decoded to exact pixels:
// palettes of 1, 4 and 8 bits, run lengths of 4 and 8 bits with their
// escapes, 16 bits as 5-5-5 and 5-6-5 with and without masks, 32 bits with
// masks and with alpha; and what the checks refuse before SDL sees a byte.
#include <gtest/gtest.h>

#include "bmpkinds.h"
#include "platform/bmpdecode.h"

using namespace bmpkinds;

namespace {

typedef std::vector<std::vector<u32>> grid;

// Four colours, BGRx; entry 0 is not black, so that pixels an RLE stream
// skips are seen to be entry 0.
const std::vector<u8> FOUR = {30, 20, 10, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
const u8 FOURRGB[4][3] = {{10, 20, 30}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

std::vector<u8> rgbof(const grid& indices, const u8 (*colours)[3]) {
    std::vector<u8> rgb;
    for (const std::vector<u32>& row : indices)
        for (u32 i : row) rgb.insert(rgb.end(), colours[i], colours[i] + 3);
    return rgb;
}

platbitmap decoded(const std::vector<u8>& f) {
    platbitmap b;
    std::string why;
    EXPECT_TRUE(bmp_decode(f.data(), f.size(), &b, &why)) << why;
    return b;
}

void expectpixels(const bmpfile& file, i32 w, i32 h, const std::vector<u8>& rgb) {
    platbitmap b = decoded(buildbmp(file));
    EXPECT_EQ(b.width, w);
    EXPECT_EQ(b.height, h);
    EXPECT_EQ(b.rgb, rgb);
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

bmpfile palettefile(const grid& indices, u32 bpp, bool topdown, const std::vector<u8>& palette) {
    bmpfile f;
    f.width = (i32)indices[0].size();
    f.height = topdown ? -(i32)indices.size() : (i32)indices.size();
    f.bpp = bpp;
    f.palette = palette;
    f.pixels = packrows(indices, bpp, topdown);
    return f;
}

// Pixel (x, y) of the true-colour pictures, as 8-bit RGB.
u8 red(u32 x, u32 y) { return (u8)(8 + 40 * x + y); }
u8 green(u32 x, u32 y) { return (u8)(100 + 50 * y + 3 * x); }
u8 blue(u32 x, u32 y) { return (u8)(250 - 30 * x - 7 * y); }

std::vector<u8> truecolourrgb(u32 w, u32 h) {
    std::vector<u8> rgb;
    for (u32 y = 0; y < h; y++)
        for (u32 x = 0; x < w; x++) rgb.insert(rgb.end(), {red(x, y), green(x, y), blue(x, y)});
    return rgb;
}

// SDL widens a channel of 16 bits to 8 by scale, rounding down: 31 of 5
// bits is 255, 12 is 98.
u8 widen(u32 v, u32 bits) { return (u8)(v * 255 / ((1u << bits) - 1)); }

} // namespace

TEST(BmpKinds, OneAndFourBitPalettesUnpackHighBitsFirst) {
    // Ten pixels a row cross a byte at 1 bit; five leave half a byte at 4.
    grid bits = {{1, 0, 0, 1, 1, 1, 0, 1, 0, 1}, {0, 1, 1, 0, 0, 0, 1, 0, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}};
    grid nibbles = {{3, 0, 2, 1, 3}, {0, 1, 2, 3, 0}};
    const std::vector<u8> two(FOUR.begin(), FOUR.begin() + 8);
    for (bool topdown : {false, true}) {
        SCOPED_TRACE(topdown ? "top-down" : "bottom-up");
        expectpixels(palettefile(bits, 1, topdown, two), 10, 3, rgbof(bits, FOURRGB));
        expectpixels(palettefile(nibbles, 4, topdown, FOUR), 5, 2, rgbof(nibbles, FOURRGB));
        expectpixels(palettefile(nibbles, 8, topdown, FOUR), 5, 2, rgbof(nibbles, FOURRGB));
    }
    // No count means the whole palette the depth can index.
    std::vector<u8> full(16 * 4, 0);
    full[15 * 4 + 2] = 99;
    bmpfile f = palettefile({{15, 15, 0}}, 4, false, full);
    std::vector<u8> file = buildbmp(f);
    put32(&file, 46, 0);
    EXPECT_EQ(decoded(file).rgb, (std::vector<u8>{99, 0, 0, 99, 0, 0, 0, 0, 0}));
}

TEST(BmpKinds, SmallPalettesRefuseIndicesPastTheirEnd) {
    // SDL refuses these itself, in its own words.
    const std::vector<u8> three(FOUR.begin(), FOUR.begin() + 12);
    EXPECT_NE(refusal(buildbmp(palettefile({{0, 3, 1}}, 4, false, three))).find("palette"), std::string::npos);
    const std::vector<u8> one(FOUR.begin(), FOUR.begin() + 4);
    EXPECT_NE(refusal(buildbmp(palettefile({{0, 0, 1}}, 1, true, one))).find("palette"), std::string::npos);
    // More colours than 4 bits index.
    EXPECT_EQ(refusal(buildbmp(palettefile({{0}}, 4, false, std::vector<u8>(17 * 4, 1)))),
              "palette has more colours than its depth can index");
    EXPECT_EQ(refusal(buildbmp(palettefile({{0}}, 1, false, std::vector<u8>(3 * 4, 1)))),
              "palette has more colours than its depth can index");
}

TEST(BmpKinds, RunLengthEightFollowsRunsCopiesDeltasAndLineEnds) {
    bmpfile f;
    f.width = 5;
    f.height = 4;
    f.bpp = 8;
    f.compression = BI_RLE8;
    f.palette = FOUR;
    f.pixels = {
        2, 1, 0, 3, 2, 3, 2, 0,    // bottom row: a run of two, three copied and a pad byte
        0, 0,                      // end of line
        1, 3, 0, 2, 2, 1,          // one pixel, then a move 2 right and a row up
        2, 2, 0, 0,                // two pixels there, end of line
        0, 4, 1, 2, 3, 1, 1, 0,    // top row: four copied (no pad), a run of one
        0, 1,                      // end of the picture
    };
    grid want = {{1, 2, 3, 1, 0}, {0, 0, 0, 2, 2}, {3, 0, 0, 0, 0}, {1, 1, 2, 3, 2}};
    expectpixels(f, 5, 4, rgbof(want, FOURRGB));
}

TEST(BmpKinds, RunLengthFourAlternatesNibbles) {
    bmpfile f;
    f.width = 8;
    f.height = 2;
    f.bpp = 4;
    f.compression = BI_RLE4;
    f.palette = FOUR;
    f.pixels = {
        5, 0x12, 3, 0x03, 0, 0,       // bottom row: 1 2 1 2 1, then 0 3 0; end of line
        0, 5, 0x12, 0x31, 0x20, 0,    // five copied: three bytes and a pad byte
        0, 2, 2, 0,                   // two to the right on the same row
        1, 0x30,                      // one pixel: the high nibble
        0, 1,
    };
    grid want = {{1, 2, 3, 1, 2, 0, 0, 3}, {1, 2, 1, 2, 1, 0, 3, 0}};
    expectpixels(f, 8, 2, rgbof(want, FOURRGB));
}

TEST(BmpKinds, RunLengthRefusesBadStreams) {
    bmpfile f;
    f.width = 4;
    f.height = 2;
    f.bpp = 8;
    f.compression = BI_RLE8;
    f.palette = FOUR;
    f.pixels = {4, 1, 0, 0, 4, 2, 0, 1};
    std::vector<u8> good = buildbmp(f);
    decoded(good);

    bmpfile g = f;
    g.pixels = {4, 1, 0, 0, 4, 4, 0, 1}; // index 4 of four colours
    EXPECT_EQ(refusal(buildbmp(g)), "palette index out of range");
    g.pixels = {4, 1, 0, 0, 0, 4, 1, 2, 3}; // copy cut short
    refusal(buildbmp(g));
    g.pixels = {4, 1, 0, 0, 4, 2}; // no end of the picture
    refusal(buildbmp(g));
    std::vector<u8> file = good;
    put32(&file, 22, (u32)-2);
    EXPECT_EQ(refusal(file), "a compressed BMP cannot be top-down");
    file = good;
    put16(&file, 28, 4); // run lengths of 8 bits at 4
    EXPECT_EQ(refusal(file), "unsupported bit depth");
    file = good;
    put32(&file, 30, BI_RLE4);
    EXPECT_EQ(refusal(file), "unsupported bit depth");
}

TEST(BmpKinds, RunLengthPicturesAreBoundedThoughTheirDataIsSmall) {
    bmpfile f;
    f.width = 16384;
    f.height = 1024;
    f.bpp = 8;
    f.compression = BI_RLE8;
    f.palette = FOUR;
    f.pixels = {0, 1};
    platbitmap b = decoded(buildbmp(f));
    EXPECT_EQ(b.width, 16384);
    EXPECT_EQ(b.height, 1024);
    f.height = 1025;
    EXPECT_EQ(refusal(buildbmp(f)), "dimensions too large");
}

TEST(BmpKinds, SixteenBitsWithAndWithoutMasks) {
    // Three pixels a row leave two bytes of padding.
    const u32 w = 3, h = 2;
    grid p555(h), p565(h);
    std::vector<u8> want555, want565;
    for (u32 y = 0; y < h; y++)
        for (u32 x = 0; x < w; x++) {
            u32 r = red(x, y) >> 3, g5 = green(x, y) >> 3, g6 = green(x, y) >> 2, b = blue(x, y) >> 3;
            p555[y].push_back(r << 10 | g5 << 5 | b);
            p565[y].push_back(r << 11 | g6 << 5 | b);
            want555.insert(want555.end(), {widen(r, 5), widen(g5, 5), widen(b, 5)});
            want565.insert(want565.end(), {widen(r, 5), widen(g6, 6), widen(b, 5)});
        }
    // The top bit of 5-5-5 is unused: set, it must not show.
    for (std::vector<u32>& row : p555)
        for (u32& v : row) v |= 0x8000;
    for (bool topdown : {false, true}) {
        SCOPED_TRACE(topdown ? "top-down" : "bottom-up");
        bmpfile f;
        f.width = w;
        f.height = topdown ? -(i32)h : (i32)h;
        f.bpp = 16;
        f.pixels = packrows(p555, 16, topdown);
        expectpixels(f, w, h, want555); // no masks: 5-5-5
        f.compression = BI_BITFIELDS;
        f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
        expectpixels(f, w, h, want555);
        f.pixels = packrows(p565, 16, topdown);
        f.masks[0] = 0xF800, f.masks[1] = 0x07E0, f.masks[2] = 0x001F;
        expectpixels(f, w, h, want565);
        f.infosize = 108; // the masks inside a V4 header
        expectpixels(f, w, h, want565);
    }
}

TEST(BmpKinds, ThirtyTwoBitsKeepRgbWhateverTheAlpha) {
    const u32 w = 3, h = 2;
    std::vector<u8> want = truecolourrgb(w, h);
    // Alpha bytes: none set, some set; with or without masks and headers.
    for (u32 alphas : {0x00000000u, 0x80FF0010u}) {
        SCOPED_TRACE(alphas);
        grid bgra(h), rgba(h), xbgr(h);
        for (u32 y = 0; y < h; y++)
            for (u32 x = 0; x < w; x++) {
                u32 a = (alphas >> (8 * ((x + y) % 4))) & 0xFF;
                u32 r = red(x, y), g = green(x, y), b = blue(x, y);
                bgra[y].push_back(a << 24 | r << 16 | g << 8 | b);
                rgba[y].push_back(r << 24 | g << 16 | b << 8 | a);
                xbgr[y].push_back(a << 24 | b << 16 | g << 8 | r);
            }
        for (bool topdown : {false, true}) {
            SCOPED_TRACE(topdown ? "top-down" : "bottom-up");
            bmpfile f;
            f.width = w;
            f.height = topdown ? -(i32)h : (i32)h;
            f.bpp = 32;
            f.pixels = packrows(bgra, 32, topdown);
            expectpixels(f, w, h, want);
            f.infosize = 124; // a V5 header without masks in use
            expectpixels(f, w, h, want);
            f.compression = BI_BITFIELDS; // its masks, alpha among them
            f.masks[0] = 0x00FF0000, f.masks[1] = 0x0000FF00, f.masks[2] = 0x000000FF, f.masks[3] = 0xFF000000;
            expectpixels(f, w, h, want);
            f.infosize = 108;
            f.masks[0] = 0xFF000000, f.masks[1] = 0x00FF0000, f.masks[2] = 0x0000FF00, f.masks[3] = 0x000000FF;
            f.pixels = packrows(rgba, 32, topdown);
            expectpixels(f, w, h, want);
            f.infosize = 40; // three masks after the header; the top byte unused
            f.masks[0] = 0x000000FF, f.masks[1] = 0x0000FF00, f.masks[2] = 0x00FF0000;
            f.pixels = packrows(xbgr, 32, topdown);
            expectpixels(f, w, h, want);
        }
    }
}

TEST(BmpKinds, RefusesMasksThatCannotDescribeAPixel) {
    bmpfile f;
    f.width = 2;
    f.height = 1;
    f.bpp = 16;
    f.compression = BI_BITFIELDS;
    f.pixels = packrows({{1, 2}}, 16, false);
    struct maskset {
        u32 r, g, b;
    };
    // None, none, two runs, past 16 bits.
    for (maskset m : {maskset{0, 0x03E0, 0x001F}, maskset{0x7C00, 0x03E0, 0}, maskset{0xF0F0, 0x0F00, 0x000F},
                      maskset{0x1F0000, 0x03E0, 0x001F}}) {
        SCOPED_TRACE(testing::Message() << std::hex << m.r << " " << m.g << " " << m.b);
        f.masks[0] = m.r, f.masks[1] = m.g, f.masks[2] = m.b;
        EXPECT_EQ(refusal(buildbmp(f)), "colour masks are unusable");
    }
    f.masks[0] = 0xF800, f.masks[1] = 0x0FE0, f.masks[2] = 0x001F;
    EXPECT_EQ(refusal(buildbmp(f)), "colour masks overlap");
    f.infosize = 56;
    f.masks[1] = 0x07E0, f.masks[3] = 0x8000; // alpha over red
    EXPECT_EQ(refusal(buildbmp(f)), "colour masks overlap");
    f.masks[3] = 0;
    decoded(buildbmp(f));
    // A plain header's masks cut off by the end of the file.
    f.infosize = 40;
    f.pixels.clear();
    std::vector<u8> file = buildbmp(f);
    file.resize(14 + 40 + 8);
    EXPECT_EQ(refusal(file), "colour masks run past the end of the file");
    // Masks at 24 bits, and pixel data laid over the masks.
    file = buildbmp(f);
    put16(&file, 28, 24);
    EXPECT_EQ(refusal(file), "unsupported bit depth");
    f.pixels = packrows({{1, 2}}, 16, false);
    file = buildbmp(f);
    put32(&file, 10, 14 + 40 + 4);
    EXPECT_EQ(refusal(file), "pixel data overlaps the header");
}
