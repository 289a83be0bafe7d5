// A mission played headless to its end: won when the last computer unit
// falls, lost when the party does; the end screen, then the main menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <png.h>
#include <sstream>
#include <vector>

#include "playrun.h"
#include "testenv.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

namespace {

std::vector<u8> filebytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<u8>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void putfile(const std::string& path, const std::vector<u8>& bytes) {
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// Skeletons that strike for thousands.
void deadlyskeletons(const std::string& data) {
    std::string path = data + "/units/unit0.dat";
    std::vector<u8> bytes = filebytes(path);
    ASSERT_EQ(bytes.size(), (size_t)UNITTYPESIZE);
    unittyperec u{};
    unittypefromfile(bytes.data(), &u);
    u.damagemin = 255;
    u.damagemax = 9000;
    unittypetofile(&u, bytes.data());
    putfile(path, bytes);
}

struct picture {
    u32 width = 0, height = 0;
    std::vector<u8> rgb;
    const u8* at(u32 x, u32 y) const { return &rgb[((size_t)y * width + x) * 3]; }
};

picture readpng(const std::string& path) {
    picture p;
    std::vector<u8> png = filebytes(path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png.empty() || !png_image_begin_read_from_memory(&image, png.data(), png.size())) return p;
    image.format = PNG_FORMAT_RGB;
    p.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr)) return {};
    p.width = image.width, p.height = image.height;
    return p;
}

// The mean of r + g + b over a rectangle.
double brightness(const picture& p, u32 x0, u32 y0, u32 x1, u32 y1) {
    double sum = 0;
    for (u32 y = y0; y < y1; y++)
        for (u32 x = x0; x < x1; x++) sum += p.at(x, y)[0] + p.at(x, y)[1] + p.at(x, y)[2];
    return sum / ((double)(x1 - x0) * (y1 - y0));
}

// Pixels of the title row that are gold (the victory's) or red (the defeat's).
void titlecolours(const picture& p, int* gold, int* red) {
    *gold = *red = 0;
    for (u32 y = 120; y < 152; y++)
        for (u32 x = 240; x < 400; x++) {
            const u8* c = p.at(x, y);
            if (c[0] > 170 && c[1] > 130 && c[2] < 110) ++*gold;
            if (c[0] > 150 && c[1] < 70 && c[2] < 70) ++*red;
        }
}

int dumpedstate(const std::string& path) {
    int tick = -1, state = -1, cur = -1;
    std::istringstream in(readtext(path));
    std::string line;
    std::getline(in, line);
    std::sscanf(line.c_str(), "tick %d gamestate %d curnpc %d", &tick, &state, &cur);
    return state;
}

std::string withbase(std::string text, const std::string& base) {
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + base.size())) text.replace(at, 1, base);
    return text;
}

// Run Demo, then the script's mission part; the end screen is looked at
// at `endtick` and closed by a key; the menu is looked at after.
run playtoend(const std::string& data, const std::string& base, const std::string& mission, int endtick,
             const std::string& after = "") {
    std::string script = "10 move 320 252\n20 ldown\n22 lup\n60 shot @-mission.png\n" + mission;
    script += std::to_string(endtick) + " shot @-end.png\n" + std::to_string(endtick) + " dump @-end.txt\n";
    script += std::to_string(endtick + 20) + " key SPACE\n";
    script += std::to_string(endtick + 60) + " shot @-menu.png\n" + std::to_string(endtick + 60) + " dump @-menu.txt\n";
    return play(data, withbase(script + after, base));
}

// The end screen over the darkened view, its title in the outcome's colour;
// the main menu after the key.
void expectendscreen(const std::string& base, bool won) {
    picture mission = readpng(base + "-mission.png"), end = readpng(base + "-end.png"), menu = readpng(base + "-menu.png");
    ASSERT_EQ(end.width, 640u);
    ASSERT_EQ(mission.width, 640u);
    ASSERT_EQ(menu.width, 640u);
    double before = brightness(mission, 0, 0, 640, 90), after = brightness(end, 0, 0, 640, 90);
    EXPECT_GT(before, 30.0) << "the view above the box is lit";
    EXPECT_LT(after, before * 0.7) << "and darkened under the end screen";
    int gold, red;
    titlecolours(end, &gold, &red);
    if (won) {
        EXPECT_GT(gold, 80) << "a gold title";
        EXPECT_LT(red, 10);
    } else {
        EXPECT_GT(red, 80) << "a red title";
        EXPECT_LT(gold, 10);
    }
    titlecolours(mission, &gold, &red);
    EXPECT_LT(gold + red, 80) << "no such title over the mission itself";
    EXPECT_EQ(dumpedstate(base + "-end.txt"), 13) << "the end screen waits for a key or a click";
    EXPECT_EQ(dumpedstate(base + "-menu.txt"), 1) << "back in the main menu";
    EXPECT_FALSE(menu.rgb == end.rgb);
}

} // namespace

// One skeleton with a single point of health beside the leader; a click on
// it, and the leader fights until it falls.
TEST(EndToEndMissionEnd, TheLastEnemySlainWinsTheMission) {
    std::string data = freshdata("won");
    std::string base = data + "/../won";
    keeponly(data, "map0", {{104, 116, 117, 1}});
    // Run Demo once more from the menu: a new mission, not the old outcome.
    std::string again = "480 move 320 252\n490 ldown\n492 lup\n600 dump @-again.txt\n";
    run r = playtoend(data, base, "70 move 340 210\n75 ldown\n77 lup\n", 400, again);
    ASSERT_EQ(r.status, 0) << r.err;
    size_t started = r.log.find("Starting Main Game Loop ...\n");
    size_t won = r.log.find(" - GS: 04,  Mission won\n");
    ASSERT_NE(started, std::string::npos);
    ASSERT_NE(won, std::string::npos) << r.log.substr(r.log.size() > 400 ? r.log.size() - 400 : 0);
    EXPECT_LT(started, won);
    EXPECT_EQ(r.log.find("Mission lost"), std::string::npos);
    EXPECT_NE(r.log.find(", enemies slain 1, gold gathered 0, party's losses 0\n", won), std::string::npos) << "what the screen shows";
    expectendscreen(base, true);
    EXPECT_EQ(dumpedstate(base + "-again.txt"), 4) << "the second mission runs";
    EXPECT_EQ(r.log.find("Mission won", won + 20), std::string::npos) << "and is not won by the first one's tally";
}

// The leader alone among skeletons that strike for thousands.
TEST(EndToEndMissionEnd, TheLastOfThePartyFallenLosesTheMission) {
    std::string data = freshdata("lost");
    std::string base = data + "/../lost";
    keeponly(data, "map0", {{104, 116, 117, 30}});
    deadlyskeletons(data);
    // The screen opens at tick 176; a key at once is taken for one meant
    // for the fight and leaves it up.
    run r = playtoend(data, base, "185 key SPACE\n", 400);
    ASSERT_EQ(r.status, 0) << r.err;
    size_t lost = r.log.find(" - GS: 04,  Mission lost\n");
    ASSERT_NE(lost, std::string::npos) << r.log.substr(r.log.size() > 400 ? r.log.size() - 400 : 0);
    EXPECT_EQ(r.log.find("Mission won"), std::string::npos);
    EXPECT_NE(r.log.find("00000176 - GS: 13,  Mission time "), std::string::npos) << "the screen opened when the key came";
    EXPECT_NE(r.log.find(", enemies slain 0, gold gathered 0, party's losses 1\n", lost), std::string::npos) << "what the screen shows";
    expectendscreen(base, false);
}
