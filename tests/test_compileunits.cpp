// Compiling a unit picture set from the "Unit Pics" tree: which file each
// frame comes from, where its box is cut, the colour rules, a missing file
// that changes nothing, and the generated sets compiled back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/memory.h"
#include "editor/compileunits.h"
#include "editor/uniteditor.h"
#include "platform/platform.h"
#include "platform/png.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "uniteditorenv.h"
#include "video/display.h"
#include "world/rle.h"

namespace fs = std::filesystem;

TEST(CompileUnits, FileNamesFollowClassActionFacingAndFrame) {
    for (int s : {0, 1, 3, 6, 7, 8, 9, 10, 11}) EXPECT_STREQ(unitclassprefix(s), "fighter_") << s;
    EXPECT_STREQ(unitclassprefix(2), "archer_");
    EXPECT_STREQ(unitclassprefix(4), "mage_");
    EXPECT_STREQ(unitclassprefix(5), "cleric_");
    int walk[16] = {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 6};
    for (int k = 0; k < 16; k++) {
        EXPECT_EQ(unitfilenumber(0, k), walk[k]) << k;
        EXPECT_EQ(unitfilenumber(1, k), k + 1);
        EXPECT_EQ(unitfilenumber(2, k), k + 1);
    }
    EXPECT_EQ(unitbitmapname(2, 1, 3, 0), "Unit Pics\\archer_attack\\se_0001.bmp");
    EXPECT_EQ(unitbitmapname(0, 0, 7, 10), "Unit Pics\\fighter_walk\\nw_0001.bmp");
    EXPECT_EQ(unitbitmapname(5, 2, 0, 15), "Unit Pics\\cleric_stand\\n_0016.bmp");
    EXPECT_EQ(unitbitmapname(4, 0, 1, 9), "Unit Pics\\mage_walk\\ne_0016.bmp");
    int dx, dy;
    unitboxshift(0, 1, 9, &dx, &dy);
    EXPECT_EQ(dx * 1000 + dy, 35 * 1000 + 0);
    unitboxshift(0, 6, 15, &dx, &dy);
    EXPECT_EQ(dx * 1000 + dy, -2 * 1000 - 1);
    unitboxshift(0, 3, 8, &dx, &dy);
    EXPECT_EQ(dx * 1000 + dy, 0) << "frame 8 is cut at the base place";
    unitboxshift(1, 1, 9, &dx, &dy);
    EXPECT_EQ(dx * 1000 + dy, 0) << "attack frames never move";
}

// The whole walk-shift table from its rule, not from the table: a walk
// frame k (and k + 8) is cut (8 - k) eighths of one cell's step ahead along
// the facing, cut toward zero. One cell's step on the screen is 40 pixels
// across or 20 down for a straight way, 20 and 10 for a slanted one.
TEST(CompileUnits, EveryWalkShiftIsItsShareOfTheStepAlongTheFacing) {
    const int step[8][2] = {{20, -10}, {40, 0}, {20, 10}, {0, 20}, {-20, 10}, {-40, 0}, {-20, -10}, {0, -20}};
    int checked = 0;
    for (int f = 0; f < 8; f++)
        for (int k = 0; k < 16; k++) {
            int left = 8 - k % 8, dx = 0, dy = 0;
            int wantx = k % 8 ? step[f][0] * left / 8 : 0, wanty = k % 8 ? step[f][1] * left / 8 : 0;
            unitboxshift(ACTION_WALK, f, k, &dx, &dy);
            EXPECT_EQ(dx, wantx) << "facing " << f << " frame " << k;
            EXPECT_EQ(dy, wanty) << "facing " << f << " frame " << k;
            checked += k % 8 != 0;
            for (int a : {ACTION_ATTACK, ACTION_STAND}) {
                unitboxshift(a, f, k, &dx, &dy);
                EXPECT_EQ(dx * 1000 + dy, 0) << "action " << a;
            }
        }
    EXPECT_EQ(checked, 8 * 14) << "the 56 cells of the table, each for both halves of the walk";
}

static constexpr u32 KEY = 0xFF00FF;
static constexpr u32 SHADOW = 0xF888C8; // 5-5-5 0x7E39
static constexpr u32 RED = 0xF80000, BLUE = 0x0000F8;

static std::string host(const std::string& gamename) {
    std::string p = gamename;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

// The fighter tree with every bitmap a small key-coloured square but a few
// that carry marks where the box of their frame should or should not be.
static void writetree() {
    for (const char* a : {"walk", "attack", "stand"}) fs::create_directories(unitpath(std::string("Unit Pics/fighter_") + a));
    for (int i = 0; i < UNITFRAMES; i++) writebmp(host(unitbitmapname(0, i / 128, i / 16 % 8, i % 16)), 4, 4, [](int, int) { return KEY; });
    auto marks = [](int x0, int y0, int x1, int y1) {
        return [=](int x, int y) { return x == x0 && y == y0 ? RED : x == x1 && y == y1 ? BLUE : KEY; };
    };
    writebmp(host(unitbitmapname(0, 0, 1, 9)), 100, 100, marks(55, 80, 20, 80)); // ne_ frame 9
    writebmp(host(unitbitmapname(0, 0, 0, 8)), 100, 100, marks(20, 80, 37, 72)); // n_ frame 8
    writebmp(host(unitbitmapname(0, 0, 0, 1)), 100, 100, marks(37, 72, 20, 80)); // n_ frame 1
    writebmp(host(unitbitmapname(0, 1, 3, 0)), 30, 90, [](int x, int y) { return x == 25 && y == 85 ? SHADOW : KEY; });
    // Another key: the other bitmaps' key colour is an ordinary colour here.
    writebmp(host(unitbitmapname(0, 2, 4, 0)), 30, 90, [](int x, int y) { return x == 21 && y == 81 ? KEY : 0x102030; });
}

static void startcompile(int format) {
    starttestdisplay(format);
    writeunitsets({}, {}, {});
    initunit();
    writetree();
}

// The frame's runs as (raster position, pixel) pairs, pixels in 5-5-5.
static std::vector<std::pair<u32, u16>> pixelsof(int set, int a, int facingindex, int k) {
    std::vector<std::pair<u32, u16>> out;
    u32 size = 0;
    const u8* f = findunitframe(set, a, facingindex + 1, k, &size);
    if (!f) return out;
    u32 pos = 0, at = 0;
    while (at + 3 <= size) {
        pos += (u32)(f[at] | f[at + 1] << 8);
        u32 count = f[at + 2];
        at += 3;
        for (u32 i = 0; i < count; i++, at += 2, pos++) {
            u16 p = (u16)(f[at] | f[at + 1] << 8);
            if (pixelformat == 2) p = (u16)(((p >> 11) & 31) << 10 | ((p >> 6) & 31) << 5 | (p & 31));
            out.push_back({pos, p});
        }
    }
    return out;
}

TEST(CompileUnits, BoxesAreCutWhereTheWalkStepPutsThem) {
    for (int format : {565, 555}) {
        startcompile(format);
        ASSERT_TRUE(compileunitpics(3));
        EXPECT_EQ(unitpicloaded[3], 1);
        using px = std::vector<std::pair<u32, u16>>;
        EXPECT_EQ(pixelsof(3, 0, 1, 9), (px{{0, 0x7C00}})) << "ne_ frame 9's box corner is (55, 80)";
        EXPECT_EQ(pixelsof(3, 0, 0, 8), (px{{0, 0x7C00}})) << "frame 8 at the base place (20, 80)";
        EXPECT_EQ(pixelsof(3, 0, 0, 1), (px{{0, 0x7C00}})) << "n_ frame 1 at (37, 72)";
        EXPECT_EQ(pixelsof(3, 1, 3, 0), (px{{5 * 768 + 5, 0x0842}})) << "0x7E39 is stored as 0x0842";
        EXPECT_EQ(pixelsof(3, 2, 4, 0), (px{{769, 0x7C1F}})) << "the key is this bitmap's corner, not a fixed colour";
        for (int i = 0; i < UNITFRAMES; i++) {
            if (i == unitframeindex(0, 1, 9) || i == unitframeindex(0, 0, 8) || i == unitframeindex(0, 0, 1) ||
                i == unitframeindex(1, 3, 0) || i == unitframeindex(2, 4, 0))
                continue;
            ASSERT_EQ(unitpicdir[3 * 768 + UNITFRAMES + i], 0u) << "a key-coloured bitmap leaves its frame empty " << i;
        }
        std::string why;
        ASSERT_TRUE(saveunitfiles(&why)) << why;
        std::string raw = filebytes("units/newunitpic3.raw");
        EXPECT_NE(raw.find(std::string("\x42\x08", 2)), std::string::npos) << "0x0842 on disk in either mode";
        // Each bitmap's key stays out of its frame: magenta only once (the
        // bitmap whose key it is not), the other key never.
        EXPECT_EQ(raw.find(std::string("\x1F\x7C", 2)), raw.rfind(std::string("\x1F\x7C", 2)));
        EXPECT_EQ(raw.find(std::string("\x86\x08", 2)), std::string::npos);
    }
}

TEST(CompileUnits, AFrameKeptAsPngCompilesAsItsBmpDid) {
    startcompile(565);
    ASSERT_TRUE(compileunitpics(0));
    std::vector<u8> before(unitpicraw[0], unitpicraw[0] + unitpicrawsize[0]);
    std::string name = unitbitmapname(0, 0, 1, 9); // one with marks in its box
    platbitmap* b = plat_loadbitmap(name.c_str());
    ASSERT_TRUE(b);
    std::vector<u8> png = png_encode(b->width, b->height, b->rgb.data());
    plat_freebitmap(b);
    std::string bmp = host(name);
    fs::remove(unitpath(bmp));
    putfile(bmp.substr(0, bmp.size() - 4) + ".png", png);
    ASSERT_TRUE(compileunitpics(0));
    EXPECT_TRUE(std::vector<u8>(unitpicraw[0], unitpicraw[0] + unitpicrawsize[0]) == before);
}

TEST(CompileUnits, AMissingBitmapIsNamedAndChangesNothing) {
    startcompile(565);
    ASSERT_TRUE(compileunitpics(3));
    const u8* raw = unitpicraw[3];
    u32 size = unitpicrawsize[3], used = memoryused;
    std::vector<u32> dir(unitpicdir + 3 * 768, unitpicdir + 4 * 768);
    fs::remove(unitpath(host(unitbitmapname(3, 2, 7, 15)))); // the very last frame
    boxtext[0] = 0;
    plat_postmessage(WM_KEYDOWN, VK_RETURN, 0);
    bool compiled = true;
    try {
        compiled = compileunitpics(3);
    } catch (const processexit&) { // the headless run ends after the box's last frame
        compiled = false;
    }
    EXPECT_FALSE(compiled);
    EXPECT_NE(std::string(boxtext).find("fighter_stand\\nw_0016.bmp"), std::string::npos) << boxtext;
    EXPECT_EQ(unitpicraw[3], raw);
    EXPECT_EQ(unitpicrawsize[3], size);
    EXPECT_EQ(memoryused, used);
    EXPECT_EQ(std::vector<u32>(unitpicdir + 3 * 768, unitpicdir + 4 * 768), dir);
    // A set never compiled stays not loaded.
    EXPECT_EQ(unitpicloaded[0], 0);
    plat_postmessage(WM_KEYDOWN, VK_RETURN, 0);
    try {
        compiled = compileunitpics(0);
    } catch (const processexit&) {
        compiled = false;
    }
    EXPECT_FALSE(compiled);
    EXPECT_EQ(unitpicloaded[0], 0);
}

// A set with a tree of its own under "Unit Pics\<set>\" compiles from it
// alone; the other sets of its class keep the shared tree. A frame missing
// from the set's own tree is named there, not taken from the shared one.
TEST(CompileUnits, ASetsOwnTreeGivesItALookOfItsOwn) {
    startcompile(565);
    const std::string own = "Unit Pics\\7\\";
    EXPECT_EQ(unitpicsfolder(7), "Unit Pics\\");
    for (const char* a : {"walk", "attack", "stand"}) fs::create_directories(unitpath(std::string("Unit Pics/7/fighter_") + a));
    for (int i = 0; i < UNITFRAMES; i++)
        writebmp(host(unitbitmapname(7, i / 128, i / 16 % 8, i % 16, own)), 4, 4, [](int, int) { return KEY; });
    writebmp(host(unitbitmapname(7, 0, 0, 8, own)), 100, 100, [](int x, int y) { return x == 20 && y == 80 ? BLUE : KEY; });
    EXPECT_EQ(unitpicsfolder(7), own);
    EXPECT_EQ(unitpicsfolder(3), "Unit Pics\\");
    ASSERT_TRUE(compileunitpics(7));
    ASSERT_TRUE(compileunitpics(3));
    using px = std::vector<std::pair<u32, u16>>;
    EXPECT_EQ(pixelsof(7, 0, 0, 8), (px{{0, 0x001F}})) << "set 7's own frame 8";
    EXPECT_EQ(pixelsof(3, 0, 0, 8), (px{{0, 0x7C00}})) << "set 3 keeps the shared one";
    EXPECT_TRUE(pixelsof(7, 0, 0, 1).empty()) << "nothing of the shared tree's frame 1 in set 7";
    fs::remove(unitpath(host(unitbitmapname(7, 2, 7, 15, own))));
    boxtext[0] = 0;
    plat_postmessage(WM_KEYDOWN, VK_RETURN, 0);
    bool compiled = true;
    try {
        compiled = compileunitpics(7);
    } catch (const processexit&) {
        compiled = false;
    }
    EXPECT_FALSE(compiled);
    EXPECT_NE(std::string(boxtext).find("Unit Pics\\7\\fighter_stand\\nw_0016.bmp"), std::string::npos) << boxtext;
}

// The generated sets 1, 2, 4 and 5 were compiled from the generated tree:
// the editor's compile and save give back the same files.
TEST(CompileUnits, GeneratedSetsCompileByteForByte) {
    for (int format : {565, 555}) {
        starttestdisplay(format);
        fs::path data(VENNOR_DATA);
        fs::create_directory_symlink(data / "Unit Pics", unitpath("Unit Pics"));
        fs::copy(data / "units", unitpath("units"));
        initunit();
        for (int s : {1, 2, 4, 5}) {
            std::fill(unitpicdir + s * 768, unitpicdir + (s + 1) * 768, 0u);
            ASSERT_TRUE(compileunitpics(s)) << s;
        }
        std::string why;
        ASSERT_TRUE(saveunitfiles(&why)) << why;
        for (int s : {1, 2, 4, 5})
            for (const char* ext : {".raw", ".dat"}) {
                std::string rel = "units/newunitpic" + std::to_string(s) + ext;
                std::ifstream f(data / rel, std::ios::binary);
                std::ostringstream want;
                want << f.rdbuf();
                ASSERT_FALSE(want.str().empty());
                EXPECT_TRUE(filebytes(rel) == want.str()) << rel << " in " << format;
            }
    }
}

// The generated artwork compiled, checked against frames encoded here from
// their bitmaps by the rules alone, with no helper of the compiler or the
// content generator: the file names are written out, each box corner is
// (20, 80) moved by the walk step's share, the bitmap's corner pixel is the
// key, and each row's runs of other pixels are stored as (skip from the
// last run's end in a 768-pixel raster, count, 5-5-5 pixels).
TEST(CompileUnits, GeneratedFramesAreTheirBitmapsEncodedByHand) {
    starttestdisplay(555);
    fs::path data(VENNOR_DATA);
    fs::create_directory_symlink(data / "Unit Pics", unitpath("Unit Pics"));
    fs::copy(data / "units", unitpath("units"));
    initunit();
    ASSERT_TRUE(compileunitpics(1));
    struct handframe {
        int action, facingindex, k;
        const char* file;
        int cornerx, cornery;
    } frames[] = {
        {0, 1, 1, "Unit Pics\\fighter_walk\\ne_0008.bmp", 20 + 35, 80},  // walk ne, a whole step short
        {0, 6, 12, "Unit Pics\\fighter_walk\\w_0003.bmp", 20 - 10, 80 - 5}, // k 12 = 4 + 8: half a step
        {0, 3, 8, "Unit Pics\\fighter_walk\\se_0015.bmp", 20, 80},       // frames 0 and 8 stand at the base
        {2, 4, 0, "Unit Pics\\fighter_stand\\s_0001.bmp", 20, 80},
        {1, 7, 15, "Unit Pics\\fighter_attack\\nw_0016.bmp", 20, 80},
    };
    for (const handframe& h : frames) {
        SCOPED_TRACE(h.file);
        platbitmap* b = plat_loadbitmap(h.file);
        ASSERT_TRUE(b);
        auto at = [&](int x, int y) -> u16 {
            if (x < 0 || y < 0 || x >= b->width || y >= b->height) return 0xFFFF; // off the bitmap: the key
            const u8* p = &b->rgb[((size_t)y * b->width + x) * 3];
            return (u16)((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3);
        };
        const u16 key = at(0, 0);
        std::vector<u8> want;
        u32 pos = 0;
        for (int row = 0; row < 120; row++)
            for (int col = 0; col < 80;) {
                u16 p = at(h.cornerx + col, h.cornery + row);
                if (p == key || p == 0xFFFF) {
                    col++;
                    continue;
                }
                std::vector<u16> run;
                for (; col < 80; col++) {
                    u16 q = at(h.cornerx + col, h.cornery + row);
                    if (q == key || q == 0xFFFF) break;
                    run.push_back(q == 0x7E17 || q == 0x7E18 || q == 0x7E39 || q == 0x7E19 ? 0x0842 : q);
                }
                u32 start = (u32)row * 768 + (u32)(col - (int)run.size());
                u32 skip = start - pos;
                want.insert(want.end(), {(u8)skip, (u8)(skip >> 8), (u8)run.size()});
                for (u16 q : run) want.insert(want.end(), {(u8)q, (u8)(q >> 8)});
                pos = start + (u32)run.size();
            }
        plat_freebitmap(b);
        ASSERT_GT(want.size(), 100u) << "a frame with a figure in it";
        u32 size = 0;
        const u8* got = findunitframe(1, h.action, h.facingindex + 1, h.k, &size);
        ASSERT_TRUE(got);
        EXPECT_TRUE(std::vector<u8>(got, got + size) == want) << "compiled " << size << " bytes, by hand " << want.size();
    }
}
