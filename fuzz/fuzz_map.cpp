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

// What the map view and the rules index with the loaded numbers; a refused
// map leaves the cleared world as it was.
FUZZCHECK static void checkworld(bool loaded) {
    if (!loaded) {
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] || itemmap[i]) std::abort();
        return;
    }
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        const npcrec& n = *npc[slot];
        if (!n.isused) continue;
        if (n.mapoff >= (u32)MAPCELLS || n.unitno >= NUMUNITTYPES || npcmap[n.mapoff] == 0) std::abort();
    }
    for (int i = 0; i < MAPCELLS; i++)
        if (landmap[i] >= NUMLANDTYPES || itemmap[i] >= NUMITEMTYPES) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    clearworld();
    if (size < 1) return 0;
    u8 shape = data[0];
    std::vector<fuzzpart> parts = fuzzparts(data + 1, size - 1, 4);
    fuzzpart npcs = fuzzshaped(0, parts[0], NPCFILEBYTES, (shape >> 2) & 3);
    fuzzpart header = fuzzshaped(1, parts[1], MAPDATASIZE, (shape >> 4) & 3);
    bool asis = (shape & 3) % 3 == 1;
    size_t landbytes = asis ? parts[2].size : MAPGRIDBYTES;
    size_t itembytes = fuzzshapedsize(parts[3].size, MAPGRIDBYTES, shape & 3);
    u8* main = fuzzbuffer(2, landbytes + itembytes);
    fuzzfill(main, landbytes, parts[2]);
    fuzzfill(main + landbytes, itembytes, parts[3]);
    bool loaded = parsemap({main, landbytes + itembytes}, {npcs.data, npcs.size}, {header.data, header.size}) == nullptr;
    checkworld(loaded);
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
