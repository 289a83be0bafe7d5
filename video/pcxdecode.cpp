#include "video/pcxdecode.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t HEADER = 128;
constexpr size_t PALETTE = 768;
constexpr u8 RUNFLAG = 192;

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

u32 rd16(const u8* p) { return (u32)p[0] | ((u32)p[1] << 8); }

struct packed {
    const u8* pos;
    const u8* end;
};

// A run longer than what is left of the row is cut at the row's end: the font
// files rely on runs never carrying over into the next row.
bool unpackrow(packed* src, u8* row, u32 width) {
    u32 count = 0;
    while (count < width) {
        if (src->pos == src->end) return false;
        u8 b = *src->pos++;
        if (b < RUNFLAG) {
            row[count++] = b;
            continue;
        }
        if (src->pos == src->end) return false;
        u8 value = *src->pos++;
        u32 length = b - RUNFLAG;
        for (u32 i = 0; i < length && count + i < width; i++) row[count + i] = value;
        count += length;
    }
    return true;
}

// The header fields the unpacking depends on: one 8-bit plane, run-length
// packed, a window whose corners are in order, and packed lines at least as
// long as the picture is wide (the bytes past the width pad the line).
bool readheader(const u8* data, u64* w, u64* h, u64* line, std::string* why) {
    if (data[2] != 1) return fail(why, "encoding is not run-length");
    if (data[3] != 8 || data[65] != 1) return fail(why, "not one plane of 8 bits per pixel");
    u32 xmin = rd16(data + 4), ymin = rd16(data + 6), xmax = rd16(data + 8), ymax = rd16(data + 10);
    if (xmin > xmax || ymin > ymax) return fail(why, "window corners out of order");
    *w = (u64)xmax - xmin + 1;
    *h = (u64)ymax - ymin + 1;
    *line = rd16(data + 66);
    if (*line < *w) return fail(why, "bytes per line shorter than the width");
    return true;
}

} // namespace

bool pcx_decode(const u8* data, size_t size, std::vector<u8>* out, i32* width, i32* height, std::string* why) {
    if (!data || size < HEADER + PALETTE) return fail(why, "file shorter than a PCX header and palette");
    u64 w, h, line;
    if (!readheader(data, &w, &h, &line, why)) return false;
    u64 n = size - HEADER - PALETTE;
    // Every row takes at least one byte, and two bytes make at most 63
    // pixels: a header asking for more cannot be honest, and is refused
    // before it can size an allocation.
    if (h > n || line * h > 32 * n) return fail(why, "header dimensions exceed what the file can hold");
    std::vector<u8> pixels((size_t)(w * h), 0);
    std::vector<u8> row((size_t)line);
    packed src = {data + HEADER, data + HEADER + n};
    for (u64 y = 0; y < h; y++) {
        if (!unpackrow(&src, row.data(), (u32)line)) return fail(why, "packed data ends before the last row");
        std::copy(row.begin(), row.begin() + (i64)w, pixels.begin() + (i64)(y * w));
    }
    if (out) *out = std::move(pixels);
    if (width) *width = (i32)w;
    if (height) *height = (i32)h;
    return true;
}
