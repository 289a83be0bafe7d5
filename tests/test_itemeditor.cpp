// The item editor's page: where it opens, how far it pages, which item the
// pointer selects, the item carried at the pointer, the menu, leaving, and
// deleting items alone or whole.
#include <gtest/gtest.h>

#include <cstring>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "editor/itemeditor.h"
#include "editor/mapeditor.h"
#include "editor/selectlist.h"
#include "itemeditorenv.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/winmsg.h"
#include "testenv.h"
#include "text/boxes.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "world/grids.h"
#include "world/itemtype.h"

// The next box or list is answered with this key.
static void answernext(const char* key) { ASSERT_TRUE(playscript(std::string("0 key ") + key + "\n")); }

static void pointer(i32 x, i32 y) {
    mousex = x;
    mousey = y;
}
static void click(i32 x, i32 y) {
    pointer(x, y);
    itemeditinput(WM_LBUTTONDOWN, 0, 0);
}
static void hoverat(i32 x, i32 y) {
    pointer(x, y);
    itemeditinput(WM_MOUSEMOVE, 0, 0);
}

static void onpage(i32 first) {
    gamestate = GS_ITEMEDITOR;
    itemfirst = first;
    itemselected = 0;
    boxresult = 255;
    drawitempage();
}

TEST(ItemEditorPage, PagingStopsAtTheFirstPageAndAtThePageOf4032) {
    startitemeditor();
    onpage(64);
    click(590, 430);
    EXPECT_EQ(itemfirst, 32);
    click(590, 430);
    click(590, 430);
    EXPECT_EQ(itemfirst, 0) << "never below the first page";
    click(580, 430); // the arrows' edges are outside
    click(590, 420);
    EXPECT_EQ(boxresult, 1) << "a press beside the arrows leaves";
    boxresult = 255;
    onpage(4000);
    click(590, 450);
    EXPECT_EQ(itemfirst, 4032);
    click(590, 450);
    EXPECT_EQ(itemfirst, 4032) << "4064 passes 4056";
    EXPECT_EQ(boxresult, 255);
    // Only entering on an item past 4063 shows the last page; down stays there.
    onpage(4064);
    click(590, 441);
    EXPECT_EQ(itemfirst, 4064);
    click(590, 439);
    EXPECT_EQ(itemfirst, 4032);
}

TEST(ItemEditorPage, TheItemWhoseBoxHoldsThePointerIsSelected) {
    startitemeditor();
    onpage(96);
    hoverat(81, 121); // column 1, row 1
    EXPECT_EQ(itemselected, 9);
    EXPECT_EQ(selecteditem(), 105);
    hoverat(160, 150); // on the edge between columns 1 and 2: no hit keeps the selection
    EXPECT_EQ(itemselected, 9);
    hoverat(300, 110); // between the rows' boxes (100..120)
    EXPECT_EQ(itemselected, 9);
    hoverat(639, 479);
    EXPECT_EQ(itemselected, 9);
    hoverat(561, 459); // column 7, row 3
    EXPECT_EQ(itemselected, 31);
    hoverat(1, 1);
    EXPECT_EQ(itemselected, 0);
    // A press anywhere but the arrows takes the selected item to the map editor.
    hoverat(250, 250);
    click(250, 250);
    EXPECT_EQ(currentitem, 96 + 19);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    itemeditinput(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    itemeditinput(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(boxresult, 1);
}

// One pixel of white at the picture's corner, in a picwidth x picheight box.
static void cornerpicture(int n, u8 w, u8 h) {
    itemtype[n]->isused = itemtype[n]->isloaded = 1;
    itemtype[n]->picwidth = w;
    itemtype[n]->picheight = h;
    givepicture(n, {0, 0, 1, 0xFF, 0x7F});
}

static u16 at(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

TEST(ItemEditorPage, TheSelectedItemFollowsThePointer) {
    startitemeditor();
    cornerpicture(40, 40, 30);
    onpage(32);
    itemselected = 8;
    pointer(300, 200);
    drawitempage();
    // Drawn at (mousex + picwidth - 40, mousey + picheight): the corner lands 20 rows below.
    EXPECT_EQ(at(300, 220), 0x7FFF);
    EXPECT_EQ(at(20, 120 + 60 + 20 - 30), 0x7FFF) << "and on the page in its place";
    // A large item of 2 x 1: part j at (mousex + 20 (xsize - j), mousey + picheight - 10 j).
    startitemeditor();
    for (int p = 0; p < 2; p++) cornerpicture(64 + p, 40, 30);
    itemtype[64]->largeitem = 1;
    itemtype[64]->xsize = 2;
    itemtype[64]->ysize = 1;
    itemtype[65]->partoflargeitem = 64;
    itemtype[65]->offlimits = 1;
    onpage(64);
    pointer(300, 200);
    fullview = 1;
    drawitempage();
    EXPECT_EQ(at(340, 220), 0x7FFF);
    EXPECT_EQ(at(320, 210), 0x7FFF);
    EXPECT_EQ(fullview, 1) << "switched back on after the large item";
    // A section on its own does not follow.
    onpage(64);
    itemselected = 1;
    pointer(400, 300);
    drawitempage();
    EXPECT_EQ(at(400, 320), 0);
}

TEST(ItemEditorPage, TheMenuOffersCreateForUnusedItemsAndDeleteForUsedOnes) {
    startitemeditor();
    itemtype[3]->isused = 1;
    onpage(0);
    for (int sel : {3, 4}) {
        itemselected = sel;
        pointer(100, 100);
        answernext("ESC");
        itemeditinput(WM_RBUTTONDOWN, 0, 0);
        ASSERT_EQ(listcount, 3);
        EXPECT_STREQ(listentries[0].text, "Edit Item");
        EXPECT_EQ(listentries[0].notselectable, 0);
        EXPECT_STREQ(listentries[1].text, "Create New Item");
        EXPECT_EQ(listentries[1].notselectable, sel == 3 ? 1 : 0);
        EXPECT_STREQ(listentries[2].text, "Delete Item");
        EXPECT_EQ(listentries[2].notselectable, sel == 3 ? 0 : 1);
        EXPECT_EQ(gamestate, GS_ITEMEDITOR);
    }
    // Not over the status rows.
    listcount = 0;
    pointer(100, 400);
    itemeditinput(WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(listcount, 0);
}

// Item 100 a large item of 3 x 2 (100..105) with pictures; 20 a used item.
static void largeworld() {
    startitemeditor();
    allocgrids();
    for (int p = 0; p < 6; p++) {
        itemtyperec& t = *itemtype[100 + p];
        t.isused = t.isloaded = 1;
        t.partoflargeitem = p ? 100 : 0;
        t.offlimits = p ? 1 : 0;
        t.iswall = 1;
        givepicture(100 + p, std::vector<u8>(3 + 2 * (p + 1), 0));
        itemtype[100 + p]->rawdatasize = 3 + 2 * (p + 1);
        itemrawdataptr[100 + p][2] = (u8)(p + 1);
    }
    itemtype[100]->largeitem = 1;
    itemtype[100]->xsize = 3;
    itemtype[100]->ysize = 2;
    itemtype[20]->isused = 1;
    givepicture(20, {0, 0, 1, 1, 1});
    itemtype[106]->isused = 1; // the next item is not a part
    itemmap[500] = 100;
    itemmap[501] = 103;
}


static void deletewith(const char* answer, i32 n) {
    answernext(answer);
    deleteitem(n);
}

TEST(ItemEditorDelete, ASectionIsRefusedSilentlyTheFirstPartClearsTheWhole) {
    largeworld();
    boxtext[0] = 0;
    u32 before = memoryused;
    deleteitem(103);
    EXPECT_STREQ(boxtext, "") << "no question for a section";
    EXPECT_EQ(itemtype[103]->isused, 1);
    deletewith("N", 100);
    EXPECT_STREQ(boxtext, "Delete Item Number 100?");
    EXPECT_EQ(itemtype[100]->largeitem, 1);
    EXPECT_EQ(memoryused, before);
    deletewith("Y", 100);
    for (int p = 0; p < 6; p++) {
        static const itemtyperec zero{};
        EXPECT_EQ(std::memcmp(itemtype[100 + p], &zero, sizeof zero), 0) << 100 + p;
        EXPECT_EQ(itemrawdataptr[100 + p], nullptr);
    }
    EXPECT_EQ(memoryused, before - (5 + 7 + 9 + 11 + 13 + 15)) << "every part's picture freed";
    EXPECT_EQ(itemtype[106]->isused, 1);
    EXPECT_EQ(itemmap[500], 100) << "the map keeps its cells";
    EXPECT_EQ(itemmap[501], 103);
}

TEST(ItemEditorDelete, TheDeleteKeyActsOverThePageOnly) {
    largeworld();
    onpage(0);
    itemselected = 20;
    pointer(100, 400);
    itemeditinput(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(itemtype[20]->isused, 1);
    pointer(100, 399);
    answernext("Y");
    u32 before = memoryused;
    itemeditinput(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(itemtype[20]->isused, 0);
    EXPECT_EQ(memoryused, before - 5);
    EXPECT_EQ(gamestate, GS_ITEMEDITOR);
}

TEST(ItemEditorPage, EnteringOpensOnThePageOfTheCurrentItemAndLeavingRestoresTheMapEditor) {
    startitemeditor();
    currentitem = 200;
    fullview = 0;
    // Escape leaves; the save writes both files.
    ASSERT_TRUE(underscript("5 move 100 100\n6 key ESC\n", [] { runitemeditor(); }));
    EXPECT_EQ(itemfirst, 192);
    EXPECT_EQ(gamestate, GS_EDITMAP);
    EXPECT_EQ(fullview, 0);
    EXPECT_EQ(readtext(testdatadir() + "/items/items.dat").size(), (size_t)ITEMSFILEBYTES);
    // Already in the item editor: nothing happens.
    gamestate = GS_ITEMEDITOR;
    EXPECT_EQ(runitemeditor(), 0u);
    EXPECT_EQ(gamestate, GS_ITEMEDITOR);
}
