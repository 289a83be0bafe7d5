#include "tools/content/unitcompile.h"

#include <cstdio>

#include "editor/compileunits.h"
#include "editor/encodepicture.h"
#include "world/unittype.h"

namespace {

// The Virtual Screen: bitmaps are drawn at its visible origin, inside
// guard bands wide enough for the most shifted box.
constexpr int kVsW = 768, kVsH = 900, kOriginX = 60, kOriginY = 240;

u16 to555(const u8* p) { return (u16)((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)); }

void put32(std::vector<u8>& b, size_t at, u32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (u8)(v >> (8 * i));
}

}  // namespace

// The names and places are the game's own, so the generated sets are what
// the unit editor's compiler makes of the same tree.
const char* unit_class_prefix(int set) { return unitclassprefix(set); }

int unit_file_number(int action, int frame) { return unitfilenumber(action, frame); }

std::string unit_bitmap_name(int set, int action, int facing, int frame) {
    std::string name = unitbitmapname(set, action, facing, frame);
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

void unit_box_shift(int action, int facing, int frame, int* dx, int* dy) { unitboxshift(action, facing, frame, dx, dy); }

platbitmap unit_bitmap_of(const Canvas& c) {
    platbitmap b;
    b.width = c.w;
    b.height = c.h;
    b.rgb = c.px;
    return b;
}

bool compile_unit_frame(const platbitmap& bmp, int action, int facing, int frame, std::vector<u8>* out) {
    if (bmp.width <= 0 || bmp.height <= 0) return false;
    u16 key = to555(bmp.rgb.data());
    std::vector<u16> vs((size_t)kVsW * kVsH, key);
    for (int y = 0; y < bmp.height && kOriginY + y < kVsH; ++y)
        for (int x = 0; x < bmp.width && kOriginX + x < kVsW; ++x)
            vs[(size_t)(kOriginY + y) * kVsW + kOriginX + x] = to555(&bmp.rgb[((size_t)y * bmp.width + x) * 3]);
    int dx, dy;
    unit_box_shift(action, facing, frame, &dx, &dy);
    encodebox box{kOriginX + 20 + dx, kOriginY + 80 + dy, UNITFRAMEWIDTH, UNITFRAMEHEIGHT, key, true};
    return encodepicture(vs.data(), kVsW, kVsH, box, out);
}

UnitSetFiles assemble_unit_set(const std::vector<std::vector<u8>>& frames) {
    UnitSetFiles f;
    f.dir.assign(UNITDIRSIZE, 0);
    for (size_t i = 0; i < frames.size() && i < (size_t)UNITFRAMES; ++i) {
        put32(f.dir, i * 4, (u32)f.raw.size());
        put32(f.dir, (UNITFRAMES + i) * 4, (u32)frames[i].size());
        f.raw.insert(f.raw.end(), frames[i].begin(), frames[i].end());
    }
    return f;
}
