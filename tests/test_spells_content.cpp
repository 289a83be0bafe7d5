// The glow the Light spell leaves on an empty cell: ten item numbers of a
// growing light, clear of the remains of the fallen, the last one shining.
#include <gtest/gtest.h>

#include <string>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"

TEST(SpellContent, TheGlowGrowsThroughTenItemsAndTheLastShines) {
    ItemSet set;
    std::string why;
    ASSERT_TRUE(make_remains_items(set, why)) << why;
    ASSERT_TRUE(make_spell_light_items(set, why)) << why;
    EXPECT_EQ(ITEM_LIGHT_GLOW_FIRST, 4030);
    EXPECT_EQ(ITEM_LIGHT_GLOW_LAST, 4021);
    EXPECT_GT(ITEM_LIGHT_GLOW_LAST, ITEM_REMAINS_BODY) << "clear of the remains";
    size_t previous = 0;
    for (int n = 4030; n >= 4021; n--) {
        const itemtyperec& r = set.rec[n];
        EXPECT_EQ(r.isused, 1) << n;
        EXPECT_GT(set.pic[n].size(), 0u) << n;
        EXPECT_GE(set.pic[n].size(), previous) << "each step is at least as large, " << n;
        previous = set.pic[n].size();
        EXPECT_EQ(r.brightness, 4031 - n) << "the light brightens with every step";
        EXPECT_EQ(r.blockspassage + r.blockssight + r.takeable + r.usable + r.animation, 0) << n;
    }
    EXPECT_EQ(set.rec[4021].brightness, 10) << "the glow left behind shines as a lit unit does";
    for (int n = 4000; n <= 4015; n++) EXPECT_EQ(set.rec[n].brightness, 0) << "the remains stay dark, " << n;
    for (int n = ITEM_RESERVED_FIRST; n <= ITEM_RESERVED_LAST; n++) EXPECT_EQ(set.rec[n].isused, 0) << n;
    // The same pictures every time.
    ItemSet again;
    ASSERT_TRUE(make_spell_light_items(again, why));
    for (int n = 4021; n <= 4030; n++) EXPECT_EQ(set.pic[n], again.pic[n]) << n;
}
