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
#include "view/panel.h"
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

static void startpics(int format = 565) {
    starttestdisplay(format);
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

// The screen with only the text written, centred over the cell's 40 pixels
// in font 5 and the colour given in 5-5-5 terms.
static std::vector<u16> written(const char* text, u16 r, u16 g, u16 b) {
    std::memset(vsptr, 0, VSBYTES);
    settextcolour555(r, g, b);
    u8 keep = currentfont;
    currentfont = 5;
    drawtextcentered(text, 200, 300, 340);
    currentfont = keep;
    return std::vector<u16>((u16*)vsptr, (u16*)(vsptr + VSBYTES));
}

static std::vector<u16> shown() { return std::vector<u16>((u16*)vsptr, (u16*)(vsptr + VSBYTES)); }

// Each missing picture is named, in its own words and colour: white for
// item 0 and an item not loaded, grey for one not used.
TEST(ObjectPics, EachPlaceholderSaysWhatIsMissingInItsColour) {
    for (int format : {565, 555}) {
        startpics(format);
        std::vector<u16> item0 = written("Item 0", 31, 31, 31), notused = written("Not Used", 8, 8, 8),
                         notloaded = written("Not Loaded", 31, 31, 31), greyitem0 = written("Item 0", 8, 8, 8);
        ASSERT_NE(item0, greyitem0);
        std::memset(vsptr, 0, VSBYTES);
        drawitempicraw(0, 300, 200);
        EXPECT_TRUE(shown() == item0) << format << ": item 0";
        pictypes[9].isused = 0;
        std::memset(vsptr, 0, VSBYTES);
        drawitempicraw(9, 300, 200);
        EXPECT_TRUE(shown() == notused) << format << ": not used";
        pictypes[9].isused = 1;
        pictypes[9].isloaded = 0;
        std::memset(vsptr, 0, VSBYTES);
        drawitempicraw(9, 300, 200);
        EXPECT_TRUE(shown() == notloaded) << format << ": not loaded";
        EXPECT_FALSE(notloaded == item0 || notused == item0) << "the three differ";
    }
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

// The map view narrows what pictures may write to the part of the window
// that shows. Tiles and pictures swept across every edge of a narrow clip,
// lit and as stored, against a plain pixel-by-pixel drawing of the same.
namespace {

const picclip narrow = {100, 100, 220, 160};
constexpr u16 UNDER = 0x1234;
constexpr int LEVEL = 9;

bool inclip(i32 x, i32 y) { return x >= narrow.x0 && x < narrow.x1 && y >= narrow.y0 && y < narrow.y1; }

u16 inked(u16 v, bool lit) { return lit ? lighttable[LEVEL * 65536 + v] : v; }

// The area round the clip, as it is and as it should be.
struct area {
    std::vector<u16> want;
    void clear() {
        want.assign(320 * 200, UNDER);
        for (i32 y = 0; y < 200; y++)
            for (i32 x = 0; x < 320; x++) *vspixel(x, y) = UNDER;
    }
    void put(i32 x, i32 y, u16 v) {
        if (inclip(x, y)) want[y * 320 + x] = v;
    }
    int differing() const {
        int bad = 0;
        for (i32 y = 0; y < 200; y++)
            for (i32 x = 0; x < 320; x++) bad += *vspixel(x, y) != want[y * 320 + x];
        return bad;
    }
};

void plaintile(area& a, const std::vector<u16>& tile, i32 x, i32 y, bool lit) {
    size_t at = 0;
    for (int r = 1; r < 20; r++) {
        int first, width;
        tilerow(r, &first, &width);
        for (int i = 0; i < width; i++) a.put(x + first + i, y + r, inked(tile[at++], lit));
    }
}

void plainruns(area& a, const std::vector<u8>& d, i32 x, i32 y, bool lit) {
    u32 pos = 0;
    for (size_t at = 0; at + 3 <= d.size();) {
        pos += (u32)(d[at] | d[at + 1] << 8);
        u32 count = d[at + 2];
        at += 3;
        for (u32 k = 0; k < count; k++, at += 2, pos++)
            a.put(x + (i32)(pos % RLEPITCH), y + (i32)(pos / RLEPITCH), inked((u16)(d[at] | d[at + 1] << 8), lit));
    }
}

} // namespace

TEST(ObjectPics, ANarrowedClipCutsTilesAndPicturesExactlyAtItsEdges) {
    startpics();
    lightmap[77] = LEVEL;
    std::vector<u16> tile(TILEPIXELS);
    for (size_t i = 0; i < tile.size(); i++) tile[i] = (u16)(i * 40503u + 1);
    landrawdataptr[3] = tile.data();
    // A picture with holes, so rows are several runs.
    const int w = 50, h = 70;
    std::vector<u16> raster(RLEPITCH * 256, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) raster[y * RLEPITCH + x] = (x + y) % 5 ? (u16)(x * 977 + y * 131 + 1) : 0;
    std::vector<u8> runs;
    ASSERT_TRUE(encodepicture(raster.data(), RLEPITCH, 256, {0, 0, w, h, 0, false}, &runs));
    itemtyperec& t = pictypes[7];
    t = itemtyperec{};
    t.isused = t.isloaded = 1;
    t.picwidth = w, t.picheight = h;
    t.rawdatasize = (u32)runs.size();
    itemrawdataptr[7] = runs.data();
    setpicclip(narrow);
    area a;
    int bad = 0, drawn = 0;
    auto sweep = [&](i32 x, i32 y) {
        for (bool lit : {false, true}) {
            a.clear();
            if (lit) drawlandtilelit(3, x, y, 77);
            else drawlandtile(3, x, y);
            plaintile(a, tile, x, y, lit);
            bad += a.differing();
            a.clear();
            if (lit) drawitempic(7, x, y, 77);
            else drawitempicraw(7, x, y);
            plainruns(a, runs, x - ((w - 40) >> 1), y + 20 - h, lit);
            bad += a.differing();
            drawn++;
        }
    };
    for (i32 x = narrow.x0 - 50; x <= narrow.x1 + 10; x++) sweep(x, 120);
    for (i32 y = narrow.y0 - 25; y <= narrow.y1 + 75; y++) sweep(150, y);
    resetpicclip();
    EXPECT_EQ(bad, 0) << "pixels wrong in " << drawn << " drawings";
    // Back to the whole surface: the guard bands take pictures again.
    drawlandtile(3, -VSLEFT, -VSTOP);
    int first, width;
    tilerow(1, &first, &width);
    EXPECT_EQ(*vspixel(-VSLEFT + first, -VSTOP + 1), tile[0]);
    landrawdataptr[3] = nullptr;
    itemrawdataptr[7] = nullptr;
}
