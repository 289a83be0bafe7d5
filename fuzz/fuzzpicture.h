#pragma once
// What every picture decoder owes a fuzzed input: an accepted picture lies
// within the limits and its buffer matches its size; a refusal gives a
// reason and leaves the output alone.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ddraw.h"

template <typename D> int fuzzpicture(D decode, const uint8_t* data, size_t size) {
    platbitmap b;
    b.width = -7;
    std::string why;
    if (!decode(data, size, &b, &why)) {
        if (why.empty() || b.width != -7 || !b.rgb.empty()) std::abort();
        return 0;
    }
    if (b.width <= 0 || b.height <= 0 || b.width > PLAT_BITMAPMAXSIDE || b.height > PLAT_BITMAPMAXSIDE) std::abort();
    if ((uint64_t)b.width * (uint64_t)b.height > PLAT_BITMAPMAXPIXELS) std::abort();
    if (b.rgb.size() != (size_t)b.width * (size_t)b.height * 3) std::abort();
    return 0;
}
