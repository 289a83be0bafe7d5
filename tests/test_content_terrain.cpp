// The generated land tiles, read back the way the game reads them: 1280
// diamonds of 400 little-endian 5-5-5 pixels. Most of the checks lay tiles
// out in the isometric lattice and compare the pixels that meet across cell
// edges, since a seam is what a player would notice.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tools/content/gen.h"
#include "tools/content/terrain.h"
#include "world/itemtype.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr int kTiles = 1280, kSectionSize = 16, kSections = kTiles / kSectionSize;

Bytes read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TerrainRun {
    bool ok = false;
    std::string why;
    Bytes raw, sheet;
};

TerrainRun generate(const char* tag, bool sheets) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / (std::string(tag) + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    GenContext ctx{dir.string(), sheets ? (dir / "sheets").string() : std::string()};
    TerrainRun r;
    r.ok = gen_terrain(ctx, r.why);
    r.raw = read_file(dir / "terrain" / "terrain.raw");
    if (sheets) r.sheet = read_file(dir / "sheets" / "terrain.png");
    fs::remove_all(dir);
    return r;
}

const TerrainRun& first_run() {
    static const TerrainRun r = generate("terrain-a", true);
    return r;
}

uint16_t pixel(int tile, int i) {
    const Bytes& b = first_run().raw;
    size_t at = static_cast<size_t>(tile) * 800 + static_cast<size_t>(i) * 2;
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct Rgb5 {
    int r, g, b;
};
Rgb5 split(uint16_t p) { return {(p >> 10) & 31, (p >> 5) & 31, p & 31}; }

// A field of cells on screen: which cell owns each pixel and its colour.
struct Screen {
    int w, h;
    std::vector<int> owner;  // -1 where no cell is
    std::vector<uint16_t> px;
    std::vector<float> u, v;  // where in its cell the pixel is, 0..1 each way
};

// cells[y][x] is a tile number or -1; cell (x, y) sits 20(x - y) across and
// 10(x + y) down, as the map draws it.
Screen lay(const std::vector<std::vector<int>>& cells) {
    int n = static_cast<int>(cells.size());
    Screen s{40 * n, 20 * n, {}, {}, {}, {}};
    s.owner.assign(static_cast<size_t>(s.w) * s.h, -1);
    s.px.assign(s.owner.size(), 0);
    s.u.assign(s.owner.size(), 0);
    s.v.assign(s.owner.size(), 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (cells[y][x] < 0) continue;
            int ox = 20 * (x - y) + 20 * (n - 1), oy = 10 * (x + y), i = 0;
            for (int r = 0; r < 20; ++r) {
                int first = 0, count = 0;
                tilerow(r, &first, &count);
                for (int k = 0; k < count; ++k, ++i) {
                    size_t at = static_cast<size_t>(oy + r) * s.w + ox + first + k;
                    EXPECT_EQ(s.owner[at], -1) << "diamonds overlap";
                    s.owner[at] = y * n + x;
                    s.px[at] = pixel(cells[y][x], i);
                    // Screen x runs with u - v and y with u + v: the top
                    // corner is (0, 0), the left (0, 1), the right (1, 0).
                    float sx = static_cast<float>(first + k) + 0.5f - 20.0f, sy = 2.0f * static_cast<float>(r);
                    s.u[at] = (sy + sx) / 40.0f;
                    s.v[at] = (sy - sx) / 40.0f;
                }
            }
        }
    return s;
}

int distance(uint16_t a, uint16_t b) {
    Rgb5 p = split(a), q = split(b);
    return std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
}

bool across_middle(const Screen& s, size_t a, size_t b) {
    return (s.u[a] - 0.5f) * (s.u[b] - 0.5f) < 0 || (s.v[a] - 0.5f) * (s.v[b] - 0.5f) < 0;
}

// Mean colour step between right and down neighbours in different cells,
// and between those in one cell on either side of its middle lines.
struct Steps {
    double seam = 0, inside = 0;
    int seams = 0;
};

Steps steps(const Screen& s) {
    double seam = 0, inside = 0;
    int ns = 0, ni = 0;
    for (int y = 0; y + 1 < s.h; ++y)
        for (int x = 0; x + 1 < s.w; ++x) {
            size_t a = static_cast<size_t>(y) * s.w + x;
            for (size_t b : {a + 1, a + static_cast<size_t>(s.w)}) {
                if (s.owner[a] < 0 || s.owner[b] < 0) continue;
                int d = distance(s.px[a], s.px[b]);
                if (s.owner[a] != s.owner[b]) seam += d, ++ns;
                else if (across_middle(s, a, b)) inside += d, ++ni;
            }
        }
    return {ns ? seam / ns : 0, ni ? inside / ni : 0, ns};
}

bool special(int tile) { return tile == kNoLandTile || tile == kBlankTile || tile == kVoidTile; }

// Two tilings of 4 x 4 patches laid as the map editor lays a section, so
// that every edge of the patch meets the edge it wraps onto.
std::vector<std::vector<int>> as_blocks(int section) {
    std::vector<std::vector<int>> cells(8, std::vector<int>(8));
    for (int k = 0; k < kSectionSize; ++k) {
        int cx, cy;
        section_cell(k, &cx, &cy);
        int t = section * kSectionSize + k;
        for (int by = 0; by < 8; by += 4)
            for (int bx = 0; bx < 8; bx += 4) cells[by + cy][bx + cx] = special(t) ? -1 : t;
    }
    return cells;
}

std::vector<std::vector<int>> at_random(int section, std::mt19937& rng) {
    std::vector<std::vector<int>> cells(8, std::vector<int>(8));
    for (auto& row : cells)
        for (int& t : row) {
            do t = section * kSectionSize + static_cast<int>(rng() % kSectionSize);
            while (special(t));
        }
    return cells;
}

// A seam may be no rougher than the middle of a cell.
void expect_seamless(const Screen& s, const std::string& what) {
    Steps st = steps(s);
    ASSERT_GT(st.seams, 0) << what;
    EXPECT_LE(st.seam, st.inside * 1.25 + 0.5) << what << ": mean step " << st.seam << " across cells, "
                                                << st.inside << " across their middles";
}

struct Mean {
    double r = 0, g = 0, b = 0;
};
Mean mean_of(int tile) {
    Mean m;
    for (int i = 0; i < TILEPIXELS; ++i) {
        Rgb5 p = split(pixel(tile, i));
        m.r += p.r, m.g += p.g, m.b += p.b;
    }
    return {m.r / TILEPIXELS, m.g / TILEPIXELS, m.b / TILEPIXELS};
}

}  // namespace

TEST(ContentTerrain, WritesTheWholeFileIn555) {
    const TerrainRun& r = first_run();
    ASSERT_TRUE(r.ok) << r.why;
    ASSERT_EQ(r.raw.size(), 1024000u);
    for (int t = 0; t < kTiles; ++t)
        for (int i = 0; i < TILEPIXELS; ++i) ASSERT_EQ(pixel(t, i) & 0x8000, 0) << "tile " << t << " pixel " << i;
    for (int t = 1; t < kTiles; ++t)
        for (int i = 0; i < TILEPIXELS; ++i) ASSERT_NE(pixel(t, i), 0) << "black in tile " << t;
}

TEST(ContentTerrain, SameBytesEveryRun) {
    TerrainRun again = generate("terrain-b", false);
    ASSERT_TRUE(again.ok) << again.why;
    EXPECT_TRUE(again.raw == first_run().raw);
    const Bytes& png = first_run().sheet;
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
}

TEST(ContentTerrain, SectionsJoinAsBlocksAndInAnyOrder) {
    ASSERT_EQ(first_run().raw.size(), 1024000u);
    std::mt19937 rng(1234);
    for (int s = 0; s < kSections; ++s) {
        expect_seamless(lay(as_blocks(s)), "section " + std::to_string(s) + " as blocks");
        expect_seamless(lay(at_random(s, rng)), "section " + std::to_string(s) + " at random");
    }
}

TEST(ContentTerrain, SectionsAreDistinctTexturedGround) {
    ASSERT_EQ(first_run().raw.size(), 1024000u);
    std::vector<Bytes> seen;
    for (int s = 0; s < kSections; ++s) {
        const Bytes& b = first_run().raw;
        Bytes section(b.begin() + s * 16 * 800 + 3 * 800, b.begin() + (s + 1) * 16 * 800);
        for (const Bytes& other : seen) EXPECT_FALSE(other == section) << "section " << s << " repeats";
        seen.push_back(section);
        int t = s * kSectionSize + 5;
        int lo = 99, hi = -1;
        for (int i = 0; i < TILEPIXELS; ++i) {
            Rgb5 p = split(pixel(t, i));
            lo = std::min(lo, p.r + p.g + p.b), hi = std::max(hi, p.r + p.g + p.b);
        }
        EXPECT_GE(hi - lo, 4) << "section " << s << " is flat";
    }
}

TEST(ContentTerrain, SpecialTilesKeepTheirPromises) {
    ASSERT_EQ(first_run().raw.size(), 1024000u);
    Mean floor = mean_of(kFloorTile);
    EXPECT_NEAR(floor.r, floor.g, 1.0);
    EXPECT_NEAR(floor.g, floor.b, 1.0);
    EXPECT_GT(floor.g, 8.0);
    EXPECT_LT(floor.g, 24.0);

    Mean dark = mean_of(kVoidTile);
    EXPECT_LT(dark.r + dark.g + dark.b, 9.0);
    EXPECT_GT(dark.b, dark.r);
    std::vector<std::vector<int>> voids(6, std::vector<int>(6, kVoidTile));
    expect_seamless(lay(voids), "the void next to itself");
    int levels = 0;
    std::array<bool, 32768> had{};
    for (int i = 0; i < TILEPIXELS; ++i) levels += had[pixel(kVoidTile, i)] ? 0 : 1, had[pixel(kVoidTile, i)] = true;
    EXPECT_GE(levels, 3) << "the void should not be one flat colour";

    int marked = 0;
    for (int i = 0; i < TILEPIXELS; ++i) {
        Rgb5 p = split(pixel(kNoLandTile, i));
        EXPECT_LE(std::max({p.r, p.g, p.b}), 16) << "the no-land mark should be faint";
        marked += p.g > 4;
    }
    EXPECT_GT(marked, 40);
    EXPECT_LT(marked, 200);
}
