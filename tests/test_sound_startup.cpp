// The game's start-up with sound: the twelve effects load in slot order
// from the data tree, and a broken one ends the program as it should.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sound/dsound.h"
#include "test_soundwav.h"
#include "testenv.h"

namespace {

namespace fs = std::filesystem;

// A copy of the generated tree whose wave folder holds our own effects.
std::string treewithwaves(const std::string& name) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir.parent_path());
    fs::copy(VENNOR_DATA, dir, fs::copy_options::recursive);
    fs::remove_all(dir / "wave");
    fs::create_directories(dir / "wave");
    for (int n = 1; n <= NUMSOUNDS; n++) {
        std::string file = std::string(wavefiles[n]).substr(5); // past "wave\"
        bytes b = effectwav(n);
        std::ofstream(dir / "wave" / file, std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
    }
    return dir.string();
}

struct result {
    int status;
    std::string log;
};

result rungame(const std::string& data, const std::string& extra = "") {
    std::string script = data + ".script";
    std::ofstream(script) << "2 move 10 10\n";
    std::string cmd = std::string(VENNOR_EXE) + " --headless --data " + data + " --play " + script + " " + extra +
                      " 2>/dev/null";
    int st = std::system(cmd.c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(data + "/text/debug.log")};
}

// The log from set-up to the last effect, without the line prefixes.
std::string soundlines(const std::string& log) {
    std::string out;
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find('\n', at);
        std::string line = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
        size_t p = line.find("GS: ");
        std::string text = p == std::string::npos ? line : line.substr(line.find(",  ", p) + 3);
        if (text.find("Sound") != std::string::npos || text.find("DSound") != std::string::npos ||
            text.find("Failed") != std::string::npos)
            out += text + "\n";
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return out;
}

std::string wantedlines(int upto) {
    std::string s = "InitDSound ...\nInitDSound complete.\n";
    for (int n = 1; n <= upto; n++) s += "Loading Sound " + std::to_string(n) + " ... " + wavefiles[n] + "\n";
    return s;
}

TEST(SoundStartUp, TwelveOwnEffectsLoadInSlotOrderWithAndWithoutMute) {
    for (const char* extra : {"", "--mute"}) {
        std::string data = treewithwaves(std::string("sound-start") + (*extra ? "-mute" : ""));
        result r = rungame(data, extra);
        EXPECT_EQ(r.status, 0) << extra;
        EXPECT_EQ(soundlines(r.log), wantedlines(NUMSOUNDS)) << extra << "\n" << r.log;
        EXPECT_EQ(r.log.find("Unable to load sound!"), std::string::npos) << extra;
    }
}

TEST(SoundStartUp, TheGeneratedEffectsLoad) {
    std::string data = (fs::path(VENNOR_TEST_TMP) / "sound-generated").string();
    fs::remove_all(data);
    fs::copy(VENNOR_DATA, data, fs::copy_options::recursive);
    result r = rungame(data);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(soundlines(r.log), wantedlines(NUMSOUNDS)) << r.log;
}

TEST(SoundStartUp, AFileThatIsNotAWaveEndsTheStartWithTheBox) {
    std::string data = treewithwaves("sound-broken");
    std::ofstream(fs::path(data) / "wave" / "sound5.wav", std::ios::binary) << "RIFX0000WAVEfmt ";
    result r = rungame(data);
    EXPECT_EQ(soundlines(r.log), wantedlines(5) + "WaveOpenFile() Failed!\n") << "nothing after slot 5 is tried";
    EXPECT_NE(r.log.find("WaveOpenFile() Failed!\nGame Exit ... \nUnknown Error!\nUnable to load sound!\n"
                         "wave\\sound5.wav\n"),
              std::string::npos)
        << r.log;
}

}  // namespace
