// Any bytes at all may reach png_decode from a data directory, through
// libpng and its longjmp error path.
#include "fuzz/fuzzpicture.h"
#include "platform/pngdecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzpicture([](const u8* d, size_t n, platbitmap* b, std::string* why) { return png_decode(d, n, b, why); },
                       data, size);
}
