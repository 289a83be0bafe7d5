// The item source bitmaps of the data tree as the item editor cuts them,
// and item pictures that reach outside their box: loaded whole when their
// runs lie in their data, drawn clipped to the surface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/itemcreate.h"
#include "editor/setsections.h"
#include "itemeditorenv.h"
#include "platform/ddraw.h"
#include "testenv.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "world/itemtype.h"

namespace fs = std::filesystem;

static u32 leftonscreen() { return vsinked(); }

// Draws the generated bitmap as the editor does and cuts it; the parts.
static std::vector<cutpart> cut(const char* name, bool large, int xs, int ys, i32* w, i32* h) {
    fs::copy_file(fs::path(VENNOR_DATA) / "items" / name, fs::path(testdatadir()) / "items" / name);
    std::string path = testdatadir() + "/items/" + name;
    platbitmap* b = plat_loadbitmap(path.c_str());
    EXPECT_NE(b, nullptr) << name;
    if (!b) return {};
    *w = b->width;
    *h = b->height;
    plat_freebitmap(b);
    g_xpos = *w / 2 - 20;
    g_ypos = *h - 20;
    g_xsize = xs;
    g_ysize = ys;
    std::vector<cutpart> parts;
    std::string why;
    EXPECT_TRUE(plancut(1, *w, *h, large, &parts, &why)) << why;
    clearvsall();
    drawbitmap(path.c_str(), 0, CUTBITMAPROW);
    EXPECT_GT(leftonscreen(), 0u);
    EXPECT_TRUE(encodecut(&parts, &why)) << why;
    return parts;
}

TEST(ItemEditorContent, TheSourcesNeedNoSplitSitOnTheBoundaryAndCut2x2Whole) {
    for (int format : {565, 555}) {
        startitemeditor(format);
        i32 w, h;
        std::vector<cutpart> one = cut("crate.bmp", false, 1, 1, &w, &h);
        EXPECT_LE(h, 40) << "never offered a split";
        ASSERT_EQ(one.size(), 1u);
        EXPECT_FALSE(one[0].code.empty());
        EXPECT_EQ(leftonscreen(), 0u) << "every pixel in the one picture";
        std::vector<cutpart> post = cut("lamppost.bmp", false, 1, 1, &w, &h);
        EXPECT_EQ(w, 40);
        EXPECT_EQ(h, 41) << "the first height offered a split";
        EXPECT_EQ(leftonscreen(), 0u);
        std::vector<cutpart> tower = cut("tower.bmp", true, 2, 2, &w, &h);
        ASSERT_EQ(tower.size(), 4u);
        EXPECT_EQ(cutboxh, h) << "2 x 2: the box is the bitmap's height";
        EXPECT_LE(cutboxh, 200);
        EXPECT_EQ(leftonscreen(), 0u) << "the first grid's sections take every pixel";
        for (int k = 0; k < 3; k++) EXPECT_FALSE(tower[k].code.empty()) << k;
    }
}

// A single picture keeps every row of its bitmap, the last one too.
TEST(ItemEditorContent, AOnePictureItemKeepsItsBitmapsBottomRow) {
    startitemeditor(565);
    constexpr int W = 12, H = 6;
    fs::create_directories(testdatadir() + "/items");
    writebmp("items/ledge.bmp", W, H, [](int, int y) { return y == H - 1 ? 0xFF0000u : 0x00FF00u; });
    std::string path = testdatadir() + "/items/ledge.bmp", why;
    std::vector<cutpart> parts;
    ASSERT_TRUE(plancut(7, W, H, false, &parts, &why)) << why;
    clearvsall();
    drawbitmap(path.c_str(), 0, CUTBITMAPROW);
    ASSERT_TRUE(encodecut(&parts, &why)) << why;
    EXPECT_EQ(leftonscreen(), 0u) << "a row of the bitmap was left out of the picture";
    commitcut(7, false, parts);
    clearvsall();
    drawitempicraw(7, 100, 100);
    EXPECT_EQ(vscount(0xF800), (u32)W) << "the bottom row is drawn";
    EXPECT_EQ(vscount(0x07E0), (u32)(W * (H - 1)));
}

// Item 5: one run of 6 pixels starting at column 2 of a 4 x 1 box.
static void widefiles(std::vector<u8> raw) {
    std::vector<u8> dat(ITEMSFILEBYTES, 0);
    itemtyperec t{};
    t.isused = 1;
    t.rawdatasize = (u32)raw.size();
    t.picwidth = 40;
    t.picheight = 1;
    itemtypetofile(&t, &dat[5 * ITEMTYPESIZE]);
    fs::create_directories(testdatadir() + "/items");
    std::ofstream(testdatadir() + "/items/items.dat", std::ios::binary).write((const char*)dat.data(), (std::streamsize)dat.size());
    std::ofstream(testdatadir() + "/items/items.raw", std::ios::binary).write((const char*)raw.data(), (std::streamsize)raw.size());
}

static std::vector<u8> run(u16 skip, u8 count, u16 pixel) {
    std::vector<u8> r = {(u8)skip, (u8)(skip >> 8), count};
    for (int i = 0; i < count; i++) r.insert(r.end(), {(u8)pixel, (u8)(pixel >> 8)});
    return r;
}

static bool loads() {
    try {
        inititemtypes();
    } catch (const processexit&) {
        return false;
    }
    return true;
}

TEST(ItemEditorContent, ALoadedPictureMayLeaveItsBoxButNotItsData) {
    starttestdisplay();
    widefiles(run(38, 6, 0x7FFF)); // columns 38..43 of a 40-wide box
    EXPECT_TRUE(loads());
    starttestdisplay();
    std::vector<u8> r = run(0, 6, 0x7FFF);
    r.pop_back(); // the last pixel cut short
    widefiles(r);
    EXPECT_FALSE(loads());
    starttestdisplay();
    r = run(0, 1, 0x7FFF);
    r.insert(r.end(), {0, 0}); // a run header cut short
    widefiles(r);
    EXPECT_FALSE(loads());
}

TEST(ItemEditorContent, APictureOverTheSurfacesEdgeIsDrawnClipped) {
    starttestdisplay(555);
    widefiles(run(0, 10, 0x7FFF));
    ASSERT_TRUE(loads());
    clearvsall();
    // The run starts 4 columns before the surface's right edge, on its last row but one.
    i32 x = VSWIDTH - VSLEFT - 4, y = VSHEIGHT - VSTOP - 2 - 19;
    drawitempicraw(5, x, y);
    lockvs();
    EXPECT_EQ(*vspixel(VSWIDTH - VSLEFT - 1, VSHEIGHT - VSTOP - 2), 0x7FFF);
    EXPECT_EQ(*vspixel(-VSLEFT, VSHEIGHT - VSTOP - 1), 0) << "nothing wraps into the next row";
    unlockvs();
    // Wholly off the surface: nothing at all.
    clearvsall();
    drawitempicraw(5, VSWIDTH, 0);
    drawitempicraw(5, 0, VSHEIGHT);
    drawitempicraw(5, -VSLEFT - 50, -VSTOP - 100);
    EXPECT_EQ(leftonscreen(), 0u);
}
