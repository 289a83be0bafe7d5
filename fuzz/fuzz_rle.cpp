// The run-length picture code on its own: the box check, and the 5-5-5 to
// 5-6-5 rewrite that runs over any picture the check has passed (and must
// stay inside the data whatever it is given). The input is the box's width
// and height, then the picture.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz/fuzzenv.h"
#include "world/rle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    i32 width = data[0] * 4, height = data[1];
    u32 n = (u32)(size - 2);
    // Exactly the picture's bytes, so that a step past them is caught.
    std::unique_ptr<u8[]> pic(new u8[n ? n : 1]);
    std::copy(data + 2, data + size, pic.get());
    bool fits = rlefits(pic.get(), n, width, height);
    if (fits) fuzzdrawrle(pic.get(), n, width, height);
    u32 before = 0, after = 0;
    rleforeach(pic.get(), n, [&](u16) { before++; });
    rleto565(pic.get(), n);
    rleforeach(pic.get(), n, [&](u16 p) {
        after++;
        // Green's low bit is the doubling's: always clear.
        if (p & 0x20) std::abort();
    });
    if (before != after) std::abort();
    fuzzoutcome(fits);
    return 0;
}
