// The shell's artwork as the game reads it: the title picture, the button
// skin and the text box, decoded from the generated BMPs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/bmpdecode.h"
#include "tools/content/menuart.h"
#include "tools/content/menuart_img.h"
#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_text.h"
#include "tools/content/noise.h"

namespace {

std::vector<u8> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the step into a fresh folder (with a contact sheet when asked). The
// folder is this process's own, as CTest runs the tests side by side.
std::string generate(const std::string& leaf, bool sheets) {
    std::string dir = std::string(VENNOR_TEST_TMP) + "/" + leaf + "-" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    GenContext ctx{dir + "/data", sheets ? dir + "/sheets" : ""};
    std::string why;
    EXPECT_TRUE(gen_menuart(ctx, why)) << why;
    return dir;
}

const std::string& generated() {
    static const std::string dir = generate("menuart_a", true);
    return dir;
}

const std::string& generated_again() {
    static const std::string dir = generate("menuart_b", false);
    return dir;
}

struct Pic {
    platbitmap bm;
    bool ok = false;
    const u8* at(int x, int y) const { return &bm.rgb[(static_cast<size_t>(y) * bm.width + x) * 3]; }
    float luma(int x, int y) const {
        const u8* p = at(x, y);
        return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
    }
    bool black(int x, int y) const {
        const u8* p = at(x, y);
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
};

Pic load(const std::string& rel) {
    Pic p;
    std::vector<u8> bytes = read_file(generated() + "/data/" + rel);
    std::string why;
    p.ok = bmp_decode(bytes.data(), bytes.size(), &p.bm, &why);
    EXPECT_TRUE(p.ok) << rel << ": " << why;
    return p;
}

const Pic& mainmenu() {
    static const Pic p = load("bitmaps/full/mainmenu.bmp");
    return p;
}
const Pic& skin() {
    static const Pic p = load("bitmaps/buttons/button1.bmp");
    return p;
}
const Pic& textbox() {
    static const Pic p = load("bitmaps/textbox.bmp");
    return p;
}

struct Stats {
    float mean = 0, sd = 0;
};

Stats luma_stats(const Pic& p, int x0, int y0, int w, int h) {
    double sum = 0, sum2 = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            double l = p.luma(x, y);
            sum += l;
            sum2 += l * l;
        }
    double n = static_cast<double>(w) * h, mean = sum / n;
    return {static_cast<float>(mean), static_cast<float>(std::sqrt(std::max(0.0, sum2 / n - mean * mean)))};
}

constexpr float kCaptionLuma = 0.299f * 144 + 0.587f * 112 + 0.114f * 40;  // the game's button text
constexpr float kBoxTextLuma = 0.299f * 176 + 0.587f * 144 + 0.114f * 40;  // the darker of the box texts

}  // namespace

TEST(ContentMenuArt, PicturesHaveTheSizesTheGameCutsThemAt) {
    ASSERT_TRUE(mainmenu().ok && skin().ok && textbox().ok);
    EXPECT_EQ(mainmenu().bm.width, 640);
    EXPECT_EQ(mainmenu().bm.height, 480);
    EXPECT_EQ(skin().bm.width, 512);
    EXPECT_EQ(skin().bm.height, 48);
    EXPECT_EQ(textbox().bm.width, 400);
    EXPECT_GE(textbox().bm.height, 96);
    EXPECT_LE(textbox().bm.height, 110);
}

// The buttons are drawn over the picture; busy detail behind them would
// show at their edges, so their places must be far calmer than the scene.
TEST(ContentMenuArt, MainMenuIsCalmWhereTheButtonsGo) {
    const Pic& p = mainmenu();
    ASSERT_TRUE(p.ok);
    float scene = luma_stats(p, 20, 20, 600, 440).sd;
    for (const ButtonSpot& b : kMenuButtons) {
        SCOPED_TRACE("button at (" + std::to_string(b.x) + ", " + std::to_string(b.y) + ")");
        Stats s = luma_stats(p, b.x - 4, b.y - 4, b.w + 8, 24 + 8);
        EXPECT_LT(s.sd, 8.0f);
        EXPECT_LT(s.sd, scene * 0.25f);
        EXPECT_LT(s.mean, 80.0f) << "too bright a backing for skinned buttons";
    }
}

// The title must really be there in gold: a broken render would leave the
// top of the picture as bare sky.
TEST(ContentMenuArt, MainMenuCarriesGoldLetteringAcrossTheTop) {
    const Pic& p = mainmenu();
    ASSERT_TRUE(p.ok);
    int gold = 0, left = 0, right = 0;
    for (int y = 30; y < 140; ++y)
        for (int x = 0; x < 640; ++x) {
            const u8* c = p.at(x, y);
            if (c[0] < 180 || c[0] <= c[1] || c[1] <= c[2] + 30) continue;
            ++gold;
            (x < 320 ? left : right)++;
        }
    EXPECT_GT(gold, 4000);
    EXPECT_GT(left, gold / 4) << "the lettering should be centred";
    EXPECT_GT(right, gold / 4) << "the lettering should be centred";
}

TEST(ContentMenuArt, SkinPressedFaceIsDarkerThanTheNormalFace) {
    const Pic& p = skin();
    ASSERT_TRUE(p.ok);
    float normal = luma_stats(p, 2, 2, 508, 20).mean, pressed = luma_stats(p, 2, 26, 508, 20).mean;
    EXPECT_LT(pressed, normal * 0.85f);
}

// The game may cut a button's middle from anywhere along the skin, so each
// column must carry the whole bevel: lit above and shaded below when raised,
// the other way round when pressed.
TEST(ContentMenuArt, SkinBevelRunsTheWholeLength) {
    const Pic& p = skin();
    ASSERT_TRUE(p.ok);
    for (int x = 2; x < 510; ++x) {
        SCOPED_TRACE("column " + std::to_string(x));
        EXPECT_LT(p.luma(x, 0), 30.0f);
        EXPECT_LT(p.luma(x, 23), 30.0f);
        EXPECT_GT(p.luma(x, 1), p.luma(x, 22) + 20.0f);
        EXPECT_LT(p.luma(x, 25), p.luma(x, 46) - 20.0f);
    }
}

// The two columns at each end become every button's ends: they must read as
// a frame, not as more of the face.
TEST(ContentMenuArt, SkinEndColumnsAreAFrameUnlikeTheMiddle) {
    const Pic& p = skin();
    ASSERT_TRUE(p.ok);
    for (int half : {0, 24}) {
        SCOPED_TRACE(half ? "pressed face" : "normal face");
        float middle = luma_stats(p, 2, half + 2, 508, 20).mean;
        float outer_l = luma_stats(p, 0, half + 2, 1, 20).mean, outer_r = luma_stats(p, 511, half + 2, 1, 20).mean;
        float inner_l = luma_stats(p, 1, half + 2, 1, 20).mean, inner_r = luma_stats(p, 510, half + 2, 1, 20).mean;
        EXPECT_LT(outer_l, middle - 12.0f);
        EXPECT_LT(outer_r, middle - 12.0f);
        EXPECT_GT(std::fabs(inner_l - middle), 15.0f);
        EXPECT_GT(std::fabs(inner_r - middle), 15.0f);
        EXPECT_GT(std::fabs(inner_l - inner_r), 15.0f) << "one side lit, the other shaded";
    }
}

// Buttons cut from different places must not look alike, and the face must
// stay dark enough for the golden-brown captions.
TEST(ContentMenuArt, SkinFaceVariesAlongItsLengthAndStaysDarkUnderCaptions) {
    const Pic& p = skin();
    ASSERT_TRUE(p.ok);
    std::vector<float> means;
    for (int x = 2; x + 48 <= 510; x += 48) means.push_back(luma_stats(p, x, 3, 48, 18).mean);
    auto [lo, hi] = std::minmax_element(means.begin(), means.end());
    EXPECT_GT(*hi - *lo, 3.0f) << "the face is the same all along";
    int bright = 0, total = 0;
    for (int y = 3; y < 21; ++y)
        for (int x = 2; x < 510; ++x, ++total) bright += p.luma(x, y) >= kCaptionLuma - 20.0f;
    EXPECT_LT(bright, total / 100);
    EXPECT_LT(luma_stats(p, 2, 3, 508, 18).mean, kCaptionLuma * 0.55f);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 512; ++x) ASSERT_FALSE(p.black(x, y)) << "skin pixel (" << x << ", " << y << ") is black";
}

// Where the game writes its question and puts its Yes, No and OK buttons,
// the box must be a dark, solid backing for light text.
TEST(ContentMenuArt, TextBoxIsDarkAndSolidWhereTextAndButtonsGo) {
    const Pic& p = textbox();
    ASSERT_TRUE(p.ok);
    struct Area {
        int x, y, w, h;
    };
    const Area areas[] = {{180, 192, 280, 32}, {260, 226, 48, 24}, {330, 226, 48, 24}, {296, 226, 48, 24}};
    for (const Area& a : areas) {
        int x0 = a.x - kTextBoxX - 4, y0 = a.y - kTextBoxY - 4;
        SCOPED_TRACE("screen area at (" + std::to_string(a.x) + ", " + std::to_string(a.y) + ")");
        ASSERT_GE(x0, 0);
        ASSERT_GE(y0, 0);
        ASSERT_LE(x0 + a.w + 8, p.bm.width);
        ASSERT_LE(y0 + a.h + 8, p.bm.height);
        int black = 0, light = 0;
        for (int y = y0; y < y0 + a.h + 8; ++y)
            for (int x = x0; x < x0 + a.w + 8; ++x) {
                black += p.black(x, y);
                light += p.luma(x, y) > kBoxTextLuma - 40.0f;
            }
        EXPECT_EQ(black, 0) << "the screen would show through";
        EXPECT_EQ(light, 0);
        EXPECT_LT(luma_stats(p, x0, y0, a.w + 8, a.h + 8).mean, 60.0f);
    }
}

// Only the cut corners are transparent: the frame itself must be drawn.
TEST(ContentMenuArt, TextBoxFrameIsOpaqueAndOnlyItsCornersAreCut) {
    const Pic& p = textbox();
    ASSERT_TRUE(p.ok);
    int w = p.bm.width, h = p.bm.height;
    for (int x = 16; x < w - 16; ++x)
        for (int y : {0, 1, 3, h - 4, h - 2, h - 1}) ASSERT_FALSE(p.black(x, y)) << "frame at (" << x << ", " << y << ")";
    for (int y = 16; y < h - 16; ++y)
        for (int x : {0, 1, 3, w - 4, w - 2, w - 1}) ASSERT_FALSE(p.black(x, y)) << "frame at (" << x << ", " << y << ")";
    EXPECT_TRUE(p.black(0, 0) && p.black(w - 1, 0) && p.black(0, h - 1) && p.black(w - 1, h - 1));
    float frame = luma_stats(p, 20, 2, w - 40, 3).mean, inside = luma_stats(p, 20, 30, w - 40, 30).mean;
    EXPECT_GT(frame, inside + 30.0f) << "the bronze should stand out from the leather";
}

TEST(ContentMenuArt, OutputIsByteIdenticalAcrossRuns) {
    const std::string &a = generated(), &b = generated_again();
    for (const char* rel : {"bitmaps/full/mainmenu.bmp", "bitmaps/buttons/button1.bmp", "bitmaps/textbox.bmp"}) {
        std::vector<u8> first = read_file(a + "/data/" + rel);
        EXPECT_FALSE(first.empty()) << rel;
        EXPECT_TRUE(first == read_file(b + "/data/" + rel)) << rel << " differs between runs";
    }
}

TEST(ContentMenuArt, ContactSheetIsWrittenOnlyWhenAsked) {
    std::vector<u8> png = read_file(generated() + "/sheets/menuart.png");
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[2], 'N');
    EXPECT_EQ(png[3], 'G');
    EXPECT_FALSE(std::filesystem::exists(generated_again() + "/sheets"));
}

// The game keeps five bits a channel; a picture already on those levels
// looks on screen exactly as on the contact sheet, with no fresh banding.
TEST(ContentMenuArt, EveryPixelLiesOnTheFiveBitLevels) {
    for (const Pic* p : {&mainmenu(), &skin(), &textbox()}) {
        ASSERT_TRUE(p->ok);
        int off = 0;
        for (u8 v : p->bm.rgb) off += v != static_cast<u8>((v >> 3 << 3) | (v >> 5));
        EXPECT_EQ(off, 0);
    }
}

TEST(ContentMenuArtNoise, FieldsAreRepeatableBoundedAndSeeded) {
    float lo = 1, hi = 0;
    int same_seed_differs = 0, other_seed_same = 0;
    for (int i = 0; i < 2000; ++i) {
        float x = i * 0.37f, y = i * 0.11f;
        for (float v : {value_noise(x, y, 3u), fbm(x, y, 3u, 5), ridged(x, y, 3u, 4)}) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        same_seed_differs += fbm(x, y, 3u, 5) != fbm(x, y, 3u, 5);
        other_seed_same += fbm(x, y, 3u, 5) == fbm(x, y, 4u, 5);
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_LT(lo, 0.25f) << "the fields should use their range";
    EXPECT_GT(hi, 0.75f);
    EXPECT_EQ(same_seed_differs, 0);
    EXPECT_LT(other_seed_same, 20);
}

// Smooth noise must not jump between neighbouring lattice cells, or skies
// and grain would show seams every unit.
TEST(ContentMenuArtNoise, ValueNoiseIsContinuousAcrossCells) {
    for (int cell = -5; cell < 5; ++cell) {
        float edge = static_cast<float>(cell);
        EXPECT_NEAR(value_noise(edge - 1e-4f, 0.3f, 9u), value_noise(edge + 1e-4f, 0.3f, 9u), 1e-3f);
        EXPECT_NEAR(value_noise(0.6f, edge - 1e-4f, 9u), value_noise(0.6f, edge + 1e-4f, 9u), 1e-3f);
    }
}

TEST(ContentMenuArtNoise, BayerThresholdsTakeEachOfTheSixtyFourLevelsOnce) {
    std::vector<int> seen(64, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            float t = bayer8(x, y);
            ASSERT_GT(t, 0.0f);
            ASSERT_LT(t, 1.0f);
            EXPECT_EQ(bayer8(x + 8, y + 16), t) << "the matrix should tile";
            ++seen[static_cast<int>(t * 64.0f)];
        }
    for (int i = 0; i < 64; ++i) EXPECT_EQ(seen[i], 1) << "level " << i;
    // Neighbours across a 2 x 2 block sit half the range apart, which is what
    // keeps the dither from clumping.
    EXPECT_NEAR(std::fabs(bayer8(0, 0) - bayer8(1, 1)), 0.25f, 1e-6f);
    EXPECT_NEAR(std::fabs(bayer8(0, 0) - bayer8(1, 0)), 0.5f, 1e-6f);
}

TEST(ContentMenuArtNoise, RngIsRepeatableAndKeepsToItsRanges) {
    Rng a(42), b(42), c(43);
    int differ = 0;
    for (int i = 0; i < 1000; ++i) {
        u32 va = a.next();
        EXPECT_EQ(va, b.next());
        differ += va != c.next();
        float u = a.unit();
        b.unit();
        EXPECT_GE(u, 0.0f);
        EXPECT_LT(u, 1.0f);
        int k = a.below(7);
        b.below(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
    }
    EXPECT_GT(differ, 990);
}

// A flat colour between two levels must come out as a mix of exactly those
// two levels in the right proportion, and dark colours must never become the
// colour key.
TEST(ContentMenuArtImg, DitherKeepsTheAverageAndNeverMakesBlack) {
    const float v = 100.0f;
    Canvas c = img_to_canvas(img_make(16, 16, {v, v, 1.0f}));
    double sum = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            Rgb p = canvas_get(c, x, y);
            int q = p.r >> 3;
            EXPECT_TRUE(q == 12 || q == 13) << "level " << q;
            sum += q;
            EXPECT_FALSE(p == (Rgb{0, 0, 0}));
        }
    EXPECT_NEAR(sum / 256.0, v / 255.0 * 31.0, 0.05);
    Canvas dark = img_to_canvas(img_make(8, 8, {0, 0, 0}));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_FALSE(canvas_get(dark, x, y) == (Rgb{0, 0, 0}));
}

TEST(ContentMenuArtMask, PolygonCoverageIsAntiAliasedAndTrueToArea) {
    Mask m = mask_make(40, 40);
    mask_polygon(m, {{5.0f, 5.0f}, {35.0f, 5.0f}, {5.0f, 35.0f}});  // a right triangle of area 450
    double area = 0;
    int partial = 0;
    for (float v : m.a) {
        area += v;
        partial += v > 0.0f && v < 1.0f;
    }
    EXPECT_NEAR(area, 450.0, 4.0);
    EXPECT_GT(partial, 20) << "the slanted edge should be soft";
    EXPECT_FLOAT_EQ(mask_get(m, 10, 10), 1.0f);
    EXPECT_FLOAT_EQ(mask_get(m, 34, 34), 0.0f);
    EXPECT_FLOAT_EQ(mask_get(m, -1, 10), 0.0f);
}

TEST(ContentMenuArtMask, BlurSpreadsWithoutLosingCoverageAndDilateGrows) {
    Mask m = mask_make(60, 60);
    mask_rect(m, 25.0f, 25.0f, 35.0f, 35.0f);
    Mask soft = mask_blur(m, 3);
    double before = 0, after = 0;
    for (size_t i = 0; i < m.a.size(); ++i) {
        before += m.a[i];
        after += soft.a[i];
    }
    EXPECT_NEAR(after, before, 0.5);
    EXPECT_GT(mask_get(soft, 22, 30), 0.0f);
    EXPECT_LT(mask_get(soft, 25, 30), 1.0f);
    Mask grown = mask_dilate(m, 3);
    EXPECT_FLOAT_EQ(mask_get(grown, 22, 30), 1.0f);
    EXPECT_FLOAT_EQ(mask_get(grown, 21, 30), 0.0f);
    EXPECT_FLOAT_EQ(mask_get(grown, 30, 30), 1.0f);
}

// The game's own rule for cutting a button, which the contact sheet copies:
// a skin whose every column is distinct shows where each column came from.
TEST(ContentMenuArt, CutButtonTakesItsEndsFromTheSkinEndsAndItsMiddleFromTheOffset) {
    Canvas numbered = canvas_make(kSkinW, kSkinH);
    for (int y = 0; y < kSkinH; ++y)
        for (int x = 0; x < kSkinW; ++x)
            canvas_set(numbered, x, y, {static_cast<u8>(x & 255), static_cast<u8>(x >> 8), static_cast<u8>(y)});
    auto column = [](const Canvas& c, int x, int y) {
        Rgb p = canvas_get(c, x, y);
        return p.r | (p.g << 8);
    };
    for (bool pressed : {false, true}) {
        Canvas b = cut_button(numbered, 80, 402, pressed);
        ASSERT_EQ(b.w, 80);
        ASSERT_EQ(b.h, kFaceH);
        EXPECT_EQ(canvas_get(b, 5, 0).b, pressed ? kFaceH : 0);
        EXPECT_EQ(column(b, 0, 3), 0);
        EXPECT_EQ(column(b, 1, 3), 1);
        EXPECT_EQ(column(b, 2, 3), 404);
        EXPECT_EQ(column(b, 77, 3), 479);
        EXPECT_EQ(column(b, 78, 3), 510);
        EXPECT_EQ(column(b, 79, 3), 511);
    }
}

TEST(ContentMenuArtText, LetteringIsCentredOnItsPointAndSitsOnItsBaseline) {
    Mask m = mask_make(300, 80);
    std::string why;
    ASSERT_TRUE(letter_centred(m, {kTitleFace, 40, 2.0f}, "VENNOR", 150.0f, 60.0f, why)) << why;
    int x0 = m.w, x1 = -1, y0 = m.h, y1 = -1;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (mask_get(m, x, y) > 0.5f) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    ASSERT_GE(x1, x0) << "nothing was drawn";
    EXPECT_NEAR((x0 + x1) * 0.5f, 150.0f, 4.0f);
    EXPECT_GT(x1 - x0, 120) << "six capitals at 40 px";
    EXPECT_NEAR(y1, 59, 1) << "capitals end on the baseline";
    EXPECT_NEAR(y1 - y0, 26, 4) << "cap height of the face at 40 px";
}

TEST(ContentMenuArtText, AMissingFaceIsReportedNotDrawn) {
    Mask m = mask_make(50, 50);
    std::string why;
    EXPECT_FALSE(letter_centred(m, {"/nonexistent/face.otf", 20, 0.0f}, "A", 25.0f, 40.0f, why));
    EXPECT_NE(why.find("/nonexistent/face.otf"), std::string::npos) << why;
    for (float v : m.a) ASSERT_EQ(v, 0.0f);
}
