// The demo played headless: the computer's thief who starts hidden in the
// dark comes out to hunt the leader.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "playrun.h"
#include "testenv.h"

namespace {

struct dumped {
    int slot = 0, player = 0, x = 0, y = 0, state = 0, hidden = 0;
};

std::vector<dumped> unitsof(const std::string& path) {
    std::vector<dumped> units;
    std::istringstream in(readtext(path));
    std::string line;
    while (std::getline(in, line)) {
        dumped u;
        int type, health, magic, gold, frozen;
        if (std::sscanf(line.c_str(), "npc %d player %d type %d at %d %d state %d health %d magic %d gold %d frozen %d facing %*d frame %*d hidden %d",
                        &u.slot, &u.player, &type, &u.x, &u.y, &u.state, &health, &magic, &gold, &frozen, &u.hidden) == 11)
            units.push_back(u);
    }
    return units;
}

} // namespace

TEST(EndToEndThief, TheHiddenThiefLeavesHisCellWithinSixHundredTicks) {
    std::string data = freshdata("hiddenthief");
    std::string first = data + "/../hiddenthief-0.txt", later = data + "/../hiddenthief-1.txt";
    run r = play(data, "10 move 320 252\n20 ldown\n22 lup\n30 dump " + first + "\n630 dump " + later +
                           "\n640 key ESC\n660 key Y\n");
    ASSERT_EQ(r.status, 0) << r.err;
    int thief = 0, x = 0, y = 0;
    for (const dumped& u : unitsof(first))
        if (u.player != 0 && u.hidden) {
            EXPECT_EQ(thief, 0) << "one hidden unit of the computer's, not also slot " << u.slot;
            thief = u.slot, x = u.x, y = u.y;
        }
    ASSERT_NE(thief, 0) << "the demo has a hidden computer unit";
    bool seen = false;
    for (const dumped& u : unitsof(later)) {
        if (u.slot != thief) continue;
        seen = true;
        EXPECT_TRUE(u.x != x || u.y != y) << "slot " << thief << " still at " << x << "," << y;
    }
    EXPECT_TRUE(seen) << "slot " << thief << " is still in play";
}
