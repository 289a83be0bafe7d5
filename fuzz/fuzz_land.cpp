// Terrain: terrain.raw, the 5-5-5 pixels of every floor tile, of one fixed
// size. The input is a shape byte, then the first bytes of the file (the
// rest is zeros).
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "video/display.h"
#include "world/itemtype.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (size < 1) return 0;
    pixelformat = data[0] & 0x80 ? 1 : 2;
    fuzzpart file = fuzzshaped(0, {data + 1, size - 1}, TERRAINBYTES, data[0] & 3);
    bool loaded = parseland(file.data, file.size) == nullptr;
    if (loaded)
        for (int n = 0; n < NUMLANDTYPES; n++)
            if (!landrawdataptr[n] || !landtype[n]) std::abort();
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
