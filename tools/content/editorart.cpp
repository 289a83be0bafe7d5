#include "tools/content/editorart.h"

#include "tools/content/bmpwrite.h"
#include "tools/content/fileout.h"

namespace {

constexpr Rgb kFrameLight{200, 200, 210};
constexpr Rgb kFrameDark{70, 70, 84};
constexpr Rgb kFace{120, 120, 136};
constexpr Rgb kArrow{250, 240, 160};

// A raised square button with a lit top-left edge.
void button(Canvas& c, int x, int y, int size) {
    fill_rect(c, x, y, size, size, kFace);
    fill_rect(c, x, y, size, 1, kFrameLight);
    fill_rect(c, x, y, 1, size, kFrameLight);
    fill_rect(c, x, y + size - 1, size, 1, kFrameDark);
    fill_rect(c, x + size - 1, y, 1, size, kFrameDark);
}

// A filled triangle pointing up (dir -1) or down (dir +1) in a 20 x 20 box at y.
void arrow(Canvas& c, int y, int dir) {
    for (int i = 0; i < 7; ++i) {
        int row = dir < 0 ? y + 6 + i : y + 13 - i;
        fill_rect(c, 10 - i - 1, row, 2 * i + 2, 1, kArrow);
    }
}

}  // namespace

Canvas editor_updown() {
    Canvas c = canvas_make(kUpDownW, kUpDownH);
    button(c, 0, 0, 20);
    arrow(c, 0, -1);
    button(c, 0, 20, 20);
    arrow(c, 20, +1);
    return c;
}

Canvas editor_scrollbar() {
    Canvas c = canvas_make(kScrollBarW, kScrollBarH);
    fill_rect(c, 0, 0, kScrollBarW, kScrollBarH, {36, 36, 46});
    fill_rect(c, 0, 0, 1, kScrollBarH, kFrameDark);
    fill_rect(c, kScrollBarW - 1, 0, 1, kScrollBarH, {90, 90, 104});
    // A groove down the middle and a notch every 40 rows (a screen of tiles
    // is about that much of the bar).
    fill_rect(c, 9, 2, 2, kScrollBarH - 4, {22, 22, 30});
    for (int y = 20; y < kScrollBarH; y += 40) fill_rect(c, 5, y, 10, 1, {60, 60, 74});
    return c;
}

Canvas editor_scrollbox() {
    Canvas c = canvas_make(kScrollBoxW, kScrollBoxH);
    fill_vgradient(c, 0, 0, kScrollBoxW, kScrollBoxH, {170, 170, 190}, {96, 96, 116});
    fill_rect(c, 0, 0, kScrollBoxW, 1, kFrameLight);
    fill_rect(c, 0, 0, 1, kScrollBoxH, kFrameLight);
    fill_rect(c, 0, kScrollBoxH - 1, kScrollBoxW, 1, kFrameDark);
    fill_rect(c, kScrollBoxW - 1, 0, 1, kScrollBoxH, kFrameDark);
    for (int y = 5; y <= 10; y += 5) fill_rect(c, 5, y, 10, 1, kFrameDark);
    return c;
}

// The land tile's diamond: rows 1..19, row r from column s(r), w(r) wide;
// row 0 stays black like the tiles themselves.
Canvas editor_testland() {
    Canvas c = canvas_make(kTestLandW, kTestLandH);
    for (int r = 1; r < kTestLandH; ++r) {
        int s = r <= 10 ? 20 - 2 * r : 2 * (r - 10);
        int w = r <= 10 ? 4 * r : 4 * (20 - r);
        fill_rect(c, s, r, w, 1, {40, 230, 90});
        canvas_set(c, s, r, {200, 255, 210});
        canvas_set(c, s + w - 1, r, {200, 255, 210});
    }
    return c;
}

bool gen_editorart(const GenContext& ctx, std::string& why) {
    if (!make_dirs(data_path(ctx, "bitmaps/editor"), why)) return false;
    struct Named {
        const char* rel;
        Canvas pic;
    };
    const Named art[] = {{"bitmaps/editor/updown.bmp", editor_updown()},
                         {"bitmaps/editor/scrollbar.bmp", editor_scrollbar()},
                         {"bitmaps/editor/scrollbox.bmp", editor_scrollbox()},
                         {"bitmaps/testland.bmp", editor_testland()}};
    for (const Named& a : art)
        if (!write_bytes(data_path(ctx, a.rel), bmp_encode24(a.pic.w, a.pic.h, a.pic.px.data()), why)) return false;
    for (const LandSource& s : land_sources()) {
        Canvas pic = land_source_picture(s);
        if (!write_bytes(data_path(ctx, s.rel), bmp_encode24(pic.w, pic.h, pic.px.data()), why)) return false;
    }
    return true;
}
