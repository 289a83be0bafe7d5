#pragma once
// BMP files of any kind built byte by byte, for the decoder's tests: the
// header, masks and palette where a writer puts them, then the pixel data
// exactly as given.
#include <algorithm>
#include <vector>

#include "platform/types.h"

namespace bmpkinds {

constexpr u32 BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

inline void put16(std::vector<u8>* v, size_t at, u32 x) {
    (*v)[at] = (u8)x;
    (*v)[at + 1] = (u8)(x >> 8);
}

inline void put32(std::vector<u8>* v, size_t at, u32 x) {
    for (int i = 0; i < 4; i++) (*v)[at + i] = (u8)(x >> (8 * i));
}

struct bmpfile {
    i32 width = 0;
    i32 height = 0; // as stored: negative for top-down
    u32 bpp = 24;
    u32 compression = BI_RGB;
    u32 infosize = 40;
    u32 masks[4] = {}; // red, green, blue, alpha: written for BI_BITFIELDS
    std::vector<u8> palette; // BGRx entries
    std::vector<u8> pixels;  // the pixel data as stored
};

// A plain header is followed by three masks; a larger one holds them, and
// from 56 bytes on the alpha mask too.
inline std::vector<u8> buildbmp(const bmpfile& b) {
    u32 headerend = 14 + b.infosize;
    if (b.compression == BI_BITFIELDS && b.infosize == 40) headerend += 12;
    u32 offbits = headerend + (u32)b.palette.size();
    std::vector<u8> f(offbits + b.pixels.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(&f, 2, (u32)f.size());
    put32(&f, 10, offbits);
    put32(&f, 14, b.infosize);
    put32(&f, 18, (u32)b.width);
    put32(&f, 22, (u32)b.height);
    put16(&f, 26, 1);
    put16(&f, 28, b.bpp);
    put32(&f, 30, b.compression);
    put32(&f, 34, (u32)b.pixels.size());
    put32(&f, 46, (u32)b.palette.size() / 4);
    if (b.compression == BI_BITFIELDS) {
        for (u32 i = 0; i < 3; i++) put32(&f, 54 + 4 * i, b.masks[i]);
        if (b.infosize >= 56) put32(&f, 66, b.masks[3]);
    }
    std::copy(b.palette.begin(), b.palette.end(), f.begin() + headerend);
    std::copy(b.pixels.begin(), b.pixels.end(), f.begin() + offbits);
    return f;
}

// Rows of values (top to bottom) packed as a writer stores them: rows in
// file order, most significant bits first below 8 bits, little-endian above,
// each row padded to four bytes. Unused bits and padding are set, so that
// either leaking into the picture shows.
inline std::vector<u8> packrows(const std::vector<std::vector<u32>>& rows, u32 bpp, bool topdown) {
    std::vector<u8> out;
    for (size_t r = 0; r < rows.size(); r++) {
        const std::vector<u32>& row = rows[topdown ? r : rows.size() - 1 - r];
        size_t stride = (row.size() * bpp + 31) / 32 * 4;
        std::vector<u8> bytes(stride, 0xFF);
        if (bpp < 8) std::fill(bytes.begin(), bytes.begin() + (row.size() * bpp + 7) / 8, 0);
        for (size_t x = 0; x < row.size(); x++) {
            u32 v = row[x];
            if (bpp < 8) {
                size_t bit = x * bpp;
                bytes[bit / 8] |= (u8)(v << (8 - bpp - bit % 8));
            } else {
                for (u32 i = 0; i < bpp / 8; i++) bytes[x * (bpp / 8) + i] = (u8)(v >> (8 * i));
            }
        }
        size_t used = row.size() * bpp % 8;
        if (bpp < 8 && used) bytes[row.size() * bpp / 8] |= (u8)((1u << (8 - used)) - 1);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace bmpkinds
