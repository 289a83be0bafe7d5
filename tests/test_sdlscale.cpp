#include <gtest/gtest.h>

#include "platform/sdl/sdldriver.h"
#include "platform/sdl/sdlscale.h"

namespace {

void expectrect(const sdlfit& f, i32 x, i32 y, i32 w, i32 h) {
    EXPECT_EQ(f.x, x);
    EXPECT_EQ(f.y, y);
    EXPECT_EQ(f.w, w);
    EXPECT_EQ(f.h, h);
}

sdlpoint at(const sdlfit& f, i32 px, i32 py) { return sdlscale_topicture(f, f.outw, f.outh, px, py); }

}  // namespace

TEST(sdlscale, widescreenblowsuptwiceandpillarboxes) {
    sdlfit f = sdlscale_fit(1920, 1080);
    EXPECT_EQ(f.factor, 2);
    EXPECT_EQ(f.intw, 1280);
    EXPECT_EQ(f.inth, 960);
    expectrect(f, 240, 0, 1440, 1080);
}

TEST(sdlscale, exactmultiplesfillthewholearea) {
    sdlfit one = sdlscale_fit(640, 480);
    EXPECT_EQ(one.factor, 1);
    expectrect(one, 0, 0, 640, 480);
    sdlfit three = sdlscale_fit(1920, 1440);
    EXPECT_EQ(three.factor, 3);
    EXPECT_EQ(three.intw, 1920);
    expectrect(three, 0, 0, 1920, 1440);
}

TEST(sdlscale, inbetweensizesblowuponceandsmooththerest) {
    sdlfit f = sdlscale_fit(800, 600);
    EXPECT_EQ(f.factor, 1);
    EXPECT_EQ(f.intw, 640);
    expectrect(f, 0, 0, 800, 600);
    // Just short of twice in one direction keeps the factor at 1.
    EXPECT_EQ(sdlscale_fit(1279, 2000).factor, 1);
    EXPECT_EQ(sdlscale_fit(2000, 959).factor, 1);
}

TEST(sdlscale, tallareasletterbox) {
    sdlfit f = sdlscale_fit(1280, 1200);
    EXPECT_EQ(f.factor, 2);
    expectrect(f, 0, 120, 1280, 960);
}

TEST(sdlscale, areassmallerthanthepictureshrinkit) {
    sdlfit f = sdlscale_fit(320, 200);
    EXPECT_EQ(f.factor, 1);
    EXPECT_EQ(f.intw, 640);
    EXPECT_EQ(f.inth, 480);
    expectrect(f, 27, 0, 266, 200);
}

TEST(sdlscale, degenerateareasstayusable) {
    // A minimised window can report an empty drawable area.
    sdlfit f = sdlscale_fit(0, 0);
    EXPECT_EQ(f.factor, 1);
    EXPECT_GE(f.w, 1);
    EXPECT_GE(f.h, 1);
    sdlpoint p = sdlscale_topicture(f, 0, 0, 5, 5);
    EXPECT_GE(p.x, 0);
    EXPECT_LT(p.x, 640);
    EXPECT_GE(p.y, 0);
    EXPECT_LT(p.y, 480);
}

TEST(sdlscale, cornersofthepicturemaptoitscornerpixels) {
    sdlfit f = sdlscale_fit(1920, 1080);
    sdlpoint tl = at(f, 240, 0);
    EXPECT_EQ(tl.x, 0);
    EXPECT_EQ(tl.y, 0);
    sdlpoint br = at(f, 240 + 1440 - 1, 1079);
    EXPECT_EQ(br.x, 639);
    EXPECT_EQ(br.y, 479);
    sdlpoint centre = at(f, 960, 540);
    EXPECT_EQ(centre.x, 320);
    EXPECT_EQ(centre.y, 240);
}

TEST(sdlscale, barsclampontothenearestedge) {
    sdlfit f = sdlscale_fit(1920, 1080);
    sdlpoint left = at(f, 10, 500);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y, 222);
    sdlpoint right = at(f, 1900, 500);
    EXPECT_EQ(right.x, 639);
    sdlpoint outside = at(f, -50, 5000);
    EXPECT_EQ(outside.x, 0);
    EXPECT_EQ(outside.y, 479);
}

TEST(sdlscale, eachblowupblockmapstoonepicturepixel) {
    sdlfit f = sdlscale_fit(1280, 960);
    for (i32 px = 0; px < 1280; ++px) EXPECT_EQ(at(f, px, 0).x, px / 2) << px;
}

TEST(sdlscale, highdensitywindowpointsscaletodrawablepixels) {
    // A 640 x 480 point window drawn at 1280 x 960 pixels.
    sdlfit f = sdlscale_fit(1280, 960);
    sdlpoint p = sdlscale_topicture(f, 640, 480, 320, 240);
    EXPECT_EQ(p.x, 320);
    EXPECT_EQ(p.y, 240);
    sdlpoint br = sdlscale_topicture(f, 640, 480, 639, 479);
    EXPECT_EQ(br.x, 639);
    EXPECT_EQ(br.y, 479);
    // 1.5x: a picture column is one and a half points wide; the column
    // under each point's centre is the one reported.
    sdlfit mid = sdlscale_fit(1440, 1080);
    EXPECT_EQ(sdlscale_topicture(mid, 960, 720, 426, 0).x, 284);
    EXPECT_EQ(sdlscale_topicture(mid, 960, 720, 429, 0).x, 286);
    EXPECT_EQ(sdlscale_topicture(mid, 960, 720, 959, 719).x, 639);
}

TEST(sdlscale, windowfactoristhelargestthatfitsthedesktop) {
    EXPECT_EQ(sdlscale_windowfactor(1920, 1050), 2);
    EXPECT_EQ(sdlscale_windowfactor(2560, 1400), 2);
    EXPECT_EQ(sdlscale_windowfactor(3840, 2100), 4);
    EXPECT_EQ(sdlscale_windowfactor(640, 480), 1);
    EXPECT_EQ(sdlscale_windowfactor(1024, 400), 1);
    EXPECT_EQ(sdlscale_windowfactor(0, 0), 1);
}

TEST(sdlscale, ascaletoolargeforthedesktopislowered) {
    EXPECT_EQ(sdlscale_fitscale(2, 1920, 1080), 2);
    EXPECT_EQ(sdlscale_fitscale(5, 1920, 1080), 2);
    EXPECT_EQ(sdlscale_fitscale(16, 1024, 768), 1);
    // Exactly the desktop fits; one pixel less does not.
    EXPECT_EQ(sdlscale_fitscale(3, 1920, 1440), 3);
    EXPECT_EQ(sdlscale_fitscale(3, 1919, 1440), 2);
    EXPECT_EQ(sdlscale_fitscale(3, 1920, 1439), 2);
    // A desktop smaller than one picture still gets a window.
    EXPECT_EQ(sdlscale_fitscale(4, 320, 200), 1);
}

TEST(sdldriver, invisibledriversonlywhenaskedforbyname) {
    for (const char* real : {"x11", "wayland", "KMSDRM"}) EXPECT_TRUE(sdldriver_allowed(real, nullptr)) << real;
    EXPECT_FALSE(sdldriver_allowed("offscreen", nullptr));
    EXPECT_FALSE(sdldriver_allowed("dummy", nullptr));
    EXPECT_FALSE(sdldriver_allowed("offscreen", "x11,wayland"));
    EXPECT_FALSE(sdldriver_allowed("dummy", "dumm"));
    EXPECT_FALSE(sdldriver_allowed("dummy", "dummyx"));
    EXPECT_TRUE(sdldriver_allowed("dummy", "dummy"));
    EXPECT_TRUE(sdldriver_allowed("dummy", "DUMMY"));
    EXPECT_TRUE(sdldriver_allowed("offscreen", "x11,offscreen"));
    EXPECT_FALSE(sdldriver_allowed(nullptr, "dummy"));
}

// After Alt+Enter the drawable is the whole display, and after the way back
// the window again: the same picture pixel stays under the same point of
// the picture either way, bars included.
TEST(sdlscale, mappingfollowsthesizeaftereachswitch) {
    sdlfit window = sdlscale_fit(1280, 960), full = sdlscale_fit(1280, 1024);
    expectrect(full, 0, 32, 1280, 960);
    EXPECT_EQ(at(window, 640, 480).x, 320);
    EXPECT_EQ(at(window, 640, 480).y, 240);
    EXPECT_EQ(at(full, 640, 512).x, 320);
    EXPECT_EQ(at(full, 640, 512).y, 240);
    // The bar above the picture lands on its top row; the last row is the
    // last one above the bar below.
    EXPECT_EQ(at(full, 100, 10).y, 0);
    EXPECT_EQ(at(full, 100, 32 + 959).y, 479);
    EXPECT_EQ(at(full, 100, 1023).y, 479);
    EXPECT_EQ(at(window, 1279, 959).x, 639);
    EXPECT_EQ(at(window, 1279, 959).y, 479);
}
