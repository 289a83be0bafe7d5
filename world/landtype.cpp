#include <bit>
#include <cstring>
#include <vector>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "world/itemtype.h"

u16* landrawdataptr[NUMLANDTYPES];
landtyperec* landtype[NUMLANDTYPES];

void tilerow(int r, int* firstcol, int* pixels) {
    if (r <= 0 || r > 19) {
        *firstcol = 0;
        *pixels = 0;
    } else if (r <= 10) {
        *firstcol = 20 - 2 * r;
        *pixels = 4 * r;
    } else {
        *firstcol = 2 * (r - 10);
        *pixels = 4 * (20 - r);
    }
}

// to565 on four pixels a word, a megabyte of them at every load: each
// pixel's channels move only inside its own 16-bit lane.
static void allto565(u16* pixels) {
    static_assert(TERRAINBYTES % 8 == 0, "the tiles are whole words");
    const u64 low5 = 0x001F001F001F001Full;
    for (u32 i = 0; i < TERRAINBYTES / 2; i += 4) {
        u64 w;
        std::memcpy(&w, pixels + i, sizeof w);
        w = (w >> 10 & low5) << 11 | (w >> 5 & low5) << 6 | (w & low5);
        std::memcpy(pixels + i, &w, sizeof w);
    }
}

// Exactly 1280 tiles: a longer or shorter file is not one the land editor wrote.
const char* parseland(const u8* bytes, size_t size) {
    if (size != TERRAINBYTES) return "terrain.raw is not one tile for every land type";
    u16* tiles = (u16*)gamecalloc(TERRAINBYTES, "landrawdataptr[0]");
    // The file's little-endian pixels are the machine's.
    static_assert(std::endian::native == std::endian::little);
    std::memcpy(tiles, bytes, TERRAINBYTES);
    if (pixelformat == 2) allto565(tiles);
    static_assert(sizeof(landtyperec) == 18, "land type records are 18 bytes");
    landtyperec* types = (landtyperec*)gamecalloc(sizeof(landtyperec) * NUMLANDTYPES, "landtype[0]");
    for (int n = 0; n < NUMLANDTYPES; n++) {
        landrawdataptr[n] = tiles + n * TILEPIXELS;
        landtype[n] = types + n;
    }
    for (int n = 1; n < NUMLANDTYPES; n++) landtype[n]->ohmapcolor = averagecolour(1, n);
    return nullptr;
}

void initland() {
    static const char terrainraw[] = "terrain\\terrain.raw";
    std::vector<u8> bytes;
    if (!plat_readfile(terrainraw, &bytes, TERRAINBYTES) || parseland(bytes.data(), bytes.size())) exitgame(3, terrainraw);
}
