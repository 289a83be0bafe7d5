// A map is three files: the main file (land and item grids), the npc file
// and the header file. The input is a shape byte, then the npc file, the
// header file and the land grid as length-prefixed parts, then the item
// grid. Each file is padded to its size with zeros unless its shape says
// to keep it as given (see fuzzshaped; the land and item grids share one).
// A map either loads whole with every number inside its table or is
// refused and leaves the world as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzzenv.h"
#include "world/grids.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

static unittyperec types[NUMUNITTYPES];

static void setup() {
    fuzzstart();
    allocgrids();
    initnpc();
    for (int n = 0; n < NUMUNITTYPES; n++) {
        types[n].movementmax = 10 + n;
        types[n].magicmax = (u8)n;
        unittype[n] = &types[n];
    }
}

static void clearworld() {
    fuzzclearworld();
    std::memset(&mapdata, 0, sizeof mapdata);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    clearworld();
    if (size < 1) return 0;
    u8 shape = data[0];
    std::vector<std::vector<u8>> parts = fuzzparts(data + 1, size - 1, 4);
    std::vector<u8> npcs = fuzzshaped(parts[0], NPCFILEBYTES, (shape >> 2) & 3);
    std::vector<u8> header = fuzzshaped(parts[1], MAPDATASIZE, (shape >> 4) & 3);
    std::vector<u8> main;
    if ((shape & 3) % 3 == 1) {
        main = parts[2];
        main.insert(main.end(), parts[3].begin(), parts[3].end());
    } else {
        main = fuzzshaped(parts[2], MAPGRIDBYTES, 0);
        std::vector<u8> items = fuzzshaped(parts[3], MAPGRIDBYTES, shape & 3);
        main.insert(main.end(), items.begin(), items.end());
    }
    bool loaded = parsemap({main.data(), main.size()}, {npcs.data(), npcs.size()}, {header.data(), header.size()}) == nullptr;
    if (loaded) {
        // What the map view and the rules index with the loaded numbers.
        for (int slot = 1; slot <= MAXNPCS; slot++) {
            const npcrec& n = *npc[slot];
            if (!n.isused) continue;
            if (n.mapoff >= (u32)MAPCELLS || n.unitno >= NUMUNITTYPES || npcmap[n.mapoff] == 0) std::abort();
        }
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] >= NUMLANDTYPES || itemmap[i] >= NUMITEMTYPES) std::abort();
    } else {
        // A refused map leaves the cleared world as it was.
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] || itemmap[i]) std::abort();
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
