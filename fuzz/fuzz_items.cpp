// Item types come from items.dat (fixed-size records) and their run-length
// pictures from items.raw. The input is a shape byte, the first records of
// items.dat as a length-prefixed part (the rest of the file is unused
// records), then items.raw. Every picture accepted must draw inside its box.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "video/display.h"
#include "world/itemtype.h"

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
            if (t.rawdatasize) fuzzdrawrle(itemrawdataptr[i], t.rawdatasize, t.picwidth, t.picheight);
        }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
