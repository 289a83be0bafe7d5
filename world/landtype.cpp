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

void initland() {
    u16* tiles = (u16*)gamecalloc(TERRAINBYTES, "landrawdataptr[0]");
    // Exactly 1280 tiles: a longer file is not one the land editor wrote.
    static const char terrainraw[] = "terrain\\terrain.raw";
    std::vector<u8> bytes;
    if (!plat_readfile(terrainraw, &bytes, TERRAINBYTES) || bytes.size() != TERRAINBYTES) exitgame(3, terrainraw);
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
}
