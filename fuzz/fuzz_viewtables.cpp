// The view tables: vsytable.dat (the view lines) and vsstable.dat (the
// screen squares). The input is a shape byte for each file, the lines as a
// length-prefixed part, then the squares. Tables that load are used the way
// the map view uses them: every square looked up, every screen point picked.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "world/viewtables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzstart();
    if (size < 1) return 0;
    std::vector<fuzzpart> parts = fuzzparts(data + 1, size - 1, 2);
    fuzzpart lines = fuzzshaped(0, parts[0], NUMVSY * 4, data[0] & 3);
    fuzzpart squares = fuzzshaped(1, parts[1], NUMVSS * 4, (data[0] >> 2) & 3);
    bool loaded = parseviewtables(lines.data, lines.size, squares.data, squares.size) == nullptr;
    if (loaded) {
        for (int l = -1; l <= NUMVSY; l++)
            for (int c = -1; c <= 256; c++) {
                int s = squareof(c, l);
                if (s < -1 || s >= NUMVSS) std::abort();
            }
        for (i32 y = 0; y < 400; y += 3)
            for (i32 x = 0; x < 640; x += 7) {
                i32 cx, cy;
                int s;
                if (pickcell(x, y, &cx, &cy, &s) && (s < -1 || s >= NUMVSS)) std::abort();
            }
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
