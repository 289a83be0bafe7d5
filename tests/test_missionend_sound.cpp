// The outcome as the mission frame meets it: its log line and its sound
// once, a fall's sound for every frame in which someone fell, and the
// saved game's effect.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/timer.h"
#include "game/missionend.h"
#include "game/missionstats.h"
#include "sound/effects.h"
#include "platform/winmsg.h"
#include "testenv.h"
#include "text/boxes.h"
#include "text/font.h"
#include "text/widget.h"
#include "world/npc.h"

namespace {

namespace fs = std::filesystem;

class MissionEndSound : public ::testing::Test {
  protected:
    void SetUp() override {
        starttestplatform();
        ReleaseDSound();
        soundenabled = 1;
        tickcount = 0;
        gamestate = GS_COMBAT;
        ASSERT_TRUE(opendebuglog());
        fs::copy(fs::path(VENNOR_DATA) / "wave", fs::path(testdatadir()) / "wave",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ASSERT_EQ(InitDSound(nullptr), 1u);
        for (int n = 1; n <= NUMSOUNDS; n++) ASSERT_EQ(LoadSound(n, wavefiles[n]), 1u) << n;
        initnpc();
        for (int s = 1; s < NPCSLOTS; s++) npc[s]->state = NPC_EMPTY;
    }
    void TearDown() override {
        ReleaseDSound();
        closedebuglog();
    }
    static void unit(int slot) {
        npc[slot]->isused = 1;
        npc[slot]->state = NPC_IDLE;
        npc[slot]->health = 10;
    }
    static u32 plays(int slot) { return ds_playcount(SoundBuffer[slot]); }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
        return n;
    }
    static std::string logtext() { return readtext(testdatadir() + "/text/debug.log"); }
};

TEST_F(MissionEndSound, AWinSoundsAndIsLoggedOnce) {
    unit(1);
    unit(40);
    unit(41);
    startmissionstats();
    EXPECT_EQ(missionoutcome(), OUTCOME_NONE);
    npc[40]->state = NPC_DYING;
    EXPECT_EQ(missionoutcome(), OUTCOME_NONE);
    EXPECT_EQ(plays(SOUND_FALL), 1u) << "the first foe falls";
    npc[41]->state = NPC_DYING;
    npc[40]->state = NPC_DEAD;
    tickcount = 77;
    EXPECT_EQ(missionoutcome(), OUTCOME_WON);
    EXPECT_EQ(missionoutcome(), OUTCOME_WON);
    EXPECT_EQ(plays(SOUND_FALL), 2u) << "once per fall, not per frame";
    EXPECT_EQ(plays(SOUND_WINGAME), 1u);
    std::string log = logtext();
    EXPECT_EQ(count(log, "Mission won\n"), 1u) << log;
    EXPECT_NE(log.find("00000077 - GS: 04,  Mission won\n"), std::string::npos) << "the log's own prefix";
    EXPECT_EQ(log.find("Mission lost"), std::string::npos);
}

TEST_F(MissionEndSound, ADefeatIsLoggedWithoutTheWinSound) {
    unit(1);
    unit(2);
    unit(70);
    startmissionstats();
    npc[1]->state = NPC_DYING;
    EXPECT_EQ(missionoutcome(), OUTCOME_NONE) << "the companion stands";
    npc[2]->isused = 0;
    npc[2]->state = NPC_DEAD;
    EXPECT_EQ(missionoutcome(), OUTCOME_LOST);
    EXPECT_EQ(plays(SOUND_WINGAME), 0u);
    EXPECT_EQ(plays(SOUND_FALL), 2u);
    std::string log = logtext();
    EXPECT_EQ(count(log, "Mission lost\n"), 1u) << log;
    EXPECT_EQ(log.find("Mission won"), std::string::npos);
}

TEST_F(MissionEndSound, ASavedGameChimes) {
    playsavedsound();
    EXPECT_EQ(plays(SOUND_CHIME), 1u);
    EXPECT_EQ(plays(SOUND_CLICK), 0u);
}

// A press of a box's button clicks; a key that answers nothing does not.
TEST_F(MissionEndSound, ABoxButtonPressedClicks) {
    starttestdisplay();
    static std::vector<u8> blank[NUMFONTS];
    for (int f = 0; f < NUMFONTS; f++) {
        blank[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 0);
        font[f] = {glyphtables[f], blank[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
    buttonskin = nullptr;
    widget[1] = {260, 226, 48, 0, "Yes", 0, 0};
    widget[0] = {330, 226, 48, 0, "No", 0, 0};
    boxresult = 255;
    confirminput(WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(plays(SOUND_CLICK), 0u);
    confirminput(WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(plays(SOUND_CLICK), 1u);
    boxresult = 255;
    okboxinput(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(plays(SOUND_CLICK), 2u);
    EXPECT_EQ(plays(SOUND_FALL), 0u);
    boxresult = 255;
}

// The end screen comes once the fallen have fallen: 24 frames after the
// outcome while one is still dying, at once when none is. A full screen
// stack makes the end screen run no loop of its own, so each frame's answer
// can be read here.
TEST_F(MissionEndSound, TheEndWaitsForTheDyingThenComes) {
    cleargamestack();
    for (int i = 0; i < GAMESTACKSIZE; i++) ASSERT_TRUE(pushgamestate(GS_COMBAT));
    unit(1);
    unit(40);
    startmissionstats();
    EXPECT_FALSE(missionendcheck()) << "nothing decided";
    npc[40]->state = NPC_DYING; // the last foe falls
    for (int frame = 1; frame < 24; frame++) EXPECT_FALSE(missionendcheck()) << "frame " << frame;
    EXPECT_TRUE(missionendcheck()) << "frame 24";
    EXPECT_TRUE(missionendcheck()) << "still falling after the screen";
    // A side gone with no one left falling ends in the same frame.
    unit(1);
    unit(40);
    startmissionstats();
    npc[1]->isused = 0;
    npc[1]->state = NPC_DEAD;
    EXPECT_TRUE(missionendcheck());
    cleargamestack();
}

} // namespace
