// The display: pixel formats, the Virtual Screen, presenting with the cursor
// and the overlay, surface loss, error names, pictures and sprites.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/timer.h"
#include "platform/ddraw.h"
#include "platform/backend.h"
#include "testenv.h"
#include "video/dderror.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/vscreen.h"

TEST(PixelFormat, DetectedFormatSetsGlobalsAndLogsItsDigits) {
    for (int format : {565, 555}) {
        starttestdisplay(format);
        closedebuglog();
        std::string log = readtext(testdatadir() + "/text/debug.log");
        if (format == 565) {
            EXPECT_EQ(pixelformat, 2);
            EXPECT_EQ(rmask, 0xF800);
            EXPECT_EQ(rshift, 11);
            EXPECT_EQ(gshift, 5);
            EXPECT_NE(log.find("16 bit Pixel Format: 565\n"), std::string::npos);
        } else {
            EXPECT_EQ(pixelformat, 1);
            EXPECT_EQ(gmask, 0x03E0);
            EXPECT_EQ(rshift, 10);
            EXPECT_NE(log.find("16 bit Pixel Format: 555\n"), std::string::npos);
        }
        EXPECT_EQ(memoryused, VSBYTES);
    }
}

TEST(VirtualScreen, LockIsIdempotentAndClearvsTouchesOnlyTheWindow) {
    starttestdisplay();
    lockvs();
    u8* p = vsptr;
    lockvs();
    EXPECT_EQ(vsptr, p);
    std::memset(vsptr, 0xAB, VSBYTES);
    clearvs(); // locks and unlocks round its work, as every primitive does
    EXPECT_EQ(vslocked, 0u);
    lockvs();
    EXPECT_EQ(*vspixel(0, 0), 0);
    EXPECT_EQ(*vspixel(639, 479), 0);
    EXPECT_EQ(*vspixel(-1, 0), 0xABAB);
    EXPECT_EQ(*vspixel(640, 0), 0xABAB);
    EXPECT_EQ(*vspixel(0, -1), 0xABAB);
    EXPECT_EQ(*vspixel(0, 480), 0xABAB);
    clearvsall();
    EXPECT_EQ(vsptr[0], 0);
    EXPECT_EQ(vsptr[VSBYTES - 1], 0);
    unlockvs();
    unlockvs();
    EXPECT_EQ(vslocked, 0u);
}

TEST(VirtualScreen, ClipKeepsPicturesOnTheSurfaceIncludingGuardBands) {
    vsspan c;
    ASSERT_TRUE(vsclip(-60, -240, 768, 900, &c));
    EXPECT_EQ(c.col0, 0);
    EXPECT_EQ(c.col1, 768);
    EXPECT_EQ(c.row1, 900);
    ASSERT_TRUE(vsclip(700, 650, 20, 20, &c));
    EXPECT_EQ(c.col1, 8);  // to column 707, the last of the right guard band
    EXPECT_EQ(c.row1, 10); // to row 659
    EXPECT_FALSE(vsclip(-200, 0, 100, 10, &c));
    EXPECT_FALSE(vsclip(0, 5000, 10, 10, &c));
}

TEST(Present, CursorIsCutAtTheRightAndBottomEdges) {
    cursorpicx = 64;
    cursorpicy = 32;
    animframe = 0;
    ddrect src, dst;
    cursorrects(620, 100, &src, &dst);
    EXPECT_EQ(dst.right - dst.left, 20);
    EXPECT_EQ(src.right - src.left, 20);
    EXPECT_EQ(src.left, 64);
    cursorrects(100, 470, &src, &dst);
    EXPECT_EQ(dst.bottom - dst.top, 10);
    EXPECT_EQ(src.bottom, 32 + 10);
    animframe = 3;
    cursorpicx = 0;
    cursorpicy = 96;
    cursorrects(0, 0, &src, &dst);
    EXPECT_EQ(src.left, 96);
    animframe = 0;
}

static const u16* frame() { return dd_lastframe(); }

TEST(Present, CopiesTheWindowThenDrawsTheKeyedCursor) {
    starttestdisplay();
    lockvs();
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++) *vspixel(x, y) = (u16)(x + y);
    *vspixel(-1, 0) = 0x1234; // guard band: never shown
    unlockvs();
    setcursormode(20); // the pointer at (0, 0)
    plat_setcursorpos(300, 200);
    presentframe();
    EXPECT_EQ(frame()[0], 0);
    EXPECT_EQ(frame()[479 * 640 + 639], (u16)(639 + 479));
    // Cursor pixels differ from the picture somewhere in its cell; black ones leave it.
    int changed = 0, kept = 0;
    for (int y = 200; y < 232; y++)
        for (int x = 300; x < 332; x++) (frame()[y * 640 + x] == (u16)(x + y) ? kept : changed)++;
    EXPECT_GT(changed, 20);
    EXPECT_GT(kept, 100);
    EXPECT_EQ(framecount, 1u);
}

TEST(Present, NothingIsShownUntilTheModeIsReported) {
    starttestdisplay();
    displayok = 0;
    u32 before = framecount;
    presentframe();
    EXPECT_EQ(framecount, before);
}

TEST(Present, RecoversFromSurfaceLossWithoutABox) {
    starttestdisplay();
    lockvs();
    *vspixel(10, 10) = 0x7777;
    unlockvs();
    setcursormode(35);
    plat_setcursorpos(600, 400);
    dd_losesurfaces();
    presentframe();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frame()[10 * 640 + 10], 0x7777); // the Virtual Screen kept its contents
    int cursorpixels = 0;
    for (int y = 400; y < 432; y++)
        for (int x = 600; x < 632; x++) cursorpixels += frame()[y * 640 + x] != 0;
    EXPECT_GT(cursorpixels, 20); // and the cursor picture was reloaded
}

TEST(Present, FlipErrorOnlyShowsItsBox) {
    starttestdisplay();
    dd_failnext(DDF_FLIP, makeddhresult(230));
    presentframe();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Flip()");
    EXPECT_EQ(boxes[0].text, "DDERR_NOFLIPHW");
}

TEST(Present, LockFailureEndsWithCodeSix) {
    starttestdisplay();
    dd_failnext(DDF_LOCK, DDERR_SURFACEBUSY);
    EXPECT_THROW(lockvs(), processexit);
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Lock()");
    EXPECT_EQ(boxes[0].text, "DDERR_SURFACEBUSY");
    EXPECT_EQ(boxes[1].text, "Couldn't Lock() Virtual Screen!");
    EXPECT_EQ(boxes[1].caption, "Miscellaneous Error!");
}

TEST(Overlay, FpsTextWaitsForSixtyTicksWithTheOverlayOn) {
    starttestdisplay();
    showdebuginfo = 1;
    std::snprintf(fpstext, sizeof fpstext, "Testing ...");
    fpsticks = 0;
    fpsticks2 = 0;
    framecount = 0;
    for (int i = 0; i < 59; i++) presentframe(); // each headless frame is one tick
    EXPECT_STREQ(fpstext, "Testing ...");
    presentframe();
    presentframe();
    EXPECT_STREQ(fpstext, "fps: 61"); // 61 frames in 60 ticks, a tick counted as a sixtieth
    // The overlay's first line sits at the top left in grey on black.
    int grey = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 100; x++) grey += frame()[y * 640 + x] != 0;
    EXPECT_GT(grey, 50);
    showdebuginfo = 0;
}

TEST(DDError, HundredNamesWithTheirCodes) {
    EXPECT_EQ(dderrorcount(), 100);
    EXPECT_STREQ(dderrorname(DDERR_SURFACELOST), "DDERR_SURFACELOST");
    EXPECT_STREQ(dderrorname(DDERR_WASSTILLDRAWING), "DDERR_WASSTILLDRAWING");
    EXPECT_STREQ(dderrorname((hresult)0x80004005u), "DDERR_GENERIC");
    EXPECT_STREQ(dderrorname((hresult)0x8007000Eu), "DDERR_OUTOFMEMORY");
    EXPECT_STREQ(dderrorname((hresult)0x80004001u), "DDERR_UNSUPPORTED");
    EXPECT_STREQ(dderrorname((hresult)0x800401F0u), "DDERR_NOTINITIALIZED");
    EXPECT_STREQ(dderrorname(0), "Unknown Error");
    EXPECT_STREQ(dderrorname(12345), "Unknown Error");
}

TEST(Pictures, OddWidthBmpGivesRowsOfExactlyTheWidth) {
    starttestdisplay();
    writebmp("bitmaps/odd.bmp", 3, 2, [](int x, int y) { return (u32)(y ? 0x0000FF : 0xFF0000) + (u32)x; });
    u32 before = memoryused;
    u16* p = loadandunpackbmp("Bitmaps\\ODD.bmp");
    ASSERT_EQ(bmpwidth, 3u);
    ASSERT_EQ(bmpheight, 2u);
    EXPECT_EQ(memoryused, before + 12);
    EXPECT_EQ(p[0], 0xF800);  // red on 5-6-5
    EXPECT_EQ(p[3], 0x001F);  // blue starts the second row
    gamefree(p, 12);
}

TEST(Pictures, MissingOrBrokenFileEndsWithCodeThreeNamingIt) {
    starttestdisplay();
    EXPECT_THROW(loadandunpackbmp("bitmaps\\nothere.bmp"), processexit);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].caption, "Unable to access file!");
    EXPECT_EQ(boxes[0].text, "bitmaps\\nothere.bmp");
    starttestdisplay();
    std::ofstream(testdatadir() + "/bitmaps/bad.bmp") << "BM not a picture";
    EXPECT_THROW(loadandunpackbmp("bitmaps\\bad.bmp"), processexit);
    EXPECT_EQ(boxes[0].text, "bitmaps\\bad.bmp");
}

TEST(Pictures, Rgb333OfWhiteAndRedInBothFormats) {
    for (int format : {565, 555}) {
        starttestdisplay(format);
        EXPECT_EQ(colour333(0xFFFF), format == 565 ? 511 : 511 - 0) << format;
        EXPECT_EQ(colour333((u16)rmask), 448) << format;
        EXPECT_EQ(colour333((u16)gmask), 56) << format;
        EXPECT_EQ(colour333(0x001F), 7) << format;
    }
}

class Sprites : public ::testing::TestWithParam<int> {};

TEST_P(Sprites, BlendSaveAndRestore) {
    starttestdisplay(GetParam());
    u16 white = (u16)(rmask | gmask | bmask);
    u16 red = rmask;
    writebmp("bitmaps/sq.bmp", 4, 4, [](int x, int) { return x == 0 ? 0u : 0xFFFFFFu; });
    initsprite(5, "bitmaps\\sq.bmp");
    lockvs();
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++) *vspixel(10 + x, 10 + y) = red;
    unlockvs();
    sprite[5].x = 10;
    sprite[5].y = 10;
    sprite[5].alpha = 16;
    drawsprite(5);
    lockvs();
    EXPECT_EQ(*vspixel(10, 10), red); // black column skipped
    u16 half = *vspixel(11, 10);
    EXPECT_EQ((half & rmask) >> rshift, 31u);                 // red stays full
    EXPECT_EQ((half & gmask) >> gshift, (gbits == 6 ? 63u : 31u) / 2); // white half mixed in
    EXPECT_EQ(half & bmask, 15u);
    unlockvs();
    sprite[5].alpha = 32;
    drawsprite(5); // drawn again without erasing: the first drawing becomes the background
    lockvs();
    EXPECT_EQ(*vspixel(12, 12), white);
    unlockvs();
    erasesprite(5);
    lockvs();
    EXPECT_EQ(*vspixel(11, 10), half);
    unlockvs();
    deletesprite(5);
    EXPECT_EQ(memoryused, VSBYTES);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Sprites, ::testing::Values(565, 555));

TEST(Sprites, DoubleUseAndDoubleFreeEndTheProgram) {
    starttestdisplay();
    writebmp("bitmaps/sq.bmp", 2, 2, [](int, int) { return 0xFFFFFFu; });
    initsprite(7, "bitmaps\\sq.bmp");
    EXPECT_THROW(initsprite(7, "bitmaps\\sq.bmp"), processexit);
    EXPECT_EQ(boxes[0].text, "Sprite 7 in use!");
    EXPECT_EQ(boxes[0].caption, "Miscellaneous Error!");
    starttestdisplay();
    EXPECT_THROW(deletesprite(9), processexit);
    EXPECT_EQ(boxes[0].text, "Unable to delete sprite 9 ... not in use!");
}

TEST(Sprites, DrawpictureLeavesMemoryAsItWasAndDrawbitmapIsOpaque) {
    starttestdisplay();
    writebmp("bitmaps/pic.bmp", 3, 1, [](int x, int) { return x == 1 ? 0u : 0x00FF00u; });
    lockvs();
    *vspixel(51, 20) = 0x1111;
    *vspixel(51, 30) = 0x1111;
    unlockvs();
    u32 before = memoryused;
    drawpicture("bitmaps\\pic.bmp", 50, 20);
    EXPECT_EQ(memoryused, before);
    EXPECT_EQ(sprite[PICTURESLOT].inuse, 0);
    drawbitmap("bitmaps\\pic.bmp", 50, 30);
    EXPECT_EQ(memoryused, before);
    lockvs();
    EXPECT_EQ(*vspixel(50, 20), gmask);
    EXPECT_EQ(*vspixel(51, 20), 0x1111); // black skipped
    EXPECT_EQ(*vspixel(51, 30), 0);      // copied
    unlockvs();
}
