// Items made from bitmaps through the file dialog, the questions and the
// section grid: the pictures stored equal the encoder's output for the
// boxes the editor cuts, large items get their part fields, and every check
// made before anything changes refuses with a box and leaves all as it was.
#include <gtest/gtest.h>

#include <map>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/gamestate.h"
#include "app/memory.h"
#include "editor/encodepicture.h"
#include "editor/filedialog.h"
#include "editor/itemcreate.h"
#include "editor/itemeditor.h"
#include "editor/mapeditor.h"
#include "editor/setsections.h"
#include "itemeditorenv.h"
#include "testenv.h"
#include "text/boxes.h"
#include "video/display.h"
#include "world/itemtype.h"

namespace fs = std::filesystem;

// A colour per pixel, never black, so holes are only where asked for.
static u32 shade(int x, int y) { return (u32)((x * 3) & 0xF8) << 16 | (u32)((y * 2) & 0xFC) << 8 | 0x48; }

static std::string ev(int tick, const std::string& event) { return std::to_string(tick) + " " + event + "\n"; }
// The file dialog's first file, double-clicked at tick 1.
static std::string firstfile() {
    return ev(1, "move 330 125") + ev(1, "ldown") + ev(1, "lup") + ev(1, "ldown") + ev(1, "lup");
}

struct box {
    i32 x, y, w, h;
};

// What the encoder makes of the boxes, in order, on a screen holding the bitmap at (0, 1).
static std::vector<std::vector<u8>> expected(int w, int h, u32 (*colour)(int, int), const std::vector<box>& boxes) {
    i32 pitch, rows, ox, oy;
    std::vector<u16> raster = screenwithbitmap(w, h, colour, &pitch, &rows, &ox, &oy);
    std::vector<std::vector<u8>> out;
    for (const box& b : boxes) {
        std::vector<u8> code;
        EXPECT_TRUE(encodepicture(raster.data(), pitch, rows, {b.x + ox, b.y + oy, b.w, b.h, 0, false}, &code));
        out.push_back(code);
    }
    return out;
}

static std::vector<u8> storedpicture(int n) {
    const itemtyperec& t = *itemtype[n];
    if (!itemrawdataptr[n]) return {};
    return std::vector<u8>(itemrawdataptr[n], itemrawdataptr[n] + t.rawdatasize);
}

static void create(i32 n, const std::string& script) {
    ASSERT_TRUE(underscript(script, [n] { createitem(n); })) << "the script ran out before the item was made";
}

static u32 holes(int x, int y) { return (x + 2 * y) % 7 == 0 ? 0 : shade(x, y); }

TEST(ItemEditorCreate, OnePictureIsTheEncodersOutputForTheBitmapInBothFormats) {
    for (int format : {565, 555}) {
        startitemeditor(format);
        writebmp("items/one.bmp", 30, 20, [](int x, int y) { return holes(x, y); });
        itemtype[300]->iswall = 1; // flags of the record stay
        u32 before = memoryused;
        create(300, firstfile() + ev(20, "key Y") + ev(40, "key ESC"));
        EXPECT_STREQ(boxtext, "Use this one?") << "20 rows are not offered a split";
        const itemtyperec& t = *itemtype[300];
        EXPECT_EQ(t.isused, 1);
        EXPECT_EQ(t.isloaded, 1);
        EXPECT_EQ(t.picwidth, 30);
        EXPECT_EQ(t.picheight, 20);
        EXPECT_EQ(t.largeitem, 0);
        EXPECT_EQ(t.iswall, 1);
        // The box on the bitmap, which is drawn from the screen's row 1.
        std::vector<u8> want = expected(30, 20, holes, {{0, CUTBITMAPROW, 30, 20}})[0];
        ASSERT_FALSE(want.empty());
        EXPECT_EQ(storedpicture(300), want) << format;
        EXPECT_EQ(t.rawdatasize, want.size());
        EXPECT_GE(memoryused, before + want.size());
        EXPECT_EQ(currentitem, 300);
        EXPECT_EQ(t.ohmapcolor, averagecolour(2, 300));
        EXPECT_NE(t.ohmapcolor, averagecolour(0, 300)) << "the colour of its picture, not the made-up one";
        EXPECT_EQ(gamestate, GS_EDITMAP) << "the dialog closed";
    }
}

// Read back without the encoder or the box geometry: the stored runs (a
// u16 skip in the 768-pixel raster, a u8 count, that many pixels) hold the
// bitmap's every pixel but its black ones at (x, y) from the box's corner,
// in 5-5-5, the bottom row too.
TEST(ItemEditorCreate, TheStoredPictureIsTheBitmapPixelForPixel) {
    startitemeditor(555);
    writebmp("items/one.bmp", 30, 20, [](int x, int y) { return holes(x, y); });
    create(301, firstfile() + ev(20, "key Y") + ev(40, "key ESC"));
    std::vector<u8> code = storedpicture(301);
    ASSERT_FALSE(code.empty());
    std::map<u32, u16> at;
    u32 pos = 0;
    for (size_t i = 0; i + 3 <= code.size();) {
        pos += (u32)(code[i] | code[i + 1] << 8);
        u32 count = code[i + 2];
        i += 3;
        for (u32 k = 0; k < count && i + 2 <= code.size(); k++, i += 2) at[pos++] = (u16)(code[i] | code[i + 1] << 8);
    }
    size_t want = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++) {
            u32 c = holes(x, y);
            auto found = at.find((u32)(y * 768 + x));
            if (!c) {
                EXPECT_TRUE(found == at.end()) << x << "," << y << " is a hole";
                continue;
            }
            want++;
            u16 p555 = (u16)((c >> 19 & 31) << 10 | (c >> 11 & 31) << 5 | (c >> 3 & 31));
            ASSERT_TRUE(found != at.end()) << x << "," << y << " is missing";
            EXPECT_EQ(found->second, p555) << x << "," << y;
        }
    EXPECT_EQ(at.size(), want) << "and nothing else";
}

TEST(ItemEditorCreate, FortyRowsAreNotOfferedASplitFortyOneAre) {
    startitemeditor();
    writebmp("items/a.bmp", 40, 40, shade);
    create(10, firstfile() + ev(20, "key Y") + ev(40, "key ESC"));
    EXPECT_STREQ(boxtext, "Use this one?");
    EXPECT_EQ(itemtype[10]->picheight, 40);
    startitemeditor();
    writebmp("items/a.bmp", 40, 41, shade);
    create(10, firstfile() + ev(20, "key Y") + ev(40, "key N") + ev(60, "key ESC"));
    EXPECT_STREQ(boxtext, "Split into sections?");
    EXPECT_EQ(itemtype[10]->picheight, 41) << "No keeps the single picture";
    EXPECT_EQ(itemtype[10]->largeitem, 0);
}

TEST(ItemEditorCreate, NoToUseThisOneReopensTheDialogWhereItWas) {
    startitemeditor();
    fs::create_directories(testdatadir() + "/items/more");
    writebmp("items/more/b.bmp", 10, 10, shade);
    // Into "more" (folder row 1), pick b.bmp, refuse it; the dialog comes back in "more".
    std::string script = ev(1, "move 100 139") + ev(1, "ldown") + ev(1, "lup") + ev(1, "ldown") + ev(1, "lup") +
                         ev(10, "move 330 125") + ev(10, "ldown") + ev(10, "lup") + ev(10, "ldown") + ev(10, "lup") +
                         ev(30, "key N") + ev(50, "move 330 125") + ev(50, "ldown") + ev(50, "lup") + ev(50, "ldown") +
                         ev(50, "lup") + ev(70, "key Y") + ev(90, "key ESC");
    create(7, script);
    EXPECT_EQ(chosenpath, testdatadir() + "/items/more/b.bmp");
    EXPECT_EQ(itemtype[7]->picwidth, 10);
}

// Split with the grid made xs x ys by the arrow keys from 1 x 1.
static std::string split(int xs, int ys, int tick) {
    std::string s = ev(tick, "key Y");
    for (int i = 1; i < xs; i++) s += ev(tick + 10, "key LEFT");
    for (int i = 1; i < ys; i++) s += ev(tick + 10, "key UP");
    return s + ev(tick + 20, "key ENTER");
}

TEST(ItemEditorCreate, TheBoxIsTheBitmapsHeightFor2x2AndTwentyMoreFor1x1) {
    startitemeditor();
    writebmp("items/t.bmp", 80, 100, shade);
    create(50, firstfile() + ev(20, "key Y") + split(2, 2, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    EXPECT_STREQ(boxtext, "Should be less then 200!  picheight: 100");
    for (int p = 0; p < 4; p++) {
        EXPECT_EQ(itemtype[50 + p]->picheight, 100) << p;
        EXPECT_EQ(itemtype[50 + p]->picwidth, 40);
    }
    EXPECT_EQ(g_xpos, 20) << "the grid starts at the first bitmap's bottom middle";
    EXPECT_EQ(g_ypos, 80);
    startitemeditor();
    writebmp("items/t.bmp", 80, 100, shade);
    create(50, firstfile() + ev(20, "key Y") + split(1, 1, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    EXPECT_EQ(itemtype[50]->picheight, 120);
    EXPECT_EQ(itemtype[50]->largeitem, 1);
    EXPECT_EQ(itemtype[50]->xsize, 1);
}

TEST(ItemEditorCreate, A3x2ItemFillsSixRecordsWithThePicturesOfItsBoxes) {
    startitemeditor();
    writebmp("items/big.bmp", 120, 90, shade);
    create(200, firstfile() + ev(20, "key Y") + split(3, 2, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    const itemtyperec& first = *itemtype[200];
    EXPECT_EQ(first.largeitem, 1);
    EXPECT_EQ(first.xsize, 3);
    EXPECT_EQ(first.ysize, 2);
    EXPECT_EQ(first.offlimits, 0);
    const itemtyperec& p4 = *itemtype[204];
    EXPECT_EQ(p4.xsection, 1);
    EXPECT_EQ(p4.ysection, 1);
    EXPECT_EQ(p4.partoflargeitem, 200);
    EXPECT_EQ(p4.offlimits, 1);
    EXPECT_EQ(p4.largeitem, 0);
    EXPECT_EQ(itemtype[206]->isused, 0);
    // Box height 90 - 10; part (i, j) at (40 + 20 (i - j), 70 + 20 - 10 (i + j) - 80).
    std::vector<box> boxes;
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 3; j++) boxes.push_back({40 + 20 * (i - j), 10 - 10 * (i + j), 40, 80});
    std::vector<std::vector<u8>> want = expected(120, 90, shade, boxes);
    for (int k = 0; k < 6; k++) {
        EXPECT_EQ(storedpicture(200 + k), want[k]) << k;
        EXPECT_EQ(itemtype[200 + k]->isused, 1);
        EXPECT_EQ(itemtype[200 + k]->picheight, 80);
        EXPECT_EQ(itemtype[200 + k]->ohmapcolor, itemtype[200]->ohmapcolor) << "sections take the first part's colour";
        EXPECT_NE(itemtype[200 + k]->ohmapcolor, 0) << k;
    }
}

TEST(ItemEditorCreate, AnAllBlackBitmapGivesAUsedItemWithoutPicture) {
    startitemeditor();
    writesolidbmp("items/black.bmp", 20, 20, 0);
    create(9, firstfile() + ev(20, "key Y") + ev(40, "key ESC"));
    EXPECT_EQ(itemtype[9]->isused, 1);
    EXPECT_EQ(itemtype[9]->rawdatasize, 0u);
    EXPECT_EQ(itemrawdataptr[9], nullptr);
}

// ---- the checks made before anything changes ------------------------------

static std::vector<u8> snapshot() {
    std::vector<u8> s;
    for (int n = 0; n < NUMITEMTYPES; n++) {
        const u8* r = (const u8*)itemtype[n];
        s.insert(s.end(), r, r + sizeof(itemtyperec));
        u8* p = itemrawdataptr[n];
        s.insert(s.end(), (const u8*)&p, (const u8*)&p + sizeof p);
    }
    return s;
}

TEST(ItemEditorCreate, ABitmapOver255IsRefusedWithABox) {
    startitemeditor();
    writebmp("items/wide.bmp", 256, 10, shade);
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key Y") + ev(40, "key ENTER"));
    EXPECT_STREQ(boxtext, "The bitmap is 256 x 10; at most 255 x 255 can be stored.");
    EXPECT_EQ(snapshot(), before);
}

TEST(ItemEditorCreate, SectionBoxesOutOfRangeAreRefusedWithABox) {
    // 8 x 8 over 41 rows: 41 - 120 rows.
    startitemeditor();
    writebmp("items/s.bmp", 40, 41, shade);
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key Y") + split(8, 8, 40) + ev(80, "key ENTER") + ev(100, "key ENTER"));
    EXPECT_STREQ(boxtext, "A section would be -79 rows high; it must be 1..255.");
    EXPECT_EQ(snapshot(), before);
    // 1 x 1 over 240 rows: 260.
    startitemeditor();
    writebmp("items/s.bmp", 40, 240, shade);
    create(5, firstfile() + ev(20, "key Y") + split(1, 1, 40) + ev(80, "key ENTER") + ev(100, "key ENTER"));
    EXPECT_STREQ(boxtext, "A section would be 260 rows high; it must be 1..255.");
    EXPECT_EQ(snapshot(), before);
    // 2 x 2 at 235 rows: exactly 235, and 255 at 1 x 1 is the most.
    startitemeditor();
    writebmp("items/s.bmp", 40, 235, shade);
    create(5, firstfile() + ev(20, "key Y") + split(1, 1, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    EXPECT_EQ(itemtype[5]->picheight, 255);
}

TEST(ItemEditorCreate, ABoxOutsideTheVirtualScreenIsRefused) {
    startitemeditor();
    writebmp("items/s.bmp", 40, 60, shade);
    gridplaced = true;
    g_xpos = -61; // the box's left edge one column past the guard band
    g_ypos = 40;
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key Y") + split(1, 1, 40) + ev(80, "key ENTER") + ev(100, "key ENTER"));
    EXPECT_STREQ(boxtext, "Section (0, 0) lies outside the screen; move the grid.");
    EXPECT_EQ(snapshot(), before);
    startitemeditor();
    writebmp("items/s.bmp", 40, 60, shade);
    gridplaced = true;
    g_xpos = -60;
    g_ypos = 40;
    create(5, firstfile() + ev(20, "key Y") + split(1, 1, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    EXPECT_EQ(itemtype[5]->isused, 1) << "the guard band's first column is inside";
}

TEST(ItemEditorCreate, PartsPastTheLastItemAreRefused) {
    startitemeditor();
    writebmp("items/s.bmp", 80, 80, shade);
    std::vector<u8> before = snapshot();
    create(4093, firstfile() + ev(20, "key Y") + split(2, 2, 40) + ev(80, "key ENTER") + ev(100, "key ENTER"));
    EXPECT_STREQ(boxtext, "Items 4093..4096: the last item is 4095.");
    EXPECT_EQ(snapshot(), before);
    startitemeditor();
    writebmp("items/s.bmp", 80, 80, shade);
    create(4092, firstfile() + ev(20, "key Y") + split(2, 2, 40) + ev(80, "key ENTER") + ev(100, "key ESC"));
    EXPECT_EQ(itemtype[4095]->partoflargeitem, 4092);
}

TEST(ItemEditorCreate, APictureTooLargeToStoreIsRefused) {
    startitemeditor();
    writebmp("items/dots.bmp", 255, 255, [](int x, int y) { return (x + y) % 2 ? 0u : 0xFFFFFFu; });
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key Y") + ev(40, "key N") + ev(60, "key ENTER"));
    EXPECT_STREQ(boxtext, "Item 5: the picture needs more than 32767 bytes.");
    EXPECT_EQ(snapshot(), before);
}

TEST(ItemEditorCreate, AMissingOrUnreadableBitmapIsNamedAndChangesNothing) {
    startitemeditor();
    std::ofstream(testdatadir() + "/items/broken.bmp") << "BM not really";
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key ENTER"));
    EXPECT_STREQ(boxtext, "Unable to read bitmap broken.bmp!");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(gamestate, GS_EDITMAP);
}

TEST(ItemEditorCreate, NothingHappensOnASection) {
    startitemeditor();
    writebmp("items/s.bmp", 10, 10, shade);
    itemtype[5]->offlimits = 1;
    std::vector<u8> before = snapshot();
    create(5, firstfile() + ev(20, "key Y") + ev(40, "key ESC"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(chosenpath.empty()) << "no file dialog";
}

// Items 60..63 in use, 61 the first part of an old large item with a picture.
static void oldparts() {
    for (int n = 60; n < 64; n++) itemtype[n]->isused = 1;
    itemtyperec& t = *itemtype[61];
    t.largeitem = 1;
    t.xsize = 5;
    t.ysize = 3;
    t.fileoffset = 777;
    t.partoflargeitem = 12;
    t.xsection = 4;
    t.offlimits = 1;
    t.brightness = 7;
    t.takeable = 1;
    t.iswall = 1;
    t.passcost = 3;
    givepicture(61, std::vector<u8>(13, 0));
}

TEST(ItemEditorCreate, PartsInUseAreOverwrittenOnlyAfterYesWithTheirOldStructureCleared) {
    startitemeditor();
    writebmp("items/s.bmp", 80, 80, shade);
    oldparts();
    std::vector<u8> before = snapshot();
    create(60, firstfile() + ev(20, "key Y") + split(2, 2, 40) + ev(80, "key ENTER") + ev(100, "key N"));
    EXPECT_STREQ(boxtext, "Overwrite items 60..63?");
    EXPECT_EQ(snapshot(), before);
    u32 kept = memoryused;
    create(60, firstfile() + ev(20, "key Y") + split(2, 2, 40) + ev(80, "key ENTER") + ev(100, "key Y") +
                   ev(120, "key ESC"));
    const itemtyperec& t = *itemtype[61];
    EXPECT_EQ(t.largeitem, 0);
    EXPECT_EQ(t.xsize, 0);
    EXPECT_EQ(t.ysize, 0);
    EXPECT_EQ(t.fileoffset, 0u);
    EXPECT_EQ(t.partoflargeitem, 60);
    EXPECT_EQ(t.xsection, 1);
    EXPECT_EQ(t.ysection, 0);
    EXPECT_EQ(t.offlimits, 1);
    EXPECT_EQ(t.brightness, 7) << "flags kept";
    EXPECT_EQ(t.takeable, 1);
    EXPECT_EQ(t.iswall, 1);
    EXPECT_EQ(t.passcost, 3u);
    u32 pictures = 0;
    for (int n = 60; n < 64; n++) pictures += itemtype[n]->rawdatasize;
    EXPECT_EQ(memoryused, kept - 13 + pictures) << "the old picture freed";
}

TEST(ItemEditorCreate, EscapeOnTheGridGoesBackToTheFileDialog) {
    startitemeditor();
    writebmp("items/s.bmp", 40, 60, shade);
    create(5, firstfile() + ev(20, "key Y") + ev(40, "key Y") + ev(60, "key ESC") + ev(80, "key ESC"));
    EXPECT_EQ(itemtype[5]->isused, 0) << "the second file dialog was cancelled";
    EXPECT_EQ(gamestate, GS_EDITMAP);
}
