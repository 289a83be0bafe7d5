#include "tools/content/bmpwrite.h"

namespace {

constexpr u32 kFileHeader = 14;
constexpr u32 kInfoHeader = 40;

void put16(std::vector<u8>& out, u32 v) {
    out.push_back(static_cast<u8>(v));
    out.push_back(static_cast<u8>(v >> 8));
}

void put32(std::vector<u8>& out, u32 v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

u32 row_stride(int w, int bytes_per_pixel) { return (static_cast<u32>(w) * bytes_per_pixel + 3) & ~3u; }

// Both headers; colours is the palette length (0 for 24-bit).
std::vector<u8> headers(int w, int h, int bits, u32 colours) {
    u32 offset = kFileHeader + kInfoHeader + colours * 4;
    u32 image = row_stride(w, bits / 8) * static_cast<u32>(h);
    std::vector<u8> out;
    out.reserve(offset + image);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image);
    put32(out, 0);
    put32(out, offset);
    put32(out, kInfoHeader);
    put32(out, static_cast<u32>(w));
    put32(out, static_cast<u32>(h));  // positive: bottom-up
    put16(out, 1);
    put16(out, static_cast<u32>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, image);
    put32(out, 2835);  // 72 dpi, as paint programs write it
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
    return out;
}

void pad_row(std::vector<u8>& out, u32 written, u32 stride) {
    for (u32 i = written; i < stride; ++i) out.push_back(0);
}

}  // namespace

std::vector<u8> bmp_encode24(int w, int h, const u8* rgb) {
    std::vector<u8> out = headers(w, h, 24, 0);
    u32 stride = row_stride(w, 3);
    for (int y = h - 1; y >= 0; --y) {
        const u8* row = rgb + static_cast<size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3]);
        }
        pad_row(out, static_cast<u32>(w) * 3, stride);
    }
    return out;
}

std::vector<u8> bmp_encode8(int w, int h, const u8* indices, const std::vector<u8>& palette) {
    u32 colours = static_cast<u32>(palette.size() / 3);
    std::vector<u8> out = headers(w, h, 8, colours);
    for (u32 i = 0; i < colours; ++i) {
        out.push_back(palette[i * 3 + 2]);
        out.push_back(palette[i * 3 + 1]);
        out.push_back(palette[i * 3]);
        out.push_back(0);
    }
    u32 stride = row_stride(w, 1);
    for (int y = h - 1; y >= 0; --y) {
        const u8* row = indices + static_cast<size_t>(y) * w;
        out.insert(out.end(), row, row + w);
        pad_row(out, static_cast<u32>(w), stride);
    }
    return out;
}
