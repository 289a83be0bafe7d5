// The generated sound effects, read back the way a WAV loader would: the
// container first, then what the samples promise about length, level,
// clean ends and the rough character of each effect.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "tools/content/gen.h"
#include "tools/content/sounds.h"
#include "tools/content/wavwrite.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

struct Expect {
    const char* path;
    double min_s, max_s;
};

// Slot order; the lengths are what the game's uses can bear.
const Expect kExpect[] = {
    {"wave/click.wav", 0.03, 0.08},  {"wave/sound2.wav", 0.5, 0.9},  {"wave/sound3.wav", 0.4, 0.9},
    {"wave/sound4.wav", 0.3, 0.8},   {"wave/sound5.wav", 0.4, 0.9},  {"wave/sound6.wav", 0.3, 0.7},
    {"wave/sound7.wav", 0.08, 0.12}, {"wave/sound8.wav", 0.6, 1.2},  {"wave/sound9.wav", 0.2, 0.5},
    {"wave/sound10.wav", 1.0, 2.0},  {"wave/wingame.wav", 2.0, 3.0}, {"wave/chime1.wav", 1.0, 2.2},
};

uint32_t le(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

bool id_at(const Bytes& b, size_t at, const char* id) {
    return b.size() >= at + 4 && std::equal(id, id + 4, b.begin() + at);
}

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0, align = 0;
    std::vector<double> mono;  // channels averaged, full scale = 1
    std::string fault;         // empty when the file reads cleanly
    double seconds() const { return static_cast<double>(mono.size()) / rate; }
};

Wav refused(const char* why) {
    Wav w;
    w.fault = why;
    return w;
}

// Just enough of RIFF to hold the generator to its layout: "fmt " of exactly
// 16 bytes straight after WAVE, then "data" running to the end of the file.
Wav parse(const Bytes& b) {
    Wav w;
    if (b.size() < 44 || !id_at(b, 0, "RIFF") || !id_at(b, 8, "WAVE")) return refused("not RIFF/WAVE");
    if (le(b, 4, 4) != b.size() - 8) return refused("RIFF size is not the file's");
    if (!id_at(b, 12, "fmt ") || le(b, 16, 4) != 16) return refused("fmt chunk is not 16 bytes");
    w.format = static_cast<int>(le(b, 20, 2));
    w.channels = static_cast<int>(le(b, 22, 2));
    w.rate = static_cast<int>(le(b, 24, 4));
    w.align = static_cast<int>(le(b, 32, 2));
    w.bits = static_cast<int>(le(b, 34, 2));
    if (le(b, 28, 4) != static_cast<uint32_t>(w.rate * w.align)) return refused("byte rate disagrees");
    if (!id_at(b, 36, "data")) return refused("data does not follow fmt");
    uint32_t size = le(b, 40, 4);
    if (44 + size + (size & 1) != b.size()) return refused("data size is not the rest of the file");
    if (w.channels < 1 || w.align != w.channels * 2 || size % w.align) return refused("bad block layout");
    for (size_t at = 44; at < 44 + size; at += w.align) {
        double sum = 0.0;
        for (int c = 0; c < w.channels; ++c) sum += static_cast<int16_t>(le(b, at + 2 * c, 2)) / 32768.0;
        w.mono.push_back(sum / w.channels);
    }
    return w;
}

Bytes read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double db(double v) { return 20.0 * std::log10(std::max(v, 1e-9)); }

double peak(const std::vector<double>& s, size_t a, size_t b) {
    double p = 0.0;
    for (size_t i = a; i < b && i < s.size(); ++i) p = std::max(p, std::fabs(s[i]));
    return p;
}

double rms(const std::vector<double>& s, size_t a, size_t b) {
    b = std::min(b, s.size());
    double sum = 0.0;
    for (size_t i = a; i < b; ++i) sum += s[i] * s[i];
    return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0.0;
}

size_t at_time(const Wav& w, double t) { return static_cast<size_t>(t * w.rate); }

// The loudest 50 ms of RMS, and where it starts.
struct Loudest {
    double level = 0.0, start = 0.0;
};

Loudest loudest(const Wav& w) {
    size_t win = at_time(w, 0.05);
    Loudest best;
    for (size_t a = 0; a < w.mono.size(); a += win / 5) {
        double r = rms(w.mono, a, a + win) * std::sqrt(static_cast<double>(std::min(win, w.mono.size() - a)) / win);
        if (r > best.level) best = {r, static_cast<double>(a) / w.rate};
    }
    return best;
}

// A crude mean frequency: how fast the wave moves sample to sample against
// how big it is. Exact for a single sine.
double mean_hz(const Wav& w, size_t a, size_t b) {
    double diff = 0.0, energy = 0.0;
    for (size_t i = std::max<size_t>(a, 1); i < b && i < w.mono.size(); ++i) {
        diff += (w.mono[i] - w.mono[i - 1]) * (w.mono[i] - w.mono[i - 1]);
        energy += w.mono[i] * w.mono[i];
    }
    return w.rate / std::numbers::pi * std::asin(std::min(1.0, std::sqrt(diff / energy) / 2.0));
}

fs::path fresh_dir(const char* tag) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / (std::string(tag) + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

struct SoundRun {
    std::map<std::string, Bytes> files;
    std::string why;
    bool ok = false;
};

SoundRun generate(const char* tag, bool sheets) {
    fs::path dir = fresh_dir(tag);
    GenContext ctx{dir.string(), sheets ? (dir / "sheets").string() : std::string()};
    SoundRun r;
    r.ok = gen_sounds(ctx, r.why);
    for (const Expect& e : kExpect) r.files[e.path] = read_file(dir / e.path);
    if (sheets) r.files["sounds.png"] = read_file(dir / "sheets" / "sounds.png");
    fs::remove_all(dir);
    return r;
}

// Generated once for the whole suite; the second run is only for comparing.
const SoundRun& first_run() {
    static const SoundRun r = generate("sounds-a", true);
    return r;
}

std::map<std::string, Wav> decoded() {
    std::map<std::string, Wav> out;
    for (const auto& [path, bytes] : first_run().files)
        if (path != "sounds.png") out[path] = parse(bytes);
    return out;
}

const Wav& sound(const char* path) {
    static const std::map<std::string, Wav> all = decoded();
    return all.at(path);
}

const char* const kMainEffects[] = {"wave/sound2.wav",  "wave/sound3.wav", "wave/sound4.wav", "wave/sound5.wav",
                                    "wave/sound6.wav",  "wave/sound8.wav", "wave/sound9.wav", "wave/sound10.wav",
                                    "wave/wingame.wav", "wave/chime1.wav"};

}  // namespace

TEST(ContentSounds, StepSucceedsAndWritesEveryFile) {
    ASSERT_TRUE(first_run().ok) << first_run().why;
    for (const Expect& e : kExpect) EXPECT_FALSE(first_run().files.at(e.path).empty()) << e.path;
}

TEST(ContentSounds, ContainerIsPlainPcm16) {
    for (const Expect& e : kExpect) {
        const Wav& w = sound(e.path);
        ASSERT_EQ(w.fault, "") << e.path;
        EXPECT_EQ(w.format, 1) << e.path;
        EXPECT_EQ(w.bits, 16) << e.path;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << e.path << " rate " << w.rate;
        EXPECT_TRUE(w.channels == 1 || w.channels == 2) << e.path;
    }
}

TEST(ContentSounds, ParserRefusesBrokenContainers) {
    // The checks above are only as good as the parser's refusals.
    Bytes good = wav_encode16(std::vector<float>(100, 0.25f), 22050, 1);
    ASSERT_EQ(parse(good).fault, "");
    Bytes cut(good.begin(), good.end() - 2);
    EXPECT_NE(parse(cut).fault, "");
    Bytes longfmt = good;
    longfmt[16] = 18;
    EXPECT_NE(parse(longfmt).fault, "");
    Bytes badid = good;
    badid[8] = 'X';
    EXPECT_NE(parse(badid).fault, "");
}

TEST(ContentSounds, EncoderClampsInsteadOfWrapping) {
    Wav w = parse(wav_encode16({2.0f, -2.0f, 0.5f, -0.5f}, 44100, 1));
    ASSERT_EQ(w.fault, "");
    ASSERT_EQ(w.mono.size(), 4u);
    EXPECT_NEAR(w.mono[0], 32767.0 / 32768.0, 1e-9);
    EXPECT_NEAR(w.mono[1], -32767.0 / 32768.0, 1e-9);
    EXPECT_NEAR(w.mono[2], 0.5, 1.0 / 32768.0);
    EXPECT_NEAR(w.mono[3], -0.5, 1.0 / 32768.0);
    Wav stereo = parse(wav_encode16({0.5f, -0.5f, 0.25f, 0.25f}, 22050, 2));
    ASSERT_EQ(stereo.fault, "");
    EXPECT_EQ(stereo.channels, 2);
    ASSERT_EQ(stereo.mono.size(), 2u);
    EXPECT_NEAR(stereo.mono[1], 0.25, 1.0 / 32768.0);
}

TEST(ContentSounds, LengthsFitTheirUse) {
    for (const Expect& e : kExpect) {
        const Wav& w = sound(e.path);
        EXPECT_GE(w.seconds(), e.min_s) << e.path;
        EXPECT_LE(w.seconds(), e.max_s) << e.path;
    }
}

TEST(ContentSounds, PeaksHaveHeadroomButAreNotFaint) {
    for (const Expect& e : kExpect) {
        double p = db(peak(sound(e.path).mono, 0, sound(e.path).mono.size()));
        EXPECT_LE(p, -2.9) << e.path;
        EXPECT_GE(p, -15.0) << e.path;
    }
}

TEST(ContentSounds, EndsAreSilentSoNothingClicks) {
    for (const Expect& e : kExpect) {
        const Wav& w = sound(e.path);
        size_t n = w.mono.size();
        EXPECT_LT(db(peak(w.mono, 0, at_time(w, 0.001))), -50.0) << e.path << " starts with a step";
        // Longer than the closing fade, so a sound cut off mid-ring fails here.
        EXPECT_LT(db(peak(w.mono, n - at_time(w, 0.010), n)), -40.0) << e.path << " is cut off";
    }
}

TEST(ContentSounds, MainEffectsAreAboutEquallyLoud) {
    double lo = 0.0, hi = -100.0;
    for (const char* p : kMainEffects) {
        double l = db(loudest(sound(p)).level);
        lo = std::min(lo, l);
        hi = std::max(hi, l);
    }
    EXPECT_LT(hi - lo, 7.0) << "loudest " << hi << " dB, quietest " << lo << " dB";
    EXPECT_GT(lo, -20.0);
}

TEST(ContentSounds, FrequentSoundsSitUnderTheRest) {
    double quietest_main = 0.0;
    for (const char* p : kMainEffects) quietest_main = std::min(quietest_main, db(loudest(sound(p)).level));
    for (const char* p : {"wave/click.wav", "wave/sound7.wav"})
        EXPECT_LT(db(loudest(sound(p)).level), quietest_main - 5.0) << p;
}

TEST(ContentSounds, FootstepIsShorterAndQuieterThanSwordHit) {
    const Wav& step = sound("wave/sound7.wav");
    const Wav& hit = sound("wave/sound3.wav");
    EXPECT_LT(step.seconds(), hit.seconds());
    EXPECT_LT(peak(step.mono, 0, step.mono.size()), peak(hit.mono, 0, hit.mono.size()));
    EXPECT_LT(loudest(step).level, loudest(hit).level);
}

TEST(ContentSounds, TimbreMatchesEachUse) {
    const Wav& step = sound("wave/sound7.wav");
    const Wav& click = sound("wave/click.wav");
    EXPECT_LT(mean_hz(step, 0, step.mono.size()), 600.0) << "a footstep should thud, not hiss";
    EXPECT_GT(mean_hz(click, 0, click.mono.size()), 1500.0) << "a click should be crisp";
    const Wav& hit = sound("wave/sound3.wav");
    // The clang's opening crack is brighter than the ring it leaves.
    EXPECT_GT(mean_hz(hit, 0, at_time(hit, 0.01)), mean_hz(hit, at_time(hit, 0.15), at_time(hit, 0.4)));
    const Wav& missile = sound("wave/sound5.wav");
    EXPECT_GT(mean_hz(missile, at_time(missile, 0.28), at_time(missile, 0.4)),
              1.5 * mean_hz(missile, at_time(missile, 0.05), at_time(missile, 0.17)))
        << "the cast should rise in pitch as it gathers";
}

TEST(ContentSounds, EnvelopesMatchEachUse) {
    const Wav& swish = sound("wave/sound9.wav");
    double mid = loudest(swish).start + 0.025;
    EXPECT_GT(mid, 0.25 * swish.seconds()) << "a swing swells, it does not start at full force";
    EXPECT_LT(mid, 0.75 * swish.seconds());
    const Wav& chime = sound("wave/chime1.wav");
    double ring = db(rms(chime.mono, at_time(chime, 1.0), at_time(chime, 1.05)));
    EXPECT_LT(ring, db(loudest(chime).level) - 15.0) << "the chime should die away";
    EXPECT_GT(ring, -60.0) << "but still ring a second after the strike";
    const Wav& fanfare = sound("wave/wingame.wav");
    double held = db(rms(fanfare.mono, at_time(fanfare, 1.9), at_time(fanfare, 1.95)));
    EXPECT_GT(held, db(loudest(fanfare).level) - 10.0) << "the closing chord should be held";
}

TEST(ContentSounds, OutputIsIdenticalAcrossRuns) {
    SoundRun again = generate("sounds-b", true);
    ASSERT_TRUE(again.ok) << again.why;
    for (const auto& [path, bytes] : first_run().files) EXPECT_TRUE(bytes == again.files.at(path)) << path;
}

TEST(ContentSounds, SheetIsAPngWhenAskedFor) {
    const Bytes& png = first_run().files.at("sounds.png");
    const uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), sizeof sig);
    EXPECT_TRUE(std::equal(sig, sig + sizeof sig, png.begin()));
}
