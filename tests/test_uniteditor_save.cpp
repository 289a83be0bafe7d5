// The unit editor's save: 36 files and their backups in one set, 5-5-5 on
// disk whatever memory holds, sets never loaded written back as read, names
// ending inside their 32 bytes, and nothing changed by a save that fails.
#include <gtest/gtest.h>

#include <cstring>

#include "app/gamestate.h"
#include "editor/uniteditor.h"
#include "platform/platform.h"
#include "platform/safewrite.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "uniteditorenv.h"

struct UnitEditorSave : keepunittool {};

static const std::vector<u8> raw0 = {0, 0, 1, 0xFF, 0x7F, 10, 0, 2, 0x21, 0x04, 0xE0, 0x03};

static void startsave(int format) {
    starttestdisplay(format);
    writeunitsets({0, 1, 2}, {raw0, {0, 0, 1, 0x1F, 0}, {}},
                  {unitdir({{0, 0, 5}, {48, 5, 7}}), unitdir({{1, 0, 5}}), unitdir({{5, 7, 9}, {200, 3, 1}})});
    initunit();
    // The "Saving Units" line and the boxes show over the text box.
    std::filesystem::copy_file(std::filesystem::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp",
                               unitpath("bitmaps/textbox.bmp"));
}

static std::string str(const std::vector<u8>& v) { return std::string(v.begin(), v.end()); }

TEST_F(UnitEditorSave, FilesAre555WhileMemoryKeeps565) {
    for (int format : {565, 555}) {
        startsave(format);
        u16 inmemory = (u16)(unitframe[0][0][3] | unitframe[0][0][4] << 8);
        EXPECT_EQ(inmemory, format == 565 ? 0xFFDF : 0x7FFF);
        std::string why;
        ASSERT_TRUE(saveunitfiles(&why)) << why;
        EXPECT_TRUE(filebytes("units/newunitpic0.raw") == str(raw0)) << format;
        EXPECT_EQ(unitframe[0][0][3] | unitframe[0][0][4] << 8, inmemory) << "memory is not converted back";
        u32 size;
        const u8* f = findunitframe(0, 0, 4, 0, &size);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f[3] | f[4] << 8, format == 565 ? 0x0841 : 0x0421);
        // Set 1's frame 1 at offset 0 comes back too.
        EXPECT_TRUE(filebytes("units/newunitpic1.raw") == str({0, 0, 1, 0x1F, 0}));
    }
}

TEST_F(UnitEditorSave, ASetNeverLoadedIsWrittenAsItWasRead) {
    startsave(565);
    std::string dir2 = filebytes("units/newunitpic2.dat");
    ASSERT_EQ(unitpicloaded[2], 0);
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why;
    EXPECT_TRUE(filebytes("units/newunitpic2.dat") == dir2);
    EXPECT_EQ(filebytes("units/newunitpic2.raw"), "");
    initunit();
    EXPECT_EQ(unitpicloaded[2], 0);
}

TEST_F(UnitEditorSave, OffsetsArePackedFromTheSizesInFrameOrder) {
    startsave(555);
    // Frame 0 empty, frame 1 behind it: frame 1 starts the raw file.
    unitpicdir[UNITFRAMES + 0] = 0;
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why;
    std::string dir = filebytes("units/newunitpic0.dat"), raw = filebytes("units/newunitpic0.raw");
    ASSERT_EQ(dir.size(), (size_t)UNITDIRSIZE);
    const u8* d = (const u8*)dir.data();
    EXPECT_EQ(getu32(d + (UNITFRAMES + 0) * 4), 0u);
    EXPECT_EQ(getu32(d + 48 * 4), 0u);
    EXPECT_EQ(getu32(d + (UNITFRAMES + 48) * 4), 7u);
    EXPECT_EQ(getu32(d + 49 * 4), 7u) << "an empty frame takes the running offset";
    EXPECT_EQ(raw, str(std::vector<u8>(raw0.begin() + 5, raw0.end())));
    initunit();
    u32 size;
    EXPECT_NE(findunitframe(0, 0, 4, 0, &size), nullptr) << "the frame now at offset 0 loads";
}

TEST_F(UnitEditorSave, NamesEndInsideTheirThirtyTwoBytes) {
    startsave(565);
    std::memset(unittype[4]->name, 'x', sizeof unittype[4]->name); // no end at all in memory
    std::memcpy(unittype[5]->name, "abcdefghijklmnopqrstuvwxyz0123", 31); // 30 and its NUL
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why;
    std::string t4 = filebytes("units/unit4.dat"), t5 = filebytes("units/unit5.dat");
    ASSERT_EQ(t4.size(), (size_t)UNITTYPESIZE);
    EXPECT_EQ(t4[1024 + 30], 'x');
    EXPECT_EQ(t4[1024 + 31], 0);
    EXPECT_EQ(t5.substr(1024, 31), std::string("abcdefghijklmnopqrstuvwxyz0123") + '\0');
    EXPECT_EQ(t4[1090], 4) << "the rest of the record is kept";
    // A 32-character name on disk is read with its end inside the field.
    std::vector<u8> t(t4.begin(), t4.end());
    std::memset(&t[1024], 'y', 32);
    putfile("units/unit4.dat", t);
    initunit();
    EXPECT_EQ(std::strlen(unittype[4]->name), 31u);
}

TEST_F(UnitEditorSave, TheFilesOnDiskBecomeTheBackups) {
    startsave(565);
    std::vector<std::string> names = unitfilenames();
    std::vector<std::string> first;
    for (int k = 0; k < 36; k++) first.push_back(filebytes(names[(size_t)k]));
    unittype[7]->healthmax = 77;
    unitpicraw[0][0] = 3; // frame 0's first skip
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why;
    for (int k = 0; k < 36; k++) EXPECT_TRUE(filebytes(names[(size_t)k + 36]) == first[(size_t)k]) << names[(size_t)k + 36];
    EXPECT_FALSE(filebytes("units/unit7.dat") == first[3 * 7 + 2]);
    EXPECT_EQ(filebytes("units/newunitpic0.raw")[0], 3);
    EXPECT_EQ(filebytes("units/newunitpic3.ra0"), "") << "set 3's backup: last character turned into 0";
}

TEST_F(UnitEditorSave, AFailureAtAnyStepKeepsAllSeventyTwoFiles) {
    startsave(565);
    std::string why;
    ASSERT_TRUE(saveunitfiles(&why)) << why; // backups exist from here on
    std::vector<std::string> names = unitfilenames();
    std::vector<std::string> before;
    for (const std::string& n : names) before.push_back(filebytes(n));
    unittype[2]->magicmax = 9;
    unitpicraw[0][0] = 4;
    int failures = 0;
    for (int n = 1; n < 1000; n++) {
        plat_safewritefailat(n);
        bool saved = saveunitfiles(&why);
        plat_safewritefailat(0);
        if (saved) break;
        failures++;
        EXPECT_FALSE(why.empty());
        for (size_t k = 0; k < names.size(); k++) ASSERT_TRUE(filebytes(names[k]) == before[k]) << "step " << n << ": " << names[k];
    }
    EXPECT_GT(failures, 72 * 3) << "72 files have more fallible steps than that";
    EXPECT_EQ(filebytes("units/newunitpic0.raw")[0], 4);
    for (int k = 0; k < 36; k++) EXPECT_TRUE(filebytes(names[(size_t)k + 36]) == before[(size_t)k]) << names[(size_t)k + 36];
}

// Leaving after a failed save: the reason in an OK box, then "Leave without
// saving?", with the edits still in memory and the files as they were. The
// headless run ends once its messages are used up, here in the first box;
// the question after it is seen in a scripted run.
static std::vector<std::string> failingsave() {
    startsave(565);
    std::filesystem::create_directories(unitpath("units/unit5.da0")); // a backup that cannot be replaced
    std::vector<std::string> before;
    for (const std::string& n : unitfilenames()) before.push_back(filebytes(n));
    unittype[5]->healthmax = 55;
    return before;
}

static void expectunchanged(const std::vector<std::string>& before) {
    std::vector<std::string> names = unitfilenames();
    for (size_t k = 0; k < names.size(); k++)
        if (names[k] != "units/unit5.da0") {
            EXPECT_TRUE(filebytes(names[k]) == before[k]) << names[k];
        }
    EXPECT_EQ(unittype[5]->healthmax, 55u);
}

TEST_F(UnitEditorSave, AFailedSaveOnLeavingSaysWhy) {
    std::vector<std::string> before = failingsave();
    gamestate = GS_EDITMAP;
    plat_postmessage(WM_KEYDOWN, VK_ESCAPE, 0);
    bool ended = false;
    try {
        rununiteditor();
    } catch (const processexit&) {
        ended = true;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(gamestate, GS_OKBOX);
    EXPECT_STREQ(boxtext, "Units not saved: units/unit5.da0 is not a regular file");
    expectunchanged(before);
}
