#include "tools/content/pcxwrite.h"

namespace {

constexpr int kHeader = 128;
constexpr int kPaletteBytes = 768;
constexpr u8 kPaletteMarker = 12;
constexpr u8 kRunFlag = 0xC0;
constexpr int kLongestRun = 63;

void put16(std::vector<u8>& out, size_t at, u32 v) {
    out[at] = static_cast<u8>(v);
    out[at + 1] = static_cast<u8>(v >> 8);
}

void header(std::vector<u8>& out, int w, int h) {
    out.assign(kHeader, 0);
    out[0] = 10;  // ZSoft
    out[1] = 5;   // version with a 256-colour palette
    out[2] = 1;   // run-length packed
    out[3] = 8;   // bits per pixel in a plane
    put16(out, 8, static_cast<u32>(w - 1));
    put16(out, 10, static_cast<u32>(h - 1));
    put16(out, 12, 72);
    put16(out, 14, 72);
    out[65] = 1;  // planes
    put16(out, 66, static_cast<u32>(w));
    put16(out, 68, 1);  // palette is colour, not greyscale-interpreted
}

// Runs stop at the row's end: the reader cuts a run there and would lose
// the rest of it.
void pack_row(std::vector<u8>& out, const u8* row, int w) {
    for (int x = 0; x < w;) {
        u8 v = row[x];
        int n = 1;
        while (x + n < w && n < kLongestRun && row[x + n] == v) ++n;
        if (n > 1 || v >= kRunFlag) out.push_back(static_cast<u8>(kRunFlag | n));
        out.push_back(v);
        x += n;
    }
}

}  // namespace

std::vector<u8> pcx_encode8(int w, int h, const u8* indices, const std::vector<u8>& palette) {
    std::vector<u8> out;
    header(out, w, h);
    for (int y = 0; y < h; ++y) pack_row(out, indices + static_cast<size_t>(y) * w, w);
    out.push_back(kPaletteMarker);
    size_t at = out.size();
    out.resize(at + kPaletteBytes, 0);
    for (size_t i = 0; i < palette.size() && i < static_cast<size_t>(kPaletteBytes); ++i) out[at + i] = palette[i];
    return out;
}

std::vector<u8> pcx_grey_palette(int levels) {
    std::vector<u8> pal;
    for (int i = 0; i < levels; ++i) {
        u8 g = static_cast<u8>(levels > 1 ? i * 255 / (levels - 1) : 255);
        pal.insert(pal.end(), {g, g, g});
    }
    return pal;
}
