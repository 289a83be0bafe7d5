// Unit types and their picture sets: per set a directory of frame offsets
// and sizes, a raw file of run-length frames, and a type record. The input
// is a shape byte, then set 0's directory and unit 0's record as
// length-prefixed parts, then set 0's raw file; the other sets are empty.
// Every frame accepted must draw inside the 80 x 120 frame box.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "video/display.h"
#include "world/unittype.h"

static void setup() {
    fuzzstart();
    std::vector<u8> none;
    std::vector<u8> emptydir(UNITDIRSIZE, 0), emptytype(UNITTYPESIZE, 0);
    for (int n = 1; n < NUMUNITTYPES; n++) {
        char name[64];
        std::snprintf(name, sizeof name, "units\\newunitpic%d.dat", n);
        fuzzwrite(name, emptydir);
        std::snprintf(name, sizeof name, "units\\newunitpic%d.raw", n);
        fuzzwrite(name, none);
        std::snprintf(name, sizeof name, "units\\unit%d.dat", n);
        fuzzwrite(name, emptytype);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    if (size < 1) return 0;
    pixelformat = data[0] & 0x80 ? 1 : 2;
    std::vector<std::vector<u8>> parts = fuzzparts(data + 1, size - 1, 3);
    fuzzwrite("units\\newunitpic0.dat", fuzzshaped(parts[0], UNITDIRSIZE, data[0] & 3));
    fuzzwrite("units\\unit0.dat", fuzzshaped(parts[1], UNITTYPESIZE, (data[0] >> 2) & 3));
    fuzzwrite("units\\newunitpic0.raw", parts[2]);
    bool loaded = fuzzrun([] { initunit(); });
    if (loaded) {
        for (int n = 0; n < NUMUNITTYPES; n++)
            if (unittype[n]->picno >= NUMUNITTYPES) std::abort();
        for (int a = 0; a < 3; a++)
            for (int f = 1; f <= 8; f++)
                for (int k = 0; k < 16; k++) {
                    u32 bytes = 0;
                    const u8* frame = findunitframe(0, a, f, k, &bytes);
                    if (frame) fuzzdrawrle(frame, bytes, UNITFRAMEWIDTH, UNITFRAMEHEIGHT);
                }
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
