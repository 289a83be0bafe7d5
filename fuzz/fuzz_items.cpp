// Item types come from items.dat (fixed-size records) and their run-length
// pictures from items.raw. The input is a shape byte, the first records of
// items.dat as a length-prefixed part (the rest of the file is unused
// records), then items.raw. A picture accepted may reach outside its nominal
// box (an item nudged in the editor); drawing it anywhere, even half off the
// Virtual Screen, must stay inside the surface.
#include <cstdint>
#include <cstdlib>

#include "app/input.h"
#include "fuzz/fuzzenv.h"
#include "video/display.h"
#include "view/objectpics.h"
#include "world/itemtype.h"

// The Virtual Screen as one exact allocation, so a write past it is caught.
static void drawanywhere(int item) {
    static std::vector<u8> surface(VSBYTES);
    vsptr = surface.data();
    vsheld = 1;
    fullview = 0;
    static const i32 at[][2] = {{0, 0}, {300, 200}, {-VSLEFT - 20, -VSTOP - 20}, {VSWIDTH - VSLEFT - 30, VSHEIGHT - VSTOP - 10},
                                {-VSLEFT - 300, 400}, {600, -VSTOP - 255}};
    for (const auto& p : at) drawitempicraw(item, p[0], p[1]);
    vsheld = 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (size < 1) return 0;
    pixelformat = data[0] & 0x80 ? 1 : 2;
    std::vector<std::vector<u8>> parts = fuzzparts(data + 1, size - 1, 2);
    fuzzwrite("items\\items.dat", fuzzshaped(parts[0], ITEMSFILEBYTES, data[0] & 0x7F));
    fuzzwrite("items\\items.raw", parts[1]);
    for (u8*& p : itemrawdataptr) p = nullptr;
    bool loaded = fuzzrun([] { inititemtypes(); });
    if (loaded)
        for (int i = 1; i < NUMITEMTYPES; i++) {
            const itemtyperec& t = *itemtype[i];
            if (!t.isused) continue;
            // A large item's sections take their picture from the item named.
            if (t.partoflargeitem >= NUMITEMTYPES) std::abort();
            if (t.rawdatasize) drawanywhere(i);
        }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
