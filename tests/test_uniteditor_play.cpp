// The unit editor played headless on a copy of the generated data: from the
// map editor's menu, through a failed save (the reason, then "Leave without
// saving?" answered No and then Yes), to the facing and type it leaves for
// the map editor's unit tool; then a compile, an edit in "Edit Unit" and a
// save that keeps the old files as backups.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "playrun.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace fs = std::filesystem;

static std::string bytesat(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "(absent)";
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

static size_t count(const std::string& log, const std::string& what) {
    size_t n = 0;
    for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) n++;
    return n;
}

static std::vector<std::string> unitfiles() {
    std::vector<std::string> names;
    for (int n = 0; n < NUMUNITTYPES; n++)
        for (const char* stem : {"newunitpic%d.raw", "newunitpic%d.dat", "unit%d.dat"}) {
            char name[64];
            std::snprintf(name, sizeof name, stem, n);
            names.push_back(std::string("units/") + name);
        }
    return names;
}

// Main menu -> Map Editor -> right button -> "Unit Editor".
static const char* const intoeditor = "5 move 320 288\n6 ldown\n7 lup\n40 move 300 200\n41 rdown\n42 move 310 263\n43 rup\n";

TEST(UnitEditorPlay, AFailedSaveAsksAndTheMapEditorGoesOnWithTheFacingAndTypeLeft) {
    std::string data = freshdata("uniteditor_failedsave");
    std::vector<std::string> before;
    for (const std::string& f : unitfiles()) before.push_back(bytesat(data + "/" + f));
    std::string npcbefore = bytesat(data + "/maps/map0.npc");
    fs::create_directories(data + "/units/unit5.da0"); // the set cannot be written
    std::string script = std::string(intoeditor) +
                         "60 key ESC\n70 key ENTER\n80 key N\n"          // failed save, stay
                         "90 key NUMPAD6\n91 key NUMPAD6\n95 move 280 50\n" // facing 6, set 3
                         "100 ldown\n101 lup\n110 key ENTER\n120 key Y\n"    // leave without saving
                         "130 move 130 420\n131 ldown\n132 lup\n"           // Place Unit
                         "140 move 330 250\n141 ldown\n142 lup\n"
                         "150 key ESC\n160 key Y\n170 quit\n";
    run r = play(data, script);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(r.log, "Units not saved: units/unit5.da0"), 2u) << "once per leaving";
    std::vector<std::string> files = unitfiles();
    for (size_t k = 0; k < files.size(); k++) EXPECT_TRUE(bytesat(data + "/" + files[k]) == before[k]) << files[k];
    std::string npcafter = bytesat(data + "/maps/map0.npc");
    ASSERT_EQ(npcafter.size(), npcbefore.size());
    int placed = 0;
    for (size_t slot = 0; slot * NPCRECSIZE < npcafter.size(); slot++) {
        npcrec was{}, now{};
        npcfromfile((const u8*)npcbefore.data() + slot * NPCRECSIZE, &was);
        npcfromfile((const u8*)npcafter.data() + slot * NPCRECSIZE, &now);
        if (was.isused || !now.isused) continue;
        placed++;
        EXPECT_EQ(now.unitno, 3u);
        EXPECT_EQ(now.facing, 6);
    }
    EXPECT_EQ(placed, 1);
}

TEST(UnitEditorPlay, ACompileAndAnEditAreSavedWithTheOldFilesAsBackups) {
    std::string data = freshdata("uniteditor_compile");
    // Set 2 starts empty: only the compile can bring its frames back.
    std::ofstream(data + "/units/newunitpic2.raw", std::ios::binary | std::ios::trunc);
    std::ofstream(data + "/units/newunitpic2.dat", std::ios::binary | std::ios::trunc) << std::string(UNITDIRSIZE, '\0');
    std::vector<std::string> files = unitfiles();
    std::vector<std::string> before;
    for (const std::string& f : files) before.push_back(bytesat(data + "/" + f));
    std::string script = std::string(intoeditor) +
                         "60 move 200 50\n61 rdown\n62 move 210 71\n63 rup\n" // Compile Unit Pics, set 2
                         "2000 move 200 50\n2001 rdown\n2002 move 210 57\n2003 rup\n" // Edit Unit 2
                         "2020 key TAB\n2021 text X\n2022 key ENTER\n"
                         "2030 key ESC\n2040 key ESC\n2050 key N\n2060 quit\n";
    for (const char* format : {"565", "555"}) {
        run r = play(data, script, std::string("--pixel-format ") + format);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(count(r.log, "Units not saved"), 0u);
        for (size_t k = 0; k < files.size(); k++) {
            std::string backup = files[k];
            backup.back() = '0';
            EXPECT_TRUE(bytesat(data + "/" + backup) == before[k]) << backup;
            std::string generated = bytesat(std::string(VENNOR_DATA) + "/" + files[k]);
            if (files[k] != "units/unit2.dat") {
                EXPECT_TRUE(bytesat(data + "/" + files[k]) == generated) << files[k] << " (set 2 compiled from the tree)";
            }
        }
        std::string t2 = bytesat(data + "/units/unit2.dat");
        ASSERT_EQ(t2.size(), (size_t)UNITTYPESIZE);
        std::string name = before[3 * 2 + 2].substr(1024, 32);
        name = name.substr(0, name.find('\0'));
        EXPECT_EQ(t2.substr(1024, name.size() + 2), name + "X" + '\0') << format;
        for (size_t k = 0; k < files.size(); k++) before[k] = bytesat(data + "/" + files[k]); // the next run's backups
    }
}
