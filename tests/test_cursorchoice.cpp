// What the cursor says a click will do: the cell under the mouse, the
// figures that reach over the cells above them, and the mode for every
// kind of cell, unit and aimed spell.
#include <gtest/gtest.h>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "commandworld.h"
#include "game/cursorchoice.h"
#include "game/missionstate.h"
#include "game/spells.h"
#include "view/mapview.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/npc.h"
#include "world/unittype.h"

static u8 modeat(i32 x, i32 y) {
    pickat(x, y);
    return cursorforcell();
}

TEST(CursorChoice, FreeVoidBlockedAndUnseenCells) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    EXPECT_EQ(modeat(103, 100), 1) << "a free cell is walked to";
    itemmap[cellof(104, 100)] = ITEM_RUG;
    EXPECT_EQ(modeat(104, 100), 1) << "an item that blocks nothing is walked over";
    itemmap[cellof(105, 100)] = ITEM_WALL;
    EXPECT_EQ(modeat(105, 100), 11);
    itemmap[cellof(106, 100)] = ITEM_FENCE;
    EXPECT_EQ(modeat(106, 100), 11);
    landmap[cellof(107, 100)] = 2;
    EXPECT_EQ(modeat(107, 100), 11) << "void land";
    landmap[cellof(107, 100)] = 3;
    EXPECT_EQ(modeat(107, 100), 1);
    vistoplayer[0][cellof(103, 100)] = 0;
    EXPECT_EQ(modeat(103, 100), 11) << "a cell the player does not see";
    EXPECT_EQ(modeat(-1, 100), 11) << "off the map";
    EXPECT_EQ(modeat(256, 100), 11);
}

TEST(CursorChoice, AttackableObjectsByClassRangeAndSight) {
    startcommandworld();
    int c = placeunit(1, 0, 100, 100);
    itemmap[cellof(104, 100)] = ITEM_BARREL;
    for (u32 melee : {0u, 3u, 5u}) {
        npc[c]->unitno = melee;
        EXPECT_EQ(modeat(104, 100), 12) << "type " << melee;
    }
    for (u32 ranged : {2u, 4u}) {
        npc[c]->unitno = ranged;
        EXPECT_EQ(modeat(104, 100), 13) << "in range and in sight";
        itemmap[cellof(102, 100)] = ITEM_WALL;
        EXPECT_EQ(modeat(104, 100), 15) << "in range behind a wall";
        itemmap[cellof(102, 100)] = ITEM_FENCE;
        EXPECT_EQ(modeat(104, 100), 13) << "a fence hides nothing";
        itemmap[cellof(102, 100)] = 0;
        itemmap[cellof(108, 100)] = ITEM_BARREL;
        EXPECT_EQ(modeat(108, 100), 13) << "at the range's end";
        itemmap[cellof(109, 100)] = ITEM_BARREL;
        EXPECT_EQ(modeat(109, 100), 14) << "one past it";
        unittype[ranged]->rangemin = 5;
        EXPECT_EQ(modeat(104, 100), 14) << "too close";
        unittype[ranged]->rangemin = 4;
        EXPECT_EQ(modeat(104, 100), 13) << "at the nearest it may shoot";
        unittype[ranged]->rangemin = 1;
    }
}

TEST(CursorChoice, ItemsToTakeAndUse) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    itemmap[cellof(103, 100)] = ITEM_GOLD;
    EXPECT_EQ(modeat(103, 100), 6);
    itemmap[cellof(103, 101)] = ITEM_CHEST;
    EXPECT_EQ(modeat(103, 101), 17);
    itemmap[cellof(103, 102)] = 176; // an opened chest is still usable
    EXPECT_EQ(modeat(103, 102), 17);
}

TEST(CursorChoice, ThePlayersOwnUnits) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    int friendly = placeunit(0, 0, 102, 100);
    setcursormode(4);
    EXPECT_EQ(modeat(100, 100), 11) << "the commanded unit on a bare cell";
    itemmap[cellof(100, 100)] = ITEM_RUG;
    EXPECT_EQ(modeat(100, 100), 4) << "on another item the cursor stays as it was";
    itemmap[cellof(100, 100)] = ITEM_GOLD;
    EXPECT_EQ(modeat(100, 100), 6) << "the gold it stands on can be taken";
    EXPECT_EQ(modeat(102, 100), 7) << "another of the player's units is selected by a click";
    itemmap[cellof(102, 100)] = ITEM_RUG;
    EXPECT_EQ(modeat(102, 100), 7);
    itemmap[cellof(102, 100)] = ITEM_GOLD;
    EXPECT_EQ(modeat(102, 100), 6) << "taking the item beats selecting";
    itemmap[cellof(102, 100)] = 0;
    npc[friendly]->state = NPC_DYING;
    EXPECT_EQ(modeat(102, 100), 11) << "a falling unit is not selected";
    curnpc = friendly;
    npc[friendly]->state = NPC_IDLE;
    EXPECT_EQ(modeat(100, 100), 6) << "the leader is one of the others now";
    itemmap[cellof(100, 100)] = 0;
    EXPECT_EQ(modeat(100, 100), 7);
    (void)leader;
}

TEST(CursorChoice, EnemiesByClassRangeAndSight) {
    startcommandworld();
    int c = placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 104, 100);
    for (u32 melee : {0u, 3u, 5u}) {
        npc[c]->unitno = melee;
        EXPECT_EQ(modeat(104, 100), 5) << "type " << melee;
    }
    for (u32 ranged : {2u, 4u}) {
        u8 ok = ranged == 2 ? 4 : 10;
        npc[c]->unitno = ranged;
        EXPECT_EQ(modeat(104, 100), ok);
        int between = placeunit(0, 1, 102, 100);
        EXPECT_EQ(modeat(104, 100), 15) << "a unit in the way hides it";
        npc[between]->hidden = 1;
        EXPECT_EQ(modeat(104, 100), ok) << "a hidden enemy in the way does not";
        npc[between]->isused = 0;
        npcmap[cellof(102, 100)] = 0;
        npc[foe]->x = 109, npc[foe]->mapoff = (u32)cellof(109, 100);
        npcmap[cellof(104, 100)] = 0, npcmap[cellof(109, 100)] = (u16)foe;
        EXPECT_EQ(modeat(109, 100), 14) << "out of range";
        npc[foe]->x = 104, npc[foe]->mapoff = (u32)cellof(104, 100);
        npcmap[cellof(109, 100)] = 0, npcmap[cellof(104, 100)] = (u16)foe;
    }
    npc[foe]->hidden = 1;
    EXPECT_EQ(modeat(104, 100), 1) << "a hidden enemy looks like a free cell";
    npc[foe]->hidden = 2;
    EXPECT_EQ(modeat(104, 100), 10) << "a hiding enemy in the light is seen";
}

TEST(CursorChoice, PickingFindsTheCellUnderTheMouse) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    for (auto [x, y] : {std::pair{100, 100}, {103, 98}, {95, 104}, {107, 104}}) {
        ASSERT_TRUE(pointat(x, y));
        pickcursor();
        EXPECT_EQ(selectedwx, x);
        EXPECT_EQ(selectedwy, y);
        EXPECT_EQ(cursoroff, (u32)cellof(x, y));
    }
    itemmap[cellof(107, 104)] = ITEM_WALL;
    pickcursor();
    EXPECT_EQ(cursormode, 11);
    ASSERT_TRUE(pointat(103, 98));
    pickcursor();
    EXPECT_EQ(cursormode, 1);
    // Near the map's corner the view shows cells off the map.
    scx = 2, scy = 2;
    ASSERT_TRUE(pointat(-3, 2));
    pickcursor();
    EXPECT_EQ(cursormode, 11);
    EXPECT_EQ(cursoroff, NOCELL) << "no cell of the map, not a wrapped one";
}

TEST(CursorChoice, FiguresReachOverTheCellsAboveThem) {
    static const int cells[6][2] = {{1, 1}, {0, 1}, {2, 2}, {1, 0}, {2, 1}, {1, 2}};
    for (auto& d : cells) {
        startcommandworld();
        placeunit(1, 0, 100, 100);
        int foe = placeunit(0, 1, 104 + d[0], 96 + d[1]);
        ASSERT_TRUE(pointat(104, 96));
        pickcursor();
        EXPECT_EQ(cursoroff, npc[foe]->mapoff) << d[0] << "," << d[1];
        EXPECT_EQ(cursormode, 5);
    }
    // The first figure in the order wins; the player's own and hidden
    // figures do not reach over.
    startcommandworld();
    placeunit(1, 0, 100, 100);
    int near = placeunit(0, 1, 104, 97);
    int first = placeunit(0, 1, 105, 97);
    ASSERT_TRUE(pointat(104, 96));
    pickcursor();
    EXPECT_EQ(cursoroff, npc[first]->mapoff);
    npc[first]->hidden = 1;
    pickcursor();
    EXPECT_EQ(cursoroff, npc[near]->mapoff) << "a hidden figure is passed over";
    npc[near]->player = 0;
    pickcursor();
    EXPECT_EQ(cursoroff, (u32)cellof(104, 96)) << "own figures do not catch the mouse";
    EXPECT_EQ(cursormode, 1);
}

TEST(CursorChoice, ThePanelAndTheSkippedModes) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    mousex = 300, mousey = 400;
    pickcursor();
    EXPECT_EQ(cursormode, 8);
    mousey = 399;
    pickcursor();
    EXPECT_EQ(cursormode, 1) << "row 399 is still the map";
    for (u8 held : {0, 3, 9}) {
        setcursormode(held);
        mousey = 450;
        pickcursor();
        EXPECT_EQ(cursormode, held);
    }
    setcursormode(1);
    gamestate = GS_EDITMAP;
    pickcursor();
    EXPECT_EQ(cursormode, 20);
    gamestate = GS_COMBAT;
}

TEST(CursorChoice, AnAimedSpellShowsWhetherItsCellWillDo) {
    startcommandworld();
    placeunit(1, 0, 100, 100);
    int foe = placeunit(0, 1, 104, 100);
    setcursormode(CM_FREEZE);
    mousex = 450, mousey = 430;
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZENO) << "over the panel the aim shows refused";
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZENO);
    ASSERT_TRUE(pointat(104, 100));
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZE) << "back over a unit in range";
    ASSERT_TRUE(pointat(103, 102));
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZENO) << "nobody to freeze";
    npc[foe]->hidden = 1;
    ASSERT_TRUE(pointat(104, 100));
    pickcursor();
    EXPECT_EQ(cursormode, CM_FREEZENO) << "a hidden enemy cannot be aimed at";
    for (auto [valid, refused] : {std::pair{CM_LIGHT, CM_LIGHTNO}, {CM_RAISE, CM_RAISENO}, {CM_HEAL, CM_HEALNO},
                                  {CM_LIGHTNING, CM_LIGHTNINGNO}}) {
        setcursormode(valid);
        mousex = 450, mousey = 430;
        pickcursor();
        EXPECT_EQ(cursormode, refused);
    }
    setcursormode(CM_LIGHTNINGFAR);
    pickcursor();
    EXPECT_EQ(cursormode, CM_LIGHTNINGFAR) << "other forms stay over the panel";
    npc[foe]->hidden = 0;
    ASSERT_TRUE(pointat(104, 100));
    pickcursor();
    EXPECT_EQ(cursormode, CM_LIGHTNING) << "and turn valid over the map when the aim holds";
}
