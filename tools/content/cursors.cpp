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

// Each cell holds the picture of what its cursor modes mean in the game's
// shape table: (0, 0) the plain pointer (editor, refused Raise Dead);
// (32, 0) mode 16; (64, 0) pick up (6, 9); (96, 0) use (17); (0, 32) walk
// (1); (32, 32) melee (5, 12); (64, 32) select one's own unit (7);
// (96, 32) a spell aimed at a valid target (32, 36, 38, 40); (128, 32) a
// shot's path preview (3); (192, 32) a shot in range (4, 10, 13); (224, 32)
// Raise Dead's aim (34); (0, 64) refused (11 and the refused aims);
// (32, 64) out of range (14, 42..45); (64, 64) no line of sight (15, 46).
// The busy frames fill the row at y = 96 and are placed separately; the
// editor's scroll hand is looked up at (160, 96) too, so it shows busy frame 5.
const Placed kShapes[] = {
    {0, 0, cursor_pointer},    {32, 0, cursor_lightning}, {64, 0, cursor_pickup},
    {96, 0, cursor_use},       {0, 32, cursor_walk},      {32, 32, cursor_sword},
    {64, 32, cursor_select},   {96, 32, cursor_wand},     {128, 32, cursor_crosshair},
    {192, 32, cursor_bow},     {224, 32, cursor_area},    {0, 64, cursor_refused},
    {32, 64, cursor_far},      {64, 64, cursor_look},
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
