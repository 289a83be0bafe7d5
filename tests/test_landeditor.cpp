// The land editor's page: where it starts, the arrows and the scroll bar,
// which section the pointer selects, what a click does, the select list,
// and the pictures it draws at fixed sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "app/input.h"
#include "app/redrawscreen.h"
#include "editor/selectlist.h"
#include "landeditorenv.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "video/display.h"
#include "video/vscreen.h"

using namespace landenv;

static void press(i32 x, i32 y) {
    mousex = x;
    mousey = y;
    landeditinput(WM_LBUTTONDOWN, 0, 0);
}

static void moveto(i32 x, i32 y, bool held = false) {
    mousex = x;
    mousey = y;
    lbuttondown = held ? 1 : 0;
    landeditinput(WM_MOUSEMOVE, 0, 0);
}

static void onpage(i32 first) {
    gamestate = GS_LANDEDITOR;
    landfirst = first;
    boxresult = 255;
    drawlandeditor();
}

// The editor run to its end with Escape (pointer over the page).
static void runandescape() { runscripted("1 move 515 5\n2 key ESC\n"); }

TEST(LandEditorPage, OpensOnThePageHoldingTheCurrentLandNeverPastTheLastPage) {
    start();
    currentland = 200;
    runandescape();
    EXPECT_EQ(landfirst, 192);
    EXPECT_EQ(gamestate, GS_EDITMAP) << "back where it was opened";
    currentland = 1279; // 1279 / 96 * 96 = 1248 would show tiles 1248..1343
    runandescape();
    EXPECT_EQ(landfirst, 1184);
    EXPECT_EQ(landpagefor(95), 0);
    EXPECT_EQ(landpagefor(96), 96);
    // Already in the editor: nothing happens.
    gamestate = GS_LANDEDITOR;
    landfirst = 16;
    EXPECT_EQ(runlandeditor(), 0u);
    EXPECT_EQ(landfirst, 16);
}

TEST(LandEditorPage, ArrowsStepBySixteenWithinTheTiles) {
    start();
    onpage(16);
    press(630, 450);
    EXPECT_EQ(landfirst, 0);
    press(630, 450);
    EXPECT_EQ(landfirst, 0) << "the up arrow at 0 changes nothing";
    press(630, 470);
    EXPECT_EQ(landfirst, 16);
    onpage(1168);
    press(630, 470);
    EXPECT_EQ(landfirst, 1184);
    press(630, 470);
    EXPECT_EQ(landfirst, 1184) << "the down arrow at 1184 changes nothing";
    press(621, 441);
    EXPECT_EQ(landfirst, 1168);
    EXPECT_EQ(boxresult, 255) << "arrows do not leave";
    // The borders between the areas belong to none of them: a plain click.
    landselected = 32;
    press(630, 460);
    EXPECT_EQ(landfirst, 1168);
    EXPECT_EQ(boxresult, 1);
    EXPECT_EQ(currentland, 1168 + 32);
}

TEST(LandEditorPage, TheScrollBarJumpsAndDragsUpToTheLastPage) {
    start();
    onpage(0);
    press(630, 439);
    EXPECT_EQ(landfirst, 1184) << "16 x 79 = 1264 is clamped";
    press(630, 0);
    EXPECT_EQ(landfirst, 0);
    press(630, 100);
    EXPECT_EQ(landfirst, 16 * 18);
    press(630, 110); // 110 x 0.1818182 = 20.000002
    EXPECT_EQ(landfirst, 16 * 20);
    moveto(630, 200, true);
    EXPECT_EQ(landfirst, 16 * 36);
    moveto(630, 300, false);
    EXPECT_EQ(landfirst, 16 * 36) << "without the button held a move only selects";
    moveto(630, 445, true);
    EXPECT_EQ(landfirst, 16 * 36) << "below the bar a held move selects";
    moveto(620, 100, true);
    EXPECT_EQ(landfirst, 16 * 36) << "left of the bar a held move selects";
    EXPECT_EQ(boxresult, 255);
}

TEST(LandEditorPage, ThePointerSelectsTheSectionUnderItAndAClickTakesIt) {
    start();
    onpage(96);
    EXPECT_EQ(landhit[0].x, 520);
    EXPECT_EQ(landhit[0].y, 60);
    EXPECT_EQ(landhit[16 * 5 + 12].y, 400) << "tile 12 of the sixth section";
    EXPECT_EQ(landhit[9].x, 460);
    moveto(540, 80 * 2 + 70); // tile 0 of the third section
    EXPECT_EQ(landselected, 32);
    moveto(540 + 40, 80 * 4 + 50 + 19); // right of tile 3's box (fifth section), in no other
    EXPECT_EQ(landselected, 32);
    moveto(540 + 39, 80 * 4 + 50 + 19); // the last pixel of that box
    EXPECT_EQ(landselected, 64);
    moveto(512, 5); // over no tile: kept
    EXPECT_EQ(landselected, 64);
    moveto(509, 80 + 60); // over tile 1 of the second section, but left of 510 nothing is looked at
    EXPECT_EQ(landselected, 64);
    moveto(540, 80 + 70);
    EXPECT_EQ(landselected, 16);
    press(300, 300);
    EXPECT_EQ(boxresult, 255) << "a click left of 510 is ignored";
    press(540, 80 * 5 + 70);
    EXPECT_EQ(currentland, 96 + 16) << "the click takes the section last under the pointer";
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    mousex = 400;
    landeditinput(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(boxresult, 255) << "keys too are ignored left of 510";
    mousex = 560;
    landeditinput(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(boxresult, 1);
}

TEST(LandEditorPage, TheListOffersOnlySectionCreation) {
    start();
    onpage(0);
    mousex = 560;
    mousey = 200;
    // The list follows the live pointer; Escape closes it with the entry under it.
    plat_setcursorpos(500, 200 + 3);
    plat_postmessage(WM_MOUSEMOVE, 0, 0);
    plat_postmessage(WM_KEYDOWN, VK_ESCAPE, 0);
    landeditinput(WM_RBUTTONDOWN, 0, 0);
    ASSERT_EQ(listcount, 2);
    EXPECT_STREQ(listentries[0].text, "Edit Land");
    EXPECT_EQ(listentries[0].notselectable, 1);
    EXPECT_STREQ(listentries[1].text, "Create New Land Section");
    EXPECT_EQ(listentries[1].notselectable, 0);
    EXPECT_EQ(boxresult, 255) << "Edit Land cannot be chosen";
    EXPECT_EQ(gamestate, GS_LANDEDITOR);
    mousex = 560;
    mousey = 200;
    plat_setcursorpos(500, 200 + 14 + 3);
    plat_postmessage(WM_MOUSEMOVE, 0, 0);
    plat_postmessage(WM_KEYDOWN, VK_ESCAPE, 0);
    landeditinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(boxresult, LANDCREATE);
}

static u16 pixel(i32 x, i32 y) {
    beginvsdraw();
    u16 p = *vspixel(x, y);
    endvsdraw();
    return p;
}

TEST(LandEditorPage, DrawsTheTilesTheNumberTheBarAndThePreview) {
    start();
    onpage(1184);
    landselected = 80;
    drawlandeditor();
    // Tile 1279 is the last of the page, tile 15 of its sixth section.
    EXPECT_EQ(pixel(landhit[95].x + 20, landhit[95].y + 10), landrawdataptr[1279][180 + 20]);
    // The thumb sits at trunc(74 x 5.5) = 407 on the bar.
    u16 thumbtop = pixel(630, 407), bar = pixel(630, 406);
    EXPECT_NE(thumbtop, bar);
    EXPECT_EQ(pixel(630, 406), pixel(630, 405));
    // The preview of 1264 at (300, 300).
    EXPECT_EQ(pixel(300 + 20, 300 + 10), landrawdataptr[1264][180 + 20]);
    // Section 0 has no preview.
    onpage(0);
    landselected = 0;
    drawlandeditor();
    EXPECT_EQ(pixel(300 + 20, 300 + 10), 0);
    EXPECT_EQ(pixel(630, 0), thumbtop) << "the thumb at the top";
    EXPECT_EQ(pixel(630, 16), bar);
}

TEST(LandEditorPage, PicturesOfAnotherSizeAreRefused) {
    start();
    writesolidbmp("bitmaps/editor/updown.bmp", 20, 20, 0x808080);
    gamestate = GS_LANDEDITOR;
    int code = -1;
    try {
        drawlandeditor();
    } catch (const processexit& e) {
        code = e.code;
    }
    EXPECT_EQ(code, 3);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "Bitmaps\\Editor\\updown.bmp");
}
