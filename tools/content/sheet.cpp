#include "tools/content/sheet.h"

#include "platform/png.h"
#include "tools/content/fileout.h"

namespace {

constexpr int kGap = 2;  // keeps the pixels on a cell's edge visible
constexpr int kChecker = 6;
constexpr Rgb kLight = {150, 150, 150};
constexpr Rgb kDark = {112, 112, 112};
constexpr Rgb kGrid = {60, 60, 70};

void checker(Canvas& c) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            canvas_set(c, x, y, ((x / kChecker + y / kChecker) & 1) ? kDark : kLight);
}

Canvas cell_of(const Canvas& pic, int cx, int cy, int cw, int ch) {
    Canvas cell = canvas_make(cw, ch);
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) canvas_set(cell, x, y, canvas_get(pic, cx + x, cy + y));
    return cell;
}

}  // namespace

Canvas contact_sheet(const Canvas& pic, int cell_w, int cell_h, int scale) {
    int across = pic.w / cell_w, down = pic.h / cell_h;
    int sw = cell_w * scale + kGap, sh = cell_h * scale + kGap;
    Canvas sheet = canvas_make(across * sw + kGap, down * sh + kGap, kGrid);
    for (int j = 0; j < down; ++j)
        for (int i = 0; i < across; ++i) {
            Canvas back = canvas_make(cell_w * scale, cell_h * scale);
            checker(back);
            Canvas cell = cell_of(pic, i * cell_w, j * cell_h, cell_w, cell_h);
            blit_keyed(back, canvas_scaled(cell, scale), 0, 0);
            blit_keyed(sheet, back, kGap + i * sw, kGap + j * sh);
        }
    return sheet;
}

bool write_sheet(const GenContext& ctx, const std::string& name, const Canvas& sheet, std::string& why) {
    if (ctx.sheetdir.empty()) return true;
    if (!make_dirs(ctx.sheetdir, why)) return false;
    std::string path = ctx.sheetdir + "/" + name + ".png";
    if (png_write(path, sheet.w, sheet.h, sheet.px.data())) return true;
    why = "cannot write " + path;
    return false;
}
