// The land editor's sections and its file: a cut of a source bitmap gives
// back the generated tiles, the file is 5-5-5 with the old one as backup, a
// failed save changes nothing on disk, and a bitmap that cannot be read is
// refused. Whole visits run from scripts through the file dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/input.h"
#include "editor/filedialog.h"
#include "editor/landcut.h"
#include "editor/selectlist.h"
#include "landeditorenv.h"
#include "platform/safewrite.h"
#include "text/boxes.h"
#include "video/display.h"
#include "world/rle.h"

using namespace landenv;

static std::vector<u16> tilecopy(int n) { return std::vector<u16>(landrawdataptr[n], landrawdataptr[n] + TILEPIXELS); }

static bool sametiles(int a, int b, int count) {
    for (int k = 0; k < count; k++)
        if (tilecopy(a + k) != tilecopy(b + k)) return false;
    return true;
}

// Generated source "meadow.bmp" shows section 5 (tiles 80..95).
class LandCut : public ::testing::TestWithParam<int> {};

TEST_P(LandCut, ACutOfAGeneratedSourceGivesBackItsTilesExactly) {
    start(GetParam());
    copydata("terrain/meadow.bmp");
    std::string before = bytesof("terrain/terrain.raw");
    ASSERT_FALSE(sametiles(80, 1264, 16));
    landtype[1264]->ohmapcolor = 0;
    ASSERT_TRUE(drawlandsource((testdatadir() + "/terrain/meadow.bmp").c_str()));
    cutlandsection(1264);
    for (int k = 0; k < 16; k++) EXPECT_EQ(tilecopy(1264 + k), tilecopy(80 + k)) << "tile " << k;
    EXPECT_EQ(landtype[1264]->ohmapcolor, landtype[80]->ohmapcolor) << "the overhead map colour follows the picture";
    EXPECT_NE(landtype[1264]->ohmapcolor, 0);
    // On disk too: the file's tiles 1264.. are its tiles 80.., the rest unchanged.
    std::string why;
    ASSERT_TRUE(saveterrain(&why)) << why;
    std::string after = bytesof("terrain/terrain.raw");
    ASSERT_EQ(after.size(), (size_t)TERRAINBYTES);
    EXPECT_TRUE(after.substr(1264 * TILEBYTES) == before.substr(80 * TILEBYTES, 16 * TILEBYTES));
    EXPECT_TRUE(after.substr(0, 1264 * TILEBYTES) == before.substr(0, 1264 * TILEBYTES));
    EXPECT_TRUE(bytesof("terrain/terrain.ra0") == before);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, LandCut, ::testing::Values(555, 565));

TEST(LandCutGeometry, EachTileComesFromItsDiamondOnTheScreen) {
    start(555);
    // Colour = the 20-pixel column and 10-pixel row band, so each diamond's
    // centre tells where it was taken from.
    writebmp("terrain/bands.bmp", 160, 80, [](int x, int y) { return (u32)((x / 20) << 19 | ((y + 1) / 10) << 11 | 0x08); });
    ASSERT_TRUE(drawlandsource((testdatadir() + "/terrain/bands.bmp").c_str()));
    cutlandsection(320);
    static const int ab[16][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {1, 2},
                                  {0, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}};
    for (int k = 0; k < 16; k++) {
        int a = ab[k][0], b = ab[k][1];
        int x = 60 + 20 * (b - a), y = 60 - 10 * (a + b);
        const u16* t = landrawdataptr[320 + k];
        // Row 10 (pixels 180..219) spans columns x .. x + 39 of screen row
        // y + 10, which is bitmap row y + 9; row 1 (pixels 0..3) is bitmap row y.
        EXPECT_EQ((t[180] >> 10) & 31, x / 20) << k;
        EXPECT_EQ((t[219] >> 10) & 31, x / 20 + 1) << k;
        EXPECT_EQ((t[180] >> 5) & 31, y / 10 + 1) << k;
        EXPECT_EQ((t[0] >> 5) & 31, y / 10) << k;
    }
}

TEST(LandCutGeometry, ASmallBitmapLeavesTheRestBlackAndTheLastTileIsTheLimit) {
    start(565);
    writesolidbmp("terrain/small.bmp", 60, 30, 0xF8FCF8);
    ASSERT_TRUE(drawlandsource((testdatadir() + "/terrain/small.bmp").c_str()));
    cutlandsection(1264);
    EXPECT_EQ(tilecopy(1264), std::vector<u16>(TILEPIXELS, 0)) << "tile 0's box (60, 60) is below the picture";
    // Tile 10 (back 3, 1) is taken from (20, 20): its row 10 is screen row 30,
    // the picture's last, columns 20..59; its row 11 lies below the picture.
    const u16* t = landrawdataptr[1264 + 10];
    EXPECT_EQ(t[180], 0xFFFF);
    EXPECT_EQ(t[219], 0xFFFF);
    EXPECT_EQ(t[220], 0);
    // Tile 12 (back 3, 3) from (60, 0): just right of the picture.
    EXPECT_EQ(landrawdataptr[1264 + 12][180], 0);
    // A section starting at 1272 writes 1272..1279 and stops there.
    std::vector<u16> before1271 = tilecopy(1271), before1279 = tilecopy(1279);
    writesolidbmp("terrain/small.bmp", 160, 80, 0x808080);
    ASSERT_TRUE(drawlandsource((testdatadir() + "/terrain/small.bmp").c_str()));
    cutlandsection(1272);
    EXPECT_EQ(tilecopy(1271), before1271);
    EXPECT_NE(tilecopy(1279), before1279);
}

TEST(LandSave, TheFileIs555WithTheOldFileAsBackup) {
    start(565);
    std::string before = bytesof("terrain/terrain.raw");
    landrawdataptr[3][0] = 0xFFFF;           // white: 5-5-5 0x7FFF
    landrawdataptr[3][1] = (u16)(1 << 5);    // the lowest green bit alone is lost
    landrawdataptr[3][2] = (u16)(0x1F << 11 | 0x2A << 5 | 0x11);
    std::string why;
    ASSERT_TRUE(saveterrain(&why)) << why;
    std::string after = bytesof("terrain/terrain.raw");
    ASSERT_EQ(after.size(), (size_t)TERRAINBYTES);
    auto word = [&](size_t at) { return (u16)((u8)after[at] | (u8)after[at + 1] << 8); };
    EXPECT_EQ(word(3 * TILEBYTES), 0x7FFF);
    EXPECT_EQ(word(3 * TILEBYTES + 2), 0);
    EXPECT_EQ(word(3 * TILEBYTES + 4), 0x1F << 10 | 0x15 << 5 | 0x11);
    EXPECT_TRUE(after.substr(4 * TILEBYTES) == before.substr(4 * TILEBYTES)) << "565 and back is exact for the loaded tiles";
    EXPECT_TRUE(bytesof("terrain/terrain.ra0") == before);
    EXPECT_NE(readtext(testdatadir() + "/text/debug.log").find("Converting terrain raw data to 565 ...\n"), std::string::npos);
    // Reloaded, the pixel comes back without that bit.
    initland();
    EXPECT_EQ(landrawdataptr[3][1], 0);
    EXPECT_EQ(landrawdataptr[3][2], to565(0x1F << 10 | 0x15 << 5 | 0x11));
}

TEST(LandSave, In555ModeTheBytesAreWrittenAsTheyAre) {
    start(555);
    landrawdataptr[3][1] = 0x7FFF;
    landrawdataptr[3][2] = 0x0021;
    std::string why;
    ASSERT_TRUE(saveterrain(&why)) << why;
    std::string after = bytesof("terrain/terrain.raw");
    EXPECT_EQ((u8)after[3 * TILEBYTES + 2], 0xFF);
    EXPECT_EQ((u8)after[3 * TILEBYTES + 3], 0x7F);
    EXPECT_EQ((u8)after[3 * TILEBYTES + 4], 0x21);
    EXPECT_EQ(readtext(testdatadir() + "/text/debug.log").find("Converting"), std::string::npos);
}

TEST(LandSave, AFailureAtAnyStepKeepsTheFileAndItsBackup) {
    start(565);
    std::string why;
    landrawdataptr[5][0] = 0x1234;
    ASSERT_TRUE(saveterrain(&why)) << why; // now there is a backup too
    std::string raw = bytesof("terrain/terrain.raw"), ra0 = bytesof("terrain/terrain.ra0");
    ASSERT_TRUE(raw != ra0);
    landrawdataptr[5][0] = 0x4321;
    int failures = 0;
    for (int n = 1; n < 100; n++) {
        plat_safewritefailat(n);
        why.clear();
        bool saved = saveterrain(&why);
        plat_safewritefailat(0);
        if (saved) break;
        failures++;
        EXPECT_FALSE(why.empty());
        ASSERT_TRUE(bytesof("terrain/terrain.raw") == raw) << "step " << n;
        ASSERT_TRUE(bytesof("terrain/terrain.ra0") == ra0) << "step " << n;
    }
    EXPECT_GT(failures, 6) << "two files have more fallible steps than that";
    EXPECT_TRUE(bytesof("terrain/terrain.ra0") == raw);
    EXPECT_TRUE(bytesof("terrain/terrain.raw") != raw);
}

TEST(LandVisit, EscapeWithoutAChangeStillWritesBothFiles) {
    start(565);
    std::string before = bytesof("terrain/terrain.raw");
    ASSERT_EQ(bytesof("terrain/terrain.ra0"), "(absent)");
    runscripted("1 move 515 5\n2 key ESC\n");
    EXPECT_TRUE(bytesof("terrain/terrain.ra0") == before);
    EXPECT_TRUE(bytesof("terrain/terrain.raw") == before);
    EXPECT_STREQ(boxtext, "Saving Terrain Data ...");
    EXPECT_EQ(gamestate, GS_EDITMAP);
}

// The list's second entry, then the file dialog's file row `row` twice
// clicked, then the answer to "Use this one?".
static std::string createsection(int row, const char* answer) {
    std::string y = std::to_string(125 + 14 * row);
    return "1 move 515 5\n10 rdown\n20 move 500 19\n30 rup\n"
           "100 move 330 " + y + "\n101 ldown\n102 lup\n103 ldown\n104 lup\n" + (*answer ? std::string("200 key ") + answer + "\n" : "");
}

TEST(LandVisit, ASectionIsCutFromTheChosenBitmapAndSaved) {
    start(565);
    copydata("terrain/meadow.bmp");
    std::string before = bytesof("terrain/terrain.raw");
    landselected = 32; // page 0, tiles 32..47
    runscripted(createsection(0, "Y") + "300 move 515 5\n301 key ESC\n");
    EXPECT_TRUE(sametiles(32, 80, 16));
    std::string after = bytesof("terrain/terrain.raw");
    EXPECT_TRUE(after.substr(32 * TILEBYTES, 16 * TILEBYTES) == before.substr(80 * TILEBYTES, 16 * TILEBYTES));
    EXPECT_TRUE(bytesof("terrain/terrain.ra0") == before);
}

TEST(LandVisit, NoKeepsTheTilesAndTheDialogOpensAgainWhereItWas) {
    start(565);
    copydata("terrain/meadow.bmp");
    std::vector<u16> tile32 = tilecopy(32);
    landselected = 32;
    currentland = 0;
    // No, then Escape in the reopened dialog, then a click leaves the page (an
    // Escape that reached the page instead would leave without the click).
    runscripted(createsection(0, "N") + "300 key ESC\n400 move 515 5\n401 ldown\n402 lup\n");
    EXPECT_EQ(tilecopy(32), tile32);
    EXPECT_EQ(currentland, 32);
}

// A double click at (x, y) from tick t on.
static std::string dbl(int t, int x, int y) {
    std::string at = " move " + std::to_string(x) + " " + std::to_string(y) + "\n";
    return std::to_string(t) + at + std::to_string(t + 1) + " ldown\n" + std::to_string(t + 2) + " lup\n" +
           std::to_string(t + 3) + " ldown\n" + std::to_string(t + 4) + " lup\n";
}

TEST(LandVisit, AfterNoTheDialogShowsTheFolderItWasLeftIn) {
    start(565);
    fs::create_directories("terrain/more");
    fs::copy_file(fs::path(VENNOR_DATA) / "terrain" / "meadow.bmp", "terrain/more/meadow.bmp");
    landselected = 32;
    // The list, then folder row 1 ("more") and its file row 0, No; the dialog
    // comes back in "more", whose file row 0 is taken with Yes ("terrain"
    // itself has no bitmap to take).
    runscripted("1 move 515 5\n10 rdown\n20 move 500 19\n30 rup\n" + dbl(100, 100, 139) + dbl(200, 330, 125) +
                "300 key N\n" + dbl(400, 330, 125) + "500 key Y\n600 move 515 5\n601 key ESC\n");
    EXPECT_TRUE(sametiles(32, 80, 16));
}

// The next creation starts in "terrain" again, whatever folder the last
// one ended in.
TEST(LandVisit, EachNewSectionsDialogOpensInTerrain) {
    start(565);
    fs::create_directories("terrain/more");
    fs::copy_file(fs::path(VENNOR_DATA) / "terrain" / "meadow.bmp", "terrain/more/meadow.bmp");
    copydata("terrain/cobbles.bmp"); // section 17, tiles 272..287
    landselected = 32;
    // Into "more", No, its meadow with Yes onto 32; then the pointer on
    // the fourth section (48) and a new section from the dialog's file row
    // 0, which is "terrain"'s cobbles.
    runscripted("1 move 515 5\n10 rdown\n20 move 500 19\n30 rup\n" + dbl(100, 100, 139) + dbl(200, 330, 125) +
                "300 key N\n" + dbl(400, 330, 125) + "500 key Y\n" + "600 move 540 310\n" +
                "700 move 515 5\n710 rdown\n720 move 500 19\n730 rup\n" + dbl(800, 330, 125) +
                "900 key Y\n1000 move 515 5\n1001 key ESC\n");
    EXPECT_TRUE(sametiles(32, 80, 16));
    EXPECT_TRUE(sametiles(48, 272, 16)) << "the second dialog opened where the first was left";
}

static void brokensource() {
    start(565);
    std::ofstream("terrain/broken.bmp") << "BM not a picture";
    landselected = 16;
}

TEST(LandVisit, ABitmapThatCannotBeReadIsNamedAndChangesNothing) {
    brokensource();
    std::vector<std::vector<u16>> tiles;
    for (int k = 0; k < 16; k++) tiles.push_back(tilecopy(16 + k));
    // The script ends while the OK box is up, so its text can be read.
    runscripted(createsection(0, ""), false);
    EXPECT_STREQ(boxtext, "Unable to load broken.bmp");
    EXPECT_TRUE(boxes.empty()) << "not the fatal box: " << (boxes.empty() ? "" : boxes.back().text);
    for (int k = 0; k < 16; k++) EXPECT_EQ(tilecopy(16 + k), tiles[k]) << k;
    // The OK box takes Enter; the page comes back and Escape leaves.
    brokensource();
    std::string before = bytesof("terrain/terrain.raw");
    runscripted(createsection(0, "ENTER") + "300 move 515 5\n301 key ESC\n");
    for (int k = 0; k < 16; k++) EXPECT_EQ(tilecopy(16 + k), tiles[k]) << k;
    EXPECT_TRUE(bytesof("terrain/terrain.raw") == before);
    EXPECT_TRUE(boxes.empty()) << "not the fatal box: " << (boxes.empty() ? "" : boxes.back().text);
    // drawlandsource refuses a missing file the same way.
    EXPECT_FALSE(drawlandsource((testdatadir() + "/terrain/gone.bmp").c_str()));
}

TEST(LandVisit, AFailedSaveIsReportedAndNoGoesBackToThePage) {
    start(565);
    fs::create_directories("terrain/terrain.ra0"); // a folder where the backup must go
    std::string before = bytesof("terrain/terrain.raw");
    landselected = 48;
    currentland = 0;
    // Escape: not saved (OK box, Enter), "Leave without saving?" No; a click on
    // the page leaves again: not saved, OK, Yes.
    runscripted("1 move 515 5\n2 key ESC\n100 key ENTER\n200 key N\n300 ldown\n301 lup\n400 key ENTER\n500 key Y\n");
    EXPECT_EQ(currentland, 48) << "the page took the click after No";
    EXPECT_STREQ(boxtext, "Leave without saving?");
    EXPECT_NE(readtext(testdatadir() + "/text/debug.log").find("Terrain not saved: "), std::string::npos);
    EXPECT_TRUE(bytesof("terrain/terrain.raw") == before);
    EXPECT_TRUE(fs::is_directory("terrain/terrain.ra0"));
    EXPECT_EQ(gamestate, GS_EDITMAP);
}
