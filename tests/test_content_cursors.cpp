// The generated cursor picture, checked at the level the game reads it:
// a 24-bit BMP of 32 x 32 cells where black is transparent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kW = 256, kH = 512, kCell = 32;

struct Pixels {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;  // top-down
    bool black(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
    int brightest(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        return std::max({p[0], p[1], p[2]});
    }
};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

std::vector<uint8_t> read_cursors_file() {
    std::ifstream in(std::string(VENNOR_DATA) + "/resources/CURSORS.bmp", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Only the kind the generator writes: bottom-up, 24-bit, uncompressed.
bool decode(const std::vector<uint8_t>& b, Pixels& out) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    int32_t w = static_cast<int32_t>(le(b, 18, 4)), h = static_cast<int32_t>(le(b, 22, 4));
    if (w <= 0 || h <= 0 || le(b, 28, 2) != 24 || le(b, 30, 4) != 0) return false;
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    size_t offset = le(b, 10, 4);
    if (offset + stride * h > b.size()) return false;
    out.w = w;
    out.h = h;
    out.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                out.rgb[(static_cast<size_t>(y) * w + x) * 3 + c] = b[offset + (h - 1 - y) * stride + x * 3 + 2 - c];
    return true;
}

// Decoded once; empty (0 x 0) when the file is missing or malformed.
const Pixels& cursors() {
    static const Pixels pic = [] {
        Pixels p;
        return decode(read_cursors_file(), p) ? p : Pixels{};
    }();
    return pic;
}

struct CellPos {
    int x, y;
};

// The game's cursor shapes, by the top-left of their cell.
const CellPos kShapes[] = {{0, 0},    {32, 0},  {64, 0},   {96, 0},   {0, 32},
                           {32, 32},  {64, 32}, {96, 32},  {128, 32}, {192, 32},
                           {224, 32}, {0, 64},  {32, 64},  {64, 64}};
constexpr int kBusyRow = 96, kBusyFrames = 8;

bool used(int x, int y) {
    if (y == kBusyRow) return true;
    for (const CellPos& c : kShapes)
        if (c.x == x && c.y == y) return true;
    return false;
}

int drawn(const Pixels& p, int cx, int cy) {
    int n = 0;
    for (int y = cy; y < cy + kCell; ++y)
        for (int x = cx; x < cx + kCell; ++x) n += !p.black(x, y);
    return n;
}

// A cell's pixel, with everything outside the cell counted as transparent.
bool black_in_cell(const Pixels& p, int cx, int cy, int x, int y) {
    if (x < cx || y < cy || x >= cx + kCell || y >= cy + kCell) return true;
    return p.black(x, y);
}

std::vector<uint8_t> cell_bytes(const Pixels& p, int cx, int cy) {
    std::vector<uint8_t> out;
    for (int y = cy; y < cy + kCell; ++y) {
        const uint8_t* row = &p.rgb[(static_cast<size_t>(y) * p.w + cx) * 3];
        out.insert(out.end(), row, row + kCell * 3);
    }
    return out;
}

}  // namespace

TEST(ContentCursors, FileIsA256By512TrueColourBitmap) {
    std::vector<uint8_t> b = read_cursors_file();
    ASSERT_GE(b.size(), 54u) << "missing or truncated: " << VENNOR_DATA << "/resources/CURSORS.bmp";
    EXPECT_EQ(le(b, 14, 4), 40u) << "info header size";
    EXPECT_EQ(le(b, 18, 4), static_cast<uint32_t>(kW));
    EXPECT_EQ(le(b, 22, 4), static_cast<uint32_t>(kH));
    EXPECT_EQ(le(b, 28, 2), 24u) << "bits per pixel";
    EXPECT_EQ(le(b, 30, 4), 0u) << "compression";
    EXPECT_EQ(le(b, 2, 4), b.size()) << "file size field";
    Pixels p;
    ASSERT_TRUE(decode(b, p));
    EXPECT_EQ(p.w, kW);
    EXPECT_EQ(p.h, kH);
}

TEST(ContentCursors, ShapeCellsAreDrawnAndAllOthersAreEmpty) {
    const Pixels& p = cursors();
    ASSERT_EQ(p.w, kW);
    ASSERT_EQ(p.h, kH);
    for (int cy = 0; cy < kH; cy += kCell)
        for (int cx = 0; cx < kW; cx += kCell) {
            SCOPED_TRACE("cell (" + std::to_string(cx) + ", " + std::to_string(cy) + ")");
            if (used(cx, cy))
                EXPECT_GE(drawn(p, cx, cy), 40);
            else
                EXPECT_EQ(drawn(p, cx, cy), 0);
        }
}

// A shape's rim must be dark, or it vanishes against a light floor. Beyond
// the cell counts as transparent, so a shape cut off by its cell shows up too.
TEST(ContentCursors, EveryShapeIsRimmedInNearBlackInsideItsCell) {
    const Pixels& p = cursors();
    ASSERT_EQ(p.w, kW);
    int rim = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (p.black(x, y)) continue;
            int cx = x / kCell * kCell, cy = y / kCell * kCell;
            bool edge = black_in_cell(p, cx, cy, x - 1, y) || black_in_cell(p, cx, cy, x + 1, y) ||
                        black_in_cell(p, cx, cy, x, y - 1) || black_in_cell(p, cx, cy, x, y + 1);
            if (!edge) continue;
            ++rim;
            EXPECT_LE(p.brightest(x, y), 40) << "light rim pixel at (" << x << ", " << y << ")";
        }
    EXPECT_GT(rim, 0);
}

// The game puts a cell's top-left corner on the mouse position.
TEST(ContentCursors, PointingShapesReachTheHotSpotCorner) {
    const Pixels& p = cursors();
    ASSERT_EQ(p.w, kW);
    for (const CellPos& c : kShapes) {
        bool near = false;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) near = near || !p.black(c.x + x, c.y + y);
        EXPECT_TRUE(near) << "nothing near the hot spot of cell (" << c.x << ", " << c.y << ")";
    }
}

// Warm (sand) pixels between the glass's posts, above or below its neck.
int sand(const Pixels& p, int cx, bool upper) {
    int n = 0;
    for (int y = upper ? 6 : 16; y < (upper ? 16 : 26); ++y)
        for (int x = 11; x <= 20; ++x) {
            const uint8_t* q = &p.rgb[(static_cast<size_t>(kBusyRow + y) * p.w + cx + x) * 3];
            n += q[0] > q[2] + 60;
        }
    return n;
}

// While the glass stands upright the sand must run down, not up, or the
// loop reads backwards.
TEST(ContentCursors, BusySandRunsFromTheUpperBulbToTheLower) {
    const Pixels& p = cursors();
    ASSERT_EQ(p.w, kW);
    const int upright = 6;
    for (int f = 1; f < upright; ++f) {
        SCOPED_TRACE("busy frame " + std::to_string(f));
        EXPECT_LT(sand(p, f * kCell, true), sand(p, (f - 1) * kCell, true));
        EXPECT_GE(sand(p, f * kCell, false), sand(p, (f - 1) * kCell, false));
    }
    EXPECT_GT(sand(p, 0, true), sand(p, (upright - 1) * kCell, true) + 20);
    EXPECT_GT(sand(p, (upright - 1) * kCell, false), sand(p, 0, false) + 20);
}

TEST(ContentCursors, ShapesAndBusyFramesAreAllDifferent) {
    const Pixels& p = cursors();
    ASSERT_EQ(p.w, kW);
    std::vector<CellPos> cells(std::begin(kShapes), std::end(kShapes));
    for (int f = 0; f < kBusyFrames; ++f) cells.push_back({f * kCell, kBusyRow});
    for (size_t i = 0; i < cells.size(); ++i)
        for (size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_NE(cell_bytes(p, cells[i].x, cells[i].y), cell_bytes(p, cells[j].x, cells[j].y))
                << "cells (" << cells[i].x << ", " << cells[i].y << ") and (" << cells[j].x << ", " << cells[j].y
                << ") are the same picture";
}
