// Any bytes at all may reach bmp_decode from a data directory; a decode it
// accepts must also describe a picture whose buffer matches its size.
#include <cstdint>
#include <cstdlib>

#include "platform/bmpdecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platbitmap b;
    std::string why;
    if (!bmp_decode(data, size, &b, &why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    if (b.width <= 0 || b.height <= 0) std::abort();
    if (b.rgb.size() != (size_t)b.width * (size_t)b.height * 3) std::abort();
    return 0;
}
