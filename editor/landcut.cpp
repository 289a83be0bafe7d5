#include "editor/landcut.h"

#include "app/debuglog.h"
#include "editor/maptools.h"
#include "platform/ddraw.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/safewrite.h"
#include "video/display.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/rle.h"

void cutlandsection(i32 n) {
    if (n < 0) return;
    beginvsdraw();
    for (int k = 0; k < 16; k++) {
        i32 tile = n + k;
        if (tile >= NUMLANDTYPES || !landrawdataptr[tile]) continue;
        i32 a = sectioncell[k][0], b = sectioncell[k][1];
        i32 bx = 60 + 20 * (b - a), by = 60 - 10 * (a + b);
        u16* out = landrawdataptr[tile];
        for (int r = 1; r < 20; r++) {
            int first = 0, count = 0;
            tilerow(r, &first, &count);
            const u16* src = vspixel(bx + first, by + r);
            for (int i = 0; i < count; i++) *out++ = src[i];
        }
    }
    endvsdraw();
    // Tile 0 marks a cell without land and never shows on the overhead map.
    for (int k = 0; k < 16; k++) {
        i32 tile = n + k;
        if (tile >= 1 && tile < NUMLANDTYPES && landtype[tile] && landrawdataptr[tile])
            landtype[tile]->ohmapcolor = averagecolour(1, tile);
    }
}

void terrainfilebytes(std::vector<u8>* out) {
    out->assign(TERRAINBYTES, 0);
    bool convert = pixelformat == 2;
    if (convert) debuglog("Converting terrain raw data to 565 ...\n");
    u8* d = out->data();
    for (int n = 0; n < NUMLANDTYPES; n++) {
        const u16* tile = landrawdataptr[n];
        for (int i = 0; i < TILEPIXELS; i++, d += 2) {
            u16 p = tile ? tile[i] : 0;
            if (convert) p = to555(p);
            d[0] = (u8)p;
            d[1] = (u8)(p >> 8);
        }
    }
}

bool saveterrain(std::string* why) {
    std::vector<u8> bytes;
    terrainfilebytes(&bytes);
    std::vector<safepart> set = {{TERRAINFILE, bytes.data(), bytes.size()}};
    // The file on disk becomes terrain.ra0 in the same set, so a failure
    // keeps both as they were.
    std::vector<std::vector<u8>> old;
    if (!plat_addbackups(&set, &old, PLAT_COPYMAX, why) || !plat_safewriteset(set, why)) {
        debuglog("Terrain not saved: %s\n", why->c_str());
        return false;
    }
    return true;
}

bool drawlandsource(const char* path) {
    platbitmap* b = plat_loadbitmap(path);
    if (!b) return false;
    plat_freebitmap(b);
    clearvs();
    drawbitmap(path, 0, 1);
    return true;
}
