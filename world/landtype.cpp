#include <vector>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "world/itemtype.h"
#include "world/rle.h"

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

// Exactly 1280 tiles: a longer or shorter file is not one the land editor wrote.
const char* parseland(const u8* bytes, size_t size) {
    if (size != TERRAINBYTES) return "terrain.raw is not one tile for every land type";
    u16* tiles = (u16*)gamecalloc(TERRAINBYTES, "landrawdataptr[0]");
    for (u32 i = 0; i < TERRAINBYTES / 2; i++) {
        u16 p = (u16)(bytes[i * 2] | bytes[i * 2 + 1] << 8);
        tiles[i] = pixelformat == 2 ? to565(p) : p;
    }
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
