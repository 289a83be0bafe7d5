// The campaign's two new maps: closed, a party start with room for its
// formation, enemies of every class for three players, every one of them
// reachable from the start, and chests, gold and lights to find.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tools/content/campaignmaps.h"
#include "tools/content/itemcatalog.h"
#include "tools/content/items.h"
#include "world/lebytes.h"

namespace {

const ItemSet& itemset() {
    static ItemSet set = [] {
        ItemSet s;
        std::string why;
        EXPECT_TRUE(build_items(s, why)) << why;
        return s;
    }();
    return set;
}

struct built {
    const char* name;
    demomap m;
    int sx, sy;
};

std::vector<built> maps() {
    unitmaxima types[12];
    for (int i = 0; i < 12; i++) types[i] = {(i16)(30 + i), (i16)40, (i16)10};
    std::vector<built> out(2);
    out[0].name = "forest";
    buildforestmap(out[0].m, types);
    out[0].sx = FORESTSTART[0], out[0].sy = FORESTSTART[1];
    out[1].name = "crypt";
    buildcryptmap(out[1].m, types);
    out[1].sx = CRYPTSTART[0], out[1].sy = CRYPTSTART[1];
    return out;
}

// Steps from the start over cells a unit may enter, corners not cut past a
// blocking item; -1 where none reaches. The walk must never leave the map.
std::vector<int> walk(const built& b) {
    const ItemSet& set = itemset();
    const demomap& m = b.m;
    auto blocks = [&](int c) { return set.rec[m.item[c]].blockspassage || m.land[c] == 0; };
    std::vector<int> steps(65536, -1);
    std::vector<int> todo = {b.sy * 256 + b.sx};
    steps[todo[0]] = 0;
    for (size_t i = 0; i < todo.size(); i++) {
        int c = todo[i], x = c % 256, y = c / 256;
        EXPECT_TRUE(x > 0 && x < 255 && y > 0 && y < 255) << b.name << " leaks at " << x << "," << y;
        if (!(x > 0 && x < 255 && y > 0 && y < 255)) return steps;
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                int n = (y + dy) * 256 + x + dx;
                if ((!dx && !dy) || steps[n] >= 0 || blocks(n)) continue;
                if (dx && dy && (blocks(y * 256 + x + dx) || blocks((y + dy) * 256 + x))) continue;
                steps[n] = steps[c] + 1;
                todo.push_back(n);
            }
    }
    return steps;
}

const int CLASSOF[12] = {0, 0, 1, 2, 3, 4, 0, 0, 0, 0, 2, 0}; // fighter, archer, thief, mage, cleric

} // namespace

TEST(CampaignMaps, EveryEnemyOfEveryClassCanBeReachedFromTheStart) {
    for (const built& b : maps()) {
        std::vector<int> steps = walk(b);
        std::set<int> classes, players;
        int enemies = 0, party = 0;
        for (int slot = 1; slot <= 128; slot++) {
            const u8* r = &b.m.npcs[(size_t)slot * 156];
            if (!r[71]) continue;
            int x = geti16(r + 4), y = geti16(r + 6), player = r[24];
            EXPECT_EQ((slot - 1) / 32, player) << b.name << " slot " << slot;
            EXPECT_EQ(getu32(r), (u32)(y * 256 + x));
            EXPECT_EQ(b.m.item[y * 256 + x], 0) << b.name << " slot " << slot;
            u32 type = getu32(r + 12);
            ASSERT_LT(type, 12u);
            if (player == 0) {
                party++;
                continue;
            }
            enemies++;
            players.insert(player);
            classes.insert(CLASSOF[type]);
            EXPECT_GT(steps[y * 256 + x], 0) << b.name << ": the unit in slot " << slot << " at " << x << "," << y
                                             << " cannot be reached, so the mission cannot be won";
        }
        EXPECT_EQ(party, 3) << b.name << ": the keep's companions come along";
        EXPECT_EQ(players, (std::set<int>{1, 2, 3})) << b.name;
        EXPECT_EQ(classes.size(), 5u) << b.name << ": every class among the enemies";
        EXPECT_GE(enemies, 12) << b.name;
        // Enough of the map is open to make a mission of it.
        int open = 0;
        for (int s : steps) open += s >= 0;
        EXPECT_GT(open, 2500) << b.name;
    }
}

TEST(CampaignMaps, TheStartAndItsFormationAreFreeAndSomeoneComesSoon) {
    const ItemSet& set = itemset();
    for (const built& b : maps()) {
        EXPECT_EQ(b.m.header[0], b.sx) << b.name;
        EXPECT_EQ(b.m.header[4], b.sy) << b.name;
        EXPECT_EQ(b.m.header[8], 1) << b.name;
        for (int i = 0; i < 4; i++) {
            int c = b.sy * 256 + b.sx + 2 * i;
            EXPECT_NE(b.m.land[c], 0) << b.name << " member " << i;
            EXPECT_FALSE(set.rec[b.m.item[c]].blockspassage) << b.name << " member " << i;
        }
        // Computer units hunt within 24 cells: the mission's first fight
        // must not wait for a long walk.
        std::vector<int> steps = walk(b);
        int near = 0;
        for (int slot = 33; slot <= 128; slot++) {
            const u8* r = &b.m.npcs[(size_t)slot * 156];
            if (!r[71] || r[36]) continue;
            int x = geti16(r + 4), y = geti16(r + 6);
            near += std::abs(x - b.sx) <= 24 && std::abs(y - b.sy) <= 24 && steps[y * 256 + x] > 0;
        }
        EXPECT_GE(near, 2) << b.name;
    }
}

TEST(CampaignMaps, HoldChestsGoldPotionsAndLights) {
    for (const built& b : maps()) {
        int chests = 0, gold = 0, potions = 0, lights = 0;
        for (u16 it : b.m.item) {
            chests += it == ITEM_CHEST_X_CLOSED || it == ITEM_CHEST_Y_CLOSED;
            gold += it == ITEM_GOLD;
            potions += it == ITEM_POTION;
            lights += it >= ITEM_TORCH_X_FRAME0 && it < ITEM_CAMPFIRE_FRAME0 + LIGHT_FRAMES;
        }
        EXPECT_GE(chests, 3) << b.name;
        EXPECT_GE(gold, 3) << b.name;
        EXPECT_GE(potions, 1) << b.name;
        EXPECT_GE(lights, 6) << b.name;
    }
}
