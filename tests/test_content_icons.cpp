// The desktop icon: the same smooth-edged picture at every size, and the
// hicolor layout the install copies.
#include <gtest/gtest.h>

#include <png.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/testenv.h"
#include "tools/content/icons.h"

namespace fs = std::filesystem;

namespace {

// The mean of a square block of a canvas, one channel.
double blockmean(const Canvas& c, int x0, int y0, int n, int ch) {
    double sum = 0;
    for (int y = y0; y < y0 + n; y++)
        for (int x = x0; x < x0 + n; x++) sum += c.px[((size_t)y * c.w + x) * 3 + ch];
    return sum / (n * n);
}

Rgb at(const Canvas& c, float fx, float fy) { return canvas_get(c, (int)(fx * c.w), (int)(fy * c.h)); }

}  // namespace

TEST(ContentIcons, EverySizeShowsTheSameTowerOnTheShield) {
    Canvas big = icon_paint(256);
    ASSERT_EQ(big.w, 256);
    ASSERT_EQ(big.px.size(), 256u * 256u * 3u);
    for (int size : kIconSizes) {
        Canvas c = icon_paint(size);
        ASSERT_EQ(c.w, size);
        ASSERT_EQ(c.h, size);
        ASSERT_EQ(c.px.size(), (size_t)size * size * 3);
        // The large icon shrunk by averaging is the small one within a
        // little rounding: the layout scales with the size and the edges
        // are smoothed at every size.
        int k = 256 / size;
        double err = 0, worst = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++)
                for (int ch = 0; ch < 3; ch++) {
                    double d = std::fabs(blockmean(big, x * k, y * k, k, ch) - c.px[((size_t)y * size + x) * 3 + ch]);
                    err += d;
                    worst = std::fmax(worst, d);
                }
        // Hard-edged shapes at the small size miss the large one's blend
        // along every edge by up to half a step of colour.
        EXPECT_LT(err / (size * size * 3), 3.0) << size;
        EXPECT_LT(worst, 60.0) << size;
        Rgb gold = at(c, 0.5f, 0.40f), field = at(c, 0.3f, 0.45f), sky = at(c, 0.05f, 0.5f);
        EXPECT_GT(gold.r, 200) << size;
        EXPECT_GT(gold.g, 150) << size;
        EXPECT_GT(field.r, field.g + 60) << size;
        EXPECT_GT(sky.b, sky.r) << size;
        EXPECT_LT(sky.r + sky.g + sky.b, 200) << size;
    }
    EXPECT_EQ(icon_paint(64).px, icon_paint(64).px);
    EXPECT_TRUE(icon_paint(0).px.empty());
}

TEST(ContentIcons, WrittenAsHicolorThemeFilesOfTheirSize) {
    starttestplatform();
    std::string dir = testdatadir() + "/icons", why;
    ASSERT_TRUE(icons_write(dir, "some.App", why)) << why;
    for (int size : kIconSizes) {
        std::string n = std::to_string(size);
        std::string path = dir + "/" + n + "x" + n + "/apps/some.App.png";
        ASSERT_TRUE(fs::is_regular_file(path)) << path;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
        EXPECT_EQ(image.width, (unsigned)size);
        EXPECT_EQ(image.height, (unsigned)size);
        png_image_free(&image);
    }
    // A folder that cannot be made is a failure that names it.
    std::ofstream(testdatadir() + "/blocker") << "x";
    EXPECT_FALSE(icons_write(testdatadir() + "/blocker/icons", "some.App", why));
    EXPECT_NE(why.find("blocker"), std::string::npos) << why;
}
