// The mission screen's pictures as the game loads them: every file in its
// place and size, see-through where black, shaped for where the map view
// puts it, and the same bytes on every run.
#include <cstring>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/bmpdecode.h"
#include "tools/content/gamebitmaps.h"
#include "tools/content/gamebitmaps_parts.h"

namespace {

namespace fs = std::filesystem;

std::vector<u8> read_bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path generate(const std::string& leaf) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / (leaf + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    GenContext ctx{(dir / "data").string(), ""};
    std::string why;
    EXPECT_TRUE(gen_gamebitmaps(ctx, why)) << why;
    return dir / "data";
}

const fs::path& tree() {
    static const fs::path dir = generate("gamebitmaps_a");
    return dir;
}

struct Pic {
    platbitmap bm;
    bool ok = false;
    int w() const { return static_cast<int>(bm.width); }
    int h() const { return static_cast<int>(bm.height); }
    const u8* at(int x, int y) const { return &bm.rgb[(static_cast<size_t>(y) * bm.width + x) * 3]; }
    bool ink(int x, int y) const {
        const u8* p = at(x, y);
        return p[0] || p[1] || p[2];
    }
    float luma(int x, int y) const {
        const u8* p = at(x, y);
        return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
    }
};

const Pic& pic(const std::string& rel) {
    static std::map<std::string, Pic> cache;
    auto it = cache.find(rel);
    if (it != cache.end()) return it->second;
    Pic& p = cache[rel];
    std::vector<u8> bytes = read_bytes(tree() / rel);
    std::string why;
    p.ok = !bytes.empty() && bmp_decode(bytes.data(), bytes.size(), &p.bm, &why);
    EXPECT_TRUE(p.ok) << rel << ": " << why;
    return p;
}

struct Want {
    std::string rel;
    int w, h;  // 0 where the layout leaves the size free
};

// Every file the game loads for the mission screen, with the sizes the map
// view's placing rules fix.
std::vector<Want> wanted() {
    std::vector<Want> v = {
        {"bitmaps/menubar.bmp", 640, 80},       {"bitmaps/compturn.bmp", 640, 80},
        {"bitmaps/window.bmp", 600, 440},        {"bitmaps/talkcloud.bmp", 0, 0},
        {"bitmaps/thoughtcloud.bmp", 0, 0},      {"bitmaps/magic.bmp", 0, 0},
        {"bitmaps/magicsmall.bmp", 0, 0},        {"bitmaps/thoughtcloudleft.bmp", 16, 40},
        {"bitmaps/thoughtcloudright.bmp", 16, 40}, {"bitmaps/thoughtcloudtop.bmp", 20, 30},
        {"bitmaps/thoughtcloudbottom.bmp", 20, 10}, {"bitmaps/talkcloudleft.bmp", 16, 32},
        {"bitmaps/talkcloudright.bmp", 16, 32},  {"bitmaps/talkcloudtop.bmp", 20, 10},
        {"bitmaps/talkcloudbottom.bmp", 20, 10}, {"bitmaps/talkcloudtopleft.bmp", 16, 16},
        {"bitmaps/talkcloudtopright.bmp", 16, 16}, {"bitmaps/talkcloudbottomleft.bmp", 16, 16},
        {"bitmaps/talkcloudbottomright.bmp", 16, 16}, {"bitmaps/cloudfiller.bmp", 20, 8},
        {"bitmaps/thoughtclouddots.bmp", 0, 0},  {"bitmaps/talkcloudcurve.bmp", 0, 0},
        {"bitmaps/circle.bmp", 0, 0},            {"bitmaps/blodspot.bmp", 0, 0},
        {"bitmaps/greenspot.bmp", 48, 28},       {"bitmaps/mapselec.bmp", 0, 0},
        {"bitmaps/border.bmp", 0, 0},            {"bitmaps/spellbox.bmp", 90, 14},
        {"bitmaps/buttons/prevnpc.bmp", 24, 40}, {"bitmaps/buttons/nextnpc.bmp", 24, 40},
        {"bitmaps/buttons/endturn.bmp", 64, 40}, {"bitmaps/buttons/clickmap.bmp", 64, 13},
    };
    for (int f = 1; f <= 8; ++f) v.push_back({"bitmaps/arrows/arrow" + std::to_string(f) + ".bmp", 24, 24});
    for (int d = 0; d <= 9; ++d) v.push_back({"bitmaps/" + std::to_string(d) + ".bmp", 10, 14});
    for (const char* s : {"sel", "sel1", "sel2", "sel3"}) v.push_back({std::string("bitmaps/") + s + ".bmp", 48, 24});
    for (const char* s : {"gseln", "gsele", "gsels", "gselw", "gselne", "gselnw", "gselse", "gselsw"})
        v.push_back({std::string("bitmaps/") + s + ".bmp", 40, 20});
    for (int i : {0, 1, 2, 3, 5}) v.push_back({"bitmaps/icons/icon" + std::to_string(i) + ".bmp", 32, 32});
    for (int f = 0; f <= 7; ++f) v.push_back({"bitmaps/spells/heal" + std::to_string(f) + ".bmp", 40, 70});
    return v;
}

bool is_sprite(const std::string& rel) {
    return rel != "bitmaps/menubar.bmp" && rel != "bitmaps/compturn.bmp" && rel != "bitmaps/window.bmp" &&
           rel.find("buttons/") == std::string::npos;
}

struct Mass {
    int n = 0;
    float x = 0, y = 0;
};

template <typename Pred>
Mass mass(const Pic& p, Pred pred) {
    Mass m;
    for (int y = 0; y < p.h(); ++y)
        for (int x = 0; x < p.w(); ++x)
            if (pred(p.at(x, y))) m.n++, m.x += x + 0.5f, m.y += y + 0.5f;
    if (m.n) m.x /= m.n, m.y /= m.n;
    return m;
}

bool inked(const u8* p) { return p[0] || p[1] || p[2]; }

}  // namespace

TEST(ContentGameBitmaps, EveryFileIsThereAtItsSize) {
    for (const Want& w : wanted()) {
        SCOPED_TRACE(w.rel);
        const Pic& p = pic(w.rel);
        ASSERT_TRUE(p.ok);
        if (w.w) {
            EXPECT_EQ(p.w(), w.w);
            EXPECT_EQ(p.h(), w.h);
        }
        EXPECT_LE(p.w(), 640);
        EXPECT_LE(p.h(), 480);
    }
    // The pressed buttons lie inside their click rectangles on the panel.
    EXPECT_TRUE(kPanelButtons[0].x >= 6 && kPanelButtons[0].x + kPanelButtons[0].w <= 30);
    EXPECT_TRUE(kPanelButtons[1].x >= 80 && kPanelButtons[1].x + kPanelButtons[1].w <= 104);
    EXPECT_TRUE(kPanelButtons[2].y >= 434 && kPanelButtons[2].y + kPanelButtons[2].h <= 474);
    EXPECT_TRUE(kPanelButtons[3].y >= 408 && kPanelButtons[3].y + kPanelButtons[3].h <= 428);
}

// Black is see-through, and a colour whose channels all truncate to 0 on the
// 5-5-5 screen would turn see-through there too.
TEST(ContentGameBitmaps, SpritesAreShapesOnBlackThatSurviveTheScreen) {
    for (const Want& w : wanted()) {
        SCOPED_TRACE(w.rel);
        const Pic& p = pic(w.rel);
        ASSERT_TRUE(p.ok);
        int ink = 0, clear = 0, vanishing = 0;
        for (int y = 0; y < p.h(); ++y)
            for (int x = 0; x < p.w(); ++x) {
                const u8* c = p.at(x, y);
                if (!inked(c)) clear++;
                else if ((c[0] >> 3) == 0 && (c[1] >> 3) == 0 && (c[2] >> 3) == 0) vanishing++;
                else ink++;
            }
        EXPECT_EQ(vanishing, 0);
        if (!is_sprite(w.rel)) {
            EXPECT_EQ(clear, 0) << "whole pictures have no holes";
            continue;
        }
        EXPECT_GT(ink, 8);
        // Pieces that tile the middle of a cloud may fill their box; every
        // other sprite has a shape with black round it.
        bool tiles = w.rel.find("cloudfiller") != std::string::npos || w.rel.find("cloudtop") != std::string::npos ||
                     w.rel.find("cloudbottom.") != std::string::npos;
        if (!tiles) {
            EXPECT_GT(clear, 0);
        }
    }
    EXPECT_EQ(mass(pic("bitmaps/cloudfiller.bmp"), inked).n, 20 * 8);
}

// Facing 1 is north-east on the screen, then clockwise to 8, north. The
// steel head lies ahead of the shaft's middle, along the projected map step.
TEST(ContentGameBitmaps, ArrowsPointTheirFacingsWay) {
    const int steps[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    for (int f = 1; f <= 8; ++f) {
        SCOPED_TRACE(f);
        const Pic& p = pic("bitmaps/arrows/arrow" + std::to_string(f) + ".bmp");
        ASSERT_TRUE(p.ok);
        float dx = static_cast<float>(steps[f - 1][0] - steps[f - 1][1]);
        float dy = (steps[f - 1][0] + steps[f - 1][1]) * 0.5f;
        float want = std::atan2(dy, dx);
        Mass all = mass(p, inked);
        Mass steel = mass(p, [](const u8* c) { return c[2] > 90 && c[2] >= c[0]; });
        ASSERT_GT(steel.n, 4);
        float got = std::atan2(steel.y - all.y, steel.x - all.x);
        float diff = std::fabs(std::remainder(got - want, 2.0f * 3.14159265f));
        EXPECT_LT(diff, 0.3f) << "head at " << got << ", facing wants " << want;
        // Centred on its position: the arrow's middle is the picture's.
        EXPECT_NEAR(all.x, 12.0f, 2.5f);
        EXPECT_NEAR(all.y, 12.0f, 2.5f);
    }
}

// The window box takes any length of each edge, so an edge is one profile
// repeated; the box keeps 6 rows and columns of it.
TEST(ContentGameBitmaps, WindowEdgesAreTheSameAlongTheirLength) {
    const Pic& p = pic("bitmaps/window.bmp");
    ASSERT_TRUE(p.ok);
    auto same = [&](int x0, int y0, int x1, int y1) { return std::memcmp(p.at(x0, y0), p.at(x1, y1), 3) == 0; };
    int differ = 0;
    for (int d = 0; d < 6; ++d) {
        for (int x = 6; x < 594; ++x) differ += !same(x, d, 6, d) + !same(x, 439 - d, 6, 439 - d);
        for (int y = 6; y < 434; ++y) differ += !same(d, y, d, 6) + !same(599 - d, y, 599 - d, 6);
    }
    EXPECT_EQ(differ, 0);
    // A frame, not a flat field: the edge's rows differ from each other and
    // from the inside, and the inside is darker than the lit bevel.
    EXPECT_FALSE(same(100, 0, 100, 1));
    EXPECT_FALSE(same(100, 1, 100, 3));
    EXPECT_LT(p.luma(300, 220), p.luma(300, 1));
}

// Assembled as the map view does it, the pieces give back the whole cloud
// they were cut from at every width, with no seam where they meet.
TEST(ContentGameBitmaps, CloudPiecesAssembleWithoutSeams) {
    CloudPieces pieces = cut_cloud_pieces();
    for (int n = 1; n <= 5; ++n) {
        int width = 32 + 20 * n;
        Canvas got = canvas_make(width, 32), body = talk_cloud_body(width);
        assemble_talk(got, pieces, 0, 0, width);  // the tail falls outside but for its top rows
        int differ = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < width; ++x) differ += canvas_get(got, x, y) != canvas_get(body, x, y);
        EXPECT_EQ(differ, 0) << "width " << width;
        // The tail covers the body's ink where it leaves it.
        EXPECT_NE(canvas_get(got, 16, 31), canvas_get(body, 16, 31));
    }
    // The thought cloud, except where its dots lie over its lower left.
    Canvas got = canvas_make(140, 70), body = thought_cloud_body(), dots = canvas_make(140, 70);
    assemble_thought(got, pieces, 20, 1);
    blit_keyed(dots, pieces.thought_dots, 0, 1 + 38);
    int differ = 0, compared = 0;
    for (int y = 0; y < body.h; ++y)
        for (int x = 0; x < body.w; ++x) {
            if (canvas_get(dots, 20 + x, y) != Rgb{0, 0, 0}) continue;
            compared++;
            differ += canvas_get(got, 20 + x, y) != canvas_get(body, x, y);
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(compared, body.w * body.h * 9 / 10);
}

// sel markers are placed 4 left and 2 above the cell's box: a ring round the
// 40 x 20 floor, open in the middle so the cell shows through.
TEST(ContentGameBitmaps, CursorMarkersRingTheCell) {
    for (const char* s : {"sel", "sel1", "sel2", "sel3"}) {
        SCOPED_TRACE(s);
        const Pic& p = pic(std::string("bitmaps/") + s + ".bmp");
        ASSERT_TRUE(p.ok);
        EXPECT_FALSE(p.ink(24, 12));
        EXPECT_FALSE(p.ink(14, 12));
        // Near each corner of the floor's diamond there is ink.
        for (auto [cx, cy] : {std::pair{24, 2}, std::pair{44, 12}, std::pair{24, 22}, std::pair{4, 12}}) {
            int near = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) near += p.ink(cx + dx, cy + dy);
            EXPECT_GT(near, 2) << cx << "," << cy;
        }
    }
    auto red = [](const Pic& p) {
        Mass m = mass(p, [](const u8* c) { return c[0] > 2 * c[1] && c[0] > 2 * c[2] && c[0] > 100; });
        return m.n;
    };
    EXPECT_GT(red(pic("bitmaps/sel1.bmp")), 60);
    EXPECT_EQ(red(pic("bitmaps/sel2.bmp")), 0);
    EXPECT_EQ(red(pic("bitmaps/sel.bmp")), 0);
}

// The selection's first row is the cell's upper-right edge on the screen,
// the last column its lower right, the last row its lower left and the
// first column its upper left; the corners join two of them.
TEST(ContentGameBitmaps, SelectionEdgesLieOnTheirSidesOfTheCell) {
    const std::pair<const char*, int> edges[] = {{"gseln", 1}, {"gsele", 2},  {"gsels", 4},  {"gselw", 8},
                                                 {"gselne", 3}, {"gselnw", 9}, {"gselse", 6}, {"gselsw", 12}};
    for (const auto& [name, sides] : edges) {
        SCOPED_TRACE(name);
        const Pic& p = pic(std::string("bitmaps/") + name + ".bmp");
        ASSERT_TRUE(p.ok);
        int per_side[16] = {};
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (p.ink(x, y)) per_side[x >= 20 ? (y < 10 ? 1 : 2) : (y < 10 ? 8 : 4)]++;
        for (int side : {1, 2, 4, 8}) {
            if (sides & side) {
                EXPECT_GT(per_side[side], 15) << "side " << side;
            } else {
                EXPECT_EQ(per_side[side], 0) << "side " << side;
            }
        }
    }
}

// Digits are set at width - 2, so each keeps a clear column at its right;
// all ten differ, and each is a glyph of some weight.
TEST(ContentGameBitmaps, DigitsAreDistinctAndSetTight) {
    std::vector<std::vector<u8>> seen;
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE(d);
        const Pic& p = pic("bitmaps/" + std::to_string(d) + ".bmp");
        ASSERT_TRUE(p.ok);
        EXPECT_GT(mass(p, inked).n, 25);
        for (const auto& s : seen) EXPECT_NE(s, p.bm.rgb);
        seen.push_back(p.bm.rgb);
        int right_ink = 0;
        for (int y = 0; y < p.h(); ++y) right_ink += p.ink(p.w() - 1, y);
        EXPECT_EQ(right_ink, 0);
    }
}

// The game prints labels, bars, gold and tab names on the panel: their
// places are darker and calmer than the light text drawn there.
TEST(ContentGameBitmaps, PanelLeavesDarkGroundWhereTheGamePrints) {
    const Pic& p = pic("bitmaps/menubar.bmp");
    ASSERT_TRUE(p.ok);
    auto mean = [&](int x0, int y0, int x1, int y1) {
        double s = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) s += p.luma(x, y);
        return s / ((x1 - x0 + 1) * (y1 - y0 + 1));
    };
    for (int k = 0; k < 3; ++k) EXPECT_LT(mean(101, 13 + 20 * k, 197, 22 + 20 * k), 30.0) << "bar " << k;
    for (int k = 0; k < 3; ++k) EXPECT_LT(mean(60, 12 + 20 * k, 99, 24 + 20 * k), 70.0) << "label " << k;
    EXPECT_LT(mean(210, 10, 300, 24), 50.0);  // "Gold" and the sum
    EXPECT_LT(mean(466, 5, 630, 13), 45.0);   // the tab names
    // The pressed buttons are the panel's place pushed in: darker than it.
    for (const PanelButton& b : kPanelButtons) {
        const Pic& pressed = pic(std::string("bitmaps/buttons/") + b.file);
        ASSERT_TRUE(pressed.ok);
        double sum = 0;
        for (int y = 0; y < b.h; ++y)
            for (int x = 0; x < b.w; ++x) sum += pressed.luma(x, y);
        EXPECT_LT(sum / (b.w * b.h), mean(b.x, b.y - kPanelTop, b.x + b.w - 1, b.y - kPanelTop + b.h - 1)) << b.file;
    }
}

// The heal glow builds up over its eight steps, round the middle of the cell.
TEST(ContentGameBitmaps, HealGlowGrowsAboutTheCell) {
    int last = 0;
    for (int f = 0; f <= 7; ++f) {
        SCOPED_TRACE(f);
        const Pic& p = pic("bitmaps/spells/heal" + std::to_string(f) + ".bmp");
        ASSERT_TRUE(p.ok);
        Mass m = mass(p, inked);
        EXPECT_GT(m.n, last);
        last = m.n;
        EXPECT_NEAR(m.x, 20.0f, 2.0f);
    }
}

TEST(ContentGameBitmaps, TwoRunsGiveIdenticalFiles) {
    fs::path again = generate("gamebitmaps_b");
    for (const Want& w : wanted()) {
        std::vector<u8> a = read_bytes(tree() / w.rel), b = read_bytes(again / w.rel);
        EXPECT_FALSE(a.empty()) << w.rel;
        EXPECT_EQ(a, b) << w.rel;
    }
    fs::remove_all(again.parent_path());
}
