// A saved game. The input is a shape byte and then the file; with the
// shape's low bit set the header's length and checksum are made right
// first, so that mutations reach the sections' own checks and not only
// the checksum. A save either loads whole with every number inside its
// table or is refused and leaves the world as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/fuzzenv.h"
#include "game/missionstate.h"
#include "game/savefile.h"
#include "game/savestate.h"
#include "world/grids.h"
#include "world/lebytes.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/unittype.h"

static unittyperec types[NUMUNITTYPES];

static void setup() {
    fuzzstart();
    allocgrids();
    initnpc();
    for (int n = 0; n < NUMUNITTYPES; n++) {
        types[n].healthmax = 40;
        types[n].movementmax = 50;
        unittype[n] = &types[n];
    }
}

static void clearworld() {
    fuzzclearworld();
    curnpc = 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    clearworld();
    if (size < 1) return 0;
    std::vector<u8> file(data + 1, data + size);
    if ((data[0] & 1) && file.size() >= SAVEHEADERBYTES) {
        putu32(&file[12], (u32)(file.size() - SAVEHEADERBYTES));
        putu32(&file[16], savecrc32(file.data() + SAVEHEADERBYTES, file.size() - SAVEHEADERBYTES));
    }
    bool loaded = false;
    fuzzrun([&] { loaded = loadsavebytes(file.data(), file.size()) == nullptr; });
    if (loaded) {
        // What the rules and the map view index with the loaded numbers.
        if (curnpc < 1 || curnpc > MAXNPCS) std::abort();
        for (int slot = 1; slot <= MAXNPCS; slot++) {
            const npcrec& n = *npc[slot];
            if (!n.isused) continue;
            if (n.mapoff >= (u32)MAPCELLS || n.unitno >= NUMUNITTYPES) std::abort();
        }
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] >= NUMLANDTYPES || itemmap[i] >= NUMITEMTYPES || npcmap[i] > MAXNPCS) std::abort();
    } else {
        // A refused save leaves the cleared world as it was.
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] || itemmap[i] || npcmap[i]) std::abort();
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
