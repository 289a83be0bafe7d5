// Land tiles, item pictures and unit frames: placement, light, blending,
// placeholders, and clipping at the Virtual Screen's edges.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/input.h"
#include "editor/encodepicture.h"
#include "testenv.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/light.h"
#include "view/objectpics.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/rle.h"
#include "world/unittype.h"

static std::vector<itemtyperec> pictypes(NUMITEMTYPES);
static std::vector<u8> picdata;

// Item 7 is a solid picture of w x h pixels of one colour.
static void makeitem(int w, int h, u16 colour) {
    std::vector<u16> raster(RLEPITCH * 256, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) raster[y * RLEPITCH + x] = colour;
    picdata.clear();
    ASSERT_TRUE(encodepicture(raster.data(), RLEPITCH, 256, {0, 0, w, h, 0, false}, &picdata));
    itemtyperec& t = pictypes[7];
    t = itemtyperec{};
    t.isused = t.isloaded = 1;
    t.picwidth = (u8)w;
    t.picheight = (u8)h;
    t.rawdatasize = (u32)picdata.size();
    itemrawdataptr[7] = picdata.data();
}

static std::vector<u8> fontpics[NUMFONTS];

static void startpics() {
    starttestdisplay();
    for (int f = 0; f < NUMFONTS; f++) { // every glyph a solid block
        fontpics[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 7);
        font[f] = {glyphtables[f], fontpics[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
    allocgrids();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        pictypes[i] = itemtyperec{};
        itemtype[i] = &pictypes[i];
        itemrawdataptr[i] = nullptr;
    }
    initlighttables();
    fullview = 0;
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
}

// The columns of row y that are not black, as [first, last].
static std::pair<int, int> inkedcols(int y) {
    int first = 9999, last = -9999;
    for (int x = -VSLEFT; x < VSWIDTH - VSLEFT; x++)
        if (*vspixel(x, y)) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    return {first, last};
}

TEST(ObjectPics, ItemStandsOnTheBottomOfItsCellCentredByItsWidth) {
    startpics();
    const int widths[][2] = {{80, -20}, {41, 0}, {39, 1}, {40, 0}};
    for (auto& w : widths) {
        std::memset(vsptr, 0, VSBYTES);
        makeitem(w[0], 30, 0x1234);
        drawitempicraw(7, 200, 100);
        auto cols = inkedcols(119);
        EXPECT_EQ(cols.first, 200 + w[1]) << "width " << w[0];
        EXPECT_EQ(cols.second, 200 + w[1] + w[0] - 1);
        EXPECT_EQ(*vspixel(200 + w[1], 90), 0x1234);
        EXPECT_EQ(*vspixel(200 + w[1], 89), 0) << "the picture is 30 rows tall and ends on row y + 19";
        EXPECT_EQ(*vspixel(200 + w[1], 120), 0);
    }
}

TEST(ObjectPics, LitFormsDarkenByTheCellAndFullLightKeepsTheColour) {
    startpics();
    makeitem(40, 20, 0xFFFF);
    drawitempic(7, 100, 100, -1);
    EXPECT_EQ(*vspixel(110, 110), 0xFFFF);
    lightmap[5] = 15;
    drawitempic(7, 100, 100, 5);
    EXPECT_EQ(*vspixel(110, 110), lighttable[15 * 65536 + 0xFFFF]);
    EXPECT_NE(*vspixel(110, 110), 0xFFFF);
    // See-through: half of the picture, half of what was there.
    std::memset(vsptr, 0, VSBYTES);
    makeitem(40, 20, 0xF800);
    drawitempicblend(7, 100, 100);
    EXPECT_EQ(*vspixel(110, 110), (u16)(15 << 11));
}

TEST(ObjectPics, LandTileFillsItsDiamond) {
    startpics();
    std::vector<u16> tile(TILEPIXELS, 0x0F0F);
    landrawdataptr[3] = tile.data();
    drawlandtile(3, 300, 200);
    EXPECT_EQ(*vspixel(300, 200), 0) << "row 0 stays empty";
    EXPECT_EQ(inkedcols(201), std::make_pair(318, 321));
    EXPECT_EQ(inkedcols(210), std::make_pair(300, 339));
    EXPECT_EQ(inkedcols(219), std::make_pair(318, 321));
    lightmap[9] = 8;
    drawlandtilelit(3, 300, 200, 9);
    EXPECT_EQ(*vspixel(320, 210), lighttable[8 * 65536 + 0x0F0F]);
    landrawdataptr[3] = nullptr;
}

TEST(ObjectPics, PlaceholdersNameWhatIsMissing) {
    startpics();
    settextcolor(0, 0, 0);
    drawitempicraw(0, 300, 200);
    EXPECT_LT(inkedcols(205).first, 340) << "Item 0 is written";
    std::memset(vsptr, 0, VSBYTES);
    pictypes[9].isused = 0;
    drawitempicraw(9, 300, 200);
    EXPECT_LT(inkedcols(205).first, 340) << "Not Used is written";
    std::memset(vsptr, 0, VSBYTES);
    drawunitpicraw(3, 300, 200, 0, 1, 0); // a set never loaded
    EXPECT_LT(inkedcols(205).first, 340);
    // An off-limits item in an editor page is marked; in a mission it is not.
    makeitem(40, 10, 0x0001);
    pictypes[7].offlimits = 1;
    std::memset(vsptr, 0, VSBYTES);
    drawitempicraw(7, 300, 200);
    EXPECT_EQ(inkedcols(203).first, 9999);
    fullview = 1;
    drawitempicraw(7, 300, 200);
    EXPECT_NE(inkedcols(203).first, 9999);
    fullview = 0;
}

// Pictures hanging over any edge of the surface write only inside it: the
// sanitizers watch the rest.
TEST(ObjectPics, PicturesAreClippedToTheSurface) {
    startpics();
    makeitem(100, 150, 0x07E0); // near the largest a picture may be
    const int places[][2] = {{-300, -400}, {-70, -10}, {690, 300}, {300, 870}, {-1000, 5000}, {100, -250}};
    for (auto& p : places) drawitempicraw(7, p[0], p[1]);
    drawitempicraw(7, -70, 100);
    EXPECT_EQ(*vspixel(-VSLEFT, 100), 0x07E0);
    EXPECT_EQ(*vspixel(VSWIDTH - VSLEFT - 1, 99), 0) << "the left overhang does not wrap into the row above";
    std::vector<u16> tile(TILEPIXELS, 0x0F0F);
    landrawdataptr[3] = tile.data();
    for (auto& p : places) drawlandtile(3, p[0], p[1]);
    landrawdataptr[3] = nullptr;
}
