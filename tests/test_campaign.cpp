// The campaign's progress file: what it says, what a damaged one counts
// as, and a failed write that keeps the old progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/campaign.h"
#include "platform/safewrite.h"
#include "testenv.h"

namespace fs = std::filesystem;

static void putfile(const std::string& text) {
    std::ofstream(testdatadir() + "/" + CAMPAIGNFILE, std::ios::binary) << text;
}

TEST(Campaign, TheMissionsAreTheKeepThenTwoMapsOfTheirOwn) {
    EXPECT_STREQ(campaign[0].map, "maps\\map0.dat");
    for (int m = 1; m < NUMMISSIONS; m++) {
        EXPECT_STRNE(campaign[m].map, campaign[0].map) << m;
        EXPECT_TRUE(fs::exists(fs::path(VENNOR_DATA) / "maps" / (std::string(campaign[m].map).substr(5))))
            << campaign[m].map << " is made by the content tools";
    }
}

TEST(Campaign, TheProgressTextIsReadBackAndAnythingElseIsRefused) {
    for (int n = 1; n <= NUMMISSIONS; n++) EXPECT_EQ(campaignfromtext(campaigntext(n)), n);
    std::string good = campaigntext(2);
    for (const std::string& bad : {std::string(), std::string("open 2\n"), good.substr(0, good.size() - 1), good + "x",
                                   campaigntext(0), campaigntext(NUMMISSIONS + 1), campaigntext(12)})
        EXPECT_EQ(campaignfromtext(bad), 0) << bad;
}

TEST(Campaign, AMissingOrDamagedFileOpensTheFirstMissionOnly) {
    starttestplatform();
    fs::current_path(testdatadir());
    EXPECT_EQ(missionsopen(), 1);
    putfile("vennor campaign\nopen 9\n");
    EXPECT_EQ(missionsopen(), 1);
    putfile(std::string(100000, 'x'));
    EXPECT_EQ(missionsopen(), 1) << "a huge file is refused unread";
    std::string why;
    ASSERT_TRUE(keepmissionsopen(3, &why)) << why;
    EXPECT_EQ(missionsopen(), 3);
    ASSERT_TRUE(keepmissionsopen(7, &why));
    EXPECT_EQ(missionsopen(), NUMMISSIONS) << "never more than there are";
}

TEST(Campaign, AFailedWriteAtAnyStepKeepsTheOldProgress) {
    starttestplatform();
    fs::current_path(testdatadir());
    std::string why;
    ASSERT_TRUE(keepmissionsopen(2, &why));
    int failures = 0;
    for (int n = 1; n < 50; n++) {
        plat_safewritefailat(n);
        bool kept = keepmissionsopen(3, &why);
        plat_safewritefailat(0);
        if (kept) break;
        failures++;
        EXPECT_FALSE(why.empty());
        ASSERT_EQ(missionsopen(), 2) << "step " << n;
    }
    EXPECT_GT(failures, 3);
    EXPECT_EQ(missionsopen(), 3);
}
