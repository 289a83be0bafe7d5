// The campaign played headless from "New Game": the keep, the forest road
// and the crypt in order, each won, each victory opening the next, and the
// progress kept for the next time.
#include <gtest/gtest.h>

#include <sstream>

#include "playrun.h"
#include "testenv.h"

namespace {

// Each mission cut down to one computer unit with a single point of health
// a cell east of the leader's start: a click on it (the view is centred on
// the leader, so at the same place every time) and the leader's blow wins.
void onefoeeach(const std::string& data) {
    keeponly(data, "map0", {{104, 116, 117, 1}});
    keeponly(data, "forest", {{33, 67, 130, 1}});
    keeponly(data, "crypt", {{33, 105, 152, 1}});
}

struct script {
    std::ostringstream out;
    void at(int tick, const std::string& event) { out << tick << " " << event << "\n"; }
    void click(int tick, const std::string& xy) {
        at(tick, "move " + xy);
        at(tick + 5, "ldown");
        at(tick + 7, "lup");
    }
};

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

} // namespace

TEST(EndToEndCampaign, TheThreeMissionsArePlayedInOrder) {
    std::string data = freshdata("campaign");
    onefoeeach(data);
    script s;
    s.click(10, "320 316"); // New Game
    s.at(40, "shot " + data + "/../campaign-choose.png");
    s.at(45, "key ENTER"); // the first mission, the only one open
    const int period = 440;
    for (int m = 0; m < 3; m++) {
        int start = 50 + m * period;
        s.at(start + 40, "shot " + data + "/../campaign-mission" + std::to_string(m + 1) + ".png");
        s.click(start + 50, "340 210");
        s.at(start + 400, "key SPACE"); // the end screen
        s.at(start + 430, "shot " + data + "/../campaign-after" + std::to_string(m + 1) + ".png");
        s.at(start + 440, m < 2 ? "key Y" : "key ENTER"); // on to the next; the last box says all is won
    }
    s.at(50 + 3 * period + 40, "dump " + data + "/../campaign-end.txt");
    s.at(50 + 3 * period + 50, "quit");
    run r = play(data, s.out.str());
    ASSERT_EQ(r.status, 0) << r.err;
    size_t one = r.log.find("Campaign mission 1: The Keep\n"), two = r.log.find("Campaign mission 2: The Forest Road\n"),
           three = r.log.find("Campaign mission 3: The Crypt\n");
    ASSERT_NE(one, std::string::npos) << r.log.substr(r.log.size() > 800 ? r.log.size() - 800 : 0);
    ASSERT_NE(two, std::string::npos) << r.log.substr(r.log.size() > 800 ? r.log.size() - 800 : 0);
    ASSERT_NE(three, std::string::npos) << r.log.substr(r.log.size() > 800 ? r.log.size() - 800 : 0);
    EXPECT_LT(one, two);
    EXPECT_LT(two, three);
    EXPECT_NE(r.log.find("Loading Map: maps\\forest.dat", two), std::string::npos);
    EXPECT_NE(r.log.find("Loading Map: maps\\crypt.dat", three), std::string::npos);
    EXPECT_EQ(count(r.log, "Mission won\n"), 3u);
    EXPECT_EQ(count(r.log, "Mission lost"), 0u);
    EXPECT_NE(r.log.find("Mission won\n", three), std::string::npos) << "the crypt is won too";
    EXPECT_EQ(readtext(data + "/campaign.txt"), "vennor campaign\nopen 3\n");
    EXPECT_EQ(readtext(data + "/../campaign-end.txt").rfind("tick ", 0), 0u);
    EXPECT_NE(readtext(data + "/../campaign-end.txt").find("gamestate 1 "), std::string::npos) << "back at the menu";
}

// With the campaign's progress kept, "New Game" offers the missions opened;
// one not yet open cannot be chosen.
TEST(EndToEndCampaign, NewGameOffersTheMissionsOpenedAndRefusesTheRest) {
    std::string data = freshdata("campaignopen");
    onefoeeach(data);
    std::ofstream(data + "/campaign.txt") << "vennor campaign\nopen 2\n";
    script s;
    s.click(10, "320 316");
    s.at(40, "shot " + data + "/../open-choose.png");
    s.at(45, "key DOWN"); // the third, not open: refused
    s.at(50, "key ENTER");
    s.at(60, "key UP");
    s.at(65, "key ENTER"); // the forest road
    s.at(120, "dump " + data + "/../open-mission.txt");
    s.at(130, "quit");
    run r = play(data, s.out.str());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.log.find("Campaign mission 3"), std::string::npos);
    EXPECT_NE(r.log.find("Campaign mission 2: The Forest Road\n"), std::string::npos);
    EXPECT_EQ(r.log.find("Campaign mission 1"), std::string::npos) << "the furthest open is offered first";
}
