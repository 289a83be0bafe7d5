// Which event plays which of the twelve sound slots, each heard through the
// game's own code: the slot named for the event plays once, and no other.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>

#include "app/random.h"
#include "commandworld.h"
#include "game/activity.h"
#include "game/mission.h"
#include "sound/dsound.h"
#include "sound/effects.h"
#include "testenv.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/npc.h"

namespace fs = std::filesystem;

namespace {

std::array<u32, NUMSOUNDS + 1> playcounts() {
    std::array<u32, NUMSOUNDS + 1> n{};
    for (int s = 1; s <= NUMSOUNDS; s++) n[(size_t)s] = ds_playcount(SoundBuffer[s]);
    return n;
}

// The slots that played while f ran, each as often as it played.
std::vector<int> heard(const std::function<void()>& f) {
    auto before = playcounts();
    f();
    auto after = playcounts();
    std::vector<int> out;
    for (int s = 1; s <= NUMSOUNDS; s++)
        for (u32 k = before[(size_t)s]; k < after[(size_t)s]; k++) out.push_back(s);
    return out;
}

void startsounds() {
    startcommandworld();
    ReleaseDSound();
    soundenabled = 1;
    fs::copy(fs::path(VENNOR_DATA) / "wave", fs::path(testdatadir()) / "wave",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_EQ(InitDSound(nullptr), 1u);
    for (int n = 1; n <= NUMSOUNDS; n++) ASSERT_EQ(LoadSound(n, wavefiles[n]), 1u) << n;
}

} // namespace

TEST(SoundEvents, EachEventPlaysItsOwnSlot) {
    startsounds();
    using slots = std::vector<int>;
    int leader = placeunit(1, 0, VIEWX, VIEWY);
    int foe = placeunit(0, 1, VIEWX + 1, VIEWY);
    EXPECT_EQ(heard([&] { takestep(leader, 5); }), slots{SOUND_STEP}) << "a step onto the next cell";
    itemmap[cellof(VIEWX + 3, VIEWY + 3)] = 181;
    EXPECT_EQ(heard([&] { pickupitem(leader, (u32)cellof(VIEWX + 3, VIEWY + 3)); }), slots{SOUND_PICKUP}) << "a find";
    itemmap[cellof(VIEWX + 4, VIEWY + 4)] = ITEM_CHEST;
    EXPECT_EQ(heard([&] { useitem(leader, (u32)cellof(VIEWX + 4, VIEWY + 4)); }), slots{SOUND_CHEST}) << "a chest";

    // A blow lands or misses by the game's die: both are heard in turn.
    npcrec& l = *npc[leader];
    int hits = 0, misses = 0;
    for (int k = 0; k < 40 && !(hits && misses); k++) {
        npc[foe]->health = 30000;
        npc[foe]->state = NPC_IDLE;
        l.destoff = (u16)npc[foe]->mapoff;
        slots s = heard([&] { resolveattack(leader); });
        ASSERT_EQ(s.size(), 1u);
        hits += s[0] == SOUND_HIT;
        misses += s[0] == SOUND_MISS;
        EXPECT_TRUE(s[0] == SOUND_HIT || s[0] == SOUND_MISS) << s[0];
    }
    EXPECT_GT(hits, 0);
    EXPECT_GT(misses, 0);

    int archer = placeunit(2, 0, VIEWX - 3, VIEWY);
    npc[archer]->destx = (u8)(VIEWX + 1), npc[archer]->desty = (u8)VIEWY;
    EXPECT_EQ(heard([&] { resolveattack(archer); }), slots{SOUND_BOW}) << "an archer's shot";
    int mage = placeunit(4, 0, VIEWX - 3, VIEWY - 2);
    npc[mage]->destx = (u8)(VIEWX + 1), npc[mage]->desty = (u8)VIEWY;
    EXPECT_EQ(heard([&] { resolveattack(mage); }), slots{SOUND_MAGIC}) << "a mage's missile";
}
