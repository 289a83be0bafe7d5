// Any bytes at all may reach bmp_decode from a data directory; the header
// checks stand between them and SDL's reader. A decode it accepts must
// describe a picture within the limits whose buffer matches its size; a
// refusal must give a reason and leave the output alone.
#include <cstdint>
#include <cstdlib>

#include "platform/bmpdecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platbitmap b;
    b.width = -7;
    std::string why;
    if (!bmp_decode(data, size, &b, &why)) {
        if (why.empty() || b.width != -7 || !b.rgb.empty()) std::abort();
        return 0;
    }
    if (b.width <= 0 || b.height <= 0 || b.width > PLAT_BITMAPMAXSIDE || b.height > PLAT_BITMAPMAXSIDE) std::abort();
    if ((uint64_t)b.width * (uint64_t)b.height > PLAT_BITMAPMAXPIXELS) std::abort();
    if (b.rgb.size() != (size_t)b.width * (size_t)b.height * 3) std::abort();
    return 0;
}
