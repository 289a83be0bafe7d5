#include "tools/content/gamebitmaps.h"

#include <algorithm>

#include "tools/content/bmpwrite.h"
#include "tools/content/fileout.h"
#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/gamebitmaps_sheet.h"

void keep_drawn(Canvas& c) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            Rgb p = canvas_get(c, x, y);
            if (p != Rgb{0, 0, 0} && p.r < 8 && p.g < 8 && p.b < 8) canvas_set(c, x, y, {8, 8, 8});
        }
}

bool draw_game_bitmaps(std::vector<GamePic>& out, std::string& why) {
    out.clear();
    Canvas panel = draw_menubar();
    bool ok = true;
    Canvas thinking = draw_compturn(why, ok);
    if (!ok) return false;
    out.push_back({"bitmaps/menubar.bmp", panel, false});
    out.push_back({"bitmaps/compturn.bmp", thinking, false});
    out.push_back({"bitmaps/window.bmp", draw_window(), false});
    for (const PanelButton& b : kPanelButtons)
        out.push_back({std::string("bitmaps/buttons/") + b.file, draw_pressed(panel, b), false});
    add_cloud_pictures(out);
    add_missile_pictures(out);
    if (!add_digit_pictures(out, why)) return false;
    add_marker_pictures(out);
    add_icon_pictures(out);
    add_heal_pictures(out);
    for (GamePic& g : out)
        if (g.sprite) keep_drawn(g.pic);
    return true;
}

bool gen_gamebitmaps(const GenContext& ctx, std::string& why) {
    for (const char* dir : {"bitmaps/arrows", "bitmaps/buttons", "bitmaps/icons", "bitmaps/spells"})
        if (!make_dirs(data_path(ctx, dir), why)) return false;
    std::vector<GamePic> pics;
    if (!draw_game_bitmaps(pics, why)) return false;
    for (const GamePic& g : pics)
        if (!write_bytes(data_path(ctx, g.rel), bmp_encode24(g.pic.w, g.pic.h, g.pic.px.data()), why)) return false;
    if (ctx.sheetdir.empty()) return true;
    Canvas sheet;
    return game_bitmaps_sheet(pics, sheet, why) && write_sheet(ctx, "gamebitmaps", sheet, why);
}
