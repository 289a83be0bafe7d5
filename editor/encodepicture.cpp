#include "editor/encodepicture.h"

static u16 stored(u16 p, bool unitcolours) {
    if (unitcolours && (p == 0x7E17 || p == 0x7E18 || p == 0x7E19 || p == 0x7E39)) return 0x0842;
    return p;
}

static void put16(std::vector<u8>* out, u32 v) {
    out->push_back((u8)v);
    out->push_back((u8)(v >> 8));
}

bool encodepicture(u16* raster, i32 pitch, i32 rows, const encodebox& b, std::vector<u8>* out) {
    out->clear();
    if (b.width < 0 || b.height < 0 || b.width > 255 || b.height > 255 || b.x < 0 || b.y < 0 ||
        b.x + b.width > pitch || b.y + b.height > rows)
        return false;
    u32 p = 0; // raster position behind the last run, relative to the corner
    for (i32 row = 0; row < b.height; row++) {
        u16* line = raster + (i64)(b.y + row) * pitch + b.x;
        for (i32 col = 0; col < b.width;) {
            if (line[col] == b.leftout) {
                col++;
                continue;
            }
            i32 start = col;
            while (col < b.width && line[col] != b.leftout) col++;
            u32 at = (u32)row * 768 + (u32)start;
            // A gap wider than a 16-bit skip (over 85 empty rows) is bridged
            // with empty runs rather than wrapped round.
            for (; at - p > 0xFFFF; p += 0xFFFF) {
                put16(out, 0xFFFF);
                out->push_back(0);
            }
            put16(out, at - p);
            out->push_back((u8)(col - start));
            for (i32 c = start; c < col; c++) {
                put16(out, stored(line[c], b.unitcolours));
                line[c] = 0;
            }
            p = at + (u32)(col - start);
            if (out->size() > MAXPICTUREBYTES) return out->clear(), false;
        }
    }
    return true;
}
