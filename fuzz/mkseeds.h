#pragma once
// Byte helpers and seed lists for the seed generator (mkcorpus).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

typedef std::vector<uint8_t> bytes;

struct seed {
    std::string name;
    bytes data;
};

inline void put16(bytes* v, size_t at, uint32_t x) {
    (*v)[at] = (uint8_t)x;
    (*v)[at + 1] = (uint8_t)(x >> 8);
}

inline void put32(bytes* v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; i++) (*v)[at + i] = (uint8_t)(x >> (8 * i));
}

inline void append(bytes* v, const bytes& more) { v->insert(v->end(), more.begin(), more.end()); }

// A part of a fuzz input that holds several files: 16-bit length, bytes.
inline bytes part(const bytes& b) {
    bytes v(2);
    put16(&v, 0, (uint32_t)b.size());
    append(&v, b);
    return v;
}

bytes bmp(int32_t width, int32_t height, uint32_t bpp, uint32_t infosize, uint32_t colours);
// A file of the generated data tree; empty when it cannot be read.
bytes datafile(const std::filesystem::path& datadir, const char* relpath);

// BMP kinds beyond plain 8 and 24 bits, and PNGs of every colour type.
std::vector<seed> bmpkindseeds();
std::vector<seed> pngseeds();
std::vector<seed> wavseeds();
std::vector<seed> scriptseeds();
std::vector<seed> settingsseeds();
std::vector<seed> campaignseeds();
std::vector<seed> fontseeds(const std::filesystem::path& datadir);
std::vector<seed> pictureseeds();
std::vector<seed> mapseeds();
std::vector<seed> itemseeds();
std::vector<seed> unitseeds();
std::vector<seed> rleseeds();
std::vector<seed> viewtableseeds(const std::filesystem::path& datadir);
std::vector<seed> landseeds();
