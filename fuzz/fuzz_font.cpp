// Font pictures are PCX files whose decoded size the glyph tables rely on.
// The input is a font number byte, then the PCX file of that font; the
// other fonts are blank pictures of their own size. Fonts that load draw
// every character into an off-screen text picture of exact size.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzzenv.h"
#include "text/font.h"
#include "text/glyphtables.h"

constexpr u32 TEXTROWS = 40;

// A PCX file of one colour, 8 bits, one plane, run-length coded.
static std::vector<u8> blankpcx(u32 width, u32 height) {
    std::vector<u8> f(128, 0);
    f[0] = 10;
    f[1] = 5;
    f[2] = 1;
    f[3] = 8;
    f[8] = (u8)(width - 1);
    f[9] = (u8)((width - 1) >> 8);
    f[10] = (u8)(height - 1);
    f[11] = (u8)((height - 1) >> 8);
    f[65] = 1;
    f[66] = (u8)width;
    f[67] = (u8)(width >> 8);
    for (u32 y = 0; y < height; y++)
        for (u32 left = width; left > 0;) {
            u32 run = left < 63 ? left : 63;
            f.push_back((u8)(0xC0 | run));
            f.push_back(0);
            left -= run;
        }
    f.push_back(12);
    f.resize(f.size() + 768, 0);
    return f;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (size < 1) return 0;
    // The blank pictures are parsed before the first run, so they outlive
    // each run's allocations; the fuzzed font goes back to its blank after.
    static fontrec blank[NUMFONTS];
    if (!blank[0].picture)
        for (int f = 0; f < NUMFONTS; f++) {
            std::vector<u8> file = blankpcx(fontfiles[f].picwidth, fontfiles[f].height);
            if (parsefont(f, file.data(), file.size())) std::abort();
            blank[f] = font[f];
        }
    int fuzzed = data[0] % NUMFONTS;
    bool loaded = parsefont(fuzzed, data + 1, size - 1) == nullptr;
    if (loaded) {
        static u16 picture[640 * TEXTROWS];
        textaltbuf = picture;
        textaltheight = TEXTROWS;
        textalt = 1;
        for (int f = 0; f < NUMFONTS; f++) {
            currentfont = (u8)f;
            for (int c = 32; c < 128; c++) drawglyph((u8)c, 2 + c % 16 * 30, 2);
        }
        textalt = 0;
        textaltbuf = nullptr;
    }
    font[fuzzed] = blank[fuzzed];
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
