// Measuring and drawing text, buttons, the boxes' input and the colour picker.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <cstring>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/selectcolor.h"
#include "app/timer.h"
#include "platform/backend.h"
#include "testenv.h"
#include "text/boxes.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/vscreen.h"

// Fonts whose every glyph column holds one coverage value.
static std::vector<u8> pictures[NUMFONTS];

static void solidfonts(u8 coverage) {
    for (int f = 0; f < NUMFONTS; f++) {
        pictures[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, coverage);
        font[f] = {glyphtables[f], pictures[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
}

static u16 at(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

static void fill(u16 v) {
    lockvs();
    for (int y = -20; y < 500; y++)
        for (int x = -20; x < 660; x++) *vspixel(x, y) = v;
    unlockvs();
}

TEST(Text, MeasuringRules) {
    solidfonts(7);
    for (int f = 0; f < NUMFONTS; f++) {
        currentfont = (u8)f;
        EXPECT_EQ(textwidth("~"), 6) << f;
        EXPECT_EQ(textwidth(""), 0);
        EXPECT_EQ(textwidth("\x01\xC8"), 0); // outside 32..127
    }
    currentfont = 6;
    EXPECT_EQ(textwidth("AA"), 12);
    EXPECT_EQ(textwidth("aa"), 12); // lower case shares the capitals
    EXPECT_EQ(textwidth("{"), 0);  // an empty entry advances nothing, even here
    currentfont = 4;
    EXPECT_EQ(textwidth("["), 0);
    EXPECT_EQ(textwidth("A["), 11);
    currentfont = 0;
    EXPECT_EQ(textwidth("Run"), 22 + 10 + 10);
}

TEST(Text, CoverageBlendsInThirtySecondsInBothFormats) {
    for (int format : {565, 555}) {
        starttestdisplay(format);
        u16 top = pixelformat == 2 ? 63 : 31;
        for (u8 s : {7, 1}) {
            solidfonts(s);
            fill(0);
            settextcolor(31, top, 31);
            currentfont = 3;
            textclamp = 0;
            drawglyph('I', 100, 100);
            textclamp = 1;
            u16 p = at(100, 100);
            u32 a = s * 4u + 4;
            EXPECT_EQ((p & rmask) >> rshift, 31u * a / 32) << format << " s=" << int(s);
            EXPECT_EQ((p & gmask) >> gshift, top * a / 32) << format;
            EXPECT_EQ(at(99, 100), 0);
            EXPECT_EQ(at(100 + glyphtables[3]['I' - 32].width, 100), 0);
        }
    }
}

TEST(Text, ClampKeepsTextInsideTheFrame) {
    starttestdisplay();
    solidfonts(7);
    currentfont = 3;
    settextcolor(31, 63, 31);
    fill(0);
    drawtext("Exit", 700, 2);
    i32 w = textwidth("Exit");
    EXPECT_NE(at(634 - w, 6), 0);
    EXPECT_EQ(at(634 - w - 1, 6), 0);
    EXPECT_EQ(at(634, 6), 0);
    EXPECT_EQ(at(634 - w, 5), 0);
    fill(0);
    drawtextright("Exit", 300, 100);
    EXPECT_NE(at(300 - w, 100), 0);
    EXPECT_EQ(at(300, 100), 0);
    fill(0);
    textclamp = 0;
    drawtext("Exit", -30, 2); // spills into the guard band
    textclamp = 1;
    EXPECT_NE(at(-30, 2), 0);
    fill(0);
    drawtextcentered("Exit", 50, 0, 640);
    EXPECT_NE(at((640 - w) / 2, 50), 0);
    EXPECT_EQ(at((640 - w) / 2 - 1, 50), 0);
}

TEST(Text, FontFiveShadowAndFontSixRule) {
    starttestdisplay();
    u16 grey = (u16)((16 << rshift) | (32 << gshift) | 16);
    solidfonts(0);
    const glyph& g5 = glyphtables[5]['I' - 32];
    pictures[5][g5.x] = 7; // one inked pixel at the glyph's top left
    fill(grey);
    currentfont = 5;
    settextcolor(31, 63, 31);
    drawglyph('I', 200, 100);
    EXPECT_EQ(at(201, 101), 0); // its shadow
    EXPECT_EQ(at(200, 101), grey);
    const glyph& g6 = glyphtables[6]['A' - 32];
    pictures[6][g6.x] = 1;
    pictures[6][g6.x + 1] = 2;
    fill(grey);
    currentfont = 6;
    settextcolor(0, 0, 0);
    drawtext("a", 200, 100); // lower case: the capital's glyph
    EXPECT_EQ(at(200, 100), 0);
    EXPECT_EQ(at(201, 100), (u16)((8 << rshift) | (16 << gshift) | 8));
    EXPECT_EQ(at(202, 100), grey);
    // Brackets never draw, though font 3 has glyphs for them; a letter in
    // the same place and colour does.
    solidfonts(7);
    fill(0);
    currentfont = 3;
    settextcolor(31, 63, 31);
    ASSERT_GT(glyphtables[3]['[' - 32].width, 0);
    ASSERT_GT(glyphtables[3][']' - 32].width, 0);
    drawglyph('[', 100, 100);
    drawglyph(']', 100, 100);
    EXPECT_EQ(at(100, 100), 0);
    EXPECT_EQ(at(102, 105), 0);
    drawglyph('I', 100, 100);
    EXPECT_EQ(at(100, 100), 0xFFFF);
}

// A skin whose every pixel says where it came from: row * 512 + column.
static std::vector<u16> skin;
static void markedskin() {
    skin.resize(512 * 48);
    for (int r = 0; r < 48; r++)
        for (int c = 0; c < 512; c++) skin[r * 512 + c] = (u16)(r << 9 | c);
    buttonskin = skin.data();
}

TEST(Widgets, SkinColumnsPressedRowsAndCaptionOffset) {
    starttestdisplay();
    solidfonts(0); // captions draw nothing, so only the skin shows
    markedskin();
    fill(0);
    widget[0] = {100, 50, 48, 0, "Ok", 0, 343};
    drawwidget(0);
    EXPECT_EQ(at(100, 50) & 511, 0);
    EXPECT_EQ(at(101, 50) & 511, 1);
    EXPECT_EQ(at(102, 50) & 511, 345);
    EXPECT_EQ(at(145, 50) & 511, 388);
    EXPECT_EQ(at(146, 50) & 511, 510);
    EXPECT_EQ(at(147, 60) & 511, 511);
    EXPECT_EQ(at(148, 50), 0);
    EXPECT_EQ(at(120, 73) >> 9, 23);
    widget[0].pressed = 1;
    drawwidget(0);
    EXPECT_EQ(at(120, 50) >> 9, 24);
    EXPECT_EQ(at(120, 73) >> 9, 47);
    // A cut that would run past the skin's end stays inside it.
    widget[0] = {100, 50, 140, 0, "", 0, 500};
    drawwidget(0);
    EXPECT_EQ(at(100 + 137, 50) & 511, 511); // the middle ends at the skin's last column
    buttonskin = nullptr;
}

TEST(Widgets, TheSkinCutMovesBackOnlyWhenItWouldPassTheSkinsEnd) {
    starttestdisplay();
    solidfonts(0);
    markedskin();
    // Width 48: the middle is 44 columns from skinoffset + 2, so offset 466
    // ends exactly at column 511 and is taken as it is.
    struct cut {
        i32 offset, first; // first skin column of the middle
    } cuts[] = {{465, 467}, {466, 468}, {467, 468}, {600, 468}, {-9, 2}};
    for (const cut& c : cuts) {
        fill(0);
        widget[0] = {100, 50, 48, 0, "", 0, c.offset};
        drawwidget(0);
        for (int r : {0, 23}) {
            EXPECT_EQ(at(102, 50 + r), (u16)(r << 9 | c.first)) << c.offset;
            EXPECT_EQ(at(145, 50 + r), (u16)(r << 9 | (c.first + 43))) << c.offset;
            EXPECT_EQ(at(146, 50 + r), (u16)(r << 9 | 510)) << c.offset;
        }
    }
    buttonskin = nullptr;
}

TEST(Widgets, CaptionMovesOnePixelWhenPressedAndPulsesUnderTheMouse) {
    starttestdisplay();
    solidfonts(7);
    markedskin();
    widget[0] = {100, 50, 80, 0, "Yes", 0, 0};
    fill(0);
    drawwidget(0);
    i32 cx = 100 + (80 - textwidth("Yes")) / 2 + 1;
    EXPECT_EQ(at(cx, 54), (u16)((18 << rshift) | (28 << gshift) | 5));
    EXPECT_EQ(at(cx - 1, 54) >> 9, 4); // left of the caption: skin row 4
    widget[0].pressed = 1;
    drawwidget(0);
    EXPECT_EQ(at(cx + 1, 55), (u16)((18 << rshift) | (28 << gshift) | 5));
    widget[0].pressed = 0;
    widget[0].hover = 1;
    pulse = 24;
    drawwidget(0);
    EXPECT_EQ(at(cx, 54), (u16)((30 << rshift) | (52 << gshift) | 5));
    pulse = 1;
    drawwidget(0);
    EXPECT_EQ(at(cx, 54), (u16)((19 << rshift) | (30 << gshift) | 5));
    buttonskin = nullptr;
}

TEST(Widgets, InsideIsStrict) {
    widget[2] = {250, 240, 140, 0, "", 0, 0};
    EXPECT_FALSE(insidewidget(2, 250, 250));
    EXPECT_TRUE(insidewidget(2, 251, 241));
    EXPECT_TRUE(insidewidget(2, 389, 263));
    EXPECT_FALSE(insidewidget(2, 390, 250));
    EXPECT_FALSE(insidewidget(2, 300, 264));
}

TEST(Boxes, ConfirmAnswersNoToEnterYesOnlyToYAndIgnoresStrayClicks) {
    starttestdisplay();
    solidfonts(0);
    markedskin();
    gamestate = GS_CONFIRM;
    widget[1] = {260, 226, 48, 0, "Yes", 0, 0};
    widget[0] = {330, 226, 48, 0, "No", 0, 0};
    struct press {
        u32 message, key;
        i32 mx, my;
        int result;
    } presses[] = {
        {WM_KEYDOWN, VK_RETURN, 0, 0, 0}, {WM_KEYDOWN, VK_ESCAPE, 0, 0, 0}, {WM_KEYDOWN, 'N', 0, 0, 0},
        {WM_KEYDOWN, 'Y', 0, 0, 1},       {WM_KEYDOWN, 'Q', 0, 0, 255},      {WM_LBUTTONDOWN, 0, 280, 240, 1},
        {WM_LBUTTONDOWN, 0, 350, 240, 0}, {WM_LBUTTONDOWN, 0, 320, 240, 255}, {WM_LBUTTONDOWN, 0, 280, 200, 255},
    };
    for (const press& p : presses) {
        boxresult = 255;
        widget[0].pressed = widget[1].pressed = 0;
        mousex = p.mx;
        mousey = p.my;
        confirminput(p.message, p.key, 0);
        EXPECT_EQ(boxresult, p.result) << p.key << " " << p.mx;
        if (p.result == 0) { EXPECT_EQ(widget[0].pressed, 1); }
        if (p.result == 1) { EXPECT_EQ(widget[1].pressed, 1); }
    }
    boxresult = 255;
    okboxinput(WM_KEYDOWN, 'N', 0);
    EXPECT_EQ(boxresult, 255);
    okboxinput(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(boxresult, 1);
    buttonskin = nullptr;
}

// A message too wide for the box (a long path in it) goes on two lines that
// both stay inside the box; one that fits stays on its one line.
TEST(Boxes, ALongMessageTakesTwoLinesInsideTheBoxAndAShortOneItsOwnLine) {
    starttestdisplay();
    solidfonts(7);
    currentfont = 3;
    settextcolor(31, 63, 31);
    auto inked = [](i32* left, i32* right, i32* top, i32* bottom) {
        *left = *top = 9999, *right = *bottom = -1;
        for (i32 y = 0; y < 480; y++)
            for (i32 x = 0; x < 640; x++)
                if (at(x, y)) *left = std::min(*left, x), *right = std::max(*right, x), *top = std::min(*top, y), *bottom = std::max(*bottom, y);
    };
    const std::string folder = "/home/player/.local/share/vennor/a folder with a rather long name/and deeper still/maps";
    for (const std::string& text : {"Map not saved: cannot write " + folder + "/map0.dat: No space left on device",
                                    "Map not saved: " + std::string(150, 'x')}) {
        lockvs();
        std::memset(vsptr, 0, VSBYTES);
        unlockvs();
        drawboxmessage(text.c_str(), 200);
        i32 l, r, t, b;
        inked(&l, &r, &t, &b);
        EXPECT_GE(l, 130) << text;
        EXPECT_LE(r, 510) << text;
        EXPECT_GE(t, 180) << text;
        EXPECT_LE(b, 224) << text << ": above the buttons";
        EXPECT_GT(b - t, 20) << "two lines: " << text;
    }
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
    drawboxmessage("Map saved", 200);
    std::vector<u16> once(640 * 480);
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++) once[y * 640 + x] = at(x, y);
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
    drawtextcentered("Map saved", 200, 0, 640);
    int differ = 0;
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++) differ += at(x, y) != once[y * 640 + x];
    EXPECT_EQ(differ, 0);
}

TEST(Random, TheProgramsOneGeneratorFromStateOne) {
    resetgamerandom();
    EXPECT_EQ(gamerandom(), 41);
    EXPECT_EQ(gamerandom(), 18467);
    EXPECT_EQ(gamerandom(), 6334);
}

TEST(ColourPicker, PaletteIsFifteenBitAndTheReadOutDecodesItAsSuch) {
    starttestdisplay(565);
    solidfonts(7);
    gamestate = 0;
    // Close the picker at once: Escape is waiting in the queue.
    platq_reset();
    platq_push(WM_KEYDOWN, VK_ESCAPE, 0);
    plat_setcursorpos(64 + 2 * 31, 128 + 2 * 5); // block r = 0: g = 5, b = 31
    mousex = 64 + 62;
    mousey = 138;
    u16 p = selectcolor();
    EXPECT_EQ(p, 5 * 32 + 31);
    EXPECT_EQ(gamestate, 0);
}
