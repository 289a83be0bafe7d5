#include "tools/content/itemsheet.h"

#include <algorithm>
#include <string>

#include "world/rle.h"

namespace {

constexpr int kSheetW = 1500, kMargin = 6, kLabelH = 10;
constexpr Rgb kBack = {44, 46, 52}, kFloor = {86, 96, 74}, kFloorEdge = {66, 74, 58}, kInk = {236, 232, 210};

// 3 x 5 digits, one row of three bits per entry.
const u8 kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
                           {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void number(Canvas& c, int n, int x, int y) {
    std::string s = std::to_string(n);
    for (char ch : s) {
        for (int r = 0; r < 5; ++r)
            for (int b = 0; b < 3; ++b)
                if (kDigits[ch - '0'][r] & (4 >> b)) canvas_set(c, x + b, y + r, kInk);
        x += 4;
    }
}

void floor_at(Canvas& c, int x, int y) {
    for (int r = 1; r < 20; ++r) {
        int first = 0, pixels = 0;
        tilerow(r, &first, &pixels);
        for (int i = 0; i < pixels; ++i)
            canvas_set(c, x + first + i, y + r, (i == 0 || i == pixels - 1) ? kFloorEdge : kFloor);
    }
}

Rgb from555(u16 p) {
    return {static_cast<u8>(((p >> 10) & 31) << 3), static_cast<u8>(((p >> 5) & 31) << 3), static_cast<u8>((p & 31) << 3)};
}

struct Tile {
    int n, w, h;
    int extent;  // rows from the tile's top to the bottom of section 0's box
};

// The sections' cell boxes relative to section 0's: (20 (i - j), -10 (i + j)).
Tile tile_of(const ItemSet& set, int n) {
    const itemtyperec& r = set.rec[n];
    int xs = r.largeitem ? r.xsize : 1, ys = r.largeitem ? r.ysize : 1, extent = 20, w = 50;
    for (int i = 0; i < ys; ++i)
        for (int j = 0; j < xs; ++j) extent = std::max(extent, set.rec[n + i * xs + j].picheight + 10 * (i + j));
    if (r.largeitem) w = 20 * (xs + ys) + 20;
    else w = std::max(50, r.picwidth + 10);
    return {n, w, extent + 4 + kLabelH, extent + 4};
}

void draw_tile(Canvas& c, const ItemSet& set, const Tile& t, int left, int top) {
    const itemtyperec& r = set.rec[t.n];
    int xs = r.largeitem ? r.xsize : 1, ys = r.largeitem ? r.ysize : 1;
    int ax = left + (t.w - 20 * (xs + ys)) / 2 + 20 * (xs - 1), ay = top + t.extent - 20;
    for (int i = ys - 1; i >= 0; --i)
        for (int j = xs - 1; j >= 0; --j) floor_at(c, ax + 20 * (i - j), ay - 10 * (i + j));
    for (int i = ys - 1; i >= 0; --i)
        for (int j = xs - 1; j >= 0; --j) draw_item_at(c, set, t.n + i * xs + j, ax + 20 * (i - j), ay - 10 * (i + j));
    number(c, t.n, left + 2, top + t.h - kLabelH + 3);
}

}  // namespace

void draw_item_at(Canvas& c, const ItemSet& set, int n, int x, int y) {
    const itemtyperec& r = set.rec[n];
    const std::vector<u8>& code = set.pic[n];
    int d = r.picwidth - 40;
    int left = x - (d >= 0 ? d / 2 : -((1 - d) / 2)), top = y + 20 - r.picheight;
    u32 at = 0, pos = 0;
    while (at + 3 <= code.size()) {
        pos += static_cast<u32>(code[at] | code[at + 1] << 8);
        u32 count = code[at + 2];
        at += 3;
        for (u32 i = 0; i < count && at + 2 <= code.size(); ++i, at += 2, ++pos)
            canvas_set(c, left + static_cast<int>(pos % RLEPITCH), top + static_cast<int>(pos / RLEPITCH),
                       from555(static_cast<u16>(code[at] | code[at + 1] << 8)));
    }
}

Canvas item_sheet(const ItemSet& set) {
    std::vector<std::vector<Tile>> rows(1);
    int x = kMargin;
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        if (!set.rec[n].isused || set.rec[n].partoflargeitem) continue;
        Tile t = tile_of(set, n);
        if (x + t.w > kSheetW - kMargin && !rows.back().empty()) {
            rows.emplace_back();
            x = kMargin;
        }
        rows.back().push_back(t);
        x += t.w;
    }
    int height = kMargin;
    for (const auto& row : rows) {
        int h = 0;
        for (const Tile& t : row) h = std::max(h, t.h);
        height += h;
    }
    Canvas c = canvas_make(kSheetW, height + kMargin, kBack);
    int y = kMargin;
    for (const auto& row : rows) {
        int h = 0;
        for (const Tile& t : row) h = std::max(h, t.h);
        x = kMargin;
        for (const Tile& t : row) {
            draw_tile(c, set, t, x, y + h - t.h);
            x += t.w;
        }
        y += h;
    }
    return c;
}
