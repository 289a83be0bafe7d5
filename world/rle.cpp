#include "world/rle.h"

bool rlefits(const u8* data, u32 size, i32 width, i32 height) {
    // Every picture lies in a raster of RLEPITCH pixels a row: a wider box
    // would let a run wrap past the end of its row into the next.
    if (width < 0 || height < 0 || width > RLEPITCH) return false;
    u64 pos = 0; // raster position of the next pixel
    u32 at = 0;
    while (at < size) {
        if (size - at < 3) return false;
        pos += (u32)(data[at] | data[at + 1] << 8);
        u32 count = data[at + 2];
        at += 3;
        if ((u64)count * 2 > size - at) return false;
        if (count) {
            u64 row = pos / RLEPITCH, col = pos % RLEPITCH;
            if (row >= (u64)height || col + count > (u64)width) return false;
        }
        pos += count;
        at += count * 2;
    }
    return true;
}

bool rleinsidedata(const u8* data, u32 size) {
    u32 at = 0;
    while (at < size) {
        if (size - at < 3) return false;
        u32 count = data[at + 2];
        at += 3;
        if (count * 2 > size - at) return false;
        at += count * 2;
    }
    return true;
}

template <u16 (*convert)(u16)> static void rlepixels(u8* data, u32 size) {
    u32 at = 0;
    while (at + 3 <= size) {
        u32 count = data[at + 2];
        at += 3;
        for (u32 i = 0; i < count && at + 2 <= size; i++, at += 2) {
            u16 p = convert((u16)(data[at] | data[at + 1] << 8));
            data[at] = (u8)p;
            data[at + 1] = (u8)(p >> 8);
        }
    }
}

void rleto565(u8* data, u32 size) { rlepixels<to565>(data, size); }
void rleto555(u8* data, u32 size) { rlepixels<to555>(data, size); }
