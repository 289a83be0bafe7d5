// The editors' generated pictures: the sizes the pages draw them at, the
// section grid's diamond, and land sources that are whole 160 x 80 pictures
// whose diamonds hold the tiles of the sections they copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/content/editorart.h"
#include "tools/content/terrain.h"

namespace {

struct bmpsize {
    int w = 0, h = 0, bits = 0;
};

bmpsize readsize(const std::string& rel) {
    std::ifstream f(std::filesystem::path(VENNOR_DATA) / rel, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
    bmpsize s;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return s;
    auto get = [&](size_t at, int n) {
        int v = 0;
        for (int i = 0; i < n; i++) v |= b[at + i] << (8 * i);
        return v;
    };
    s.w = get(18, 4);
    s.h = get(22, 4);
    s.bits = get(28, 2);
    return s;
}

}  // namespace

TEST(ContentEditorArt, PicturesHaveTheSizesThePagesDrawThemAt) {
    struct want {
        const char* rel;
        int w, h;
    };
    for (const want& x : {want{"bitmaps/editor/updown.bmp", 20, 40}, want{"bitmaps/editor/scrollbar.bmp", 20, 440},
                          want{"bitmaps/editor/scrollbox.bmp", 20, 16}, want{"bitmaps/testland.bmp", 40, 20}}) {
        bmpsize s = readsize(x.rel);
        EXPECT_EQ(s.w, x.w) << x.rel;
        EXPECT_EQ(s.h, x.h) << x.rel;
        EXPECT_EQ(s.bits, 24) << x.rel;
    }
    // The thumb at the last page (74 x 5.5 = 407) must end on the bar.
    EXPECT_LE(407 + kScrollBoxH, kScrollBarH);
    for (const LandSource& src : land_sources()) {
        bmpsize s = readsize(src.rel);
        EXPECT_EQ(s.w, 160) << src.rel;
        EXPECT_EQ(s.h, 80) << src.rel;
    }
}

TEST(ContentEditorArt, TheTestLandDiamondIsBrightInsideAndBlackOutside) {
    Canvas c = editor_testland();
    for (int y = 0; y < kTestLandH; y++)
        for (int x = 0; x < kTestLandW; x++) {
            int first = 0, count = 0;
            tilerow(y, &first, &count);
            bool inside = x >= first && x < first + count;
            Rgb p = canvas_get(c, x, y);
            if (inside) EXPECT_GT(p.r + p.g + p.b, 300) << x << "," << y;
            else EXPECT_EQ(p, (Rgb{0, 0, 0})) << x << "," << y;
        }
}

TEST(ContentEditorArt, SourcesHaveNoHolesAndCopiesHoldTheirSectionsDiamonds) {
    std::vector<Tile> tiles = draw_terrain();
    const int back[16][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {1, 2},
                             {0, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}};
    int copies = 0;
    for (const LandSource& src : land_sources()) {
        Canvas c = land_source_picture(src);
        int black = 0;
        for (int y = 0; y < c.h; y++)
            for (int x = 0; x < c.w; x++) black += canvas_get(c, x, y) == Rgb{0, 0, 0};
        EXPECT_EQ(black, 0) << src.rel << ": ground all over, so no part of a cut is left black";
        if (src.section < 0) continue;
        copies++;
        for (int k = 0; k < 16; k++) {
            const Tile& t = tiles[src.section * 16 + k];
            int bx = 60 + 20 * (back[k][1] - back[k][0]), by = 59 - 10 * (back[k][0] + back[k][1]);
            // Row 10's first pixel: the tile's pixel 180 at (bx, by + 10).
            Rgb p = canvas_get(c, bx, by + 10);
            u16 v = t[180];
            EXPECT_EQ(p, (Rgb{(u8)(((v >> 10) & 31) << 3), (u8)(((v >> 5) & 31) << 3), (u8)((v & 31) << 3)}))
                << src.rel << " tile " << k;
        }
    }
    EXPECT_GE(copies, 1);
}
