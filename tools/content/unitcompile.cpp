#include "tools/content/unitcompile.h"

#include <cstdio>

#include "editor/encodepicture.h"
#include "world/unittype.h"

namespace {

const char* const kFacingPrefix[8] = {"n_", "ne_", "e_", "se_", "s_", "sw_", "w_", "nw_"};
const char* const kActionFolder[3] = {"walk", "attack", "stand"};

// Box shift by facing prefix for walk frames k and k + 8, k = 1..7. Each
// moves the box ahead along the step, so a figure drawn in place shows
// part of a cell back toward where it came from.
const int kShift[8][7][2] = {
    {{17, -8}, {15, -7}, {12, -6}, {10, -5}, {7, -3}, {5, -2}, {2, -1}},
    {{35, 0}, {30, 0}, {25, 0}, {20, 0}, {15, 0}, {10, 0}, {5, 0}},
    {{17, 8}, {15, 7}, {12, 6}, {10, 5}, {7, 3}, {5, 2}, {2, 1}},
    {{0, 17}, {0, 15}, {0, 12}, {0, 10}, {0, 7}, {0, 5}, {0, 2}},
    {{-17, 8}, {-15, 7}, {-12, 6}, {-10, 5}, {-7, 3}, {-5, 2}, {-2, 1}},
    {{-35, 0}, {-30, 0}, {-25, 0}, {-20, 0}, {-15, 0}, {-10, 0}, {-5, 0}},
    {{-17, -8}, {-15, -7}, {-12, -6}, {-10, -5}, {-7, -3}, {-5, -2}, {-2, -1}},
    {{0, -17}, {0, -15}, {0, -12}, {0, -10}, {0, -7}, {0, -5}, {0, -2}},
};

// The Virtual Screen: bitmaps are drawn at its visible origin, inside
// guard bands wide enough for the most shifted box.
constexpr int kVsW = 768, kVsH = 900, kOriginX = 60, kOriginY = 240;

u16 to555(const u8* p) { return (u16)((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3)); }

void put32(std::vector<u8>& b, size_t at, u32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (u8)(v >> (8 * i));
}

}  // namespace

const char* unit_class_prefix(int set) {
    if (set == 2) return "archer_";
    if (set == 4) return "mage_";
    if (set == 5) return "cleric_";
    return "fighter_";
}

int unit_file_number(int action, int frame) {
    if (action != 0) return frame + 1;
    return frame <= 9 ? frame + 7 : frame - 9;
}

std::string unit_bitmap_name(int set, int action, int facing, int frame) {
    char num[16];
    std::snprintf(num, sizeof num, "%.4d", unit_file_number(action, frame));
    return std::string("Unit Pics/") + unit_class_prefix(set) + kActionFolder[action] + "/" + kFacingPrefix[facing] +
           num + ".bmp";
}

void unit_box_shift(int action, int facing, int frame, int* dx, int* dy) {
    int k = frame % 8;
    *dx = *dy = 0;
    if (action != 0 || k == 0) return;
    *dx = kShift[facing][k - 1][0];
    *dy = kShift[facing][k - 1][1];
}

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
