// A saved game written over one already there, failed at each of its
// steps: the old save stays byte for byte, nothing is left beside it, and
// the player is told why, in what savegameto says and in what F5 shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/timer.h"
#include "commandworld.h"
#include "game/party.h"
#include "game/savegame.h"
#include "game/savemenu.h"
#include "platform/safewrite.h"
#include "testenv.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/effects.h"
#include "world/npc.h"

namespace fs = std::filesystem;

namespace {

std::string savebytes(const std::string& name) { return readtext(testdatadir() + "/" + saveshownpath(name)); }

// The names in the saves folder, so that a temporary left behind shows.
std::vector<std::string> savesfolder() {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(testdatadir() + "/saves"))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<u16> screen() {
    lockvs();
    std::vector<u16> s((u16*)vsptr, (u16*)((u8*)vsptr + VSBYTES));
    unlockvs();
    return s;
}

void clearscreen() {
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
}

// The mission saved once into `name`; then its leader is hurt, so that a
// save that went through would change the file.
int savedworld(const std::string& name) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    clearpaths(); // as a mission starts: a path with no end is refused on load
    std::string said;
    plat_safewritefailat(0);
    EXPECT_TRUE(savegameto(name, &said)) << said;
    EXPECT_EQ(said, "Game saved");
    npc[leader]->health = 7;
    return leader;
}

// The fallible steps of a good save of the mission as it stands, counted
// on a save of its own name.
int stepsofasave() {
    std::string said;
    plat_safewritefailat(0);
    EXPECT_TRUE(savegameto("counted", &said)) << said;
    return plat_safewritesteps();
}

} // namespace

TEST(SaveGameWrite, EveryFailedStepKeepsTheOldSaveAndSaysWhy) {
    int leader = savedworld("slot1");
    const std::string old = savebytes("slot1");
    ASSERT_GT(old.size(), 1000u);
    int steps = stepsofasave();
    ASSERT_GT(steps, 3) << "create, write, flush, close and rename at the least";
    const std::vector<std::string> folder = savesfolder();
    for (int n = 1; n <= steps; n++) {
        std::string said;
        plat_safewritefailat(n);
        bool saved = savegameto("slot1", &said);
        plat_safewritefailat(0);
        EXPECT_FALSE(saved) << "step " << n;
        EXPECT_EQ(said.rfind("Game not saved to saves/slot1.sav: cannot ", 0), 0u) << "step " << n << ": " << said;
        EXPECT_NE(said.find("Input/output error"), std::string::npos) << "step " << n << ": " << said;
        ASSERT_EQ(savebytes("slot1"), old) << "step " << n;
        EXPECT_EQ(savesfolder(), folder) << "step " << n;
    }
    // The old save still loads as the game it was.
    std::string said;
    ASSERT_TRUE(loadgamefrom("slot1", &said)) << said;
    EXPECT_EQ(npc[leader]->health, 40);
    npc[leader]->health = 7;
    ASSERT_TRUE(savegameto("slot1", &said)) << said;
    EXPECT_NE(savebytes("slot1"), old) << "the save that went through wrote the hurt leader";
}

// F5's message is the one savegameto gave, drawn as the flash at the
// pointer, and it is not "Game saved"; the tick the game stands at is kept.
TEST(SaveGameWrite, AFailedQuickSaveShowsWhyAtEveryStep) {
    savedworld(QUICKSAVENAME);
    const std::string old = savebytes(QUICKSAVENAME);
    int steps = stepsofasave();
    // The first flash of a fresh world is drawn otherwise than every one
    // after it, whatever its words; the pictures compared are later ones.
    flashmessage("Game saved");
    clearscreen();
    flashmessage("Game saved");
    const std::vector<u16> success = screen();
    for (int n = 1; n <= steps; n++) {
        clearscreen();
        u32 tick = tickcount;
        plat_safewritefailat(n);
        quicksave();
        plat_safewritefailat(0);
        EXPECT_EQ((u32)tickcount, tick) << "step " << n;
        const std::vector<u16> shown = screen();
        ASSERT_EQ(savebytes(QUICKSAVENAME), old) << "step " << n;
        // The same step failed again, for the words F5 was given.
        std::string said;
        plat_safewritefailat(n);
        EXPECT_FALSE(savegameto(QUICKSAVENAME, &said));
        plat_safewritefailat(0);
        EXPECT_EQ(said.rfind("Game not saved to saves/quicksave.sav: ", 0), 0u) << said;
        clearscreen();
        flashmessage(said.c_str());
        EXPECT_TRUE(shown == screen()) << "step " << n << ": F5 did not show \"" << said << "\"";
        EXPECT_FALSE(shown == success) << "step " << n << ": F5 showed the message of a save that went through";
    }
    clearscreen();
    quicksave();
    EXPECT_TRUE(screen() == success);
    EXPECT_NE(savebytes(QUICKSAVENAME), old);
}
