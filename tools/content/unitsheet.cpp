// Contact sheets of the unit picture sets, drawn from the encoded frames
// so that they show what the game will draw.
#include "tools/content/sheet.h"
#include "tools/content/units.h"
#include "world/rle.h"
#include "world/unittype.h"

namespace {

constexpr Rgb kGrey = {128, 128, 128};
constexpr Rgb kGap = {70, 70, 80};

u8 widen(u32 v) { return (u8)(v << 3 | v >> 2); }

void draw_frame(Canvas& c, int x0, int y0, const std::vector<u8>& f) {
    u32 at = 0, pos = 0;
    while (at + 3 <= f.size()) {
        pos += (u32)(f[at] | f[at + 1] << 8);
        u32 count = f[at + 2];
        at += 3;
        for (u32 i = 0; i < count && at + 2 <= f.size(); ++i, at += 2, ++pos) {
            u32 p = (u32)(f[at] | f[at + 1] << 8);
            canvas_set(c, x0 + (int)(pos % RLEPITCH), y0 + (int)(pos / RLEPITCH),
                       {widen(p >> 10 & 31), widen(p >> 5 & 31), widen(p & 31)});
        }
    }
}

}  // namespace

bool write_unit_sheet(const GenContext& ctx, int set, const std::vector<std::vector<u8>>& frames, std::string& why) {
    if (ctx.sheetdir.empty()) return true;
    const int cw = UNITFRAMEWIDTH + 2, ch = UNITFRAMEHEIGHT + 2;
    Canvas sheet = canvas_make(16 * cw + 2, 24 * ch + 2, kGap);
    for (int i = 0; i < UNITFRAMES; ++i) {
        int x = 2 + (i % 16) * cw, y = 2 + (i / 16) * ch;
        fill_rect(sheet, x, y, UNITFRAMEWIDTH, UNITFRAMEHEIGHT, kGrey);
        draw_frame(sheet, x, y, frames[(size_t)i]);
    }
    return write_sheet(ctx, "units_" + std::to_string(set), sheet, why);
}
