// The generated item files, read back the way the game loads them: 4096
// records and the pictures they point at, with the item numbers the
// mission logic and the map makers rely on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/content/itembuild.h"
#include "tools/content/itemcatalog.h"
#include "tools/content/items.h"
#include "tools/content/itemsheet.h"
#include "world/itemtype.h"
#include "world/rle.h"

namespace {

std::vector<u8> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each case side by side under CTest gets a folder of its own process.
std::string generate(const std::string& leaf) {
    std::string dir = std::string(VENNOR_TEST_TMP) + "/" + leaf + "-" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir + "/items");
    GenContext ctx{dir, ""};
    std::string why;
    EXPECT_TRUE(gen_items(ctx, why)) << why;
    return dir;
}

struct Generated {
    std::string dir;
    std::vector<u8> dat, raw;
    std::vector<itemtyperec> rec;
    explicit Generated(const std::string& leaf) : dir(generate(leaf)) {
        dat = read_file(dir + "/items/items.dat");
        raw = read_file(dir + "/items/items.raw");
        rec.resize(NUMITEMTYPES);
        if (dat.size() == ITEMSFILEBYTES)
            for (int n = 0; n < NUMITEMTYPES; ++n) itemtypefromfile(&dat[static_cast<size_t>(n) * ITEMTYPESIZE], &rec[n]);
    }
    ~Generated() { std::filesystem::remove_all(dir); }
};

const Generated& items() {
    static const Generated g("items_a");
    return g;
}

const itemtyperec& item(int n) { return items().rec[n]; }

// Which pixels of item n's picture are drawn, relative to its cell's box
// corner, as the map view places the picture.
struct Coverage {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<bool> on;
    bool at(int x, int y) const {
        x -= left;
        y -= top;
        return x >= 0 && y >= 0 && x < w && y < h && on[static_cast<size_t>(y) * w + x];
    }
};

Coverage coverage(int n) {
    const itemtyperec& r = item(n);
    Coverage c;
    int d = r.picwidth - 40;
    c.left = d >= 0 ? -(d / 2) : (1 - d) / 2;
    c.top = 20 - r.picheight;
    c.w = r.picwidth;
    c.h = r.picheight;
    c.on.assign(static_cast<size_t>(c.w) * c.h, false);
    const u8* p = items().raw.data() + r.fileoffset;
    u32 at = 0, pos = 0;
    while (at + 3 <= r.rawdatasize) {
        pos += static_cast<u32>(p[at] | p[at + 1] << 8);
        u32 count = p[at + 2];
        at += 3 + 2 * count;
        for (u32 i = 0; i < count; ++i, ++pos)
            c.on[(pos / RLEPITCH) * c.w + pos % RLEPITCH] = true;
    }
    return c;
}

TEST(ContentItems, FilesHaveTheLoadedSizes) {
    ASSERT_EQ(items().dat.size(), ITEMSFILEBYTES);
    u64 pictures = 0;
    for (const itemtyperec& r : items().rec)
        if (r.isused) pictures += r.rawdatasize;
    EXPECT_EQ(items().raw.size(), pictures);
    EXPECT_GT(pictures, 0u);
}

TEST(ContentItems, ItemZeroIsAnEmptyRecord) {
    ASSERT_EQ(items().dat.size(), ITEMSFILEBYTES);
    for (int i = 0; i < ITEMTYPESIZE; ++i) EXPECT_EQ(items().dat[i], 0) << "byte " << i;
}

TEST(ContentItems, AFullSetIsInUse) {
    int used = 0;
    for (int n = 1; n < NUMITEMTYPES; ++n) used += item(n).isused;
    EXPECT_GE(used, 200);
    for (int n = ITEM_RESERVED_FIRST; n <= ITEM_RESERVED_LAST; ++n) {
        EXPECT_EQ(item(n).isused, 0) << n;
        EXPECT_EQ(item(n).rawdatasize, 0u) << n;
    }
}

TEST(ContentItems, EveryPictureLiesInTheRawFileAndFitsItsBox) {
    const std::vector<u8>& raw = items().raw;
    u64 next = 0;  // pictures follow one another in item order
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        const itemtyperec& r = item(n);
        if (!r.isused) continue;
        // A section can come out empty when the ones in front of it took
        // all its column, as the item editor's cut does.
        if (!r.partoflargeitem) { EXPECT_GT(r.rawdatasize, 0u) << "item " << n << " has no picture"; }
        if (r.rawdatasize == 0) continue;
        EXPECT_EQ(r.fileoffset, next) << n;
        ASSERT_LE(static_cast<u64>(r.fileoffset) + r.rawdatasize, raw.size()) << n;
        EXPECT_LE(r.rawdatasize, 32767u) << n;
        EXPECT_LE(r.picheight, 200) << n;
        EXPECT_TRUE(rlefits(raw.data() + r.fileoffset, r.rawdatasize, r.picwidth, r.picheight)) << n;
        next = static_cast<u64>(r.fileoffset) + r.rawdatasize;
    }
}

TEST(ContentItems, NoStoredPixelIsTheTransparentValue) {
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        const itemtyperec& r = item(n);
        if (!r.isused || r.rawdatasize == 0) continue;
        int zeros = 0;
        rleforeach(items().raw.data() + r.fileoffset, r.rawdatasize, [&](u16 p) { zeros += p == 0 || (p & 0x8000); });
        EXPECT_EQ(zeros, 0) << "item " << n;
    }
}

TEST(ContentItems, LargeItemSectionsAreConsecutiveAndNamed) {
    int large = 0;
    std::vector<int> owner(NUMITEMTYPES, 0);
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        const itemtyperec& r = item(n);
        if (!r.isused || !r.largeitem) continue;
        ++large;
        ASSERT_GE(r.xsize, 1) << n;
        ASSERT_GE(r.ysize, 1) << n;
        EXPECT_GT(r.xsize * r.ysize, 1) << n;
        EXPECT_EQ(r.partoflargeitem, 0) << n;
        EXPECT_EQ(r.offlimits, 0) << n;
        for (int i = 0; i < r.ysize; ++i)
            for (int j = 0; j < r.xsize; ++j) {
                int m = n + i * r.xsize + j;
                ASSERT_LT(m, NUMITEMTYPES);
                const itemtyperec& s = item(m);
                owner[m] = n;
                EXPECT_EQ(s.isused, 1) << m;
                EXPECT_EQ(s.picwidth, 40) << m;  // a section is one cell wide
                EXPECT_EQ(s.picheight, r.picheight) << m;
                EXPECT_EQ(s.blockspassage, r.blockspassage) << m;
                EXPECT_EQ(s.blockssight, r.blockssight) << m;
                if (m == n) continue;
                EXPECT_EQ(s.largeitem, 0) << m;
                EXPECT_EQ(s.partoflargeitem, n) << m;
                EXPECT_EQ(s.xsection, j) << m;
                EXPECT_EQ(s.ysection, i) << m;
                EXPECT_EQ(s.offlimits, 1) << m;
            }
    }
    EXPECT_GE(large, 6);
    for (int n = 1; n < NUMITEMTYPES; ++n)
        if (item(n).partoflargeitem) { EXPECT_EQ(owner[n], item(n).partoflargeitem) << "stray section " << n; }
}

// A tree stands on the middle of its 2 x 2 footprint, which is the top
// corner of the front cell: its trunk must be in section 0 right there, and
// the crown high above it.
TEST(ContentItems, TreesAreCutAroundTheirTrunk) {
    for (int n : {ITEM_TREE_OAK, ITEM_TREE_PINE, ITEM_TREE_DEAD}) {
        Coverage front = coverage(n);
        EXPECT_TRUE(front.at(20, -12)) << n;
        EXPECT_FALSE(front.at(2, 12)) << n;  // open floor at the cell's left corner
        EXPECT_GT(front.h, 100) << n;
    }
}

TEST(ContentItems, CataloguedLargeItemsAreLarge) {
    for (int n : {ITEM_TREE_OAK, ITEM_TREE_OAK2, ITEM_TREE_PINE, ITEM_TREE_PINE2, ITEM_TREE_DEAD, ITEM_HOUSE,
                  ITEM_COTTAGE, ITEM_TOWER, ITEM_TENT}) {
        EXPECT_EQ(item(n).largeitem, 1) << n;
        EXPECT_EQ(item(n).blockspassage, 1) << n;
    }
    EXPECT_EQ(item(ITEM_HOUSE).xsize, 3);
    EXPECT_EQ(item(ITEM_HOUSE).ysize, 3);
}

// Follows item n's cycle from its first frame; the length, or 0 when the
// chain runs into an item that does not close it.
int cycle_length(int first) {
    int n = first;
    while (n < NUMITEMTYPES && item(n).isused && item(n).animation == 1) ++n;
    if (n >= NUMITEMTYPES || !item(n).isused || item(n).animation < 2) return 0;
    return n - first + 1 == item(n).animation ? item(n).animation : 0;
}

TEST(ContentItems, AnimationCyclesClose) {
    int cycles = 0;
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        const itemtyperec& r = item(n);
        if (!r.isused || r.animation < 2) continue;
        int first = n - r.animation + 1;
        ASSERT_GE(first, 1) << n;
        EXPECT_EQ(cycle_length(first), r.animation) << "cycle ending at " << n;
        if (first > 1) { EXPECT_NE(item(first - 1).animation, 1) << "cycle ending at " << n << " starts earlier"; }
        for (int k = first; k <= n; ++k) EXPECT_EQ(item(k).brightness, item(first).brightness) << k;
        ++cycles;
    }
    EXPECT_GE(cycles, 4);
    for (int n = 1; n + 1 < NUMITEMTYPES; ++n)
        if (item(n).animation == 1) { EXPECT_NE(item(n + 1).animation, 0) << "open chain at " << n; }
}

TEST(ContentItems, LightsFlickerAndShine) {
    for (int first : {ITEM_TORCH_X_FRAME0, ITEM_TORCH_Y_FRAME0, ITEM_BRAZIER_FRAME0, ITEM_CAMPFIRE_FRAME0}) {
        EXPECT_EQ(cycle_length(first), LIGHT_FRAMES) << first;
        EXPECT_GE(item(first).brightness, 3) << first;
        EXPECT_LE(item(first).brightness, 6) << first;
        // A cycle of identical frames would not flicker.
        const u8* a = items().raw.data() + item(first).fileoffset;
        const u8* b = items().raw.data() + item(first + 1).fileoffset;
        EXPECT_FALSE(item(first).rawdatasize == item(first + 1).rawdatasize &&
                     std::equal(a, a + item(first).rawdatasize, b))
            << first;
    }
    EXPECT_EQ(item(ITEM_TORCH_X_FRAME0).blockspassage, 0);
}

TEST(ContentItems, ChestsAndLootHaveTheMissionNumbers) {
    for (int n : {175, 176, 177, 178}) {
        EXPECT_EQ(item(n).isused, 1) << n;
        EXPECT_EQ(item(n).blockspassage, 1) << n;
        EXPECT_EQ(item(n).takeable, 0) << n;
    }
    EXPECT_EQ(item(175).usable, 1);
    EXPECT_EQ(item(176).usable, 0);
    EXPECT_EQ(item(177).usable, 1);
    EXPECT_EQ(item(178).usable, 0);
    for (int n : {180, 181}) {
        EXPECT_EQ(item(n).isused, 1) << n;
        EXPECT_EQ(item(n).takeable, 1) << n;
        EXPECT_EQ(item(n).usable, 0) << n;
        EXPECT_EQ(item(n).blockspassage, 0) << n;
    }
    for (int n = 1; n < NUMITEMTYPES; ++n) {
        if (n != 175 && n != 177) { EXPECT_EQ(item(n).usable, 0) << n; }
        if (n != 180 && n != 181) { EXPECT_EQ(item(n).takeable, 0) << n; }
    }
}

TEST(ContentItems, RemainsFallInSixteenStillFrames) {
    for (int k = 0; k < REMAINS_FRAMES; ++k) {
        const itemtyperec& r = item(ITEM_REMAINS_FRAME0 + k);
        EXPECT_EQ(r.isused, 1) << k;
        EXPECT_GT(r.rawdatasize, 0u) << k;
        EXPECT_EQ(r.animation, 0) << k;  // the map view steps the frames itself
        EXPECT_EQ(r.blockspassage, 0) << k;
        EXPECT_EQ(r.largeitem, 0) << k;
    }
    // Standing up at first, lying down at the end.
    EXPECT_GT(item(ITEM_REMAINS_FRAME0).picheight, 2 * item(ITEM_REMAINS_BODY).picheight);
}

TEST(ContentItems, WallsBlockByHeight) {
    for (int material : {ITEM_WALL_STONE, ITEM_WALL_WOOD, ITEM_WALL_HEDGE})
        for (int mask = 0; mask < WALL_PIECES; ++mask) {
            const itemtyperec& r = item(wall_piece(material, mask));
            EXPECT_EQ(r.iswall, 1) << material << "+" << mask;
            EXPECT_EQ(r.blockssight, 1) << material << "+" << mask;
            EXPECT_EQ(r.blockspassage, 1) << material << "+" << mask;
        }
    for (int material : {ITEM_WALL_LOWSTONE, ITEM_WALL_FENCE})
        for (int mask = 0; mask < WALL_PIECES; ++mask) {
            const itemtyperec& r = item(wall_piece(material, mask));
            EXPECT_EQ(r.iswall, 1) << material << "+" << mask;
            EXPECT_EQ(r.blockssight, 0) << material << "+" << mask;
            EXPECT_EQ(r.blockspassage, 0) << material << "+" << mask;
        }
    for (int n : {ITEM_ARCH_STONE_X, ITEM_ARCH_STONE_Y, ITEM_DOORWAY_WOOD_X, ITEM_GATE_X_OPEN, ITEM_GATE_Y_OPEN,
                  ITEM_FENCEGATE_X_OPEN})
        EXPECT_EQ(item(n).blockspassage, 0) << n;
    for (int n : {ITEM_GATE_X_CLOSED, ITEM_GATE_Y_CLOSED, ITEM_FENCEGATE_X_CLOSED})
        EXPECT_EQ(item(n).blockspassage, 1) << n;
}

// The arm towards x + 1 rises from the middle of the cell's lower right edge,
// towards y + 1 from the lower left one; the arms towards x - 1 and y - 1
// show only above the others, at the top of the wall.
TEST(ContentItems, WallPiecesReachTheSidesTheyJoin) {
    for (int mask = 0; mask < WALL_PIECES; ++mask) {
        Coverage c = coverage(wall_piece(ITEM_WALL_STONE, mask));
        EXPECT_EQ(c.at(30, 12), (mask & WALL_JOIN_XPLUS) != 0) << "mask " << mask;
        EXPECT_EQ(c.at(10, 12), (mask & WALL_JOIN_YPLUS) != 0) << "mask " << mask;
        EXPECT_EQ(c.at(10, -58), (mask & WALL_JOIN_XMINUS) != 0) << "mask " << mask;
        EXPECT_EQ(c.at(30, -58), (mask & WALL_JOIN_YMINUS) != 0) << "mask " << mask;
    }
}

TEST(ContentItems, ObstaclesCanBeHackedThrough) {
    for (int n : {ITEM_BARREL, ITEM_CRATE, ITEM_CRATES_STACK, ITEM_WATER_BARREL, ITEM_ROCK_FIRST,
                  ITEM_ROCK_FIRST + ITEM_ROCK_COUNT - 1}) {
        EXPECT_EQ(item(n).blockspassage, 1) << n;
        EXPECT_GE(item(n).passcost, 4u) << n;
        EXPECT_LE(item(n).passcost, 10u) << n;
    }
    for (int n = 1; n < NUMITEMTYPES; ++n)
        if (item(n).passcost) { EXPECT_EQ(item(n).blockspassage, 1) << n; }
    EXPECT_GT(item(ITEM_TABLE_X).surfaceheight, 0);
    EXPECT_GT(item(ITEM_ALTAR).surfaceheight, 0);
    EXPECT_EQ(item(ITEM_RUG_X).blockspassage, 0);
}

TEST(ContentItems, TwoRunsGiveIdenticalFiles) {
    Generated again("items_b");
    EXPECT_TRUE(again.dat == items().dat);
    EXPECT_TRUE(again.raw == items().raw);
}

// ---- the builder, on pictures whose every pixel is known ----

constexpr Rgb kRed = {248, 8, 8}, kBlue = {16, 40, 200};

// Draws item n of set onto a fresh canvas at a cell box corner of (60, 220).
Canvas replay(const ItemSet& set, int n) {
    Canvas c = canvas_make(200, 260);
    draw_item_at(c, set, n, 60, 220);
    return c;
}

TEST(ContentItemBuild, TrimmedPictureStaysCentredOnItsCell) {
    ItemSet set;
    Canvas pic = item_canvas();
    // One pixel 25 columns right of the cell box and 30 rows above its bottom.
    Iso iso = item_iso();
    int x = static_cast<int>(iso.ox) + 65, y = static_cast<int>(iso.oy) + 20 - 30;
    canvas_set(pic, x, y, kRed);
    std::string why;
    ASSERT_TRUE(add_item(set, 7, pic, ItemFlags{}, why)) << why;
    const itemtyperec& r = set.rec[7];
    EXPECT_EQ(r.picwidth, 40 + 2 * 26);  // the same margin on the left as the right needs
    EXPECT_EQ(r.picheight, 30);
    Canvas back = replay(set, 7);
    EXPECT_EQ(canvas_get(back, 60 + 65, 220 + 20 - 30), (Rgb{248, 8, 8}));
    int drawn = 0;
    for (size_t i = 0; i < back.px.size(); i += 3) drawn += back.px[i] | back.px[i + 1] | back.px[i + 2] ? 1 : 0;
    EXPECT_EQ(drawn, 1);
}

TEST(ContentItemBuild, EmptyPictureIsUsedWithoutData) {
    ItemSet set;
    std::string why;
    ItemFlags f;
    f.passage = 1;
    f.passcost = 5;
    ASSERT_TRUE(add_item(set, 9, item_canvas(), f, why)) << why;
    EXPECT_EQ(set.rec[9].isused, 1);
    EXPECT_EQ(set.rec[9].rawdatasize, 0u);
    EXPECT_EQ(set.rec[9].blockspassage, 1);
    EXPECT_EQ(set.rec[9].passcost, 5u);
    std::vector<u8> dat, raw;
    item_files(set, dat, raw);
    EXPECT_TRUE(raw.empty());
}

TEST(ContentItemBuild, ColoursTruncateToFiveBitsAndDarkOnesSurvive) {
    Canvas c = canvas_make(3, 1);
    canvas_set(c, 0, 0, {255, 128, 7});
    canvas_set(c, 1, 0, {3, 3, 3});
    std::vector<u16> p = to555(c);
    EXPECT_EQ(p[0], (31 << 10) | (16 << 5) | 0);
    EXPECT_NE(p[1], 0);  // would vanish as transparent otherwise
    EXPECT_EQ(p[2], 0);
}

// A picture filling a large item's whole footprint column, cut and drawn
// back section by section at the cells the map editor puts them on, must
// give back every pixel where it was.
TEST(ContentItemBuild, LargeItemReassemblesFromItsSections) {
    const int xs = 3, ys = 2, n = 100;
    Canvas pic = large_canvas(xs, ys);
    Iso iso = large_iso(xs, ys);
    iso_box(pic, iso, 0.1f, 0.1f, xs - 0.1f, ys - 0.1f, 0, 120, faces_of({180, 120, 60}), 0.2f, 3);
    Pt top = iso.at(0.5f, 0.5f, 150);
    fill_ellipse(pic, top.x, top.y, 8, 8, paint_solid(kBlue));
    ItemSet set;
    std::string why;
    ASSERT_TRUE(add_large(set, n, xs, ys, pic, ItemFlags{}, why)) << why;
    Canvas back = canvas_make(pic.w, pic.h);
    // Section (i, j) stands on map (x0 - j, y0 - i): 20 (i - j) right and
    // 10 (i + j) up from section 0's cell.
    Pt front = iso.at(xs - 1.0f, ys - 1.0f, 0);
    int ax = static_cast<int>(front.x) - 20, ay = static_cast<int>(front.y);
    for (int i = 0; i < ys; ++i)
        for (int j = 0; j < xs; ++j) draw_item_at(back, set, n + i * xs + j, ax + 20 * (i - j), ay - 10 * (i + j));
    std::vector<u16> want = to555(pic), got = to555(back);
    int differ = 0, filled = 0;
    for (size_t k = 0; k < want.size(); ++k) {
        differ += want[k] != got[k];
        filled += want[k] != 0;
    }
    EXPECT_GT(filled, 5000);
    EXPECT_EQ(differ, 0);
    for (int m = n; m < n + xs * ys; ++m) EXPECT_LE(set.rec[m].picheight, 200) << m;
}

TEST(ContentItemBuild, LargeItemRefusesWhatItCannotCut) {
    std::string why;
    {
        ItemSet set;
        Canvas pic = large_canvas(2, 2);
        canvas_set(pic, 10, pic.h - 30, kRed);  // left of the footprint's columns
        EXPECT_FALSE(add_large(set, 50, 2, 2, pic, ItemFlags{}, why));
        EXPECT_FALSE(why.empty());
    }
    {
        ItemSet set;
        Canvas pic = large_canvas(2, 2);
        Iso iso = large_iso(2, 2);
        Pt p = iso.at(1.0f, 1.0f, 230);  // far above any 200-row section
        canvas_set(pic, static_cast<int>(p.x), static_cast<int>(p.y), kRed);
        why.clear();
        EXPECT_FALSE(add_large(set, 50, 2, 2, pic, ItemFlags{}, why));
        EXPECT_FALSE(why.empty());
    }
}

TEST(ContentItemBuild, FilesListPicturesInItemOrder) {
    ItemSet set;
    std::string why;
    for (int n : {30, 12, 20}) {
        Canvas pic = item_canvas();
        fill_rect(pic, 45, 170, n / 4, 5, kBlue);
        ASSERT_TRUE(add_item(set, n, pic, ItemFlags{}, why)) << why;
    }
    make_cycle(set, 12, 3);
    std::vector<u8> dat, raw;
    item_files(set, dat, raw);
    ASSERT_EQ(dat.size(), ITEMSFILEBYTES);
    itemtyperec r12{}, r20{}, r30{}, r13{}, r14{};
    itemtypefromfile(&dat[12 * ITEMTYPESIZE], &r12);
    itemtypefromfile(&dat[13 * ITEMTYPESIZE], &r13);
    itemtypefromfile(&dat[14 * ITEMTYPESIZE], &r14);
    itemtypefromfile(&dat[20 * ITEMTYPESIZE], &r20);
    itemtypefromfile(&dat[30 * ITEMTYPESIZE], &r30);
    EXPECT_EQ(r12.fileoffset, 0u);
    EXPECT_EQ(r20.fileoffset, r12.rawdatasize);
    EXPECT_EQ(r30.fileoffset, r12.rawdatasize + r20.rawdatasize);
    EXPECT_EQ(raw.size(), r12.rawdatasize + r20.rawdatasize + r30.rawdatasize);
    EXPECT_TRUE(std::equal(set.pic[20].begin(), set.pic[20].end(), raw.begin() + r20.fileoffset));
    EXPECT_EQ(r12.animation, 1);
    EXPECT_EQ(r13.animation, 1);
    EXPECT_EQ(r14.animation, 3);
}

}  // namespace
