// Writes the seed inputs under fuzz/corpus/: for every target a few inputs
// the loader accepts, and a few broken at the places the checks guard.
// Run by hand (mkcorpus <corpus dir> <generated data dir>); its output is
// kept in the tree. A few seeds start from the generated game data.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/mkseeds.h"

// Pixel bytes are patterned rather than meaningful: the fuzzer only needs
// a well-formed starting point. For 8-bit, indices stay below `colours`.
bytes datafile(const std::filesystem::path& datadir, const char* relpath) {
    std::ifstream in(datadir / relpath, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bytes bmp(int32_t width, int32_t height, uint32_t bpp, uint32_t infosize, uint32_t colours) {
    uint32_t rows = (uint32_t)(height < 0 ? -height : height);
    uint32_t stride = ((uint32_t)width * bpp + 31) / 32 * 4;
    uint32_t offbits = 14 + infosize + 4 * colours;
    bytes f(offbits + stride * rows, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(&f, 2, (uint32_t)f.size());
    put32(&f, 10, offbits);
    put32(&f, 14, infosize);
    put32(&f, 18, (uint32_t)width);
    put32(&f, 22, (uint32_t)height);
    put16(&f, 26, 1);
    put16(&f, 28, bpp);
    put32(&f, 46, colours);
    for (uint32_t i = 0; i < 4 * colours; i++) f[14 + infosize + i] = (uint8_t)(i * 37);
    for (size_t i = offbits; i < f.size(); i++) f[i] = (uint8_t)(colours ? (i % colours) : i * 11);
    return f;
}

namespace {

bytes pcx(uint32_t xmax, uint32_t ymax, const bytes& packed) {
    bytes f(128 + packed.size() + 768, 0x3C);
    std::fill(f.begin(), f.begin() + 128, 0);
    f[0] = 10;
    f[1] = 5;
    f[2] = 1;
    f[3] = 8;
    put16(&f, 8, xmax);
    put16(&f, 10, ymax);
    // One plane of lines exactly as long as the picture is wide.
    f[65] = 1;
    put16(&f, 66, xmax + 1);
    std::copy(packed.begin(), packed.end(), f.begin() + 128);
    return f;
}

bool save(const std::filesystem::path& path, const bytes& b) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), out) == b.size();
    return std::fclose(out) == 0 && ok;
}

std::vector<seed> bmpseeds() {
    bytes truncated = bmp(3, 2, 24, 40, 0);
    truncated.resize(truncated.size() - 1);
    bytes offpast = bmp(2, 2, 24, 40, 0);
    put32(&offpast, 10, 5000);
    bytes huge = bmp(1, 1, 24, 40, 0);
    put32(&huge, 18, 16384);
    put32(&huge, 22, 16384);
    bytes rle = bmp(4, 2, 8, 40, 2);
    put32(&rle, 30, 1);
    bytes badindex = bmp(4, 2, 8, 40, 2);
    badindex.back() = 9;
    bytes minheight = bmp(2, 1, 24, 40, 0);
    put32(&minheight, 22, 0x80000000u);
    std::vector<seed> seeds = bmpkindseeds();
    seeds.insert(seeds.end(), {{"rgb24_bottomup.bmp", bmp(3, 2, 24, 40, 0)},
            {"rgb24_topdown_v5.bmp", bmp(4, -4, 24, 124, 0)},
            {"pal8.bmp", bmp(5, 3, 8, 40, 4)},
            {"rgb32_v4.bmp", bmp(2, 2, 32, 108, 0)},
            {"bad_truncated.bmp", truncated},
            {"bad_offbits.bmp", offpast},
            {"bad_huge.bmp", huge},
            {"rle8_patterned.bmp", rle},
            {"bad_index.bmp", badindex},
            {"bad_minheight.bmp", minheight}});
    return seeds;
}

std::vector<seed> pcxseeds() {
    bytes glyphs = {1, 2, 195, 7, 3, 4, 5, 6, 192, 9, 200, 1, 255, 2, 197, 3, 8};
    return {{"small.pcx", pcx(7, 1, glyphs)},
            {"longruns.pcx", pcx(63, 1, {255, 1, 2, 255, 3, 194, 4})},
            {"bad_truncated.pcx", pcx(7, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9})},
            {"bad_lastrun.pcx", pcx(0, 0, {193})},
            {"bad_huge.pcx", pcx(65535, 65535, {255, 0})},
            {"bad_short.pcx", bytes(200, 0)}};
}

bool writeall(const std::filesystem::path& dir, const std::vector<seed>& seeds) {
    std::filesystem::create_directories(dir);
    for (const seed& s : seeds)
        if (!save(dir / s.name, s.data)) {
            std::fprintf(stderr, "cannot write %s\n", (dir / s.name).c_str());
            return false;
        }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkcorpus <corpus dir> <generated data dir>\n");
        return 2;
    }
    std::filesystem::path root = argv[1], data = argv[2];
    if (datafile(data, "data/vsytable.dat").empty()) {
        std::fprintf(stderr, "no generated data in %s\n", data.c_str());
        return 1;
    }
    bool ok = writeall(root / "bmp", bmpseeds()) && writeall(root / "png", pngseeds()) &&
              writeall(root / "pcx", pcxseeds()) &&
              writeall(root / "wav", wavseeds()) && writeall(root / "script", scriptseeds()) &&
              writeall(root / "settings", settingsseeds()) && writeall(root / "campaign", campaignseeds()) &&
              writeall(root / "font", fontseeds(data)) && writeall(root / "picture", pictureseeds()) &&
              writeall(root / "map", mapseeds()) && writeall(root / "items", itemseeds()) &&
              writeall(root / "units", unitseeds()) && writeall(root / "rle", rleseeds()) &&
              writeall(root / "viewtables", viewtableseeds(data)) && writeall(root / "land", landseeds());
    return ok ? 0 : 1;
}
