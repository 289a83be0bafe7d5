// Light: shapes, darkening, the light map around sources and walls, regions
// against the whole map, and hiding in shadows.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/input.h"
#include "game/missile.h"
#include "testenv.h"
#include "video/display.h"
#include "video/picture.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

static std::vector<itemtyperec> lighttypes(NUMITEMTYPES);
static std::vector<unittyperec> lightunits(NUMUNITTYPES);

// A dark, empty world: item 1 is a torch of brightness 6, item 2 a wall
// that blocks sight, item 3 a bright lamp past the last shape.
static void startlight(int format = 565) {
    starttestdisplay(format);
    allocgrids();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        lightunits[i] = unittyperec{};
        unittype[i] = &lightunits[i];
    }
    initnpc();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        lighttypes[i] = itemtyperec{};
        itemtype[i] = &lighttypes[i];
    }
    lighttypes[1].brightness = 6;
    lighttypes[2].blockssight = 1;
    lighttypes[3].brightness = 40;
    for (missilerec& m : missile) m = missilerec{};
    initdistancetable();
    initlighttables();
    lighting = 1;
    lightflag = 1;
}

static int level(int x, int y) { return lightmap[y * 256 + x]; }

TEST(Light, BrightnessOneLightsItsCellNeighboursAndNothingFurther) {
    startlight();
    const u8* s = shapefor(1, 0, 0);
    auto at = [&](int dx, int dy) { return (int)s[(dy + 15) * SHAPESIZE + dx + 15]; };
    EXPECT_EQ(at(0, 0), 0);
    EXPECT_EQ(at(1, 0), 10);
    EXPECT_EQ(at(0, -1), 10);
    EXPECT_EQ(at(1, 1), 14);
    EXPECT_EQ(at(-1, 1), 14);
    EXPECT_EQ(at(2, 0), 16);
    EXPECT_EQ(at(13, 0), 16);
    EXPECT_EQ(at(-14, 0), 16);
    for (int b = 1; b <= MAXBRIGHTNESS; b++)
        for (int v = 0; v < SHAPEVARIANTS - 7; v++)
            for (int i = 0; i < SHAPESIZE * SHAPESIZE; i++) ASSERT_LE(lightshape[b * SHAPEVARIANTS + v][i], 16);
    // Brighter sources reach further: at brightness 19 a cell 10 away is lit.
    EXPECT_LT(shapefor(19, 0, 0)[15 * SHAPESIZE + 25], 16);
    EXPECT_EQ(shapefor(40, 0, 0), shapefor(19, 0, 0));
    EXPECT_EQ(shapefor(0, 0, 0), nullptr);
    // Only a walking source with a real facing and step gets a shifted shape.
    EXPECT_NE(shapefor(5, 3, 4), shapefor(5, 0, 0));
    EXPECT_EQ(shapefor(5, 9, 4), shapefor(5, 0, 0));
    EXPECT_EQ(shapefor(5, 3, 8), shapefor(5, 0, 0));
}

// A walking source's light lags behind it: for each of the eight facings
// (1 north, then clockwise; north is toward row 0) the cell three behind
// the source is lit more than the cell three ahead, the two cells beside
// the way are lit alike, and the lag grows with the step.
TEST(Light, ShiftedShapeTrailsTowardWhereTheSourceCameFrom) {
    startlight();
    const int way[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    auto level = [](const u8* s, int dx, int dy) { return s[(15 + dy) * SHAPESIZE + 15 + dx]; };
    for (int f = 1; f <= 8; f++) {
        int dx = way[f - 1][0], dy = way[f - 1][1];
        const u8* s = shapefor(3, f, 7);
        ASSERT_NE(s, nullptr);
        EXPECT_LT(level(s, -3 * dx, -3 * dy), level(s, 3 * dx, 3 * dy)) << "facing " << f << ": brighter behind";
        EXPECT_EQ(level(s, 3 * dy, -3 * dx), level(s, -3 * dy, 3 * dx)) << "facing " << f << ": alike on both sides";
        // Far ahead the light thins sooner the further the source has come.
        int ahead1 = 0, ahead7 = 0;
        for (int k = 1; k <= 12; k++) {
            ahead1 += level(shapefor(3, f, 1), k * dx, k * dy);
            ahead7 += level(s, k * dx, k * dy);
        }
        EXPECT_LT(ahead1, ahead7) << "facing " << f;
    }
}

TEST(Light, DarkeningKeepsTheListedSixteenthsOfEachChannel) {
    for (int format : {565, 555}) {
        startlight(format);
        u16 white = format == 565 ? 0xFFFF : 0x7FFF;
        EXPECT_EQ(lighttable[0 * 65536 + white], white);
        u16 l15 = lighttable[15 * 65536 + white];
        EXPECT_EQ((l15 & rmask) >> rshift, 31u * 4 / 16);
        EXPECT_EQ((l15 & bmask) >> bshift, 31u * 4 / 16);
        EXPECT_EQ((lighttable[5 * 65536 + white] & bmask) >> bshift, 31u * 12 / 16);
        EXPECT_EQ((lighttable[9 * 65536 + white] & gmask) >> gshift, (gmask >> gshift) * 9 / 16);
    }
}

TEST(Light, TorchLightsAroundItAndAWallOnItsLeftCutsItOff) {
    startlight();
    itemmap[100 * 256 + 100] = 1;
    computelightmap(-1, 0);
    EXPECT_EQ(level(100, 100), 0);
    EXPECT_EQ(level(40, 40), 15);
    EXPECT_LT(level(97, 100), 15);
    EXPECT_LT(level(100, 103), 15);
    EXPECT_EQ(level(97, 100), level(103, 100));
    itemmap[100 * 256 + 99] = 2;
    computelightmap(-1, 0);
    for (int x = 80; x < 99; x++)
        for (int y = 80; y < 120; y++) ASSERT_EQ(level(x, y), 15) << x << "," << y;
    EXPECT_LT(level(99, 100), 15);
    EXPECT_LT(level(103, 100), 15);
}

TEST(Light, LeaderCarriesHisLightAndLightingOffMeansFullLight) {
    startlight();
    int slot = createnpc(0, 60, 70, 0);
    ASSERT_GT(slot, 0);
    npc[slot]->brightness = 4;
    npcmap[70 * 256 + 60] = (u16)slot;
    computelightmap(-1, 0);
    EXPECT_EQ(level(60, 70), 0);
    EXPECT_LT(level(63, 70), 15);
    npc[slot]->hidden = 1;
    lighting = 0;
    computelightmap(-1, 0);
    for (int i = 0; i < MAPCELLS; i++) ASSERT_EQ(lightmap[i], 0);
    EXPECT_EQ(npc[slot]->hidden, 1);
}

TEST(Light, AHiddenUnitIsHiddenOnlyInTheDark) {
    startlight();
    int thief = createnpc(0, 50, 50, 1);
    ASSERT_GT(thief, 0);
    npc[thief]->hidden = 1;
    npcmap[50 * 256 + 50] = (u16)thief;
    computelightmap(-1, 0);
    EXPECT_EQ(npc[thief]->hidden, 1);
    itemmap[50 * 256 + 53] = 1; // a torch three cells away: level 5 or less
    computelightmap(-1, 0);
    EXPECT_LE(level(50, 50), 6);
    EXPECT_EQ(npc[thief]->hidden, 2);
    itemmap[50 * 256 + 53] = 0;
    computelightmap(50 * 256 + 50, 0);
    EXPECT_EQ(npc[thief]->hidden, 1);
}

TEST(Light, MagicMissileShinesOnlyWhileTheSwitchIsOn) {
    startlight();
    missile[3].isused = 1;
    missile[3].kind = 1;
    missile[3].x = 90;
    missile[3].y = 90;
    computelightmap(-1, 0);
    EXPECT_EQ(level(90, 90), 0);
    EXPECT_EQ(level(91, 90), shapefor(2, 0, 0)[15 * SHAPESIZE + 16]);
    lightflag = 0;
    computelightmap(-1, 0);
    EXPECT_EQ(level(90, 90), 15);
}

// A region recompute gives exactly the cells a whole-map recompute gives,
// near sources outside it, near walls, and at the map's edges; cells
// outside the region are not touched.
TEST(Light, ARegionEqualsTheSameCellsOfTheWholeMap) {
    startlight();
    std::vector<u16> items(MAPCELLS, 0);
    u32 seed = 7;
    auto rnd = [&]() { return (seed = seed * 1103515245 + 12345) >> 16; };
    for (int i = 0; i < 900; i++) items[rnd() % MAPCELLS] = (u16)(1 + rnd() % 3);
    std::memcpy(itemmap, items.data(), MAPCELLS * 2);
    computelightmap(-1, 0);
    std::vector<u8> whole(lightmap, lightmap + MAPCELLS);
    const int centres[][2] = {{128, 128}, {3, 5}, {250, 252}, {20, 234}, {0, 0}, {255, 128}};
    for (auto& c : centres)
        for (int radius : {0, 4}) {
            std::memset(lightmap, 99, MAPCELLS);
            computelightmap(c[1] * 256 + c[0], radius);
            for (int y = 0; y < 256; y++)
                for (int x = 0; x < 256; x++) {
                    bool inside = x >= c[0] - radius - 20 && x <= c[0] + radius + 19 && y >= c[1] - radius - 20 &&
                                  y <= c[1] + radius + 19;
                    ASSERT_EQ(level(x, y), inside ? whole[y * 256 + x] : 99)
                        << "centre " << c[0] << "," << c[1] << " r " << radius << " cell " << x << "," << y;
                }
        }
}

TEST(Light, DistanceTableAndHalfBlend) {
    startlight();
    EXPECT_EQ(distancetable[24 * 48 + 24], 0);
    EXPECT_EQ(distancetable[24 * 48 + 27], 3);
    EXPECT_EQ(distancetable[27 * 48 + 27], 4);
    EXPECT_EQ(distancetable[0], 33);
    EXPECT_EQ(blendhalf(0xF800, 0x0000), (u16)(15 << 11));
    EXPECT_EQ(blendhalf(0x07E0, 0x07E0), (u16)(31 << 6));
    startlight(555);
    buildrgb333();
    initblendtables();
    u16 b = blendhalf(0x7C00, 0x7C00); // red and red: top three bits of red
    EXPECT_EQ(b, (u16)(7 << 12));
    EXPECT_EQ(blendhalf(0x7C00, 0x0000), (u16)(3 << 12));
}
