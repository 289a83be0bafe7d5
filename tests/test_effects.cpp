// The window box cut from its picture, the flash message's place, and the
// lightning bolt.
#include <gtest/gtest.h>

#include <cstring>

#include "app/input.h"
#include "app/random.h"
#include "game/missionstate.h"
#include "testenv.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/effects.h"

// Each pixel of the test picture names where it stands: 0xRRGGBB with the
// column in red/green and the row in blue, so a copied pixel says where it
// came from.
static u32 where(int x, int y) { return (u32)(x / 3) << 16 | (u32)(x % 3) << 14 | (u32)(y / 2); }

static void startboxes() {
    starttestdisplay(555);
    writebmp("bitmaps/window.bmp", WINDOWPICWIDTH, WINDOWPICHEIGHT, where);
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
}

static u16 at(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

// The 5-5-5 pixel the picture holds at (px, py).
static u16 picture(int px, int py) {
    u32 c = where(px, py);
    return (u16)((c >> 19 & 31) << 10 | (c >> 11 & 31) << 5 | (c >> 3 & 31));
}

TEST(Effects, TheWindowBoxTakesItsEdgesFromThePicturesFrame) {
    startboxes();
    windowbox(100, 50, 200, 100);
    EXPECT_EQ(at(100, 50), picture(0, 0));
    EXPECT_EQ(at(150, 52), picture(50, 2)) << "top edge";
    EXPECT_EQ(at(298, 52), picture(598, 2)) << "top-right corner from the picture's right edge";
    EXPECT_EQ(at(299, 120), picture(599, 70)) << "right edge";
    EXPECT_EQ(at(150, 148), picture(50, 438)) << "bottom edge";
    EXPECT_EQ(at(297, 147), picture(597, 437)) << "bottom-right corner";
    EXPECT_EQ(at(102, 147), picture(2, 97)) << "the left edge runs to the bottom";
    EXPECT_EQ(at(200, 100), picture(100, 50)) << "inside";
    EXPECT_EQ(at(300, 100), 0) << "nothing right of the box";
    EXPECT_EQ(at(200, 150), 0) << "nothing under it";
    // Larger than the picture: cut to its size, never read past it.
    windowbox(-50, -50, 900, 900);
    EXPECT_EQ(at(-50 + 599, 10), picture(599, 60));
}

TEST(Effects, AFlashMessageStaysOnTheScreen) {
    startboxes();
    static std::vector<u8> pics[NUMFONTS]; // the fonts keep pointing here after the test
    for (int f = 0; f < NUMFONTS; f++) {
        pics[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 7);
        font[f] = {glyphtables[f], pics[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
    computerthinking = 0;
    mousex = 0, mousey = 0;
    flashmessage("No Path!");
    EXPECT_EQ(at(2, 6), picture(0, 0)) << "the box starts 14 left of x = 16 and 10 above y = 16";
    EXPECT_EQ(at(1, 6), 0);
    // The text pulses from bright yellow down and back; it is left in the
    // pulse's last colour, (23, 23, 3) in 5-5-5 terms, green doubled on
    // 5-6-5. Compared with the box drawn alone, only the text has changed.
    const u16 yellow = pixelformat == 2 ? (u16)(23 << 11 | 46 << 5 | 3) : (u16)(23 << 10 | 23 << 5 | 3);
    std::vector<u16> shown(320 * 60);
    for (i32 y = 0; y < 60; y++)
        for (i32 x = 0; x < 320; x++) shown[(size_t)(y * 320 + x)] = at(x, y);
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
    u8 keep = currentfont;
    currentfont = 5;
    windowbox(2, 6, textwidth("No Path!") + 24, 28); // the box alone
    currentfont = keep;
    int inked = 0, other = 0;
    for (i32 y = 0; y < 60; y++)
        for (i32 x = 0; x < 320; x++) {
            u16 p = shown[(size_t)(y * 320 + x)];
            if (p == at(x, y)) continue;
            inked += p == yellow;
            other += p != yellow && p != 0; // the glyphs' black edge
        }
    EXPECT_GT(inked, 20) << "the text in the pulse's last colour";
    EXPECT_EQ(other, 0) << "and in no other but its edge";
    computerthinking = 1;
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
    flashmessage("No Path!");
    EXPECT_EQ(at(2, 6), 0) << "not while the computer thinks";
    computerthinking = 0;
}

TEST(Effects, ALightningBoltBrightensItsPathAndStaysOnTheSurface) {
    startboxes();
    resetgamerandom();
    lightningbolt(100, 100, 300, 100);
    int bright = 0;
    for (int x = 95; x < 305; x++)
        for (int y = 80; y < 120; y++)
            if (at(x, y) > 0x5000) bright++;
    EXPECT_GT(bright, 150) << "a white line along the way";
    EXPECT_GT(at(300, 100), 0x5000) << "it ends at its end";
    lightningbolt(-200, -300, 900, 900); // far off the surface at both ends
    lightningbolt(50, 50, 50, 50);
    EXPECT_GT(at(50, 50), 0x5000) << "a bolt of no length is its point";
}
