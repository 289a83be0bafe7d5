#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <png.h>

#include "platform/png.h"
#include "platform/safewrite.h"
#include "testenv.h"

namespace {

struct decoded {
    u32 width = 0, height = 0;
    std::vector<u8> rgb;
};

// libpng reads the file back; a stream it cannot read fails the test.
decoded decodepng(const std::vector<u8>& png) {
    decoded d;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        ADD_FAILURE() << "libpng cannot read it: " << image.message;
        return d;
    }
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u) << "no alpha channel";
    image.format = PNG_FORMAT_RGB;
    d.width = image.width;
    d.height = image.height;
    d.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, d.rgb.data(), 0, nullptr)) {
        ADD_FAILURE() << "libpng cannot decode it: " << image.message;
        d.rgb.clear();
    }
    return d;
}

std::vector<u8> pattern(i32 width, i32 height) {
    std::vector<u8> rgb((size_t)width * height * 3);
    for (size_t i = 0; i < rgb.size(); i++) rgb[i] = (u8)(i * 7 + i / 251);
    return rgb;
}

void roundtrip(i32 width, i32 height) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    std::vector<u8> rgb = pattern(width, height);
    decoded d = decodepng(png_encode(width, height, rgb.data()));
    EXPECT_EQ(d.width, (u32)width);
    EXPECT_EQ(d.height, (u32)height);
    EXPECT_TRUE(d.rgb == rgb) << "pixels differ after decoding";
}

std::vector<u8> readbytes(const std::string& path) {
    std::string s = readtext(path);
    return std::vector<u8>(s.begin(), s.end());
}

} // namespace

TEST(PngEncode, ImagesRoundTripThroughADecoder) {
    roundtrip(1, 1);
    roundtrip(3, 2);
    roundtrip(1, 16384);
    roundtrip(640, 480);
    std::vector<u8> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
    decoded d = decodepng(png_encode(2, 2, rgb.data()));
    EXPECT_EQ(d.rgb, rgb);
}

TEST(PngEncode, ScreensAreCompressedAndTheSamePixelsGiveTheSameBytes) {
    // A screen of a few flat areas, as menus are.
    std::vector<u8> rgb(640 * 480 * 3);
    for (size_t i = 0; i < rgb.size(); i++) rgb[i] = (u8)((i / 3 / 640 / 120) * 60 + i % 3);
    std::vector<u8> png = png_encode(640, 480, rgb.data());
    EXPECT_LT(png.size(), rgb.size() / 20) << "stored, not compressed";
    EXPECT_EQ(decodepng(png).rgb, rgb);
    EXPECT_EQ(png_encode(640, 480, rgb.data()), png);
    rgb[1000] ^= 1;
    EXPECT_NE(png_encode(640, 480, rgb.data()), png);
}

TEST(PngEncode, RefusesEmptyOrMissingImages) {
    u8 px[3] = {1, 2, 3};
    EXPECT_TRUE(png_encode(0, 1, px).empty());
    EXPECT_TRUE(png_encode(1, 0, px).empty());
    EXPECT_TRUE(png_encode(-1, 1, px).empty());
    EXPECT_TRUE(png_encode(1, 1, nullptr).empty());
    // Too large; refused before anything is read or allocated.
    EXPECT_TRUE(png_encode(0x7fffffff, 0x7fffffff, px).empty());
}

TEST(PngWrite, WritesTheEncodedBytes) {
    std::vector<u8> rgb = pattern(5, 4);
    std::string path = testing::TempDir() + "vennor_png_write.png";
    ASSERT_TRUE(png_write(path, 5, 4, rgb.data()));
    std::vector<u8> back = readbytes(path);
    std::remove(path.c_str());
    EXPECT_EQ(back, png_encode(5, 4, rgb.data()));
}

TEST(PngWrite, FailsWhereItCannotWriteAndKeepsTheOldPicture) {
    std::vector<u8> rgb = pattern(2, 2);
    std::string why;
    EXPECT_FALSE(png_write(testing::TempDir() + "no_such_dir_vennor/x.png", 2, 2, rgb.data(), &why));
    EXPECT_NE(why.find("no_such_dir_vennor/x.png"), std::string::npos) << why;
    EXPECT_FALSE(png_write(testing::TempDir() + "vennor_png_empty.png", 0, 0, rgb.data()));
    EXPECT_FALSE(png_write("/dev/full", 2, 2, rgb.data()));

    std::string dir = testing::TempDir() + "vennor_png_keep";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string path = dir + "/shot.png";
    ASSERT_TRUE(png_write(path, 2, 2, rgb.data()));
    std::vector<u8> old = readbytes(path);
    std::vector<u8> other = pattern(3, 3);
    for (int n = 1;; n++) {
        plat_safewritefailat(n);
        bool ok = png_write(path, 3, 3, other.data());
        bool reached = plat_safewritesteps() >= n;
        plat_safewritefailat(0);
        if (!reached) {
            EXPECT_TRUE(ok);
            break;
        }
        EXPECT_FALSE(ok) << n;
        EXPECT_EQ(readbytes(path), old) << n;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "a temporary is left at " << n;
    }
    EXPECT_EQ(decodepng(readbytes(path)).rgb, other);
    std::filesystem::remove_all(dir);
}
