// Darkening rows by arithmetic: for every layout it takes, every light level
// and every pixel value, the same as the per-channel formula the light
// tables are built with; rows of every length and any byte alignment; and
// layouts it cannot do exactly fall back to the table.
#include <gtest/gtest.h>

#include <vector>

#include "view/light.h"
#include "view/lightspan.h"

namespace {

struct layout {
    u16 mask[3];
    u8 shift[3];
};

// The light tables' own formula, channel by channel.
u16 reference(const layout& l, u32 v, u32 level) {
    u32 f = darkenfactor[level], out = 0;
    for (int c = 0; c < 3; c++) out |= ((v & l.mask[c]) >> l.shift[c]) * f >> 4 << l.shift[c];
    return (u16)out;
}

// Every value once, little-endian, one byte in so that no row is aligned.
std::vector<u8> everyvalue() {
    std::vector<u8> src(1 + 2 * 65536 + 16);
    for (u32 v = 0; v < 65536; v++) src[1 + 2 * v] = (u8)v, src[2 + 2 * v] = (u8)(v >> 8);
    return src;
}

// Darkens all 65536 values in rows of 0, 1, 2 ... 41 pixels by turns and
// counts the pixels that differ from the formula.
int mismatches(const layout& l, u32 level, const std::vector<u8>& src) {
    darkpen p = darkpenfor(level);
    std::vector<u16> out(65536 + 8, 0xDEAD);
    for (u32 at = 0, n = 0; at < 65536; at += n, n = (n + 1) % 42) {
        u32 len = at + n > 65536 ? 65536 - at : n;
        darkenrow(p, out.data() + at, src.data() + 1 + 2 * at, (i32)len);
    }
    int bad = 0;
    for (u32 v = 0; v < 65536; v++) bad += out[v] != reference(l, v, level);
    bad += out[65536] != 0xDEAD; // nothing past the last row
    return bad;
}

void uselayout(const layout& l) { setlightlayout(l.mask[0], l.shift[0], l.mask[1], l.shift[1], l.mask[2], l.shift[2]); }

const layout l565 = {{0xF800, 0x07E0, 0x001F}, {11, 5, 0}};
const layout l555 = {{0x7C00, 0x03E0, 0x001F}, {10, 5, 0}};

} // namespace

TEST(LightSpan, EveryValueAtEveryLevelMatchesTheTablesFormula) {
    // Beside the two display formats: a wide low channel that cannot share a
    // multiply with the high one, a 4-4-4 layout, and channels in another order.
    const layout layouts[] = {l565, l555, {{0xF800, 0x0700, 0x00FF}, {11, 8, 0}}, {{0x0F00, 0x00F0, 0x000F}, {8, 4, 0}},
                              {{0x001F, 0x07E0, 0xF800}, {0, 5, 11}}};
    const std::vector<u8> src = everyvalue();
    for (const layout& l : layouts) {
        uselayout(l);
        ASSERT_TRUE(darklayout.arithmetic) << std::hex << l.mask[0];
        for (u32 level = 0; level < 16; level++) EXPECT_EQ(mismatches(l, level, src), 0) << std::hex << l.mask[0] << " level " << std::dec << level;
    }
    // The display formats share one multiply between red and blue; the wide
    // low channel may not.
    uselayout(l565);
    EXPECT_EQ(darklayout.group[0], 0xF81F);
    uselayout({{0xF800, 0x0700, 0x00FF}, {11, 8, 0}});
    EXPECT_EQ(darklayout.group[2], 0xF800);
}

TEST(LightSpan, LayoutsTheArithmeticCannotDoUseTheTable) {
    const layout odd[] = {{{0xF800, 0x07E0, 0x001F}, {12, 5, 0}},  // a shift past the mask's lowest bit
                          {{0xF00F, 0x0FF0, 0x000F}, {12, 4, 0}},  // overlapping channels
                          {{0xA800, 0x07E0, 0x001F}, {11, 5, 0}}}; // a channel with a gap
    std::vector<u16> table(NUMLIGHTLEVELS * 65536);
    for (u32 i = 0; i < table.size(); i++) table[i] = (u16)(i * 2654435761u >> 7);
    u16* keep = lighttable;
    lighttable = table.data();
    const std::vector<u8> src = everyvalue();
    for (const layout& l : odd) {
        uselayout(l);
        EXPECT_FALSE(darklayout.arithmetic) << std::hex << l.mask[0];
        darkpen p = darkpenfor(9);
        std::vector<u16> out(65536);
        darkenrow(p, out.data(), src.data() + 1, 65536);
        int bad = 0;
        for (u32 v = 0; v < 65536; v++) bad += out[v] != table[9 * 65536 + v];
        EXPECT_EQ(bad, 0) << std::hex << l.mask[0];
    }
    lighttable = keep;
    uselayout(l565);
}
