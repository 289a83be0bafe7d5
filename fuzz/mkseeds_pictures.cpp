// Seeds of the picture kinds beyond plain 8 and 24 bits: BMPs with small
// palettes, run lengths, 16 and 32 bits with masks and alpha; and PNGs of
// each colour type, written with libpng. Pixels are patterned, not meant.
#include <png.h>

#include <csetjmp>

#include "fuzz/mkseeds.h"

namespace {

constexpr uint32_t RLE8 = 1, RLE4 = 2, BITFIELDS = 3;

struct bmpkind {
    int32_t width, height;
    uint32_t bpp, compression, infosize;
    uint32_t masks[4];
    uint32_t colours;
    bytes pixels; // as stored
};

bytes build(const bmpkind& k) {
    uint32_t headerend = 14 + k.infosize + (k.compression == BITFIELDS && k.infosize == 40 ? 12 : 0);
    uint32_t offbits = headerend + 4 * k.colours;
    bytes f(offbits, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(&f, 10, offbits);
    put32(&f, 14, k.infosize);
    put32(&f, 18, (uint32_t)k.width);
    put32(&f, 22, (uint32_t)k.height);
    put16(&f, 26, 1);
    put16(&f, 28, k.bpp);
    put32(&f, 30, k.compression);
    put32(&f, 46, k.colours);
    if (k.compression == BITFIELDS) {
        for (int i = 0; i < 3; i++) put32(&f, 54 + 4 * i, k.masks[i]);
        if (k.infosize >= 56) put32(&f, 66, k.masks[3]);
    }
    for (uint32_t i = 0; i < 4 * k.colours; i++) f[headerend + i] = (uint8_t)(i * 53 + 7);
    append(&f, k.pixels);
    put32(&f, 2, (uint32_t)f.size());
    return f;
}

// Rows of a w x h picture at bpp, each padded to four bytes; values below
// `below` where that matters (palette indices).
bytes rows(uint32_t w, uint32_t h, uint32_t bpp, uint32_t below) {
    uint32_t stride = (w * bpp + 31) / 32 * 4;
    bytes b(stride * h);
    for (size_t i = 0; i < b.size(); i++) b[i] = (uint8_t)(i * 29 + 3);
    if (below) {
        uint32_t perbyte = bpp < 8 ? 8 / bpp : 1;
        for (size_t i = 0; i < b.size(); i++) {
            uint8_t v = 0;
            for (uint32_t p = 0; p < perbyte; p++) v = (uint8_t)((v << (bpp < 8 ? bpp : 0)) | ((i + p) % below));
            b[i] = v;
        }
    }
    return b;
}

// Runs, a copy with its pad byte, a delta, line ends and the end.
const bytes RLE8STREAM = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 1, 3, 0, 2, 2, 1, 2, 2, 0, 0, 0, 4, 1, 2, 3, 1, 1, 0, 0, 1};
const bytes RLE4STREAM = {5, 0x12, 3, 0x03, 0, 0, 0, 5, 0x12, 0x31, 0x20, 0, 0, 2, 2, 0, 1, 0x30, 0, 1};

} // namespace

std::vector<seed> bmpkindseeds() {
    bmpkind pal1{10, 3, 1, 0, 40, {}, 2, rows(10, 3, 1, 2)};
    bmpkind pal4{5, -2, 4, 0, 40, {}, 4, rows(5, 2, 4, 4)};
    bmpkind rle8{5, 4, 8, RLE8, 40, {}, 4, RLE8STREAM};
    bmpkind rle4{8, 2, 4, RLE4, 40, {}, 4, RLE4STREAM};
    bmpkind rgb555{3, 2, 16, 0, 40, {}, 0, rows(3, 2, 16, 0)};
    bmpkind rgb565{3, -2, 16, BITFIELDS, 40, {0xF800, 0x07E0, 0x001F, 0}, 0, rows(3, 2, 16, 0)};
    bmpkind rgb565v4{3, 2, 16, BITFIELDS, 108, {0xF800, 0x07E0, 0x001F, 0}, 0, rows(3, 2, 16, 0)};
    bmpkind xbgr{3, 2, 32, BITFIELDS, 40, {0xFF, 0xFF00, 0xFF0000, 0}, 0, rows(3, 2, 32, 0)};
    bmpkind argbv5{3, -2, 32, BITFIELDS, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0, rows(3, 2, 32, 0)};
    bmpkind alphazero{2, 2, 32, 0, 40, {}, 0, bytes(16, 0)};
    for (size_t i = 0; i < alphazero.pixels.size(); i++)
        if (i % 4 != 3) alphazero.pixels[i] = (uint8_t)(40 * i + 1);
    bmpkind badrleindex = rle8;
    badrleindex.pixels[1] = 9;
    bmpkind badrleend = rle8;
    badrleend.pixels.resize(badrleend.pixels.size() - 2);
    bmpkind badrletopdown = rle4;
    badrletopdown.height = -2;
    bmpkind badmasks = rgb565;
    badmasks.masks[1] = 0x0FE0;
    return {{"pal1.bmp", build(pal1)},
            {"pal4_topdown.bmp", build(pal4)},
            {"rle8.bmp", build(rle8)},
            {"rle4.bmp", build(rle4)},
            {"rgb16_555.bmp", build(rgb555)},
            {"rgb16_565_masks_topdown.bmp", build(rgb565)},
            {"rgb16_565_v4.bmp", build(rgb565v4)},
            {"rgb32_masks.bmp", build(xbgr)},
            {"rgb32_alpha_v5_topdown.bmp", build(argbv5)},
            {"rgb32_alpha_zero.bmp", build(alphazero)},
            {"bad_rle_index.bmp", build(badrleindex)},
            {"bad_rle_noend.bmp", build(badrleend)},
            {"bad_rle_topdown.bmp", build(badrletopdown)},
            {"bad_masks_overlap.bmp", build(badmasks)}};
}

namespace {

struct pngkind {
    uint32_t width, height;
    int colourtype, depth;
    bool interlaced;
};

void pngappend(png_structp png, png_bytep data, size_t n) {
    bytes* out = (bytes*)png_get_io_ptr(png);
    out->insert(out->end(), data, data + n);
}

// libpng leaves by longjmp: nothing with a destructor in this frame.
bool pngwrite(png_structp png, png_infop info, const pngkind& k, png_bytep* rowptrs, const png_color* palette) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, k.width, k.height, k.depth, k.colourtype,
                 k.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (k.colourtype == PNG_COLOR_TYPE_PALETTE) {
        static const png_byte alphas[2] = {0, 128};
        png_set_PLTE(png, info, palette, 1 << k.depth);
        png_set_tRNS(png, info, alphas, 2, nullptr);
    }
    png_write_info(png, info);
    png_write_image(png, rowptrs);
    png_write_end(png, info);
    return true;
}

bytes pngfile(const pngkind& k) {
    png_uint_32 channels = k.colourtype == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                           : k.colourtype == PNG_COLOR_TYPE_RGB     ? 3
                           : k.colourtype == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                      : 1;
    size_t rowbytes = ((size_t)k.width * channels * k.depth + 7) / 8;
    std::vector<bytes> pixelrows(k.height, bytes(rowbytes));
    std::vector<png_bytep> rowptrs;
    for (uint32_t y = 0; y < k.height; y++) {
        for (size_t i = 0; i < rowbytes; i++) pixelrows[y][i] = (uint8_t)(i * 41 + y * 13);
        rowptrs.push_back(pixelrows[y].data());
    }
    std::vector<png_color> palette(256);
    for (int i = 0; i < 256; i++) palette[i] = {(png_byte)(i * 3), (png_byte)(255 - i), (png_byte)(i * 7)};
    bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, pngappend, nullptr);
    bool ok = pngwrite(png, info, k, rowptrs.data(), palette.data());
    png_destroy_write_struct(&png, &info);
    return ok ? out : bytes();
}

void putbig32(bytes* v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; i++) (*v)[at + i] = (uint8_t)(x >> (24 - 8 * i));
}

// The chunk checksum of PNG (CRC-32), bit by bit.
uint32_t chunkcrc(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; i++) {
        c ^= p[i];
        for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

} // namespace

std::vector<seed> pngseeds() {
    bytes rgb = pngfile({6, 4, PNG_COLOR_TYPE_RGB, 8, false});
    bytes cut = rgb;
    cut.resize(cut.size() / 2);
    bytes badcrc = rgb;
    badcrc[19] ^= 1; // the width, under IHDR's checksum
    // 16385 wide, the checksum mended: refused by the limits alone.
    bytes huge = pngfile({1, 1, PNG_COLOR_TYPE_GRAY, 8, false});
    putbig32(&huge, 16, 16385);
    putbig32(&huge, 29, chunkcrc(huge.data() + 12, 17));
    return {{"gray1.png", pngfile({9, 3, PNG_COLOR_TYPE_GRAY, 1, false})},
            {"gray8.png", pngfile({5, 4, PNG_COLOR_TYPE_GRAY, 8, false})},
            {"gray16_alpha.png", pngfile({4, 3, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false})},
            {"palette4.png", pngfile({7, 3, PNG_COLOR_TYPE_PALETTE, 4, false})},
            {"palette8_interlaced.png", pngfile({9, 9, PNG_COLOR_TYPE_PALETTE, 8, true})},
            {"rgb8.png", rgb},
            {"rgba8.png", pngfile({5, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, false})},
            {"rgb16_interlaced.png", pngfile({10, 7, PNG_COLOR_TYPE_RGB, 16, true})},
            {"bad_truncated.png", cut},
            {"bad_crc.png", badcrc},
            {"bad_huge.png", huge},
            {"bad_not_png.png", bytes(64, 'x')}};
}
