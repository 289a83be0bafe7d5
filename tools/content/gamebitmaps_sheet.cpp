#include "tools/content/gamebitmaps_sheet.h"

#include <algorithm>
#include <cmath>

#include "tools/content/gamebitmaps_parts.h"
#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_text.h"

namespace {

constexpr int kGap = 10;
constexpr Rgb kBack = {40, 40, 46};
constexpr Rgb kGround = {52, 78, 40};  // grass-dark, for things that lie on the map
const char* const kLabelFace = "/usr/share/fonts/truetype/klaudia-berenika/Berenika-Bold.ttf";
const char* const kTabFace = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";

const Canvas* find(const std::vector<GamePic>& pics, const std::string& rel) {
    for (const GamePic& g : pics)
        if (g.rel == rel) return &g.pic;
    return nullptr;
}

void paste(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) canvas_set(dst, x + i, y + j, canvas_get(src, i, j));
}

void checker(Canvas& c, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            canvas_set(c, x + i, y + j, ((i / 6 + j / 6) & 1) ? Rgb{112, 112, 112} : Rgb{150, 150, 150});
}

// Text as the game prints it: ending at right (or starting at it when
// right_aligned is false), its top at y, with a black shadow.
bool text(Canvas& c, const char* face, int px, const std::string& s, int x, int y, bool right_aligned, Rgb col,
          bool shadow, std::string& why) {
    Mask probe = mask_make(400, 40);
    if (!letter_centred(probe, {face, px, 0.0f}, s, 200.0f, 30.0f, why)) return false;
    int x0 = 400, x1 = -1, y0 = 40;
    for (int j = 0; j < 40; ++j)
        for (int i = 0; i < 400; ++i)
            if (mask_get(probe, i, j) > 0.3f) x0 = std::min(x0, i), x1 = std::max(x1, i), y0 = std::min(y0, j);
    if (x1 < 0) return true;
    int dx = (right_aligned ? x - x1 : x - x0), dy = y - y0;
    for (int pass = shadow ? 0 : 1; pass < 2; ++pass)
        for (int j = 0; j < 40; ++j)
            for (int i = 0; i < 400; ++i)
                if (mask_get(probe, i, j) > 0.45f)
                    canvas_set(c, i + dx + (pass ? 0 : 1), j + dy + (pass ? 0 : 1), pass ? col : Rgb{8, 8, 8});
    return true;
}

void bar(Canvas& c, int x, int y, int w, int h, float fill, Rgb col) {
    Rgb frame = {200, 168, 100};
    Rgb empty = {static_cast<u8>(col.r > 128 ? col.r - 128 : 0), static_cast<u8>(col.g > 128 ? col.g - 128 : 0),
                 static_cast<u8>(col.b > 128 ? col.b - 128 : 0)};
    for (int i = -1; i <= w; ++i) canvas_set(c, x + i, y - 1, frame), canvas_set(c, x + i, y + h, frame);
    for (int j = 0; j < h; ++j) {
        canvas_set(c, x - 1, y + j, frame);
        canvas_set(c, x + w, y + j, frame);
        for (int i = 0; i < w; ++i) canvas_set(c, x + i, y + j, i < w * fill ? col : empty);
    }
}

// The panel with what the map view prints on it, in the game's places.
bool panel_scene(const Canvas& panel, Canvas& out, std::string& why) {
    out = canvas_make(kPanelW, kPanelH);
    paste(out, panel, 0, 0);
    const char* tabs[] = {"INV", "STATS", "MAP", "LOG", "OPTIONS"};
    const int tab_x[] = {468, 492, 530, 556, 580};
    for (int k = 0; k < 5; ++k)
        if (!text(out, kTabFace, 9, tabs[k], tab_x[k], 6, false, k == 0 ? Rgb{248, 248, 248} : Rgb{224, 160, 80}, false, why))
            return false;
    const char* labels[] = {"Health", "Fatigue", "Magic"};
    const Rgb cols[] = {{192, 0, 0}, {0, 192, 0}, {0, 0, 192}};
    const float fills[] = {0.8f, 0.55f, 0.3f};
    for (int k = 0; k < 3; ++k) {
        if (!text(out, kLabelFace, 15, labels[k], 100, 12 + 20 * k, true, {240, 192, 128}, true, why)) return false;
        bar(out, 102, 14 + 20 * k, 94, 8, fills[k], cols[k]);
    }
    return text(out, kLabelFace, 15, "Gold", 260, 12, true, {240, 192, 128}, true, why) &&
           text(out, kTabFace, 9, "125", 264, 14, false, {240, 240, 240}, true, why);
}

// A box the game cuts from window.bmp: its edges and corners, the inside
// from the picture's top-left.
Canvas window_box(const Canvas& win, int w, int h) {
    Canvas c = canvas_make(w, h);
    const int e = kWindowEdge;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx = x, sy = y;
            if (x >= w - e && y < h - e) sx = win.w - (w - x);
            if (y >= h - e && x >= e) sy = win.h - (h - y);
            if (y >= h - e && x >= w - e) sx = win.w - (w - x), sy = win.h - (h - y);
            canvas_set(c, x, y, canvas_get(win, sx, sy));
        }
    return c;
}

// A 4 x 3 patch of cells with a map editor's 3 x 2 selection laid on it by
// the view's rules, and one cursor marker of each colour.
Canvas ground_scene(const std::vector<GamePic>& pics) {
    Canvas c = canvas_make(200, 110, kGround);
    int ox = 80, oy = 10;
    auto box = [&](int cx, int cy) { return Pt{ox + 20.0f * (cx - cy), oy + 10.0f * (cx + cy)}; };
    for (int cy = 0; cy < 4; ++cy)
        for (int cx = 0; cx < 4; ++cx) {
            Pt b = box(cx, cy);
            draw_line(c, static_cast<int>(b.x) + 20, static_cast<int>(b.y), static_cast<int>(b.x) + 40, static_cast<int>(b.y) + 10, {70, 100, 56});
            draw_line(c, static_cast<int>(b.x), static_cast<int>(b.y) + 10, static_cast<int>(b.x) + 20, static_cast<int>(b.y), {70, 100, 56});
        }
    for (int cy = 0; cy < 2; ++cy)
        for (int cx = 0; cx < 3; ++cx) {
            const char* n = cx == 0 ? (cy == 0 ? "gselnw" : cy == 1 ? "gselsw" : "gselw")
                            : cx == 2 ? (cy == 0 ? "gselne" : "gselse")
                                      : (cy == 0 ? "gseln" : "gsels");
            if (const Canvas* s = find(pics, std::string("bitmaps/") + n + ".bmp")) {
                Pt b = box(cx, cy);
                blit_keyed(c, *s, static_cast<int>(b.x), static_cast<int>(b.y));
            }
        }
    const char* sels[] = {"sel", "sel1", "sel2", "sel3"};
    for (int k = 0; k < 4; ++k)
        if (const Canvas* s = find(pics, std::string("bitmaps/") + sels[k] + ".bmp")) {
            Pt b = box(k, 3);
            blit_keyed(c, *s, static_cast<int>(b.x) - 4, static_cast<int>(b.y) - 2);
        }
    return c;
}

// 1234 and 56 as the view sets them: each digit at the last one's width - 2.
Canvas number_scene(const std::vector<GamePic>& pics) {
    Canvas c = canvas_make(60, 40, kGround);
    int y = 4;
    for (const char* n : {"1234", "56", "7890"}) {
        int x = 4;
        for (const char* p = n; *p; ++p)
            if (const Canvas* d = find(pics, std::string("bitmaps/") + *p + ".bmp")) {
                blit_keyed(c, *d, x, y);
                x += d->w - 2;
            }
        y += 12;
    }
    return c;
}

Canvas cloud_scene() {
    CloudPieces p = cut_cloud_pieces();
    Canvas c = canvas_make(360, 70, kGround);
    assemble_talk(c, p, 6, 8, 52);
    assemble_talk(c, p, 70, 8, 132);
    assemble_thought(c, p, 236, 9);
    return c;
}

struct Shelf {
    Canvas& out;
    int x = kGap, y, row_h = 0, width;
    void put(const Canvas& pic, int scale, bool check) {
        int w = pic.w * scale, h = pic.h * scale;
        if (x + w + kGap > width) x = kGap, y += row_h + kGap, row_h = 0;
        if (check) checker(out, x, y, w, h);
        blit_keyed(out, canvas_scaled(pic, scale), x, y);
        x += w + kGap;
        row_h = std::max(row_h, h);
    }
};

}  // namespace

bool game_bitmaps_sheet(const std::vector<GamePic>& pics, Canvas& out, std::string& why) {
    const Canvas* panel = find(pics, "bitmaps/menubar.bmp");
    const Canvas* thinking = find(pics, "bitmaps/compturn.bmp");
    const Canvas* win = find(pics, "bitmaps/window.bmp");
    if (!panel || !thinking || !win) {
        why = "panel or window missing from the set";
        return false;
    }
    Canvas scene;
    if (!panel_scene(*panel, scene, why)) return false;
    const int width = 1320;
    out = canvas_make(width, 1500, kBack);
    paste(out, canvas_scaled(scene, 2), kGap, kGap);
    paste(out, *panel, kGap, kGap * 2 + 160);
    paste(out, *thinking, kGap * 2 + 640, kGap * 2 + 160);
    int y = kGap * 3 + 240;
    paste(out, window_box(*win, 300, 120), kGap, y);
    paste(out, window_box(*win, 140, 48), kGap * 2 + 300, y);
    paste(out, canvas_scaled(window_box(*win, 24, 24), 4), kGap * 3 + 440, y);
    paste(out, canvas_scaled(ground_scene(pics), 2), kGap * 4 + 540, y);
    paste(out, canvas_scaled(number_scene(pics), 3), kGap * 5 + 940, y);
    y += 230;
    paste(out, canvas_scaled(cloud_scene(), 2), kGap, y);
    Shelf s{out, kGap, y + 150, 0, width};
    for (const GamePic& g : pics) {
        if (g.rel == "bitmaps/menubar.bmp" || g.rel == "bitmaps/compturn.bmp" || g.rel == "bitmaps/window.bmp") continue;
        int big = std::max(g.pic.w, g.pic.h);
        s.put(g.pic, big <= 20 ? 4 : big <= 50 ? 3 : big <= 140 ? 2 : 1, g.sprite);
    }
    Canvas trimmed = canvas_make(width, std::min(out.h, s.y + s.row_h + kGap), kBack);
    paste(trimmed, out, 0, 0);
    out = trimmed;
    return true;
}
