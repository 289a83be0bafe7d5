// Any bytes at all may reach bmp_decode from a data directory; the header
// checks stand between them and SDL's reader.
#include "fuzz/fuzzpicture.h"
#include "platform/bmpdecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzpicture([](const u8* d, size_t n, platbitmap* b, std::string* why) { return bmp_decode(d, n, b, why); },
                       data, size);
}
