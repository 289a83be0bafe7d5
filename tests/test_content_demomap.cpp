// The demo map: a closed border, land under every reachable cell, units
// inside and the leader's start free.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tools/content/demomap.h"
#include "tools/content/itemcatalog.h"
#include "tools/content/items.h"
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

TEST(DemoMap, ThePartyAndThreeComputerPlayersStandOnFreeLandInside) {
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
    // The leader's companions, slot 1 left for the leader himself.
    EXPECT_EQ(perplayer[0], 3);
    EXPECT_FALSE(m.npcs[156 + 71]);
    for (int p = 1; p < 4; p++) EXPECT_GE(perplayer[p], 4) << p;
    EXPECT_EQ(m.header[0], 115);
    EXPECT_EQ(m.header[4], 117);
    EXPECT_EQ(m.header[8], 1);
    // The formation eastward from the start: every cell free for its member.
    for (int i = 0; i < 4; i++) EXPECT_EQ(m.item[117 * 256 + 115 + 2 * i], 0) << i;
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

// The item types say which obstacles cost passage; the map's own list of
// them must agree, or it would leave some in a doorway.
static const ItemSet& itemset() {
    static ItemSet set = [] {
        ItemSet s;
        std::string why;
        EXPECT_TRUE(build_items(s, why)) << why;
        return s;
    }();
    return set;
}

TEST(DemoMap, ObstaclesThatCostPassageStandClearOfEveryGap) {
    const ItemSet& set = itemset();
    for (int n = 1; n < NUMITEMTYPES; n++) EXPECT_EQ(costspassage((u16)n), set.rec[n].passcost > 0) << "item " << n;
    demomap m = built();
    int obstacles = 0;
    for (int y = 1; y < 255; y++)
        for (int x = 1; x < 255; x++) {
            u16 it = m.item[y * 256 + x];
            if (!set.rec[it].passcost) continue;
            obstacles++;
            // All eight neighbours are open land, so a path steps round it
            // and hunters never have to go through.
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++) {
                    int c = (y + dy) * 256 + x + dx;
                    if (!dx && !dy) continue;
                    EXPECT_NE(m.land[c], 0) << x << "," << y;
                    EXPECT_EQ(set.rec[m.item[c]].blockspassage, 0) << "item " << it << " at " << x << "," << y
                                                                   << " beside item " << m.item[c];
                }
        }
    EXPECT_GE(obstacles, 10); // the woods, the store room and the ruin still hold some
    int broken = 0, crates = 0;
    for (u16 it : m.item) broken += it == ITEM_PILLAR_BROKEN, crates += it == ITEM_CRATES_STACK;
    EXPECT_GE(broken, 2);
    EXPECT_GE(crates, 1);
}

TEST(DemoMap, OneComputerThiefStartsHidden) {
    demomap m = built();
    int hidden = 0;
    for (int slot = 1; slot <= 128; slot++) {
        const u8* r = &m.npcs[(size_t)slot * 156];
        if (!r[71] || !r[36]) continue;
        hidden++;
        EXPECT_EQ(r[36], 1);
        EXPECT_NE(r[24], 0) << "a computer player's unit";
        u32 type = getu32(r + 12);
        EXPECT_TRUE(type == 3 || type == 10) << "a thief's type, not " << type;
    }
    EXPECT_EQ(hidden, 1);
}

// The cells drawn after the leader's start whose pictures would cover him
// (up to four cells in front, no more than one column aside) hold nothing
// that stands up.
TEST(DemoMap, NothingStandsInFrontOfTheLeadersStart) {
    const ItemSet& set = itemset();
    demomap m = built();
    int looked = 0;
    for (int dy = 0; dy <= 4; dy++)
        for (int dx = 0; dx <= 4; dx++) {
            if (dx + dy == 0 || dx + dy > 4 || std::abs(dx - dy) > 1) continue;
            u16 it = m.item[(117 + dy) * 256 + 115 + dx];
            looked++;
            EXPECT_FALSE(set.rec[it].blockspassage || set.rec[it].blockssight)
                << "item " << it << " at " << 115 + dx << "," << 117 + dy;
        }
    EXPECT_EQ(looked, 6);
}

// Computer units hunt only within 24 cells: a few must stand that near the
// start and reach it over open cells, so the demo has a fight to show.
TEST(DemoMap, AHuntingBandCanReachTheLeaderFromNearby) {
    const ItemSet& set = itemset();
    demomap m = built();
    std::vector<int> steps(65536, -1);
    std::vector<int> todo = {117 * 256 + 115};
    steps[todo[0]] = 0;
    for (size_t i = 0; i < todo.size(); i++) {
        int c = todo[i], x = c % 256, y = c / 256;
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                int n = (y + dy) * 256 + x + dx;
                if ((!dx && !dy) || steps[n] >= 0 || set.rec[m.item[n]].blockspassage) continue;
                // No cutting a corner past a blocking item.
                if (dx && dy && (set.rec[m.item[y * 256 + x + dx]].blockspassage || set.rec[m.item[(y + dy) * 256 + x]].blockspassage))
                    continue;
                steps[n] = steps[c] + 1;
                todo.push_back(n);
            }
    }
    int near = 0;
    for (int slot = 33; slot <= 128; slot++) {
        const u8* r = &m.npcs[(size_t)slot * 156];
        if (!r[71] || r[36]) continue;
        int x = geti16(r + 4), y = geti16(r + 6);
        bool within = std::abs(x - 115) <= 24 && std::abs(y - 117) <= 24;
        near += within && steps[y * 256 + x] > 0 && steps[y * 256 + x] <= 40;
    }
    EXPECT_GE(near, 3);
}
