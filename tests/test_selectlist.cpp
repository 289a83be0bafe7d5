// The select list: its entries, where it opens, which entry the pointer
// chooses, how it closes; and the map editor's menu built on it.
#include <gtest/gtest.h>

#include <string>

#include "app/gamestate.h"
#include "app/input.h"
#include "editor/editoptions.h"
#include "editor/selectlist.h"
#include "editor/undo.h"
#include "platform/winmsg.h"
#include "testenv.h"
#include "world/grids.h"

static void startlist() {
    starttestdisplay();
    listcount = 0;
    listchoice = 0;
    boxresult = 255;
}

static void moveto(i32 x, i32 y) {
    mousex = x;
    mousey = y;
    selectlistinput(WM_MOUSEMOVE, 0, 0);
}

TEST(SelectList, EntriesAreCutAndCounted) {
    startlist();
    std::string longtext(80, 'x');
    addlistentry(longtext.c_str(), 0);
    EXPECT_EQ(std::string(listentries[0].text), std::string(63, 'x'));
    for (int i = 1; i < 40; i++) addlistentry("e", 1);
    EXPECT_EQ(listcount, 32);
}

TEST(SelectList, OpensRightOfThePointerOrLeftAndAboveWhereItWouldNotFit) {
    startlist();
    for (int i = 0; i < 11; i++) addlistentry("ab", 0);
    mousex = 100;
    mousey = 50;
    placeselectlist();
    EXPECT_EQ(listleft, 101);
    EXPECT_EQ(listtop, 50);
    EXPECT_EQ(listwidth, 72) << "at least 64 wide, plus 8";
    mousex = 600;
    mousey = 400; // 11 rows of 14 would pass the bottom
    placeselectlist();
    EXPECT_EQ(listleft, 601 - 74);
    EXPECT_EQ(listtop, 400 - 154 - 1);
    listcount = 40 > MAXLISTENTRIES ? MAXLISTENTRIES : 40;
    mousey = 100;
    placeselectlist();
    EXPECT_EQ(listtop, 0) << "a list taller than the room above starts at the top";
}

TEST(SelectList, ThePointerChoosesSelectableEntriesOnly) {
    startlist();
    addlistentry("one", 0);
    addlistentry("grey", 1);
    addlistentry("three", 0);
    mousex = 100;
    mousey = 100;
    placeselectlist();
    moveto(110, 100 + 14 * 2 + 3);
    EXPECT_EQ(listchoice, 3);
    moveto(110, 100 + 14 + 3);
    EXPECT_EQ(listchoice, 0);
    moveto(110, 100 + 3);
    EXPECT_EQ(listchoice, 1);
    moveto(110, 100 + 14 * 3 + 1); // below the last entry
    EXPECT_EQ(listchoice, 0);
    moveto(100, 103); // left of the box
    EXPECT_EQ(listchoice, 0);
    moveto(110, 99);
    EXPECT_EQ(listchoice, 0);
    moveto(listleft + listwidth + 1, 103);
    EXPECT_EQ(listchoice, 0);
}

TEST(SelectList, ClosingKeepsTheChoiceAndARightReleaseOutsideKeepsItOpen) {
    startlist();
    addlistentry("one", 0);
    addlistentry("two", 0);
    mousex = 100;
    mousey = 100;
    placeselectlist();
    moveto(110, 116);
    selectlistinput(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(boxresult, 1);
    EXPECT_EQ(listchoice, 2) << "Escape over an entry chooses it";
    boxresult = 255;
    moveto(300, 300);
    selectlistinput(WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(boxresult, 255);
    EXPECT_EQ(listchoice, 0);
    moveto(110, 103);
    selectlistinput(WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(boxresult, 1);
    EXPECT_EQ(listchoice, 1);
    boxresult = 255;
    moveto(300, 300);
    selectlistinput(WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(boxresult, 1);
    EXPECT_EQ(listchoice, 0);
}

TEST(MapEditorMenu, EntriesWithoutEffectAreGreyAndDoNothing) {
    startlist();
    allocgrids();
    undoreset(); // no history: nothing to undo or redo
    filleditoptions();
    ASSERT_EQ(listcount, 11);
    const char* texts[11] = {"Undo", "Redo", "Land Editor", "Item Editor", "Unit Editor", "New Map",
                             "Load Map", "Save Map", "Save Map As", "---", "Erase Entire Map"};
    for (int i = 0; i < 11; i++) {
        EXPECT_STREQ(listentries[i].text, texts[i]);
        bool grey = i == 0 || i == 1 || i == 9;
        EXPECT_EQ(listentries[i].notselectable, grey ? 1 : 0) << texts[i];
    }
    mousex = 100;
    mousey = 100;
    placeselectlist();
    moveto(110, 100 + 3); // Undo
    EXPECT_EQ(listchoice, 0);
    moveto(110, 100 + 14 * 9 + 3); // the separator
    EXPECT_EQ(listchoice, 0);
    moveto(110, 100 + 14 * 6 + 3); // Load Map
    EXPECT_EQ(listchoice, 7);
    // Chosen anyway, a grey entry does nothing: Undo with no history would
    // otherwise step back a change made since.
    landmap[3] = 5;
    waitingforlmbup = 0;
    editoption(1);
    editoption(10);
    EXPECT_EQ(landmap[3], 5);
    EXPECT_EQ(waitingforlmbup, 0);
}
