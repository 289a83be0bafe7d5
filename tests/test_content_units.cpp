// The generated unit types and picture sets, read back as the game loads
// them, and the "Unit Pics" tree compiled again the way the unit editor's
// compiler does it, written here from its rules rather than borrowed from
// the generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/encodepicture.h"
#include "platform/bmpdecode.h"
#include "tools/content/gen.h"
#include "tools/content/unitcompile.h"
#include "tools/content/unitdraw.h"
#include "tools/content/unitfigure.h"
#include "tools/content/units.h"
#include "tools/content/unittypes.h"
#include "world/rle.h"
#include "world/unittype.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<u8>;

Bytes read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

u32 le32(const Bytes& b, size_t at) {
    return (u32)b[at] | (u32)b[at + 1] << 8 | (u32)b[at + 2] << 16 | (u32)b[at + 3] << 24;
}

struct TempTree {
    fs::path root;
    explicit TempTree(const char* tag) {
        root = fs::temp_directory_path() / ("vennor_units_" + std::string(tag) + "_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "units");
    }
    ~TempTree() { fs::remove_all(root); }
    GenContext ctx() const { return {root.string(), ""}; }
};

struct Set {
    Bytes dir, raw;
    u32 offset(int i) const { return le32(dir, (size_t)i * 4); }
    u32 size(int i) const { return le32(dir, (size_t)(UNITFRAMES + i) * 4); }
    Bytes frame(int i) const { return Bytes(raw.begin() + offset(i), raw.begin() + offset(i) + size(i)); }
};

Set load_set(const fs::path& root, int n) {
    std::string stem = "units/newunitpic" + std::to_string(n);
    return {read_file(root / (stem + ".dat")), read_file(root / (stem + ".raw"))};
}

void make_set(const TempTree& t, int n) {
    std::string why;
    ASSERT_TRUE(gen_unit_set(t.ctx(), n, why)) << why;
}

// ---- the compiler's rules, as the unit editor states them ----

const char* const kPrefix[8] = {"n_", "ne_", "e_", "se_", "s_", "sw_", "w_", "nw_"};
const char* const kFolder[3] = {"walk", "attack", "stand"};
// Box shift of walk frames k and k + 8, k = 1..7, by facing prefix.
const int kStep[8][2] = {{20, -10}, {40, 0}, {20, 10}, {0, 20}, {-20, 10}, {-40, 0}, {-20, -10}, {0, -20}};
const int kShiftX[8][7] = {{17, 15, 12, 10, 7, 5, 2},       {35, 30, 25, 20, 15, 10, 5},  {17, 15, 12, 10, 7, 5, 2},
                           {0, 0, 0, 0, 0, 0, 0},           {-17, -15, -12, -10, -7, -5, -2},
                           {-35, -30, -25, -20, -15, -10, -5}, {-17, -15, -12, -10, -7, -5, -2}, {0, 0, 0, 0, 0, 0, 0}};
const int kShiftY[8][7] = {{-8, -7, -6, -5, -3, -2, -1}, {0, 0, 0, 0, 0, 0, 0},        {8, 7, 6, 5, 3, 2, 1},
                           {17, 15, 12, 10, 7, 5, 2},    {8, 7, 6, 5, 3, 2, 1},        {0, 0, 0, 0, 0, 0, 0},
                           {-8, -7, -6, -5, -3, -2, -1}, {-17, -15, -12, -10, -7, -5, -2}};

std::string bitmap_path(int set, int a, int f, int k) {
    const char* cls = set == 2 ? "archer_" : set == 4 ? "mage_" : set == 5 ? "cleric_" : "fighter_";
    int num = a != 0 ? k + 1 : (k <= 9 ? k + 7 : k - 9);
    char name[32];
    std::snprintf(name, sizeof name, "%s%04d.bmp", kPrefix[f], num);
    return std::string("Unit Pics/") + cls + kFolder[a] + "/" + name;
}

u16 five(const u8* p) { return (u16)((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3); }

// Screen (0, 0) sits well inside the raster so that boxes shifted left or up stay in it.
Bytes compile(const platbitmap& b, int a, int f, int k) {
    const int ox = 64, oy = 200;
    u16 key = five(b.rgb.data());
    std::vector<u16> vs(768 * 900, key);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            vs[(size_t)(oy + y) * 768 + ox + x] = five(&b.rgb[((size_t)y * b.width + x) * 3]);
    int j = k % 8, dx = 0, dy = 0;
    if (a == 0 && j != 0) dx = kShiftX[f][j - 1], dy = kShiftY[f][j - 1];
    Bytes out;
    EXPECT_TRUE(encodepicture(vs.data(), 768, 900, {ox + 20 + dx, oy + 80 + dy, 80, 120, key, true}, &out));
    return out;
}

// Where a frame's pixels lie inside its 80 x 120 box.
struct Extent {
    int count = 0;
    double sx = 0, sy = 0;
    int top = 1000;
    int bottom = -1;
};

Extent extent_of(const Bytes& f) {
    Extent e;
    u32 at = 0, pos = 0;
    while (at + 3 <= f.size()) {
        pos += (u32)(f[at] | f[at + 1] << 8);
        u32 n = f[at + 2];
        at += 3;
        for (u32 i = 0; i < n; ++i, ++pos, at += 2) {
            int x = (int)(pos % 768), y = (int)(pos / 768);
            e.count++, e.sx += x, e.sy += y;
            e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
        }
    }
    return e;
}

}  // namespace

TEST(ContentUnits, EverySetLoadsAsTheGameReadsIt) {
    TempTree t("all");
    std::string why;
    ASSERT_TRUE(gen_units(t.ctx(), why)) << why;
    for (int n = 0; n < NUMUNITTYPES; ++n) {
        SCOPED_TRACE("set " + std::to_string(n));
        Set s = load_set(t.root, n);
        ASSERT_EQ(s.dir.size(), (size_t)UNITDIRSIZE);
        u32 at = 0;
        for (int i = 0; i < UNITFRAMES; ++i) {
            ASSERT_EQ(s.offset(i), at) << "frame " << i;
            ASSERT_GT(s.size(i), 0u) << "frame " << i;
            ASSERT_LT(s.size(i), 32767u);
            ASSERT_LE(at + s.size(i), s.raw.size());
            ASSERT_TRUE(rlefits(s.raw.data() + at, s.size(i), UNITFRAMEWIDTH, UNITFRAMEHEIGHT)) << "frame " << i;
            Bytes f = s.frame(i);
            bool clean = true;
            rleforeach(f.data(), (u32)f.size(), [&](u16 p) { clean = clean && p != 0x7C1F && p != 0; });
            EXPECT_TRUE(clean) << "frame " << i << " stores the key or pure black";
            at += s.size(i);
        }
        EXPECT_EQ(at, s.raw.size());
    }
}

TEST(ContentUnits, TypeRecordsCarryTheirRoles) {
    TempTree t("types");
    std::string why;
    ASSERT_TRUE(write_unit_types(t.ctx(), why)) << why;
    unittyperec u[NUMUNITTYPES];
    for (int n = 0; n < NUMUNITTYPES; ++n) {
        Bytes b = read_file(t.root / ("units/unit" + std::to_string(n) + ".dat"));
        ASSERT_EQ(b.size(), (size_t)UNITTYPESIZE);
        unittypefromfile(b.data(), &u[n]);
        EXPECT_EQ(u[n].picno, n);
        if (n == 1) {
            // The leader's type: healing caps at it, and the leader starts at 2000.
            EXPECT_GE(u[n].healthmax, 2000u);
        } else {
            EXPECT_GE(u[n].healthmax, 20u);
            EXPECT_LE(u[n].healthmax, 120u);
        }
        EXPECT_GE(u[n].movementmax, 20u);
        EXPECT_LE(u[n].movementmax, 60u);
        EXPECT_LE(u[n].magicmax, 60);
        EXPECT_LE(u[n].damagemin, u[n].damagemax);
        EXPECT_GE(u[n].rangemin, 1);
        EXPECT_LE(u[n].rangemin, u[n].rangemax);
        EXPECT_EQ(std::string(u[n].name).empty(), false);
        for (int s = 0; s < 4; ++s) EXPECT_LE(u[n].specials[s], 7);
    }
    EXPECT_EQ(u[0].unitclass, CLASS_FIGHTER);
    EXPECT_EQ(u[1].unitclass, CLASS_FIGHTER);
    int spells = 0;
    for (u8 s : u[1].specials) spells += s != 0;
    EXPECT_EQ(spells, 4) << "the leader's abilities are the player's spells";
    EXPECT_EQ(u[2].unitclass, CLASS_ARCHER);
    EXPECT_GT(u[2].rangemax, 1);
    EXPECT_EQ(u[3].unitclass, CLASS_THIEF);
    EXPECT_EQ(u[3].specials[0], 1);
    EXPECT_EQ(u[4].unitclass, CLASS_MAGE);
    EXPECT_GT(u[4].rangemax, 1);
    EXPECT_EQ(u[5].unitclass, CLASS_CLERIC);
    for (int a = 0; a < NUMUNITTYPES; ++a)
        for (int b = a + 1; b < NUMUNITTYPES; ++b) EXPECT_STRNE(u[a].name, u[b].name);
    // Melee fighters strike only the next cell.
    EXPECT_EQ(u[0].rangemax, 1);
}

TEST(ContentUnits, TheBitmapTreeCompilesToTheWrittenFrames) {
    TempTree t("tree");
    for (int set : {1, 2, 4, 5}) {
        SCOPED_TRACE("set " + std::to_string(set));
        make_set(t, set);
        Set s = load_set(t.root, set);
        ASSERT_EQ(s.dir.size(), (size_t)UNITDIRSIZE);
        for (int i = 0; i < UNITFRAMES; ++i) {
            int a = i / 128, f = i / 16 % 8, k = i % 16;
            Bytes file = read_file(t.root / bitmap_path(set, a, f, k));
            platbitmap b;
            std::string why;
            ASSERT_TRUE(bmp_decode(file.data(), file.size(), &b, &why)) << bitmap_path(set, a, f, k) << ": " << why;
            ASSERT_EQ(compile(b, a, f, k), s.frame(i)) << bitmap_path(set, a, f, k);
        }
    }
    // One bitmap per frame: 16 frames of 8 facings in each action folder.
    for (const char* cls : {"fighter_", "archer_", "mage_", "cleric_"})
        for (const char* act : kFolder) {
            fs::path dir = t.root / "Unit Pics" / (std::string(cls) + act);
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 128) << dir;
        }
}

TEST(ContentUnits, WalkFramesTrailBackAlongTheStep) {
    TempTree t("walk");
    make_set(t, 3);
    Set s = load_set(t.root, 3);
    for (int f = 0; f < 8; ++f) {
        SCOPED_TRACE(kPrefix[f]);
        Extent base = extent_of(s.frame(f * 16));
        Extent mid = extent_of(s.frame(f * 16 + 8));
        ASSERT_GT(base.count, 300);
        // Frames 0 and 8 stand in the cell: the same place up to the stride.
        EXPECT_NEAR(mid.sy / mid.count, base.sy / base.count, 3.0);
        EXPECT_NEAR(mid.top, base.top, 3);
        // Halfway through a step the figure shows half a step behind.
        for (int k : {4, 12}) {
            Extent e = extent_of(s.frame(f * 16 + k));
            double mx = e.sx / e.count - base.sx / base.count, my = e.top - base.top;
            EXPECT_NEAR(mx, -kStep[f][0] / 2.0, 5.0) << "frame " << k;
            EXPECT_NEAR(my, -kStep[f][1] / 2.0, 3.0) << "frame " << k;
        }
    }
}

// The map view puts a unit's frame so that its rows 60..79 are the box of
// the unit's own cell: a figure standing there has its feet in those rows.
// A figure touching the frame's top or bottom row has lost whatever lay
// beyond it.
TEST(ContentUnits, FiguresStandOnTheirOwnCellInsideTheFrame) {
    TempTree t("feet");
    std::string why;
    ASSERT_TRUE(gen_units(t.ctx(), why)) << why;
    const int cellTop = 60, cellFoot = 80;
    for (int n = 0; n < NUMUNITTYPES; ++n) {
        Set s = load_set(t.root, n);
        ASSERT_EQ(s.dir.size(), (size_t)UNITDIRSIZE);
        for (int i = 0; i < UNITFRAMES; ++i) {
            int a = i / 128, f = i / 16 % 8, k = i % 16;
            SCOPED_TRACE("set " + std::to_string(n) + " " + kFolder[a] + " " + kPrefix[f] + " frame " +
                         std::to_string(k));
            Extent e = extent_of(s.frame(i));
            ASSERT_GT(e.count, 300);
            EXPECT_GT(e.top, 0) << "cut off at the top";
            EXPECT_LT(e.bottom, UNITFRAMEHEIGHT - 1) << "cut off at the bottom";
            if (a == 2 || (a == 0 && k % 8 == 0)) {
                EXPECT_GE(e.bottom, cellTop) << "the feet above the cell";
                EXPECT_LE(e.bottom, cellFoot) << "the feet below the cell";
            } else if (a == 0) {
                // Between cells the compiler's box shift puts the figure back
                // along its step; undone, the feet are on the cell again, the
                // front foot of a stride reaching a little into the next.
                int dy = kShiftY[f][k % 8 - 1];
                EXPECT_GE(e.bottom + dy, cellTop);
                EXPECT_LE(e.bottom + dy, cellFoot + 5);
            }
        }
    }
}

TEST(ContentUnits, SetsAreTheSameEveryRun) {
    TempTree a("runa"), b("runb");
    for (int set : {0, 7}) {
        make_set(a, set);
        make_set(b, set);
        Set x = load_set(a.root, set), y = load_set(b.root, set);
        EXPECT_EQ(x.dir, y.dir) << "set " << set;
        EXPECT_EQ(x.raw, y.raw) << "set " << set;
    }
}

TEST(ContentUnits, BitmapNamesFollowTheCompilersNumbering) {
    EXPECT_EQ(unit_bitmap_name(2, 1, 3, 0), "Unit Pics/archer_attack/se_0001.bmp");
    EXPECT_EQ(unit_bitmap_name(1, 0, 0, 0), "Unit Pics/fighter_walk/n_0007.bmp");
    EXPECT_EQ(unit_bitmap_name(4, 0, 7, 9), "Unit Pics/mage_walk/nw_0016.bmp");
    EXPECT_EQ(unit_bitmap_name(5, 0, 4, 10), "Unit Pics/cleric_walk/s_0001.bmp");
    EXPECT_EQ(unit_bitmap_name(5, 0, 4, 15), "Unit Pics/cleric_walk/s_0006.bmp");
    EXPECT_EQ(unit_bitmap_name(1, 2, 1, 15), "Unit Pics/fighter_stand/ne_0016.bmp");
    for (int set : {0, 3, 6, 7, 8, 9, 10, 11}) EXPECT_STREQ(unit_class_prefix(set), "fighter_") << set;
    // Each walk file feeds exactly one frame.
    std::vector<int> seen(17, 0);
    for (int k = 0; k < 16; ++k) seen[(size_t)unit_file_number(0, k)]++;
    for (int n = 1; n <= 16; ++n) EXPECT_EQ(seen[(size_t)n], 1) << n;
    int dx, dy;
    unit_box_shift(0, 1, 9, &dx, &dy);
    EXPECT_EQ(dx, 35);
    EXPECT_EQ(dy, 0);
    unit_box_shift(1, 1, 1, &dx, &dy);
    EXPECT_EQ(dx, 0) << "attack frames stay in the base box";
}

namespace {

struct Shape {
    int left = 1000, right = -1, top = 1000, bottom = -1, count = 0;
    long r = 0, g = 0, b = 0;
};

// The figure's pixels in a bitmap, relative to the frame box.
Shape shape_of(const Canvas& c) {
    Shape s;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            Rgb p = canvas_get(c, x, y);
            if (p == kUnitKey) continue;
            int bx = x - kUnitBoxX, by = y - kUnitBoxY;
            s.left = std::min(s.left, bx), s.right = std::max(s.right, bx);
            s.top = std::min(s.top, by), s.bottom = std::max(s.bottom, by);
            s.count++, s.r += p.r, s.g += p.g, s.b += p.b;
        }
    return s;
}

}  // namespace

TEST(ContentUnits, FiguresStandInTheirBoxAtASensibleSize) {
    std::vector<Shape> looks;
    for (int set = 0; set < 12; ++set)
        for (int f = 0; f < 8; ++f) {
            SCOPED_TRACE("set " + std::to_string(set) + " facing " + std::to_string(f));
            Shape s = shape_of(draw_unit_bitmap(set, 2, f, 0));
            EXPECT_GE(s.left, 0);
            EXPECT_LT(s.right, 80);
            EXPECT_GE(s.top, 0);
            // Facing away, nothing held reaches below the feet; toward the eye it may.
            if (f == 0) {
                EXPECT_NEAR(s.bottom, 75, 3) << "feet in the lower half of the cell's diamond";
            }
            EXPECT_GE(s.bottom, 71);
            EXPECT_LE(s.bottom, 80);
            EXPECT_GE(s.bottom - s.top, 38);
            EXPECT_LE(s.bottom - s.top, 75);
            if (f == 3) looks.push_back(s);
        }
    // No two sets share a palette: their mean colours lie apart.
    for (size_t a = 0; a < looks.size(); ++a)
        for (size_t b = a + 1; b < looks.size(); ++b) {
            auto mean = [](const Shape& s, long v) { return (double)v / s.count; };
            double d = std::abs(mean(looks[a], looks[a].r) - mean(looks[b], looks[b].r)) +
                       std::abs(mean(looks[a], looks[a].g) - mean(looks[b], looks[b].g)) +
                       std::abs(mean(looks[a], looks[a].b) - mean(looks[b], looks[b].b)) +
                       std::abs(looks[a].count - looks[b].count) / 20.0;
            EXPECT_GT(d, 12.0) << "sets " << a << " and " << b;
        }
}

TEST(ContentUnits, ActionsMove) {
    for (int set : {1, 2, 4}) {
        SCOPED_TRACE("set " + std::to_string(set));
        Canvas rest = draw_unit_bitmap(set, 2, 3, 0);
        EXPECT_NE(draw_unit_bitmap(set, 2, 3, 4).px, rest.px) << "standing still breathes";
        EXPECT_NE(draw_unit_bitmap(set, 0, 3, 4).px, draw_unit_bitmap(set, 0, 3, 12).px) << "steps alternate";
        EXPECT_NE(draw_unit_bitmap(set, 1, 3, 6).px, draw_unit_bitmap(set, 1, 3, 0).px) << "attacks leave the guard";
    }
    // A blow reaches further ahead (east here) than the guard it starts from.
    for (int set : {1, 4, 6}) {
        Shape guard = shape_of(draw_unit_bitmap(set, 1, 1, 0)), peak = shape_of(draw_unit_bitmap(set, 1, 1, 8));
        EXPECT_GT(peak.right, guard.right + 4) << "set " << set;
    }
}

TEST(ContentUnits, FigureColoursNeverTurnIntoTheKey) {
    // A colour one step off the key in eight bits is the key in five.
    Figure fig;
    fig.blobs.push_back({{0, 0, 20}, {0, 0, 40}, 8, 8, {250, 3, 252}, Finish::glow});
    fig.blobs.push_back({{0, 8, 20}, {0, 8, 40}, 4, 4, {0, 0, 0}, Finish::matte});
    Canvas c = canvas_make(80, 120, kUnitKey);
    render_figure(fig, c, 40, 100, kUnitKey);
    int drawn = 0;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            Rgb p = canvas_get(c, x, y);
            if (p == kUnitKey) continue;
            drawn++;
            EXPECT_FALSE(p.r >> 3 == 31 && p.g >> 3 == 0 && p.b >> 3 == 31) << x << "," << y;
            EXPECT_FALSE(p.r < 8 && p.g < 8 && p.b < 8) << x << "," << y;
        }
    EXPECT_GT(drawn, 300);
}
