// The run-length picture code on its own: the box check, the check of whole
// runs that a picture passing the box check passes too, and the 5-5-5 to
// 5-6-5 rewrite and back that run over any picture the check has passed
// (and must stay inside the data whatever they are given). The input is the
// box's width and height, then the picture.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

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
    if (fits && !rleinsidedata(pic.get(), n)) std::abort();
    if (fits) fuzzdrawrle(pic.get(), n, width, height);
    std::vector<u16> given;
    rleforeach(pic.get(), n, [&](u16 p) { given.push_back(p); });
    rleto565(pic.get(), n);
    size_t after = 0;
    rleforeach(pic.get(), n, [&](u16 p) {
        // Green's low bit is the doubling's: always clear.
        if (after++ >= given.size() || (p & 0x20)) std::abort();
    });
    if (after != given.size()) std::abort();
    // And back: the 5-5-5 pixels as given, but for the unused top bit.
    rleto555(pic.get(), n);
    size_t i = 0;
    rleforeach(pic.get(), n, [&](u16 p) {
        if (p != (given[i++] & 0x7FFF)) std::abort();
    });
    fuzzoutcome(fits);
    return 0;
}
