// The sdl backend's sound card: SDL's dummy driver pulling all twelve
// effects through the mix, SDL's disk driver showing the very frames that
// reach a card, and --mute opening no card at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/platform.h"
#include "sound/dsound.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

// The real-window backend without a window: only sound is opened.
void startsdlplatform(const char* driver, bool mute = false) {
    starttestplatform();
    ReleaseDSound();
    setenv("SDL_AUDIODRIVER", driver, 1);
    platoptions o;
    o.datadir = testdatadir();
    o.mute = mute;
    std::string err;
    ASSERT_TRUE(plat_init(o, &err)) << err;
    ASSERT_TRUE(plat_makedir("wave"));
    for (int n = 1; n <= NUMSOUNDS; n++) ASSERT_TRUE(writewav(wavefiles[n], effectwav(n)));
}

void stopsdlplatform() {
    ReleaseDSound();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    starttestplatform();
}

bool playing(int slot) {
    u32 s = 0;
    ds_getstatus(SoundBuffer[slot], &s);
    return s & DSBSTATUS_PLAYING;
}

// Waits (in real time: the card's thread is mixing) until no slot sounds.
bool waitforsilence(double seconds) {
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        bool any = false;
        for (int n = 1; n <= NUMSOUNDS; n++) any |= playing(n);
        if (!any) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(SoundCard, TheDummyDriverTakesEveryEffectThroughTheMix) {
    startsdlplatform("dummy");
    ASSERT_EQ(InitDSound(nullptr), 1u);
    ASSERT_TRUE(ds_outputopen()) << "SDL's dummy audio driver is always built in";
    for (int n = 1; n <= NUMSOUNDS; n++) ASSERT_EQ(LoadSound(n, wavefiles[n]), 1u) << n;
    for (int n = 1; n <= NUMSOUNDS; n++) playsound(n);
    for (int n = 1; n <= NUMSOUNDS; n++) EXPECT_EQ(ds_startcount(SoundBuffer[n]), 1u) << n;
    EXPECT_TRUE(waitforsilence(3.0)) << "each 50 ms effect ran out";
    playsound(4);
    EXPECT_TRUE(waitforsilence(3.0));
    EXPECT_EQ(ds_startcount(SoundBuffer[4]), 2u) << "played again from the start";
    stopsdlplatform();
}

TEST(SoundCard, MuteOpensNoCardButPlaysAreStillCounted) {
    startsdlplatform("dummy", true);
    ASSERT_EQ(InitDSound(nullptr), 1u);
    EXPECT_FALSE(ds_outputopen());
    ASSERT_EQ(LoadSound(2, wavefiles[2]), 1u);
    playsound(2);
    EXPECT_EQ(ds_playcount(SoundBuffer[2]), 1u);
    stopsdlplatform();
}

TEST(SoundCard, TheDiskDriverRecordsTheMixedFramesUnchanged) {
    std::string raw = std::string(VENNOR_TEST_TMP) + "/sound-disk.raw";
    std::filesystem::create_directories(VENNOR_TEST_TMP);
    std::remove(raw.c_str());
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    startsdlplatform("disk");
    ASSERT_EQ(InitDSound(nullptr), 1u);
    if (!ds_outputopen()) {
        stopsdlplatform();
        GTEST_SKIP() << "this SDL has no disk audio driver";
    }
    // At the output's own format, so that the frames must arrive as written.
    bytes signal;
    for (int i = 1; i <= 3000; i++) {
        put16(signal, (u16)(i * 7));
        put16(signal, (u16)(-i * 7));
    }
    ASSERT_TRUE(writewav("wave\\signal.wav", pcmwav(2, 44100, 16, signal)));
    ASSERT_EQ(LoadSound(9, "wave\\signal.wav"), 1u);
    playsound(9);
    EXPECT_TRUE(waitforsilence(3.0));
    stopsdlplatform();

    std::ifstream in(raw, std::ios::binary);
    bytes out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t first = 0;
    while (first < out.size() && out[first] == 0) first++;
    first &= ~(size_t)3;
    ASSERT_GE(out.size(), first + signal.size()) << "the whole effect reached the card";
    EXPECT_EQ(bytes(out.begin() + first, out.begin() + first + signal.size()), signal);
    for (size_t i = first + signal.size(); i < out.size(); i++) ASSERT_EQ(out[i], 0) << "silence after, at " << i;
}

}  // namespace
