// Unit types and their picture sets: per set a directory of frame offsets
// and sizes, a raw file of run-length frames, and a type record. The input
// is a shape byte, then set 0's directory and unit 0's record as
// length-prefixed parts, then set 0's raw file; the other sets are empty.
// A frame accepted may reach outside its 80 x 120 box (a frame nudged in
// the unit editor); drawing it anywhere, even half off the Virtual Screen,
// must stay inside the surface.
#include <cstdint>
#include <cstdlib>

#include "app/input.h"
#include "fuzz/fuzzenv.h"
#include "video/display.h"
#include "view/objectpics.h"
#include "world/unittype.h"

// The Virtual Screen as one exact allocation, so a write past it is caught.
static void drawanywhere(int action, int facing, int frame) {
    static std::vector<u8> surface(VSBYTES);
    vsptr = surface.data();
    vsheld = 1;
    static const i32 at[][2] = {{20, 60}, {300, 200}, {-VSLEFT - 20, -VSTOP - 20}, {VSWIDTH - VSLEFT - 30, VSHEIGHT - VSTOP - 10},
                                {-VSLEFT - 300, 400}, {600, -VSTOP - 255}};
    for (const auto& p : at) drawunitpicraw(0, p[0], p[1], action, facing, frame);
    vsheld = 0;
}

// The other sets stay empty and every type is a blank record, set up before
// the first run so that the tables outlive each run's allocations.
static void setup() {
    fuzzstart();
    std::vector<u8> emptydir(UNITDIRSIZE, 0), emptytype(UNITTYPESIZE, 0);
    for (int n = 0; n < NUMUNITTYPES; n++) {
        if (parseunitpictures(n, emptydir.data(), emptydir.size(), nullptr, 0)) std::abort();
        if (parseunittype(n, emptytype.data(), emptytype.size())) std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    if (size < 1) return 0;
    pixelformat = data[0] & 0x80 ? 1 : 2;
    std::vector<fuzzpart> parts = fuzzparts(data + 1, size - 1, 3);
    fuzzpart dir = fuzzshaped(0, parts[0], UNITDIRSIZE, data[0] & 3);
    fuzzpart type = fuzzshaped(1, parts[1], UNITTYPESIZE, (data[0] >> 2) & 3);
    // The last run's pictures went with its allocations.
    unitpicloaded[0] = 0;
    unitpicraw[0] = nullptr;
    bool loaded = parseunitpictures(0, dir.data, dir.size, parts[2].data, parts[2].size) == nullptr &&
                  parseunittype(0, type.data, type.size) == nullptr;
    if (loaded) {
        for (int n = 0; n < NUMUNITTYPES; n++)
            if (unittype[n]->picno >= NUMUNITTYPES) std::abort();
        for (int a = 0; a < 3; a++)
            for (int f = 1; f <= 8; f++)
                for (int k = 0; k < 16; k++) {
                    u32 bytes = 0;
                    const u8* frame = findunitframe(0, a, f, k, &bytes);
                    if (frame && bytes > UNITFRAMEMAX) std::abort();
                    if (frame) drawanywhere(a, f, k);
                }
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
