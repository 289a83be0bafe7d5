// The demo map: a closed border, land under every reachable cell, units
// inside and the leader's start free.
#include <gtest/gtest.h>

#include "tools/content/demomap.h"
#include "tools/content/itemcatalog.h"
#include "world/lebytes.h"

static demomap built() {
    unitmaxima types[12];
    for (int i = 0; i < 12; i++) types[i] = {(i16)(30 + i), (i16)40, (i16)10};
    demomap m;
    builddemomap(m, types);
    return m;
}

static bool hedge(u16 item) { return item >= ITEM_WALL_HEDGE && item < ITEM_WALL_HEDGE + WALL_PIECES; }

TEST(DemoMap, BorderIsClosedAndEveryCellInsideHasLand) {
    demomap m = built();
    // Walk out from the start over everything but the border: the walk must
    // never pass the hedge, and must find land wherever it goes.
    std::vector<u8> seen(65536, 0);
    std::vector<int> todo = {117 * 256 + 115};
    seen[todo[0]] = 1;
    int reached = 0;
    while (!todo.empty()) {
        int c = todo.back();
        todo.pop_back();
        reached++;
        int x = c % 256, y = c / 256;
        ASSERT_TRUE(x > 0 && x < 255 && y > 0 && y < 255) << x << "," << y;
        EXPECT_NE(m.land[c], 0) << x << "," << y;
        for (int d : {1, -1, 256, -256}) {
            int n = c + d;
            if (seen[n] || hedge(m.item[n])) continue;
            seen[n] = 1;
            todo.push_back(n);
        }
    }
    EXPECT_GT(reached, 90 * 90);
    EXPECT_LT(reached, 100 * 100);
}

TEST(DemoMap, UnitsOfThreeComputerPlayersStandOnFreeLandInside) {
    demomap m = built();
    int perplayer[4] = {};
    for (int slot = 1; slot <= 128; slot++) {
        const u8* r = &m.npcs[(size_t)slot * 156];
        if (!r[71]) continue;
        int x = geti16(r + 4), y = geti16(r + 6), player = r[24];
        EXPECT_EQ((slot - 1) / 32, player);
        EXPECT_EQ(getu32(r), (u32)(y * 256 + x));
        EXPECT_LT(getu32(r + 12), 12u);
        EXPECT_NE(m.land[y * 256 + x], 0);
        EXPECT_EQ(m.item[y * 256 + x], 0) << "slot " << slot;
        perplayer[player]++;
    }
    EXPECT_EQ(perplayer[0], 0);
    for (int p = 1; p < 4; p++) EXPECT_GE(perplayer[p], 4) << p;
    EXPECT_EQ(m.header[0], 115);
    EXPECT_EQ(m.header[4], 117);
    EXPECT_EQ(m.item[117 * 256 + 115], 0);
}

TEST(DemoMap, HoldsChestsGoldAndLights) {
    demomap m = built();
    int chests = 0, gold = 0, lights = 0, large = 0;
    for (u16 it : m.item) {
        chests += it == ITEM_CHEST_X_CLOSED || it == ITEM_CHEST_Y_CLOSED;
        gold += it == ITEM_GOLD;
        lights += it >= ITEM_TORCH_X_FRAME0 && it < ITEM_CAMPFIRE_FRAME0 + LIGHT_FRAMES;
        large += it >= ITEM_TREE_OAK && it < ITEM_TENT + 4;
    }
    EXPECT_GE(chests, 3);
    EXPECT_GE(gold, 3);
    EXPECT_GE(lights, 5);
    EXPECT_GE(large, 100);
}
