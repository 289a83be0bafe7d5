// Pictures by name: a .bmp that is missing is read as the .png of the same
// name, and what a file holds is told by its first bytes, not its name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ddraw.h"
#include "platform/png.h"
#include "testenv.h"

namespace {

void writebytes(const std::string& name, const std::vector<u8>& b) {
    std::string path = testdatadir() + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
}

// A PNG of w x h in one colour (0xRRGGBB).
std::vector<u8> solidpng(int w, int h, u32 colour) {
    std::vector<u8> rgb;
    for (int i = 0; i < w * h; i++) rgb.insert(rgb.end(), {(u8)(colour >> 16), (u8)(colour >> 8), (u8)colour});
    return png_encode(w, h, rgb.data());
}

std::vector<u8> readbytes(const std::string& name) {
    std::ifstream in(testdatadir() + "/" + name, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The size and first pixel of what loads, or "none".
std::string loaded(const char* name) {
    platbitmap* b = plat_loadbitmap(name);
    if (!b) return "none";
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d %02x%02x%02x", b->width, b->height, b->rgb[0], b->rgb[1], b->rgb[2]);
    plat_freebitmap(b);
    return text;
}

} // namespace

TEST(BitmapLoad, AMissingBmpIsReadAsItsPng) {
    starttestplatform();
    writebytes("pics/only.png", solidpng(3, 2, 0x102030));
    EXPECT_EQ(loaded("pics\\only.bmp"), "3x2 102030");
    EXPECT_EQ(loaded("Pics\\ONLY.BMP"), "3x2 102030") << "any letter case, as every game path";
    // Where both are, the .bmp is read.
    writebytes("pics/both.png", solidpng(3, 2, 0x102030));
    writesolidbmp("pics/both.bmp", 4, 1, 0xA0B0C0);
    EXPECT_EQ(loaded("pics\\both.bmp"), "4x1 a0b0c0");
    // The program's resources by name too.
    writebytes("resources/badge.png", solidpng(2, 2, 0x445566));
    EXPECT_EQ(loaded("badge"), "2x2 445566");
    // Only .bmp names have a stand-in, and only a readable one loads.
    EXPECT_EQ(loaded("pics\\only.pcx"), "none");
    EXPECT_EQ(loaded("pics\\nothere.bmp"), "none");
    std::vector<u8> cut = solidpng(3, 2, 0);
    cut.resize(30);
    writebytes("pics/broken.png", cut);
    EXPECT_EQ(loaded("pics\\broken.bmp"), "none");
}

TEST(BitmapLoad, TheBytesNotTheNameTellTheKind) {
    starttestplatform();
    writebytes("pics/png inside.bmp", solidpng(5, 1, 0x0000FF));
    EXPECT_EQ(loaded("pics\\png inside.bmp"), "5x1 0000ff");
    writesolidbmp("pics/real.bmp", 2, 3, 0x00FF00);
    writebytes("pics/bmp inside.png", readbytes("pics/real.bmp"));
    EXPECT_EQ(loaded("pics\\bmp inside.png"), "2x3 00ff00");
    writebytes("pics/neither.bmp", std::vector<u8>(100, 'x'));
    EXPECT_EQ(loaded("pics\\neither.bmp"), "none");
}
