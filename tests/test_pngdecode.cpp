// PNG pictures of every colour type and depth, written with libpng's own
// writer row by row, decoded to exact 8-bit RGB; and damaged, cut or
// oversized files refused without a byte read outside them.
#include <gtest/gtest.h>

#include <png.h>

#include <csetjmp>

#include "platform/pngdecode.h"

namespace {

struct pngkind {
    u32 width = 0, height = 0;
    int colourtype = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<u8> transparency; // palette alphas (tRNS)
    bool keyed = false;           // a transparent colour (tRNS) without a palette
    std::vector<std::vector<u8>> rows; // packed as PNG stores them
};

void append(png_structp png, png_bytep data, size_t n) {
    auto* out = (std::vector<u8>*)png_get_io_ptr(png);
    out->insert(out->end(), data, data + n);
}

// Only trivially destructible locals here: libpng leaves by longjmp.
bool writeinto(png_structp png, png_infop info, const pngkind& k, std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, k.width, k.height, k.depth, k.colourtype,
                 k.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!k.palette.empty()) png_set_PLTE(png, info, k.palette.data(), (int)k.palette.size());
    if (!k.transparency.empty())
        png_set_tRNS(png, info, k.transparency.data(), (int)k.transparency.size(), nullptr);
    png_color_16 key{0, 5, 60, 240, 5}; // pixel (0, 0) of every kind, gray or not
    if (k.keyed) png_set_tRNS(png, info, nullptr, 0, &key);
    png_write_info(png, info);
    png_write_image(png, rows->data());
    png_write_end(png, info);
    return true;
}

std::vector<u8> writepng(const pngkind& k) {
    std::vector<u8> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, append, nullptr);
    std::vector<png_bytep> rows;
    for (const std::vector<u8>& r : k.rows) rows.push_back((png_bytep)r.data());
    bool ok = writeinto(png, info, k, &rows);
    png_destroy_write_struct(&png, &info);
    EXPECT_TRUE(ok) << "libpng could not write the test picture";
    return out;
}

platbitmap decoded(const std::vector<u8>& f) {
    platbitmap b;
    std::string why;
    EXPECT_TRUE(png_decode(f.data(), f.size(), &b, &why)) << why;
    return b;
}

std::string refusal(const std::vector<u8>& f) {
    platbitmap b;
    b.width = 77;
    std::string why;
    EXPECT_FALSE(png_decode(f.data(), f.size(), &b, &why));
    EXPECT_EQ(b.width, 77) << "a refused file must leave the output alone";
    EXPECT_FALSE(why.empty());
    return why;
}

// Pixel (x, y) as 8-bit RGB; every one distinct.
u8 red(u32 x, u32 y) { return (u8)(5 + 23 * x + y); }
u8 green(u32 x, u32 y) { return (u8)(60 + 31 * y + 2 * x); }
u8 blue(u32 x, u32 y) { return (u8)(240 - 17 * x - 9 * y); }

// 5 x 4 in the channels given, each sample 8 or 16 bits (the low byte of a
// 16-bit sample is noise, which decoding drops).
pngkind truecolour(int colourtype, int depth, bool interlaced) {
    pngkind k;
    k.width = 5, k.height = 4, k.colourtype = colourtype, k.depth = depth, k.interlaced = interlaced;
    bool gray = !(colourtype & PNG_COLOR_MASK_COLOR), alpha = colourtype & PNG_COLOR_MASK_ALPHA;
    for (u32 y = 0; y < k.height; y++) {
        std::vector<u8> row;
        for (u32 x = 0; x < k.width; x++) {
            std::vector<u8> samples;
            if (gray) samples = {red(x, y)};
            else samples = {red(x, y), green(x, y), blue(x, y)};
            if (alpha) samples.push_back((u8)((x + y) % 2 ? 0 : 0x7F));
            for (u8 s : samples) {
                row.push_back(s);
                if (depth == 16) row.push_back((u8)(s ^ 0xA5));
            }
        }
        k.rows.push_back(row);
    }
    return k;
}

std::vector<u8> truecolourrgb(bool gray) {
    std::vector<u8> rgb;
    for (u32 y = 0; y < 4; y++)
        for (u32 x = 0; x < 5; x++) {
            if (gray) rgb.insert(rgb.end(), {red(x, y), red(x, y), red(x, y)});
            else rgb.insert(rgb.end(), {red(x, y), green(x, y), blue(x, y)});
        }
    return rgb;
}

// Indices of a 7 x 3 picture packed at 1, 2, 4 or 8 bits, high bits first.
std::vector<std::vector<u8>> packed(u32 depth, u32 levels) {
    std::vector<std::vector<u8>> rows;
    for (u32 y = 0; y < 3; y++) {
        std::vector<u8> row((7 * depth + 7) / 8, 0);
        for (u32 x = 0; x < 7; x++) {
            u32 v = (x * 3 + y) % levels, bit = x * depth;
            row[bit / 8] |= (u8)(v << (8 - depth - bit % 8));
        }
        rows.push_back(row);
    }
    return rows;
}

// The chunk checksum of PNG (CRC-32), bit by bit.
u32 chunkcrc(const u8* p, size_t n) {
    u32 c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; i++) {
        c ^= p[i];
        for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

} // namespace

TEST(PngDecode, TrueColourAndGrayAtEightAndSixteenBitsDropAlpha) {
    for (bool interlaced : {false, true})
        for (int depth : {8, 16})
            for (int type : {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA}) {
                SCOPED_TRACE(testing::Message() << "type " << type << ", " << depth << " bits"
                                                << (interlaced ? ", interlaced" : ""));
                platbitmap b = decoded(writepng(truecolour(type, depth, interlaced)));
                EXPECT_EQ(b.width, 5);
                EXPECT_EQ(b.height, 4);
                EXPECT_EQ(b.rgb, truecolourrgb(!(type & PNG_COLOR_MASK_COLOR)));
                // A transparent colour is dropped as alpha is.
                if (type & PNG_COLOR_MASK_ALPHA) continue;
                pngkind keyed = truecolour(type, depth, interlaced);
                keyed.keyed = true;
                EXPECT_EQ(decoded(writepng(keyed)).rgb, truecolourrgb(!(type & PNG_COLOR_MASK_COLOR)));
            }
}

TEST(PngDecode, PalettesAndLowGrayDepthsExpandToRgb) {
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        u32 levels = depth == 8 ? 9 : 1u << depth;
        pngkind k;
        k.width = 7, k.height = 3, k.colourtype = PNG_COLOR_TYPE_PALETTE, k.depth = depth;
        for (u32 i = 0; i < levels; i++) k.palette.push_back({(u8)(i * 20 + 1), (u8)(200 - i * 7), (u8)(i * i)});
        k.transparency = {0, 128}; // alpha of the first two entries: dropped
        k.rows = packed(depth, levels);
        std::vector<u8> want;
        for (u32 y = 0; y < 3; y++)
            for (u32 x = 0; x < 7; x++) {
                const png_color& c = k.palette[(x * 3 + y) % levels];
                want.insert(want.end(), {c.red, c.green, c.blue});
            }
        EXPECT_EQ(decoded(writepng(k)).rgb, want);
        // Gray of the same depth spreads its levels over 0..255.
        k.colourtype = PNG_COLOR_TYPE_GRAY;
        k.palette.clear();
        k.transparency.clear();
        if (depth == 8) continue;
        want.clear();
        for (u32 y = 0; y < 3; y++)
            for (u32 x = 0; x < 7; x++) {
                u8 g = (u8)((x * 3 + y) % levels * 255 / (levels - 1));
                want.insert(want.end(), {g, g, g});
            }
        EXPECT_EQ(decoded(writepng(k)).rgb, want);
    }
}

TEST(PngDecode, RefusesCutDamagedAndForeignFiles) {
    std::vector<u8> good = writepng(truecolour(PNG_COLOR_TYPE_RGB, 8, false));
    decoded(good);
    for (size_t keep : {0ul, 7ul, 8ul, 20ul, 33ul, 40ul, good.size() / 2, good.size() - 13}) {
        SCOPED_TRACE(keep);
        refusal(std::vector<u8>(good.begin(), good.begin() + keep));
    }
    std::vector<u8> f = good;
    f[1] = 'Q';
    EXPECT_EQ(refusal(f), "not a PNG file (no PNG signature)");
    f = good;
    f[8 + 8 + 3] ^= 1; // the width, under the header's checksum
    refusal(f);
    f = good;
    f[good.size() - 20] ^= 0x55; // inside the compressed pixels
    refusal(f);
    EXPECT_FALSE(png_decode(nullptr, 0, nullptr));
    EXPECT_FALSE(png_decode(good.data(), good.size(), nullptr));
}

TEST(PngDecode, RefusesPicturesPastTheLimitsBeforeAllocatingThem) {
    // A small picture's file with the header's size changed and its
    // checksum mended: only the limits stand in the way.
    struct dims {
        u32 w, h;
        const char* reason;
    };
    for (dims d : {dims{16385, 1, "exceeds user limit"}, dims{1, 16385, "exceeds user limit"},
                   dims{16384, 1025, "dimensions too large"}, dims{4097, 4096, "dimensions too large"},
                   dims{0x7FFFFFFF, 0x7FFFFFFF, "exceeds user limit"}}) {
        SCOPED_TRACE(testing::Message() << d.w << " x " << d.h);
        std::vector<u8> f = writepng(truecolour(PNG_COLOR_TYPE_RGB, 8, false));
        ASSERT_EQ(chunkcrc(f.data() + 12, 17), (u32)f[29] << 24 | f[30] << 16 | f[31] << 8 | f[32]);
        for (int i = 0; i < 4; i++) {
            f[16 + i] = (u8)(d.w >> (24 - 8 * i));
            f[20 + i] = (u8)(d.h >> (24 - 8 * i));
        }
        u32 crc = chunkcrc(f.data() + 12, 17);
        for (int i = 0; i < 4; i++) f[29 + i] = (u8)(crc >> (24 - 8 * i));
        std::string why = refusal(f);
        EXPECT_NE(why.find(d.reason), std::string::npos) << why;
    }
}

TEST(PngDecode, SignatureIsTheEightMagicBytes) {
    const u8 magic[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png_issignature(magic, 8));
    EXPECT_FALSE(png_issignature(magic, 7));
    EXPECT_FALSE(png_issignature(nullptr, 8));
    const u8 bm[8] = {'B', 'M', 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(png_issignature(bm, 8));
}
