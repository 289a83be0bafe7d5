// Font pictures are read from the data directory as they are; whatever the
// bytes, pcx_decode must refuse or return exactly width x height pixels.
#include <cstdint>
#include <cstdlib>

#include "video/pcxdecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<u8> pixels;
    i32 width = 0, height = 0;
    std::string why;
    if (!pcx_decode(data, size, &pixels, &width, &height, &why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    if (width <= 0 || height <= 0) std::abort();
    if (pixels.size() != (size_t)width * (size_t)height) std::abort();
    return 0;
}
