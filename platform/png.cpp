#include "platform/png.h"

#include <array>
#include <cstdio>

namespace {

// Stored blocks say their length in 16 bits.
constexpr size_t MAXSTORED = 65535;
// Keeps every chunk length inside the 31 bits PNG allows.
constexpr u64 MAXRAW = 0x7f000000u; // leaves room for the block headers

constexpr std::array<u32, 256> makecrctable() {
    std::array<u32, 256> t{};
    for (u32 n = 0; n < 256; n++) {
        u32 c = n;
        for (int k = 0; k < 8; k++) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}

constexpr std::array<u32, 256> CRCTABLE = makecrctable();

u32 crc32(const u8* p, size_t n) {
    u32 c = 0xffffffffu;
    for (size_t i = 0; i < n; i++) c = CRCTABLE[(c ^ p[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

u32 adler32(const std::vector<u8>& v) {
    u32 a = 1, b = 0;
    for (u8 byte : v) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void put32be(std::vector<u8>* v, u32 x) {
    v->push_back((u8)(x >> 24));
    v->push_back((u8)(x >> 16));
    v->push_back((u8)(x >> 8));
    v->push_back((u8)x);
}

void put16le(std::vector<u8>* v, u32 x) {
    v->push_back((u8)x);
    v->push_back((u8)(x >> 8));
}

// The CRC covers the type and the data, not the length.
void putchunk(std::vector<u8>* png, const char* type, const std::vector<u8>& body) {
    put32be(png, (u32)body.size());
    size_t start = png->size();
    png->insert(png->end(), type, type + 4);
    png->insert(png->end(), body.begin(), body.end());
    put32be(png, crc32(png->data() + start, png->size() - start));
}

std::vector<u8> scanlines(i32 width, i32 height, const u8* rgb) {
    size_t row = (size_t)width * 3;
    std::vector<u8> raw;
    raw.reserve((row + 1) * (size_t)height);
    for (i32 y = 0; y < height; y++) {
        raw.push_back(0); // filter type None
        const u8* src = rgb + (size_t)y * row;
        raw.insert(raw.end(), src, src + row);
    }
    return raw;
}

// A zlib stream of stored deflate blocks: screenshots stay exact and the
// game carries no compressor.
std::vector<u8> zlibstored(const std::vector<u8>& raw) {
    std::vector<u8> z;
    z.reserve(raw.size() + raw.size() / MAXSTORED * 5 + 16);
    z.push_back(0x78); // deflate, 32 KiB window
    z.push_back(0x01); // no dictionary, check bits make 0x7801 a multiple of 31
    size_t pos = 0;
    do {
        size_t len = raw.size() - pos < MAXSTORED ? raw.size() - pos : MAXSTORED;
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0); // BFINAL, BTYPE 00; the rest of the byte is padding
        put16le(&z, (u32)len);
        put16le(&z, (u32)len ^ 0xffffu);
        z.insert(z.end(), raw.begin() + (std::ptrdiff_t)pos, raw.begin() + (std::ptrdiff_t)(pos + len));
        pos += len;
    } while (pos < raw.size());
    put32be(&z, adler32(raw));
    return z;
}

std::vector<u8> ihdr(i32 width, i32 height) {
    std::vector<u8> h;
    put32be(&h, (u32)width);
    put32be(&h, (u32)height);
    h.push_back(8); // bits per sample
    h.push_back(2); // truecolour
    h.push_back(0); // deflate
    h.push_back(0); // adaptive filtering
    h.push_back(0); // not interlaced
    return h;
}

} // namespace

std::vector<u8> png_encode(i32 width, i32 height, const u8* rgb) {
    if (width <= 0 || height <= 0 || !rgb) return {};
    if (((u64)width * 3 + 1) * (u64)height > MAXRAW) return {};
    static const u8 SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<u8> png(SIGNATURE, SIGNATURE + 8);
    putchunk(&png, "IHDR", ihdr(width, height));
    putchunk(&png, "IDAT", zlibstored(scanlines(width, height, rgb)));
    putchunk(&png, "IEND", {});
    return png;
}

bool png_write(const std::string& hostpath, i32 width, i32 height, const u8* rgb) {
    std::vector<u8> png = png_encode(width, height, rgb);
    if (png.empty()) return false;
    std::FILE* f = std::fopen(hostpath.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    // A full disk may only show when the buffered bytes are flushed.
    if (std::fclose(f) != 0) ok = false;
    return ok;
}
