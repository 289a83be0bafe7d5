// A saved game. The input is a shape byte, then:
// - with the shape's bit 1 clear, one part per section of the file in the
//   sections' order (each but the last length-prefixed), each padded with
//   zeros to its section's size and made into a whole file, header, length
//   and checksum right, so that mutations reach the sections' own checks
//   and no run has to carry a megabyte of input;
// - with it set, the file as it is, its header's length and checksum made
//   right first when the shape's low bit is set.
// A save either loads whole with every number inside its table or is
// refused and leaves the world as it was.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

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

static void fixheader(u8* file, size_t size) {
    putu32(&file[12], (u32)(size - SAVEHEADERBYTES));
    putu32(&file[16], savecrc32(file + SAVEHEADERBYTES, size - SAVEHEADERBYTES));
}

static fuzzpart asgiven(const u8* data, size_t size, bool fix) {
    u8* file = fuzzbuffer(0, size);
    fuzzfill(file, size, {data, size});
    if (fix && size >= SAVEHEADERBYTES) fixheader(file, size);
    return {file, size};
}

// The checksum of a payload that goes on with n zeros, without reading
// them: zlib combines it with the checksum of the zeros, which is that of
// an empty message carried n bytes on.
static uLong withzeros(uLong crc, size_t n) {
    uLong zeros = crc32_combine(0xFFFFFFFFul, 0, (z_off_t)n) ^ 0xFFFFFFFFul;
    return crc32_combine(crc, zeros, (z_off_t)n);
}

// The sections' padding is most of the file; the checksum is taken over the
// bytes the input gave and carried over the zeros, so that the loader's own
// pass over the file is the only one.
static fuzzpart composed(const u8* data, size_t size) {
    std::vector<fuzzpart> parts = fuzzparts(data, size, numsavepieces);
    size_t total = SAVEHEADERBYTES;
    for (int i = 0; i < numsavepieces; i++) total += SAVENAMEBYTES + 4 + savepieces[i].size;
    u8* file = fuzzbuffer(1, total);
    std::memcpy(file, SAVEMAGIC, sizeof SAVEMAGIC);
    putu32(&file[8], SAVEVERSION);
    putu32(&file[12], (u32)(total - SAVEHEADERBYTES));
    uLong crc = crc32(0, nullptr, 0);
    size_t at = SAVEHEADERBYTES;
    for (int i = 0; i < numsavepieces; i++) {
        const savepiece& p = savepieces[i];
        std::memset(&file[at], 0, SAVENAMEBYTES);
        std::memcpy(&file[at], p.name, strnlen(p.name, SAVENAMEBYTES));
        putu32(&file[at + SAVENAMEBYTES], p.size);
        fuzzfill(&file[at + SAVENAMEBYTES + 4], p.size, parts[(size_t)i]);
        size_t given = SAVENAMEBYTES + 4 + std::min<size_t>(parts[(size_t)i].size, p.size);
        crc = crc32_z(crc, &file[at], given);
        crc = withzeros(crc, SAVENAMEBYTES + 4 + p.size - given);
        at += SAVENAMEBYTES + 4 + p.size;
    }
    putu32(&file[16], (u32)crc);
    return {file, total};
}

static void clearworld() {
    fuzzclearworld();
    curnpc = 1;
}

// What the rules and the map view index with the loaded numbers; a refused
// save leaves the cleared world as it was.
FUZZCHECK static void checkworld(bool loaded) {
    if (!loaded) {
        for (int i = 0; i < MAPCELLS; i++)
            if (landmap[i] || itemmap[i] || npcmap[i]) std::abort();
        return;
    }
    if (curnpc < 1 || curnpc > MAXNPCS) std::abort();
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        const npcrec& n = *npc[slot];
        if (!n.isused) continue;
        if (n.mapoff >= (u32)MAPCELLS || n.unitno >= NUMUNITTYPES) std::abort();
    }
    for (int i = 0; i < MAPCELLS; i++)
        if (landmap[i] >= NUMLANDTYPES || itemmap[i] >= NUMITEMTYPES || npcmap[i] > MAXNPCS) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    clearworld();
    if (size < 1) return 0;
    fuzzpart file = (data[0] & 2) ? asgiven(data + 1, size - 1, data[0] & 1) : composed(data + 1, size - 1);
    bool loaded = false;
    fuzzrun([&] { loaded = loadsavebytes(file.data, file.size) == nullptr; });
    checkworld(loaded);
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
