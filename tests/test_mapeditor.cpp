// The map editor's tools and keys on a world of plain types: land, sections,
// random land, items large and small, units, rectangles, the palette, and
// the faults mended on the way (numbers past their tables, cells off the
// map, a stale wait for the button's release, the dead state of new units).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/windowproc.h"
#include "editor/editinput.h"
#include "game/cursorchoice.h"
#include "editor/mapeditor.h"
#include "editor/maptools.h"
#include "platform/platform.h"
#include "platform/winmsg.h"
#include "testenv.h"
#include "text/boxes.h"
#include "text/font.h"
#include "video/vscreen.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/mapfile.h"
#include "world/viewtables.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

static std::vector<itemtyperec> edititems(NUMITEMTYPES);
static std::vector<unittyperec> editunits(NUMUNITTYPES);

// Items 10 and 20 in use, 15 in use but off limits, 100 a large item of
// 3 x 2 parts (100..105); unit type 4 is named "Mage".
static void startworld() {
    starttestdisplay();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/bitmaps");
    fs::copy_file(fs::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp", fs::path(testdatadir()) / "bitmaps" / "textbox.bmp");
    allocgrids();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        edititems[i] = itemtyperec{};
        itemtype[i] = &edititems[i];
    }
    for (int i : {10, 15, 20}) edititems[i].isused = 1;
    edititems[15].offlimits = 1;
    for (int p = 0; p < 6; p++) {
        edititems[100 + p].isused = 1;
        edititems[100 + p].largeitem = 1;
        edititems[100 + p].xsize = 3;
        edititems[100 + p].ysize = 2;
        edititems[100 + p].partoflargeitem = p ? 100 : 0;
    }
    for (int i = 0; i < NUMUNITTYPES; i++) {
        editunits[i] = unittyperec{};
        editunits[i].healthmax = 30;
        unittype[i] = &editunits[i];
    }
    std::strcpy(editunits[4].name, "Mage");
    initnpc();
    resetgamerandom();
    currentland = currentitem = 0;
    placeunittype = 1;
    placeowner = 1;
    placefacing = 5;
    maptool = TOOL_PLACEITEM;
    selshown = 0;
    waitingforlmbup = 0;
    lbuttondown = 0;
    gamestate = GS_EDITMAP;
    boxresult = 255;
    ASSERT_TRUE(plat_createwindow("Vennor", windowproc));
    for (platmsg m; plat_peekmessage(&m);) { // the window's own greetings
        plat_getmessage(&m);
        plat_dispatchmessage(&m);
    }
    appactive = 1; // boxes run their loop on the posted keys
}

// The pointer over the map at a cell, as the picking leaves it.
static void pointat(i32 x, i32 y) {
    mousex = 300;
    mousey = 200;
    selectedwx = x;
    selectedwy = y;
    cursoroff = (u32)(y * 256 + x);
}

static void key(u32 k) { editmapinput(WM_KEYDOWN, k, 0); }
static void press() {
    lbuttondown = 1;
    editmapinput(WM_LBUTTONDOWN, 0, 0);
}
static void release() {
    lbuttondown = 0;
    editmapinput(WM_LBUTTONUP, 0, 0);
}
// A press that shows a box, answered with Enter. The headless run ends
// after the box's last frame (the run's end arrives as the process's
// exit); the refusal has nothing left to do after its box.
static void pressthroughbox() {
    boxtext[0] = 0;
    plat_postmessage(WM_KEYDOWN, VK_RETURN, 0);
    try {
        press();
    } catch (const processexit&) {
    }
}
static void drag(i32 x0, i32 y0, i32 x1, i32 y1) {
    pointat(x0, y0);
    press();
    pointat(x1, y1);
    editmapinput(WM_MOUSEMOVE, 0, 0);
    release();
}

TEST(MapEditorTools, LandTileAndSectionInTheirCellOrder) {
    startworld();
    maptool = TOOL_LANDTILE;
    currentland = 37;
    pointat(50, 60);
    press();
    EXPECT_EQ(landmap[60 * 256 + 50], 37);
    maptool = TOOL_LANDSECTION;
    currentland = 32;
    pointat(100, 100);
    press();
    // Tile 0 on the cursor cell, then the 2x2, 3x3 and 4x4 blocks toward
    // lower columns and rows.
    const int expect[4][4] = {{32, 33, 36, 41}, {35, 34, 37, 42}, {40, 39, 38, 43}, {47, 46, 45, 44}};
    for (int b = 0; b < 4; b++)
        for (int a = 0; a < 4; a++) EXPECT_EQ(landmap[(100 - b) * 256 + 100 - a], expect[b][a]) << a << "," << b;
    EXPECT_EQ(landmap[100 * 256 + 96], 0);
    EXPECT_EQ(landmap[96 * 256 + 100], 0);
}

TEST(MapEditorTools, SectionAtTheMapCornerAndPastTheLastTileDropsCells) {
    startworld();
    std::vector<u16> before(landmap, landmap + MAPCELLS);
    maptool = TOOL_LANDSECTION;
    currentland = 16;
    pointat(1, 0); // columns -2..1 and rows -3..0: only (0,0) and (1,0) are on the map
    press();
    EXPECT_EQ(landmap[1], 16);
    EXPECT_EQ(landmap[0], 17);
    int changed = 0;
    for (int i = 0; i < MAPCELLS; i++) changed += landmap[i] != before[i];
    EXPECT_EQ(changed, 2);
    // 1272 + 15 would pass the last land type: those tiles are not laid.
    currentland = 1272;
    pointat(200, 200);
    press();
    EXPECT_EQ(landmap[200 * 256 + 200], 1272);
    EXPECT_EQ(landmap[198 * 256 + 199], 1279); // tile 7
    EXPECT_EQ(landmap[198 * 256 + 200], 0);    // tile 8 would be 1280
    for (int i = 0; i < MAPCELLS; i++) ASSERT_LT(landmap[i], NUMLANDTYPES);
}

TEST(MapEditorTools, RandomLandFillsTheDraggedRectangleWithinItsSection) {
    startworld();
    maptool = TOOL_RANDOMLAND;
    currentland = 64;
    drag(30, 40, 27, 42); // dragged toward lower columns: still 27..30
    std::vector<int> seen(16, 0);
    for (int y = 38; y <= 44; y++)
        for (int x = 25; x <= 32; x++) {
            u16 l = landmap[y * 256 + x];
            bool inside = x >= 27 && x <= 30 && y >= 40 && y <= 42;
            if (!inside) {
                EXPECT_EQ(l, 0) << x << "," << y;
                continue;
            }
            ASSERT_GE(l, 64);
            ASSERT_LE(l, 79);
            seen[l - 64]++;
        }
    int kinds = 0;
    for (int s : seen) kinds += s > 0;
    EXPECT_GT(kinds, 3) << "twelve cells of one or two tiles are no random patch";
    EXPECT_EQ(selshown, 0);
    // One cell when the drag starts and ends on it.
    drag(5, 5, 5, 5);
    EXPECT_GE(landmap[5 * 256 + 5], 64);
    EXPECT_EQ(landmap[5 * 256 + 6], 0);
    // From the last tile the random tiles never pass the table.
    currentland = 1279;
    drag(60, 60, 70, 70);
    for (int i = 0; i < MAPCELLS; i++) ASSERT_LT(landmap[i], NUMLANDTYPES);
}

TEST(MapEditorTools, DeleteRectanglesClearLandOrItemsOnly) {
    startworld();
    for (int i = 0; i < MAPCELLS; i++) landmap[i] = 3, itemmap[i] = 10;
    maptool = TOOL_DELETELAND;
    pointat(10, 10);
    press();
    EXPECT_EQ(selshown, 1);
    pointat(12, 11);
    editmapinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(selx0, 10);
    EXPECT_EQ(selx1, 12);
    EXPECT_EQ(sely0, 10);
    EXPECT_EQ(sely1, 11);
    release();
    for (int y = 9; y <= 12; y++)
        for (int x = 9; x <= 13; x++) {
            bool inside = x >= 10 && x <= 12 && y >= 10 && y <= 11;
            EXPECT_EQ(landmap[y * 256 + x], inside ? 0 : 3) << x << "," << y;
            EXPECT_EQ(itemmap[y * 256 + x], 10);
        }
    maptool = TOOL_DELETEITEM;
    drag(20, 21, 20, 20);
    EXPECT_EQ(itemmap[20 * 256 + 20], 0);
    EXPECT_EQ(itemmap[21 * 256 + 20], 0);
    EXPECT_EQ(itemmap[22 * 256 + 20], 10);
    EXPECT_EQ(landmap[20 * 256 + 20], 3);
}

TEST(MapEditorTools, ItemsArePlacedOnlyWhenUsedAndLargeOnesWithAllParts) {
    startworld();
    maptool = TOOL_PLACEITEM;
    currentitem = 7; // not in use
    pointat(40, 40);
    press();
    EXPECT_EQ(itemmap[40 * 256 + 40], 0);
    currentitem = 10;
    press();
    EXPECT_EQ(itemmap[40 * 256 + 40], 10);
    currentitem = 0; // item 0 clears the cell
    press();
    EXPECT_EQ(itemmap[40 * 256 + 40], 0);
    currentitem = 100;
    pointat(80, 90);
    press();
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 3; j++) EXPECT_EQ(itemmap[(90 - i) * 256 + 80 - j], 100 + i * 3 + j) << i << "," << j;
    EXPECT_EQ(itemmap[88 * 256 + 80], 0);
    EXPECT_EQ(itemmap[90 * 256 + 77], 0);
    // At the map's corner the parts off the map are dropped.
    std::vector<u16> before(itemmap, itemmap + MAPCELLS);
    pointat(0, 0);
    press();
    int changed = 0;
    for (int c = 0; c < MAPCELLS; c++) changed += itemmap[c] != before[c];
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(itemmap[0], 100);
}

TEST(MapEditorTools, LargeItemPartsPastTheLastItemAreDropped) {
    startworld();
    itemtyperec& t = edititems[4094];
    t.isused = 1;
    t.largeitem = 1;
    t.xsize = 2;
    t.ysize = 2;
    maptool = TOOL_PLACEITEM;
    currentitem = 4094;
    pointat(50, 50);
    press();
    EXPECT_EQ(itemmap[50 * 256 + 50], 4094);
    EXPECT_EQ(itemmap[50 * 256 + 49], 4095);
    EXPECT_EQ(itemmap[49 * 256 + 50], 0); // part 2 would be 4096
    EXPECT_EQ(itemmap[49 * 256 + 49], 0);
}

TEST(MapEditorTools, UnitsStandWhenPlacedAndClearWhenDeleted) {
    startworld();
    maptool = TOOL_PLACEUNIT;
    placeunittype = 4;
    placefacing = 7;
    npc[33]->state = NPC_DEAD; // what a cleared slot holds
    pointat(60, 61);
    press();
    int s = npcmap[61 * 256 + 60];
    ASSERT_EQ(s, 33);
    EXPECT_EQ(npc[s]->player, 1);
    EXPECT_EQ(npc[s]->unitno, 4u);
    EXPECT_EQ(npc[s]->facing, 7);
    EXPECT_EQ(npc[s]->state, NPC_IDLE);
    EXPECT_EQ(npc[s]->isused, 1);
    // A unit on the cell refuses another, with a box.
    pressthroughbox();
    EXPECT_STREQ(boxtext, "Can't place on top of another unit!");
    EXPECT_EQ(npc[34]->isused, 0);
    maptool = TOOL_DELETEUNIT;
    press();
    EXPECT_EQ(npcmap[61 * 256 + 60], 0);
    EXPECT_EQ(npc[33]->isused, 0);
    EXPECT_EQ(npc[33]->unitno, 0u);
}

// O steps the owner of placed units through players 0..3 (only with the
// unit tool); each unit goes into its owner's slots and the line says whose.
TEST(MapEditorTools, TheOwnerKeyPlacesUnitsForEveryPlayer) {
    startworld();
    maptool = TOOL_PLACEITEM;
    key('O');
    EXPECT_EQ(placeowner, 1) << "O does nothing with another tool";
    maptool = TOOL_PLACEUNIT;
    placeunittype = 4;
    char text[200];
    const int firstslot[] = {1, 33, 65, 97};
    for (int step = 0; step < 4; step++) {
        key('O');
        int owner = (2 + step) % 4;
        ASSERT_EQ(placeowner, owner);
        editstatus(text, sizeof text);
        EXPECT_NE(std::string(text).find("Place Mage unit for player " + std::to_string(owner)), std::string::npos) << text;
        pointat(60 + step, 61);
        press();
        int s = npcmap[61 * 256 + 60 + step];
        EXPECT_EQ(s, firstslot[owner]) << "player " << owner;
        EXPECT_EQ(npc[s]->player, owner);
        EXPECT_EQ(npc[s]->state, NPC_IDLE);
    }
}

// S takes the start tool; keypad 4 and 6 turn the formation through its
// four ways, and a press sets player 0's start there, saying so.
// A press refused with a flash message; the message's frames end the
// headless run, as a box's do.
static void pressrefused() {
    try {
        press();
    } catch (const processexit&) {
    }
}

TEST(MapEditorStartPoint, SetsTheStartAndItsWayAndKeepsComputerUnitsOffTheFormation) {
    startworld();
    key('S');
    ASSERT_EQ(maptool, TOOL_STARTPOINT);
    pointat(70, 80);
    editmapinput(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(selshown, 1) << "the ground the formation may take";
    EXPECT_EQ(selx1, 84);
    key('I');
    EXPECT_EQ(selshown, 0) << "gone with the tool";
    key('S');
    placefacing = 1;
    key(VK_NUMPAD0 + 6);
    EXPECT_EQ(placefacing, 3);
    key(VK_NUMPAD0 + 4);
    key(VK_NUMPAD0 + 4);
    EXPECT_EQ(placefacing, 7) << "round from 1 to 7";
    placefacing = 2; // as the unit tool may leave it: no formation's way
    pointat(70, 80);
    pressthroughbox();
    EXPECT_STREQ(boxtext, "Starting point set for player #0!");
    EXPECT_EQ(mapdata.homex[0], 70);
    EXPECT_EQ(mapdata.homey[0], 80);
    EXPECT_EQ(mapdata.homedir[0], 1) << "an even facing lays out no formation";
    // Facing 1: the party stands every other cell along the row.
    EXPECT_EQ(startpartysize(), 1);
    EXPECT_EQ(formationplace(70, 80, 3), 0);
    EXPECT_EQ(formationplace(74, 80, 3), 2);
    EXPECT_EQ(formationplace(71, 80, 3), -1);
    EXPECT_EQ(formationplace(76, 80, 3), -1);
    maptool = TOOL_PLACEUNIT;
    placeowner = 2;
    pointat(70, 80);
    pressrefused();
    EXPECT_EQ(npcmap[80 * 256 + 70], 0) << "a computer unit on the start is refused";
    EXPECT_EQ(npc[65]->isused, 0);
    placeowner = 0;
    pointat(90, 90);
    press();
    ASSERT_EQ(npcmap[90 * 256 + 90], 1) << "a member of the party goes anywhere";
    EXPECT_EQ(startpartysize(), 2);
    placeowner = 1;
    pointat(72, 80); // the second member's cell now
    pressrefused();
    EXPECT_EQ(npcmap[80 * 256 + 72], 0);
    pointat(74, 80); // past the party of two
    press();
    EXPECT_EQ(npcmap[80 * 256 + 74], 33);
}

TEST(MapEditorTools, PlayerOneFullRefusesWithABox) {
    startworld();
    for (int s = 33; s <= 64; s++) npc[s]->isused = 1;
    maptool = TOOL_PLACEUNIT;
    pointat(10, 10);
    pressthroughbox();
    EXPECT_STREQ(boxtext, "NPCs maxed out for player!");
    EXPECT_EQ(npcmap[10 * 256 + 10], 0);
}

TEST(MapEditorTools, AUnitTypePastTheTableIsNeverPlaced) {
    startworld();
    maptool = TOOL_PLACEUNIT;
    placeunittype = 40;
    pointat(10, 10);
    press();
    int s = npcmap[10 * 256 + 10];
    ASSERT_NE(s, 0);
    EXPECT_EQ(npc[s]->unitno, 11u);
    EXPECT_LE(placeunittype, 11);
}

TEST(MapEditorKeys, ArrowsStepLandByTileOrSection) {
    startworld();
    maptool = TOOL_LANDSECTION;
    currentland = 37;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 48);
    currentland = 37;
    key(VK_LEFT);
    EXPECT_EQ(currentland, 16);
    currentland = 5;
    key(VK_LEFT);
    EXPECT_EQ(currentland, 0);
    currentland = 1272;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 1264);
    maptool = TOOL_RANDOMLAND;
    currentland = 1264;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 1264);
    maptool = TOOL_LANDTILE;
    currentland = 37;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 38);
    currentland = 1279;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 1279);
    currentland = 0;
    key(VK_LEFT);
    EXPECT_EQ(currentland, 0);
    maptool = TOOL_DELETEITEM;
    currentland = 40;
    key(VK_RIGHT);
    EXPECT_EQ(currentland, 40);
}

TEST(MapEditorKeys, ArrowsStepItemsOverUnusableOnes) {
    startworld();
    maptool = TOOL_PLACEITEM;
    currentitem = 0;
    key(VK_RIGHT);
    EXPECT_EQ(currentitem, 10);
    key(VK_RIGHT);
    EXPECT_EQ(currentitem, 20) << "15 is off limits";
    key(VK_LEFT);
    EXPECT_EQ(currentitem, 10);
    key(VK_LEFT);
    EXPECT_EQ(currentitem, 0);
    currentitem = 105;
    key(VK_RIGHT);
    EXPECT_EQ(currentitem, 4095);
}

TEST(MapEditorKeys, UnitTypesStepThroughAllTwelve) {
    startworld();
    maptool = TOOL_PLACEUNIT;
    placeunittype = 9;
    std::vector<int> up;
    for (int i = 0; i < 4; i++) key(VK_RIGHT), up.push_back(placeunittype);
    EXPECT_EQ(up, (std::vector<int>{10, 11, 11, 11}));
    placeunittype = 2;
    std::vector<int> down;
    for (int i = 0; i < 4; i++) key(VK_LEFT), down.push_back(placeunittype);
    EXPECT_EQ(down, (std::vector<int>{1, 0, 0, 0}));
    for (int i = 0; i < 3; i++) key(VK_RIGHT);
    EXPECT_EQ(placeunittype, 3) << "the thief's type is no longer skipped";
}

TEST(MapEditorKeys, ToolKeysAndLeaving) {
    startworld();
    maptool = TOOL_PLACEUNIT;
    key(VK_DELETE);
    EXPECT_EQ(maptool, TOOL_DELETEITEM);
    key(VK_DELETE);
    EXPECT_EQ(maptool, TOOL_DELETELAND);
    key(VK_DELETE);
    EXPECT_EQ(maptool, TOOL_DELETEITEM);
    key('L');
    EXPECT_EQ(maptool, TOOL_LANDSECTION);
    key('L');
    EXPECT_EQ(maptool, TOOL_LANDTILE);
    key('L');
    EXPECT_EQ(maptool, TOOL_LANDSECTION);
    key('R');
    EXPECT_EQ(maptool, TOOL_RANDOMLAND);
    key('I');
    EXPECT_EQ(maptool, TOOL_PLACEITEM);
    EXPECT_EQ(boxresult, 255);
    key(VK_RETURN);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    key(VK_ESCAPE);
    EXPECT_EQ(boxresult, 1);
}

TEST(MapEditorKeys, PickUpClearBlockingAndNudges) {
    startworld();
    itemmap[30 * 256 + 30] = 20;
    itemmap[31 * 256 + 31] = 103; // a part of the large item 100
    edititems[20].blockssight = edititems[20].blockspassage = 1;
    edititems[20].picheight = 255;
    edititems[20].picwidth = 40;
    pointat(30, 30);
    maptool = TOOL_DELETEITEM;
    key('G');
    EXPECT_EQ(currentitem, 0) << "G picks up only with the item tool";
    maptool = TOOL_PLACEITEM;
    key('G');
    EXPECT_EQ(currentitem, 20);
    key('C');
    EXPECT_EQ(edititems[20].blockssight, 0);
    EXPECT_EQ(edititems[20].blockspassage, 0);
    key(VK_NUMPAD0 + 8);
    EXPECT_EQ(edititems[20].picheight, 0) << "the byte wraps";
    key(VK_NUMPAD0 + 2);
    EXPECT_EQ(edititems[20].picheight, 255);
    key(VK_NUMPAD0 + 4);
    EXPECT_EQ(edititems[20].picwidth, 42);
    key(VK_NUMPAD0 + 6);
    key(VK_NUMPAD0 + 6);
    EXPECT_EQ(edititems[20].picwidth, 38);
    // A part nudges every part of its large item and nothing beyond.
    pointat(31, 31);
    key(VK_NUMPAD0 + 8);
    for (int p = 100; p < 106; p++) EXPECT_EQ(edititems[p].picheight, 1) << p;
    EXPECT_EQ(edititems[106].picheight, 0);
    EXPECT_EQ(edititems[99].picheight, 0);
    // With the unit tool NUMPAD 4 and 6 turn the facing, wrapping 1..8.
    maptool = TOOL_PLACEUNIT;
    placefacing = 1;
    key(VK_NUMPAD0 + 4);
    EXPECT_EQ(placefacing, 8);
    key(VK_NUMPAD0 + 6);
    EXPECT_EQ(placefacing, 1);
    EXPECT_EQ(edititems[100].picwidth, 0) << "the facing keys nudge nothing";
}

TEST(MapEditorInput, PaletteChoosesToolsAndWaitsForTheRelease) {
    startworld();
    mousex = 125;
    mousey = 402 + 16; // column 1, row 1: tool 6
    selshown = 1;
    press();
    EXPECT_EQ(maptool, TOOL_PLACEUNIT);
    EXPECT_EQ(selshown, 0);
    EXPECT_EQ(waitingforlmbup, 1);
    mousex = 2;
    mousey = 400;
    press();
    EXPECT_EQ(maptool, TOOL_LANDTILE);
    mousex = 125;
    mousey = 402 + 16 * 3; // column 1, row 3: tool 8
    press();
    EXPECT_EQ(maptool, TOOL_STARTPOINT);
    mousex = 2;
    mousey = 400;
    press();
    mousex = 125;
    mousey = 402 + 16 * 4; // would be tool 9: not on the palette
    press();
    EXPECT_EQ(maptool, TOOL_LANDTILE);
    release();
    EXPECT_EQ(waitingforlmbup, 0);
}

TEST(MapEditorInput, APressOnTheMapEndsAStaleWaitForTheRelease) {
    startworld();
    maptool = TOOL_DELETELAND;
    landmap[20 * 256 + 20] = 9;
    waitingforlmbup = 1; // left by a box closed with the button
    drag(20, 20, 21, 21);
    EXPECT_EQ(landmap[20 * 256 + 20], 0) << "the drag was swallowed";
    EXPECT_EQ(selshown, 0);
}

TEST(MapEditorStatus, TheToolsLines) {
    startworld();
    char text[160];
    struct line {
        u8 tool;
        const char* text;
    };
    currentland = 37;
    currentitem = 10;
    placeunittype = 4;
    const line lines[] = {
        {TOOL_LANDTILE, "Place Land Tile 37  (left and right arrow changes land)"},
        {TOOL_LANDSECTION, "Place Land Section  (left and right arrow changes land)"},
        {TOOL_RANDOMLAND, "Place Random Land 37  (left and right arrow changes land)"},
        {TOOL_DELETELAND, "Delete Land"},
        {TOOL_PLACEITEM, "Place Item 10 (left and right arrow changes item)"},
        {TOOL_DELETEITEM, "Delete Item"},
        {TOOL_PLACEUNIT, "Place Mage unit for player 1  (left and right arrow changes unit type, NUMPAD 4 and 6 rotate, O changes player)"},
        {TOOL_DELETEUNIT, "Delete Unit"},
    };
    for (const line& l : lines) {
        maptool = l.tool;
        editstatus(text, sizeof text);
        EXPECT_STREQ(text, l.text);
    }
    maptool = TOOL_PLACEITEM;
    currentitem = 100;
    editstatus(text, sizeof text);
    EXPECT_STREQ(text, "Place Item 100  (left and right arrow changes item)");
}

// The view tables and fonts whose every glyph is a solid block, for the
// picking and the drawing of the real view.
static void withviewtables() {
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    static std::vector<u8> solid[NUMFONTS];
    for (int f = 0; f < NUMFONTS; f++) {
        solid[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 7);
        font[f] = {glyphtables[f], solid[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
}

// A dragged rectangle drawn in a frame reaches the cell that frame picks
// under the pointer, not the one picked the frame before.
TEST(MapEditorInput, TheRectangleFollowsThePointerInTheSameFrame) {
    startworld();
    withviewtables();
    maptool = TOOL_DELETEITEM;
    i32 x0, y0, x1, y1;
    int sq;
    ASSERT_TRUE(pickcell(300, 200, &x0, &y0, &sq));
    ASSERT_TRUE(pickcell(300, 290, &x1, &y1, &sq));
    ASSERT_TRUE(x1 != x0 && y1 != y0);
    mousex = 300, mousey = 200;
    pickcursor(); // the frame before the press
    press();
    mousex = 300, mousey = 290;
    editmapinput(WM_MOUSEMOVE, 0, 0); // handled before the frame picks
    // The frame draws the map: unlit, without pictures a test before left.
    lighting = 0;
    for (u16*& t : landrawdataptr) t = nullptr;
    for (u8*& p : itemrawdataptr) p = nullptr;
    ASSERT_TRUE(mapeditorframe());
    EXPECT_EQ(selx0, std::min(x0, x1));
    EXPECT_EQ(selx1, std::max(x0, x1));
    EXPECT_EQ(sely0, std::min(y0, y1));
    EXPECT_EQ(sely1, std::max(y0, y1));
}

// Place Item with item 0 (the eraser) shows its "Item 0" label at the
// cursor cell, as every other item shows its picture.
TEST(MapEditorPreview, ItemZeroShowsItsLabel) {
    startworld();
    withviewtables();
    auto inked = [] {
        clearvsall();
        drawtoolpreview();
        return vsinked();
    };
    selectedwx = scx, selectedwy = scy;
    maptool = TOOL_PLACEITEM;
    currentitem = 0;
    EXPECT_GT(inked(), 0) << "item 0's label";
    maptool = TOOL_DELETEITEM;
    EXPECT_EQ(inked(), 0) << "no preview for a tool without one";
}

// Each keypad key's stand-in on the main block, from the same start, leaves
// the same item nudge and unit facing, and that is a change.
TEST(MapEditorKeys, MainBlockKeysDoWhatTheKeypadKeysDo) {
    startworld();
    itemmap[30 * 256 + 30] = 20;
    pointat(30, 30);
    struct pair {
        u32 keypad, standin;
    };
    const pair pairs[] = {{VK_NUMPAD0 + 8, VK_PRIOR}, {VK_NUMPAD0 + 2, VK_NEXT},
                          {VK_NUMPAD0 + 4, VK_OEM_4}, {VK_NUMPAD0 + 6, VK_OEM_6}};
    struct state {
        u8 height, width, facing;
        bool operator==(const state&) const = default;
    };
    auto pressfrom = [](u8 tool, u32 vk) {
        maptool = tool;
        edititems[20].picheight = 10;
        edititems[20].picwidth = 10;
        placefacing = 4;
        key(vk);
        return state{edititems[20].picheight, edititems[20].picwidth, placefacing};
    };
    for (u8 tool : {(u8)TOOL_PLACEITEM, (u8)TOOL_PLACEUNIT})
        for (const pair& p : pairs) {
            state bypad = pressfrom(tool, p.keypad);
            state bykey = pressfrom(tool, p.standin);
            EXPECT_TRUE(bykey == bypad) << "tool " << (int)tool << " key " << p.standin;
            if (tool == TOOL_PLACEITEM || p.keypad == VK_NUMPAD0 + 4 || p.keypad == VK_NUMPAD0 + 6) {
                EXPECT_FALSE(bykey == (state{10, 10, 4})) << "tool " << (int)tool << " key " << p.standin;
            }
        }
}
