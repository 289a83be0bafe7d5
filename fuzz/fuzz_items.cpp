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
// The picture's corner is put where a run left unclipped would leave the
// surface: on its last rows at the right edge, on its first row left of it,
// and far outside.
static void drawanywhere(int item) {
    static std::vector<u8> surface(VSBYTES);
    vsptr = surface.data();
    vsheld = 1;
    fullview = 0;
    const itemtyperec& t = *itemtype[item];
    const i32 right = VSWIDTH - VSLEFT, bottom = VSHEIGHT - VSTOP;
    static const i32 corners[][2] = {{0, 0}, {-VSLEFT - 2, -VSTOP}, {-VSLEFT - 300, -VSTOP - 200}, {right + 5, bottom + 5}};
    auto draw = [&](i32 cx, i32 cy) { drawitempicraw(item, cx + ((t.picwidth - 40) >> 1), cy - 20 + t.picheight); };
    for (const auto& c : corners) draw(c[0], c[1]);
    for (i32 k = 1; k <= 3; k++) draw(right - 2, bottom - k);
    vsheld = 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (size < 1) return 0;
    pixelformat = data[0] & 0x80 ? 1 : 2;
    std::vector<fuzzpart> parts = fuzzparts(data + 1, size - 1, 2);
    fuzzpart records = fuzzshaped(0, parts[0], ITEMSFILEBYTES, data[0] & 0x7F);
    for (u8*& p : itemrawdataptr) p = nullptr;
    bool loaded = parseitemtypes(records.data, records.size, parts[1].data, parts[1].size) == nullptr;
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
