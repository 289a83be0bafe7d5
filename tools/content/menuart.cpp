#include "tools/content/menuart.h"

#include "tools/content/bmpwrite.h"
#include "tools/content/fileout.h"
#include "tools/content/menuart_sheet.h"
#include "tools/content/sheet.h"

namespace {

bool write_bmp(const GenContext& ctx, const char* rel, const Canvas& pic, std::string& why) {
    return write_bytes(data_path(ctx, rel), bmp_encode24(pic.w, pic.h, pic.px.data()), why);
}

}  // namespace

bool gen_menuart(const GenContext& ctx, std::string& why) {
    if (!make_dirs(data_path(ctx, "bitmaps/full"), why) || !make_dirs(data_path(ctx, "bitmaps/buttons"), why))
        return false;
    Canvas menu;
    if (!draw_mainmenu(menu, why)) return false;
    Canvas skin = draw_button_skin(), box = draw_textbox();
    if (!write_bmp(ctx, "bitmaps/full/mainmenu.bmp", menu, why) ||
        !write_bmp(ctx, "bitmaps/buttons/button1.bmp", skin, why) || !write_bmp(ctx, "bitmaps/textbox.bmp", box, why))
        return false;
    if (ctx.sheetdir.empty()) return true;
    Canvas sheet;
    return menuart_sheet(menu, skin, box, sheet, why) && write_sheet(ctx, "menuart", sheet, why);
}
