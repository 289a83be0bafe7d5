#include "tools/content/fonts_levels.h"

#include <algorithm>
#include <cmath>

u8 coverage_level(u8 c) {
    float f = c / 255.0f;
    if (f < 0.125f) return 0;
    int s = static_cast<int>(std::lround(f * 8.0f)) - 1;
    return static_cast<u8>(std::clamp(s, 1, kMaxLevel));
}

namespace {

bool touches_fill(const std::vector<u8>& lv, int w, int h, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < w && ny < h && lv[static_cast<size_t>(ny) * w + nx] >= kMinFill)
                return true;
        }
    return false;
}

}  // namespace

std::vector<u8> outlined_levels(const std::vector<u8>& cov, int w, int h) {
    std::vector<u8> lv(cov.size(), 0);
    for (size_t i = 0; i < cov.size(); ++i)
        if (cov[i] >= 128) lv[i] = std::max(kMinFill, coverage_level(cov[i]));
    std::vector<u8> out = lv;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t i = static_cast<size_t>(y) * w + x;
            if (!lv[i] && touches_fill(lv, w, h, x, y)) out[i] = kOutline;
        }
    return out;
}
