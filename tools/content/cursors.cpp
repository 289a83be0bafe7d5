#include "tools/content/cursors.h"

#include "tools/content/bmpwrite.h"
#include "tools/content/cursor_shapes.h"
#include "tools/content/cursor_style.h"
#include "tools/content/fileout.h"
#include "tools/content/sheet.h"

namespace {

struct Placed {
    int x, y;  // the cell's top-left in the picture, as the game's shape table has it
    Canvas (*draw)();
};

// The busy frames fill the row at y = 96 and are placed separately; the
// editor's scroll hand is looked up at (160, 96) too, so it shows busy frame 5.
const Placed kShapes[] = {
    {0, 0, cursor_pointer},     {32, 0, cursor_walk},       {64, 0, cursor_sword},
    {96, 0, cursor_use},        {0, 32, cursor_select},     {32, 32, cursor_bow},
    {64, 32, cursor_wand},      {96, 32, cursor_pickup},    {128, 32, cursor_refused},
    {192, 32, cursor_look},     {224, 32, cursor_area},     {0, 64, cursor_crosshair},
    {32, 64, cursor_lightning}, {64, 64, cursor_freeze},
};

constexpr int kBusyRow = 96;
constexpr int kBusyFrames = 8;

}  // namespace

Canvas draw_cursors() {
    Canvas pic = canvas_make(kCursorsW, kCursorsH);
    for (const Placed& p : kShapes) blit_keyed(pic, p.draw(), p.x, p.y);
    for (int f = 0; f < kBusyFrames; ++f) blit_keyed(pic, cursor_busy(f), f * kCursorCell, kBusyRow);
    return pic;
}

bool gen_cursors(const GenContext& ctx, std::string& why) {
    Canvas pic = draw_cursors();
    if (!write_bytes(data_path(ctx, "resources/CURSORS.bmp"), bmp_encode24(pic.w, pic.h, pic.px.data()), why))
        return false;
    return write_sheet(ctx, "cursors", contact_sheet(pic, kCursorCell, kCursorCell, 3), why);
}
