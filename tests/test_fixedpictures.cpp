// Pictures the program cuts pieces from at fixed places: each is refused at
// load when its file has another size, through the same exit as a missing
// file, so that nothing is ever cut from outside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/mainmenu.h"
#include "app/memory.h"
#include "testenv.h"
#include "text/boxes.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/gamebitmaps.h"

namespace fs = std::filesystem;

namespace {

// What the load ended with: the exit box's caption and text, or "(loaded)".
template <typename F> std::string outcome(F load) {
    try {
        load();
    } catch (const processexit& e) {
        if (boxes.empty()) return "(exit without a box)";
        return std::to_string(e.code) + " " + boxes.back().caption + ": " + boxes.back().text;
    }
    return "(loaded)";
}

struct fixedpicture {
    const char* file; // as written into the data tree
    const char* name; // as the program names it
    int width, height;
    void (*load)();
};

const fixedpicture fixed[] = {
    {"bitmaps/buttons/button1.bmp", "bitmaps\\buttons\\button1.bmp", 512, 48, [] { loadgamebitmaps(); }},
    {"bitmaps/textbox.bmp", "bitmaps\\textbox.bmp", 400, 104, [] { showmessage("Saved"); }},
    {"bitmaps/full/mainmenu.bmp", "bitmaps\\full\\mainmenu.bmp", 640, 480, [] { paintmainmenu(); }},
};

const std::string refused = "3 Unable to access file!: ";

} // namespace

TEST(Pictures, FixedPicturesOfAnyOtherSizeAreRefusedNamingTheFile) {
    for (const fixedpicture& p : fixed) {
        SCOPED_TRACE(p.file);
        struct size {
            int dw, dh;
        } sizes[] = {{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-p.width / 2, -p.height / 2}};
        for (const size& s : sizes) {
            starttestdisplay();
            // The other pictures loaded with it, as generated.
            fs::copy(fs::path(VENNOR_DATA) / "bitmaps", fs::path(testdatadir()) / "bitmaps",
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
            writesolidbmp(p.file, p.width + s.dw, p.height + s.dh, 0x404040);
            u32 before = memoryused;
            std::string got = outcome(p.load);
            if (s.dw == 0 && s.dh == 0) {
                EXPECT_EQ(got, "(loaded)");
            } else {
                EXPECT_EQ(got, refused + p.name) << s.dw << " " << s.dh;
                EXPECT_EQ(memoryused, before) << "nothing is kept of a refused picture";
            }
        }
    }
    buttonskin = nullptr;
}

TEST(Pictures, ASizeIsOnlyAskedForWhenTheCallerGivesOne) {
    starttestdisplay();
    writesolidbmp("bitmaps/any.bmp", 7, 3, 0xFFFFFF);
    u32 before = memoryused;
    u16* p = loadandunpackbmp("bitmaps\\any.bmp");
    EXPECT_EQ(bmpwidth, 7u);
    EXPECT_EQ(bmpheight, 3u);
    gamefree(p, 7 * 3 * 2);
    EXPECT_EQ(outcome([] { loadandunpackbmp("bitmaps\\any.bmp", {3, 7}); }), refused + "bitmaps\\any.bmp");
    EXPECT_EQ(bmpwidth, 7u) << "a refused picture leaves the last size alone";
    EXPECT_EQ(memoryused, before);
    starttestdisplay(); // the exit took the display down
    writesolidbmp("bitmaps/any.bmp", 7, 3, 0xFFFFFF);
    EXPECT_EQ(outcome([] { initsprite(3, "bitmaps\\any.bmp", {7, 4}); }), refused + "bitmaps\\any.bmp");
    EXPECT_EQ(sprite[3].inuse, 0);
}

TEST(Pictures, ACursorPictureOfTheWrongSizeEndsTheStartNamingIt) {
    for (int h : {511, 513, 32}) {
        starttestplatform();
        writesolidbmp("resources/CURSORS.bmp", 256, h, 0xFFFFFF);
        EXPECT_EQ(outcome([] { initdirectdraw(); }), refused + "resources\\CURSORS.bmp") << h;
    }
    starttestplatform();
    writesolidbmp("resources/CURSORS.bmp", 128, 512, 0xFFFFFF);
    EXPECT_EQ(outcome([] { initdirectdraw(); }), refused + "resources\\CURSORS.bmp");
    starttestplatform();
    writesolidbmp("resources/CURSORS.bmp", 256, 512, 0xFFFFFF);
    EXPECT_EQ(outcome([] { initdirectdraw(); }), "(loaded)");
}

namespace {

const int F = 3; // "fonts\elfintxt.pcx", 16 rows
std::string fontpath() { return testdatadir() + "/fonts/elfintxt.pcx"; }

// A strip for font 3 whose only ink is row `inked`, every pixel a literal
// byte (of any width, where the generator's writer takes even ones only).
void writestrip(int width, int height, int inked) {
    std::vector<u8> file(128, 0);
    auto put16 = [&](size_t at, u32 v) {
        file[at] = (u8)v;
        file[at + 1] = (u8)(v >> 8);
    };
    file[0] = 10;
    file[1] = 5;
    file[2] = 1;
    file[3] = 8;
    put16(8, (u32)width - 1);
    put16(10, (u32)height - 1);
    file[65] = 1;
    put16(66, (u32)width);
    for (int y = 0; y < height; y++) file.insert(file.end(), (size_t)width, y == inked ? 7 : 0);
    file.resize(file.size() + 768, 0);
    std::ofstream(fontpath(), std::ios::binary).write((const char*)file.data(), (std::streamsize)file.size());
}

i32 tableneeds(int f) {
    i32 need = 0;
    for (const glyph& g : glyphtables[f])
        if (g.width) need = std::max(need, g.x + g.width);
    return need;
}

u16 at(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

void forgetfonts() {
    for (int f = 0; f < NUMFONTS; f++) font[f] = {glyphtables[f], nullptr, fontfiles[f].height, fontfiles[f].picwidth};
}

} // namespace

TEST(Pictures, FontsDrawWithTheRowLengthTheirFileWasDecodedWith) {
    starttestdisplay();
    fs::copy(fs::path(VENNOR_DATA) / "fonts", fs::path(testdatadir()) / "fonts", fs::copy_options::recursive);
    ASSERT_EQ(outcome(initfonts), "(loaded)");
    for (int f = 0; f < NUMFONTS; f++) EXPECT_EQ(font[f].picwidth, fontfiles[f].picwidth) << f;
    // Wider than the table needs, with ink in row 1 only: read with any
    // other row length, the glyph's second row would come out blank.
    writestrip(1100, 16, 1);
    ASSERT_EQ(outcome(initfonts), "(loaded)");
    EXPECT_EQ(font[F].picwidth, 1100u);
    currentfont = F;
    settextcolor(31, 63, 31);
    textclamp = 0;
    drawglyph('I', 200, 100);
    textclamp = 1;
    EXPECT_EQ(at(200, 100), 0);
    EXPECT_EQ(at(200, 101), 0xFFFF);
    EXPECT_EQ(at(200, 102), 0);
    forgetfonts();
}

TEST(Pictures, AFontStripSmallerThanItsGlyphTableIsRefusedNamingTheFile) {
    starttestdisplay();
    fs::copy(fs::path(VENNOR_DATA) / "fonts", fs::path(testdatadir()) / "fonts", fs::copy_options::recursive);
    i32 need = tableneeds(F);
    ASSERT_GT(need, 2);
    struct strip {
        int width, height;
        bool loads;
    } strips[] = {
        {need, 16, true}, {need - 1, 16, false}, {1024, 15, false}, {1, 16, false}, {1024, 17, true},
    };
    for (const strip& s : strips) {
        writestrip(s.width, s.height, 0);
        EXPECT_EQ(outcome(initfonts), s.loads ? "(loaded)" : refused + "fonts\\elfintxt.pcx")
            << s.width << " x " << s.height;
    }
    forgetfonts();
}
