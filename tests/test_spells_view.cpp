// The spells' small display operations: which cells count as on screen,
// reveal-all, the number on the green spot, the heal pictures and the
// bolt between two cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "text/glyphtables.h"
#include "text/font.h"
#include "video/presentframe.h"
#include "platform/ddraw.h"
#include "app/timer.h"
#include "game/missionstate.h"
#include "test_spells_env.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/mapview.h"
#include "view/spellanim.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/npc.h"
#include "world/viewtables.h"

TEST(SpellAnim, TheOnScreenDiamondKeepsItsRowBounds) {
    scx = 100, scy = 120;
    // (dy, first and last view column on screen); vc = x - scx + 20.
    const struct {
        i32 dy, first, last;
    } rows[] = {{-15, 19, 19}, {-1, 5, 33}, {0, 6, 34}, {1, 7, 35}, {2, 8, 35}, {3, 9, 34}, {15, 21, 22}, {16, 22, 21}};
    for (const auto& r : rows) {
        for (i32 vc = -5; vc <= 45; vc++) {
            bool on = vc >= r.first && vc <= r.last;
            EXPECT_EQ(cellonscreen(scx + vc - 20, scy + r.dy), on) << "dy " << r.dy << " vc " << vc;
        }
    }
    for (i32 vc = -5; vc <= 45; vc++) {
        EXPECT_FALSE(cellonscreen(scx + vc - 20, scy - 16)) << "the top row shows no whole cell";
        EXPECT_FALSE(cellonscreen(scx + vc - 20, scy + 16));
        EXPECT_FALSE(cellonscreen(scx + vc - 20, scy - 17));
        EXPECT_FALSE(cellonscreen(scx + vc - 20, scy + 17));
    }
    EXPECT_FALSE(cellonscreen(scx + 1, scy + 16)) << "nor the bottom row";
    npcrec n{};
    npcrec* keep = npc[5];
    npc[5] = &n;
    n.x = (i16)(scx - 14), n.y = (i16)scy;
    EXPECT_TRUE(npconscreen(5));
    n.x = (i16)(scx - 15);
    EXPECT_FALSE(npconscreen(5));
    npc[5] = keep;
    EXPECT_FALSE(npconscreen(0));
    EXPECT_FALSE(npconscreen(MAXNPCS + 1));
}

TEST(SpellAnim, CentringMovesTheViewOnlyForACellOffScreen) {
    scx = 100, scy = 100;
    centreifoffscreen(110, 105);
    EXPECT_EQ(scx, 100);
    EXPECT_EQ(scy, 100);
    centreifoffscreen(140, 100);
    EXPECT_EQ(scx, 140);
    EXPECT_EQ(scy, 100);
}

TEST(SpellAnim, RevealAllOpensOnePlayersEyes) {
    startspellworld();
    for (int p = 0; p < NUMPLAYERS; p++)
        for (i32 i = 0; i < MAPCELLS; i++) vistoplayer[p][i] = 0;
    revealall(2);
    long seen[NUMPLAYERS] = {};
    for (int p = 0; p < NUMPLAYERS; p++)
        for (i32 i = 0; i < MAPCELLS; i++) seen[p] += vistoplayer[p][i];
    EXPECT_EQ(seen[2], MAPCELLS);
    EXPECT_EQ(seen[0] + seen[1] + seen[3], 0);
    revealall(NUMPLAYERS); // no such player: nothing
}

static std::vector<u16> window() {
    std::vector<u16> px;
    lockvs();
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++) px.push_back(*vspixel(x, y));
    unlockvs();
    return px;
}

static int differing(const std::vector<u16>& a, const std::vector<u16>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); i++) n += a[i] != b[i];
    return n;
}

TEST(SpellAnim, ANumberOverAUnitStaysThirtyTwoTicksAndIsWipedAgain) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 2, HOMEY);
    drawmapview();
    std::vector<u16> before = window();
    presentframe();
    // The number is shown in near white (30, 30, 30) over its black shadow:
    // the frame the player sees through the wait holds it.
    const u16 white = pixelformat == 2 ? (u16)(30 << 11 | 60 << 5 | 30) : (u16)(30 << 10 | 30 << 5 | 30);
    auto whites = [&] {
        const u16* f = dd_lastframe();
        int n = 0;
        for (int i = 0; i < 640 * 480; i++) n += f[i] == white;
        return n;
    };
    static std::vector<u8> pic4; // font 4 keeps pointing here: every glyph a solid block
    pic4.assign((size_t)fontfiles[4].picwidth * fontfiles[4].height, 7);
    font[4] = {glyphtables[4], pic4.data(), fontfiles[4].height, fontfiles[4].picwidth};
    int whitebefore = whites();
    u32 t0 = tickcount;
    numberovernpc(e, 17);
    EXPECT_GE(tickcount - t0, 32u);
    EXPECT_GT(whites() - whitebefore, 10) << "the number was shown";
    EXPECT_EQ(differing(before, window()), 0) << "the spot and the number are gone again";
    vistoplayer[0][npc[e]->mapoff] = 0;
    t0 = tickcount;
    numberovernpc(e, 17);
    EXPECT_EQ(tickcount, t0) << "not for an unseen unit";
}

TEST(SpellAnim, TheHealPicturesPlayFifteenFramesOverTheCell) {
    startspellworld();
    u32 t0 = tickcount;
    healanimation(cellat(HOMEX + 2, HOMEY));
    EXPECT_EQ(tickcount - t0, 15u) << "one presented frame each";
    // The last drawn picture sits 60 left of and 80 above the cell's anchor.
    int sq = squareofcell(HOMEX + 2, HOMEY);
    ASSERT_GE(sq, 0);
    i32 x = vss[sq].x - 60, y = vss[sq].y - 80;
    const u16 green = (u16)((0x40 >> 3) << 11 | (0xC0 >> 2) << 5 | (0x60 >> 3));
    lockvs();
    for (auto [px, py] : {std::pair{x, y}, {x + 39, y}, {x, y + 69}, {x + 39, y + 69}})
        EXPECT_EQ(*vspixel(px, py), green) << px - x << "," << py - y;
    for (auto [px, py] : {std::pair{x - 1, y}, {x + 40, y}, {x, y - 1}, {x, y + 70}})
        EXPECT_NE(*vspixel(px, py), green) << px - x << "," << py - y;
    unlockvs();
}

TEST(SpellAnim, TheBoltJoinsTheTwoCellsSixTimes) {
    startspellworld();
    u32 from = cellat(HOMEX, HOMEY), to = cellat(HOMEX + 4, HOMEY);
    // The test world has no land pictures, so nothing paints over an old
    // bolt but a cleared screen; and the leader's stand-in picture blends
    // its label afresh each time, so he steps off the map.
    npcmap[npc[1]->mapoff] = 0;
    clearvsall();
    drawmapview();
    std::vector<u16> plain = window();
    u32 t0 = tickcount;
    lightningflash(from, to);
    EXPECT_EQ(tickcount - t0, 6u);
    std::vector<u16> lit = window();
    plain.resize(640 * 400), lit.resize(640 * 400); // the panel's text blends afresh every time
    EXPECT_GT(differing(plain, lit), 50);
    int a = squareofcell(HOMEX, HOMEY), b = squareofcell(HOMEX + 4, HOMEY);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    // It runs from 40 left of and 50 above one anchor to the same point of
    // the other: the touched columns start two pixels (the glow) before the
    // first and end a little beyond the second (the last jagged step may
    // overshoot by up to three).
    i32 minx = 640, maxx = -1;
    for (size_t i = 0; i < lit.size(); i++)
        if (plain[i] != lit[i]) minx = std::min(minx, (i32)(i % 640)), maxx = std::max(maxx, (i32)(i % 640));
    EXPECT_EQ(minx, vss[a].x - 40 - 2);
    EXPECT_GE(maxx, vss[b].x - 40 + 2);
    EXPECT_LE(maxx, vss[b].x - 40 + 5);
    for (int sq : {a, b}) {
        size_t at = (size_t)(vss[sq].y - 50) * 640 + (size_t)(vss[sq].x - 40);
        EXPECT_NE(plain[at], lit[at]) << sq;
    }
}
