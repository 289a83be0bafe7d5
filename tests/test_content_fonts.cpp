// The generated font strips, checked the way the game reads them: PCX files
// decoded by the game's own reader and laid out as the glyph tables say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <string>
#include <vector>

#include "text/glyphtables.h"
#include "tools/content/fonts.h"
#include "tools/content/fonts_levels.h"
#include "tools/content/pcxwrite.h"
#include "video/pcxdecode.h"

namespace {

constexpr int kOutlined = 6;

std::vector<u8> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string font_name(int font) {
    std::string f = fontfiles[font].file;
    return f.substr(f.find('\\') + 1);
}

// Runs the generator into a fresh folder of this process (CTest runs the
// cases side by side) and returns that folder.
std::string generate(const std::string& leaf) {
    std::string dir = std::string(VENNOR_TEST_TMP) + "/" + leaf + "-" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    GenContext ctx{dir, ""};
    std::string why;
    EXPECT_TRUE(gen_fonts(ctx, why)) << why;
    return dir;
}

// Removed when the test process ends.
struct GeneratedDir {
    std::string path;
    explicit GeneratedDir(const std::string& leaf) : path(generate(leaf)) {}
    ~GeneratedDir() { std::filesystem::remove_all(path); }
};

const std::string& generated() {
    static const GeneratedDir dir("fonts_a");
    return dir.path;
}

std::vector<u8> font_bytes(int font) { return read_file(generated() + "/fonts/" + font_name(font)); }

struct Strip {
    int w = 0, h = 0;
    std::vector<u8> px;
    u8 at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

// Decoded once per font; 0 x 0 when the file is missing or unreadable.
const Strip& strip(int font) {
    static Strip strips[NUMFONTS];
    static bool loaded[NUMFONTS] = {};
    if (!loaded[font]) {
        loaded[font] = true;
        std::vector<u8> b = font_bytes(font);
        Strip s;
        if (pcx_decode(b.data(), b.size(), &s.px, &s.w, &s.h)) strips[font] = s;
    }
    return strips[font];
}

const glyph& entry(int font, int ch) { return glyphtables[font][ch - 32]; }

// Lowest row in the character's range holding ink of at least min_level;
// -1 when there is none.
int lowest_row(int font, int ch, u8 min_level) {
    const Strip& s = strip(font);
    const glyph& g = entry(font, ch);
    for (int y = s.h - 1; y >= 0; --y)
        for (int x = g.x; x < g.x + g.width; ++x)
            if (s.at(x, y) >= min_level) return y;
    return -1;
}

int highest_row(int font, int ch, u8 min_level) {
    const Strip& s = strip(font);
    const glyph& g = entry(font, ch);
    for (int y = 0; y < s.h; ++y)
        for (int x = g.x; x < g.x + g.width; ++x)
            if (s.at(x, y) >= min_level) return y;
    return -1;
}

// How many distinct table ranges (spaces aside) claim each strip column.
std::vector<int> claims(int font) {
    std::vector<int> n(fontfiles[font].picwidth, 0);
    std::vector<std::pair<int, int>> seen;
    for (int ch = 33; ch < 128; ++ch) {
        const glyph& g = entry(font, ch);
        if (g.width == 0 || std::find(seen.begin(), seen.end(), std::pair<int, int>(g.x, g.width)) != seen.end())
            continue;
        seen.push_back({g.x, g.width});
        for (int x = g.x; x < g.x + g.width; ++x) ++n[x];
    }
    return n;
}

bool column_empty(const Strip& s, int x) {
    for (int y = 0; y < s.h; ++y)
        if (s.at(x, y)) return false;
    return true;
}

u32 le16(const std::vector<u8>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// Walks the packed rows and fails at the first run that carries over a row
// end, which the game's reader would silently cut short.
bool rows_pack_exactly(const std::vector<u8>& b, int w, int h) {
    size_t p = 128;
    for (int y = 0; y < h; ++y) {
        int count = 0;
        while (count < w) {
            if (p >= b.size()) return false;
            u8 c = b[p++];
            count += c >= 0xC0 ? (++p, c - 0xC0) : 1;
        }
        if (count != w) return false;
    }
    return true;
}

}  // namespace

TEST(ContentFonts, EveryFontIsAnEightBitPcxOfItsTableSize) {
    for (int f = 0; f < NUMFONTS; ++f) {
        SCOPED_TRACE(font_name(f));
        std::vector<u8> b = font_bytes(f);
        ASSERT_GT(b.size(), 128u + 769u);
        EXPECT_EQ(b[0], 10);
        EXPECT_EQ(b[1], 5);
        EXPECT_EQ(b[2], 1) << "encoding";
        EXPECT_EQ(b[3], 8) << "bits per pixel";
        EXPECT_EQ(b[65], 1) << "planes";
        EXPECT_EQ(le16(b, 66), fontfiles[f].picwidth) << "bytes per line";
        EXPECT_EQ(b[b.size() - 769], 12) << "palette marker";
        EXPECT_EQ(b[b.size() - 768 + kMaxLevel * 3], 255) << "the top coverage level shows white";
        const Strip& s = strip(f);
        EXPECT_EQ(s.w, static_cast<int>(fontfiles[f].picwidth));
        EXPECT_EQ(s.h, fontfiles[f].height);
        EXPECT_TRUE(rows_pack_exactly(b, s.w, s.h));
        EXPECT_LE(*std::max_element(s.px.begin(), s.px.end()), kMaxLevel);
    }
}

TEST(ContentFonts, EveryCharacterWithAWidthHasInkInItsRange) {
    for (int f = 0; f < NUMFONTS; ++f) {
        const Strip& s = strip(f);
        ASSERT_EQ(s.w, static_cast<int>(fontfiles[f].picwidth));
        for (int ch = 33; ch < 128; ++ch) {
            const glyph& g = entry(f, ch);
            if (g.width == 0) continue;
            bool ink = false;
            for (int x = g.x; x < g.x + g.width; ++x) ink = ink || !column_empty(s, x);
            EXPECT_TRUE(ink) << font_name(f) << ": character " << ch << " is blank";
        }
    }
}

// Spaces included: a space's range that no glyph shares must draw nothing.
TEST(ContentFonts, ColumnsOutsideEveryGlyphRangeAreEmpty) {
    for (int f = 0; f < NUMFONTS; ++f) {
        const Strip& s = strip(f);
        ASSERT_EQ(s.w, static_cast<int>(fontfiles[f].picwidth));
        std::vector<int> n = claims(f);
        for (int x = 0; x < s.w; ++x)
            if (n[x] == 0) {
                EXPECT_TRUE(column_empty(s, x)) << font_name(f) << ": ink at unused column " << x;
            }
    }
}

// Where two different ranges overlap, ink in the shared column would show
// up in both characters.
TEST(ContentFonts, ColumnsSharedByTwoRangesAreEmpty) {
    int shared = 0;
    for (int f = 0; f < NUMFONTS; ++f) {
        const Strip& s = strip(f);
        ASSERT_EQ(s.w, static_cast<int>(fontfiles[f].picwidth));
        std::vector<int> n = claims(f);
        for (int x = 0; x < s.w; ++x)
            if (n[x] > 1) {
                ++shared;
                EXPECT_TRUE(column_empty(s, x)) << font_name(f) << ": ink at shared column " << x;
            }
    }
    EXPECT_GT(shared, 0) << "the tables have partly overlapping ranges; none were found";
}

TEST(ContentFonts, LettersStandOnOneBaselineAndDescendersGoBelowIt) {
    for (int f = 0; f < NUMFONTS; ++f) {
        SCOPED_TRACE(font_name(f));
        ASSERT_EQ(strip(f).h, fontfiles[f].height);
        int base = lowest_row(f, 'H', 2);
        ASSERT_GT(base, 0);
        for (char ch : std::string("EILTmz")) EXPECT_EQ(lowest_row(f, ch, 2), base) << "character " << ch;
        // Capitals must not have been squeezed into a corner of the cell.
        EXPECT_GE(base - highest_row(f, 'H', 2) + 1, fontfiles[f].height / 2);
        if (f == kOutlined) continue;  // small capitals only: its g, p and y are G, P and Y
        for (char ch : std::string("gpy")) EXPECT_GT(lowest_row(f, ch, 2), base) << "character " << ch;
    }
}

// The tables point many symbols of this font at one range, and the
// brackets' angled and square kin at the brackets.
TEST(ContentFonts, SharedRangesHoldADashAndBrackets) {
    const int f = 1;
    ASSERT_EQ(strip(f).h, fontfiles[f].height);
    int base = lowest_row(f, 'H', 2);
    int dash_top = highest_row(f, '-', 1), dash_bottom = lowest_row(f, '-', 1);
    EXPECT_LE(dash_bottom - dash_top, 1) << "the shared symbol is not a dash";
    EXPECT_LT(dash_bottom, base);
    EXPECT_GT(dash_top, highest_row(f, 'H', 2));
    for (char ch : std::string("()")) {
        EXPECT_LE(highest_row(f, ch, 2), highest_row(f, 'H', 2)) << ch;
        EXPECT_GT(lowest_row(f, ch, 2), base) << ch;
    }
}

// The game draws level 1 black and 2 and up as fill, and overlaps each
// glyph's last column with the next glyph's first.
TEST(ContentFonts, OutlinedFontFillNeverTouchesTheBackground) {
    const Strip& s = strip(kOutlined);
    ASSERT_EQ(s.h, fontfiles[kOutlined].height);
    for (int ch = 33; ch <= 'Z'; ++ch) {
        const glyph& g = entry(kOutlined, ch);
        if (g.width == 0) continue;
        int fill = 0;
        for (int y = 0; y < s.h; ++y)
            for (int x = g.x; x < g.x + g.width; ++x) {
                if (s.at(x, y) < kMinFill) continue;
                ++fill;
                EXPECT_TRUE(x > g.x && x < g.x + g.width - 1 && y > 0)
                    << "character " << ch << ": fill on the glyph's rim at (" << x << ", " << y << ")";
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = x + dx, ny = y + dy;
                        if (nx < g.x || nx >= g.x + g.width || ny < 0 || ny >= s.h) continue;
                        EXPECT_NE(s.at(nx, ny), 0) << "character " << ch << ": fill at (" << x << ", " << y
                                                   << ") meets the background";
                    }
            }
        EXPECT_GT(fill, 0) << "character " << ch;
    }
}

TEST(ContentFonts, OutlinedFontOutlineOnlySurroundsFill) {
    const Strip& s = strip(kOutlined);
    ASSERT_EQ(s.h, fontfiles[kOutlined].height);
    std::vector<int> n = claims(kOutlined);
    int outline = 0;
    for (int ch = 33; ch <= 'Z'; ++ch) {
        const glyph& g = entry(kOutlined, ch);
        for (int y = 0; y < s.h; ++y)
            for (int x = g.x; x < g.x + g.width; ++x) {
                if (s.at(x, y) != kOutline) continue;
                ++outline;
                bool touches = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = x + dx, ny = y + dy;
                        if (nx >= g.x && nx < g.x + g.width && ny >= 0 && ny < s.h)
                            touches = touches || s.at(nx, ny) >= kMinFill;
                    }
                EXPECT_TRUE(touches) << "stray outline at (" << x << ", " << y << ")";
            }
    }
    EXPECT_GT(outline, 0);
}

TEST(ContentFonts, TwoRunsWriteIdenticalFiles) {
    GeneratedDir second("fonts_b");
    const std::string& again = second.path;
    for (int f = 0; f < NUMFONTS; ++f) {
        std::vector<u8> a = font_bytes(f);
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a, read_file(again + "/fonts/" + font_name(f))) << font_name(f);
    }
}

TEST(PcxWrite, RoundTripsThroughTheGameReaderWithRunsKeptInsideRows) {
    const int w = 150, h = 4;
    std::vector<u8> px(w * h);
    u32 seed = 12345;
    for (int i = 0; i < w * h; ++i) {
        seed = seed * 1103515245u + 12345u;
        // Long runs across row ends, lone bytes from 192 up, and noise.
        px[i] = i < 2 * w ? 200 : static_cast<u8>(i % 7 == 0 ? 192 + (seed >> 16) % 64 : (seed >> 16) % 3);
    }
    std::vector<u8> b = pcx_encode8(w, h, px.data(), pcx_grey_palette(8));
    EXPECT_EQ(le16(b, 8), static_cast<u32>(w - 1));
    EXPECT_EQ(le16(b, 10), static_cast<u32>(h - 1));
    EXPECT_TRUE(rows_pack_exactly(b, w, h));
    std::vector<u8> out;
    i32 dw = 0, dh = 0;
    ASSERT_TRUE(pcx_decode(b.data(), b.size(), &out, &dw, &dh));
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
    EXPECT_EQ(out, px);
}

TEST(PcxWrite, GreyPaletteRunsFromBlackToWhiteAtTheFileEnd) {
    u8 px[2] = {0, 7};
    std::vector<u8> b = pcx_encode8(2, 1, px, pcx_grey_palette(8));
    ASSERT_EQ(b.size(), 128u + 2u + 1u + 768u);
    const u8* pal = b.data() + b.size() - 768;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pal[i * 3], pal[i * 3 + 2]);
        if (i > 0) {
            EXPECT_GT(pal[i * 3], pal[i * 3 - 3]);
        }
    }
    EXPECT_EQ(pal[0], 0);
    EXPECT_EQ(pal[21], 255);
    EXPECT_EQ(pal[24], 0) << "colours beyond the ramp are black";
}

// The game blends level s at (s + 1) / 8 and level 0 not at all; each
// coverage must get the level whose blend is nearest to it.
TEST(FontLevels, CoverageTakesTheNearestBlend) {
    auto blend = [](int s) { return s == 0 ? 0.0 : (s + 1) / 8.0; };
    for (int c = 0; c < 256; ++c) {
        int got = coverage_level(static_cast<u8>(c));
        ASSERT_LE(got, kMaxLevel);
        double want = c / 255.0;
        for (int s = 0; s <= kMaxLevel; ++s)
            EXPECT_LE(std::fabs(blend(got) - want), std::fabs(blend(s) - want) + 1e-9) << "coverage " << c;
    }
    EXPECT_EQ(coverage_level(255), kMaxLevel);
}

TEST(FontLevels, OutlineRingsFillIncludingDiagonalsAndStopsAtTheCellEdge) {
    const int w = 4, h = 3;
    std::vector<u8> cov(w * h, 0);
    cov[1 * w + 0] = 255;  // on the left edge
    cov[0 * w + 3] = 100;  // too faint to be fill
    std::vector<u8> lv = outlined_levels(cov, w, h);
    const std::vector<u8> want = {kOutline, kOutline, 0, 0,  //
                                  kMaxLevel, kOutline, 0, 0,  //
                                  kOutline, kOutline, 0, 0};
    EXPECT_EQ(lv, want);
}
