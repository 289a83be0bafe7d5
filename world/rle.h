#pragma once
// The run-length picture code of items and unit frames: runs of
// (u16 skip in a 768-pixel raster, u8 count, count 16-bit pixels).
#include "platform/types.h"

constexpr int RLEPITCH = 768;

// True when every run of the picture lies inside a width x height box at
// the raster's origin and inside the data; a box wider than the raster's
// pitch is refused.
bool rlefits(const u8* data, u32 size, i32 width, i32 height);
// True when every run's header and pixels lie inside the data; where the
// runs land is not asked (drawing clips each run to the surface).
bool rleinsidedata(const u8* data, u32 size);
// Rewrites 5-5-5 pixels of every run as 5-6-5 (green doubled).
void rleto565(u8* data, u32 size);
// Rewrites 5-6-5 pixels of every run as the 5-5-5 the files hold (green
// loses its lowest bit).
void rleto555(u8* data, u32 size);
// 5-5-5 to 5-6-5 for one pixel.
inline u16 to565(u16 p) { return (u16)(((p >> 10) & 31) << 11 | (((p >> 5) & 31) * 2) << 5 | (p & 31)); }
// 5-6-5 to 5-5-5 for one pixel.
inline u16 to555(u16 p) { return (u16)(((p >> 11) & 31) << 10 | (((p >> 5) & 63) / 2) << 5 | (p & 31)); }
// Calls f(pixel) for every pixel of every run (data already checked).
template <typename F> void rleforeach(const u8* data, u32 size, F f) {
    u32 at = 0;
    while (at + 3 <= size) {
        u32 count = data[at + 2];
        at += 3;
        for (u32 i = 0; i < count && at + 2 <= size; i++, at += 2) f((u16)(data[at] | data[at + 1] << 8));
    }
}
