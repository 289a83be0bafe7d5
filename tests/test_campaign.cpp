// The campaign's progress file: what it says, what a damaged one counts
// as, and a failed write that keeps the old progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/gamestate.h"
#include "game/campaign.h"
#include "game/missionstats.h"
#include "platform/safewrite.h"
#include "testenv.h"
#include "text/boxes.h"

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

// A won mission keeps the missions it opens when the player goes on; a
// failure at any step of that write leaves the old progress byte for byte
// and stops at a box that says why, before the question of going on.
TEST(Campaign, AVictoryWhoseProgressCannotBeKeptSaysSoAndKeepsTheOldFile) {
    const std::string old = campaigntext(2);
    // The box's picture, in a fresh tree with the old progress; the headless
    // run ends in the first box it waits in, and that is the box to see.
    auto fresh = [&] {
        starttestdisplay();
        fs::create_directories(testdatadir() + "/bitmaps");
        fs::copy_file(fs::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp", testdatadir() + "/bitmaps/textbox.bmp");
        putfile(old);
        missionstats.outcome = OUTCOME_WON;
        boxtext[0] = 0;
    };
    auto afterwin = [](int m) {
        bool waited = false;
        try {
            campaignafter(m);
        } catch (const processexit&) {
            waited = true;
        }
        return waited;
    };
    fresh();
    plat_safewritefailat(0);
    ASSERT_TRUE(afterwin(1));
    int steps = plat_safewritesteps();
    EXPECT_EQ(gamestate, GS_CONFIRM) << "a kept progress goes straight to the question";
    EXPECT_EQ(readtext(testdatadir() + "/" + CAMPAIGNFILE), campaigntext(3));
    ASSERT_GT(steps, 3);
    for (int n = 1; n <= steps; n++) {
        fresh();
        plat_safewritefailat(n);
        bool waited = afterwin(1);
        plat_safewritefailat(0);
        ASSERT_TRUE(waited) << "step " << n;
        EXPECT_EQ(gamestate, GS_OKBOX) << "step " << n;
        std::string said = boxtext;
        EXPECT_EQ(said.rfind("The campaign's progress was not kept: cannot ", 0), 0u) << "step " << n << ": " << said;
        EXPECT_NE(said.find(CAMPAIGNFILE), std::string::npos) << said;
        EXPECT_EQ(readtext(testdatadir() + "/" + CAMPAIGNFILE), old) << "step " << n;
        for (const fs::directory_entry& e : fs::directory_iterator(testdatadir()))
            EXPECT_NE(e.path().filename().string().rfind(std::string(CAMPAIGNFILE) + ".", 0), 0u)
                << e.path() << " left behind at step " << n;
    }
    // A defeat or a mission already open writes nothing, so no write can fail.
    fresh();
    missionstats.outcome = OUTCOME_LOST;
    plat_safewritefailat(1);
    EXPECT_TRUE(afterwin(1));
    EXPECT_EQ(gamestate, GS_CONFIRM);
    fresh();
    plat_safewritefailat(1);
    EXPECT_TRUE(afterwin(0));
    EXPECT_EQ(gamestate, GS_CONFIRM);
    plat_safewritefailat(0);
    EXPECT_EQ(readtext(testdatadir() + "/" + CAMPAIGNFILE), old);
}
