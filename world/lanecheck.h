#pragma once
// Range checks of whole grids of unsigned little-endian numbers, eight bytes
// at a time: a map and a saved game are mostly grids, each checked cell by
// cell on every load.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "platform/types.h"

// The lanes of type T in a word that are above hi, with hi below the lanes'
// top bit: a lane without its top bit, given hi's headroom under that bit,
// reaches it exactly when it is above hi and cannot carry into the next
// lane; a lane with its top bit is above hi already.
template <typename T, u64 hi> constexpr u64 lanesabove(u64 w) {
    static_assert(std::is_unsigned_v<T> && sizeof(T) <= 2, "u8 or u16 lanes");
    constexpr int bits = 8 * sizeof(T);
    static_assert(hi < (1ull << (bits - 1)), "hi below the lanes' top bit");
    constexpr u64 lanes = ~0ull / ((1ull << bits) - 1); // a 1 at the bottom of each lane
    constexpr u64 top = lanes << (bits - 1);
    constexpr u64 headroom = ((1ull << (bits - 1)) - 1 - hi) * lanes;
    return (w | ((w & ~top) + headroom)) & top;
}

// Whether every value of type T in `bytes` (a whole number of words) is at
// most hi. The machine is little-endian, as the files are.
template <typename T, u64 hi> bool allatmost(const u8* bytes, size_t count) {
    u64 above = 0;
    for (size_t at = 0; at + 8 <= count; at += 8) {
        u64 w;
        std::memcpy(&w, bytes + at, sizeof w);
        above |= lanesabove<T, hi>(w);
    }
    return above == 0;
}
