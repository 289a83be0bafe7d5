#include "tools/content/campaignmaps.h"

#include <cmath>
#include <cstring>

#include "tools/content/mappainter.h"

namespace {

void clearmap(demomap& m) {
    m.land.assign(65536, 0);
    m.item.assign(65536, 0);
    m.npcs.assign(129 * 156, 0);
    std::memset(m.header, 0, sizeof m.header);
}

// Player 0's start and the computer players' gathering points.
void setstarts(demomap& m, const int (&x)[4], const int (&y)[4]) {
    for (int q = 0; q < 4; q++) {
        m.header[q] = (u8)x[q];
        m.header[4 + q] = (u8)y[q];
    }
    m.header[8] = 1; // the party forms up eastward, two cells apart
}

// The start and the formation beside it stay clear of anything that stands.
void clearstart(painter& p, int x, int y) {
    for (int dy = -2; dy <= 2; dy++)
        for (int dx = -1; dx <= 8; dx++)
            if (!p.wall[(y + dy) * 256 + x + dx]) p.item(x + dx, y + dy, 0);
}

// The leader's companions of the keep come along: the mission start stands
// them in the formation beside him.
void companions(painter& p, int x, int y) {
    p.unit(0, 3, x + 2, y, 1, 0, "Wren");
    p.unit(0, 5, x + 4, y, 1, 0, "Aldous");
    p.unit(0, 2, x + 6, y, 1, 0, "Tamsin");
}

// ---- The forest road ---------------------------------------------------

constexpr int FX0 = 60, FX1 = 196, FY0 = 100, FY1 = 156;

// The road's middle row at column x: it winds gently from west to east.
int roadrow(int x) { return 128 + (int)std::lround(5.0 * std::sin((x - FX0) / 13.0)); }

bool nearroad(int x, int y, int margin) { return std::abs(y - roadrow(x)) <= 1 + margin; }

struct clearing {
    int x, y, r;
};
const clearing forestclearings[] = {{130, 140, 9}, {176, 118, 8}, {70, 128, 5}, {100, 112, 4}};

bool inclearing(int x, int y) {
    for (const clearing& c : forestclearings)
        if ((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= c.r * c.r) return true;
    return false;
}

void forestground(painter& p) {
    p.land(FX0, FY0, FX1, FY1, LAND_FORESTFLOOR);
    for (int y = FY0 + 1; y < FY1; y++)
        for (int x = FX0 + 1; x < FX1; x++) {
            if (inclearing(x, y)) p.m.land[y * 256 + x] = landtile(LAND_GRASS, x, y);
            if (nearroad(x, y, 0)) p.m.land[y * 256 + x] = landtile(LAND_ROAD, x, y);
        }
    p.land(124, 136, 136, 146, LAND_DIRT); // the bandits' camp
    p.land(84, 146, 92, 152, LAND_WATER);  // a forest pool
    p.land(83, 145, 93, 145, LAND_SAND);
}

void foresttrees(painter& p) {
    static const int trees[] = {ITEM_TREE_OAK, ITEM_TREE_OAK2, ITEM_TREE_PINE, ITEM_TREE_PINE2, ITEM_TREE_DEAD};
    u32 s = 4242;
    for (int k = 0; k < 900; k++) {
        int x = FX0 + 3 + (int)(rnd(s) % (u32)(FX1 - FX0 - 4)), y = FY0 + 3 + (int)(rnd(s) % (u32)(FY1 - FY0 - 4));
        bool open = true;
        for (int dy = -4; dy <= 1 && open; dy++)
            for (int dx = -4; dx <= 1 && open; dx++)
                open = !nearroad(x + dx, y + dy, 1) && !inclearing(x + dx, y + dy) &&
                       p.m.land[(y + dy) * 256 + x + dx] == landtile(LAND_FORESTFLOOR, x + dx, y + dy);
        if (open && p.roomfor(x, y, 2, 2) && p.roomfor(x + 1, y + 1, 4, 4)) p.large(x, y, trees[rnd(s) % 5], 2, 2);
    }
    for (int k = 0; k < 160; k++) {
        int x = FX0 + 2 + (int)(rnd(s) % (u32)(FX1 - FX0 - 3)), y = FY0 + 2 + (int)(rnd(s) % (u32)(FY1 - FY0 - 3));
        if (!p.empty(x, y) || nearroad(x, y, 0) || p.m.land[y * 256 + x] == landtile(LAND_WATER, x, y)) continue;
        int pick = (int)(rnd(s) % 5);
        p.item(x, y, pick == 0 ? ITEM_ROCK_FIRST + (int)(rnd(s) % ITEM_ROCK_COUNT)
                     : pick == 1 ? ITEM_FLOWERS_FIRST + (int)(rnd(s) % ITEM_FLOWERS_COUNT)
                     : pick == 2 ? ITEM_STUMP
                                 : ITEM_BUSH_FIRST + (int)(rnd(s) % ITEM_BUSH_COUNT));
    }
}

void forestcamp(painter& p) {
    p.large(127, 139, ITEM_TENT, 2, 2);
    p.large(135, 140, ITEM_TENT, 2, 2);
    p.item(130, 142, ITEM_CAMPFIRE_FRAME0);
    p.item(125, 145, ITEM_CRATES_STACK);
    p.item(134, 145, ITEM_CHEST_X_CLOSED);
    p.item(131, 138, ITEM_GOLD);
    p.item(128, 145, ITEM_SACK);
    p.item(136, 137, ITEM_POTION);
    p.item(124, 137, ITEM_TORCH_FRAME0 + 1);
    p.item(137, 144, ITEM_TORCH_FRAME0 + 3);
}

// A ruined waystation by the clearing at the road's far end.
void forestwaystation(painter& p) {
    p.land(170, 112, 182, 122, LAND_FLAGSTONE);
    p.wallline(170, 112, 182, 112, ITEM_WALL_LOWSTONE);
    p.wallline(170, 112, 170, 118, ITEM_WALL_LOWSTONE);
    p.wallline(182, 112, 182, 116, ITEM_WALL_LOWSTONE);
    p.item(176, 114, ITEM_ALTAR);
    p.item(173, 114, ITEM_BRAZIER_FRAME0);
    p.item(179, 114, ITEM_BRAZIER_FRAME0 + 2);
    p.item(180, 119, ITEM_CHEST_Y_CLOSED);
    p.item(172, 120, ITEM_GOLD);
    p.item(178, 121, ITEM_POTION);
    p.item(174, 119, ITEM_PILLAR_BROKEN);
}

void forestroadside(painter& p) {
    p.item(68, roadrow(68) - 3, ITEM_SIGNPOST);
    p.item(64, roadrow(64) - 3, ITEM_TORCH_FRAME0);
    p.item(101, 112, ITEM_CHEST_X_CLOSED);
    p.item(99, 110, ITEM_GOLD);
    p.item(150, roadrow(150) + 3, ITEM_BONES);
    p.item(156, roadrow(156) - 3, ITEM_TORCH_FRAME0 + 2);
    p.item(190, roadrow(190) + 3, ITEM_GOLD);
}

void forestunits(painter& p) {
    // Scouts near the start come at once; the camp's bandits wait for the
    // party; the waystation's keepers guard the road's end.
    p.unit(1, 7, 86, roadrow(86) + 2, 7);
    p.unit(1, 7, 88, roadrow(88) - 2, 7);
    p.unit(1, 2, 92, roadrow(92), 7);
    p.unit(1, 10, 120, roadrow(120) + 3, 7, 1); // a bandit in the undergrowth, hidden
    p.unit(1, 10, 129, 143, 1);
    p.unit(1, 6, 132, 140, 1);
    p.unit(1, 6, 126, 142, 1);
    p.unit(1, 2, 134, 138, 8);
    p.unit(2, 4, 176, 116, 5);
    p.unit(2, 5, 174, 117, 5);
    p.unit(2, 3, 179, 118, 5);
    p.unit(2, 0, 172, 121, 5);
    p.unit(2, 0, 180, 121, 5);
    p.unit(3, 8, 160, roadrow(160) + 2, 7);
    p.unit(3, 11, 188, roadrow(188), 7);
    p.unit(3, 9, 184, roadrow(184) - 3, 7);
    p.unit(3, 7, 150, roadrow(150) - 2, 7);
}

// ---- The crypt ---------------------------------------------------------

constexpr int CX0 = 96, CX1 = 162; // the outer wall; rooms of 21 cells between
constexpr int CROOM = 22;

int roomx(int col) { return CX0 + col * CROOM; }
int roomy(int row) { return CX0 + row * CROOM; }

// An arch in the middle of the wall between two rooms side by side (along
// x) or one above the other (along y).
void eastarch(painter& p, int col, int row) { p.opening(roomx(col + 1), roomy(row) + CROOM / 2, ITEM_ARCH_STONE_Y); }
void southarch(painter& p, int col, int row) { p.opening(roomx(col) + CROOM / 2, roomy(row + 1), ITEM_ARCH_STONE_X); }

void cryptwalls(painter& p) {
    p.land(CX0, CX0, CX1, CX1, LAND_DUNGEON);
    p.wallbox(CX0, CX0, CX1, CX1, ITEM_WALL_STONE);
    for (int k = 1; k < 3; k++) {
        p.wallline(roomx(k), CX0, roomx(k), CX1, ITEM_WALL_STONE);
        p.wallline(CX0, roomy(k), CX1, roomy(k), ITEM_WALL_STONE);
    }
    // Every room opens onto its neighbours, the boss's chamber (top right)
    // onto two only.
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 2; col++) eastarch(p, col, row);
    for (int col = 0; col < 3; col++)
        for (int row = 0; row < 2; row++)
            if (!(col == 2 && row == 0)) southarch(p, col, row);
}

// Torches against the room's back walls, so every room has its light.
void roomlights(painter& p, int col, int row) {
    int x0 = roomx(col), y0 = roomy(row);
    p.item(x0 + 6, y0 + 1, ITEM_TORCH_X_FRAME0);
    p.item(x0 + 16, y0 + 1, ITEM_TORCH_X_FRAME0 + 2);
    p.item(x0 + 1, y0 + 15, ITEM_TORCH_Y_FRAME0 + 1);
}

void cryptrooms(painter& p) {
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++) roomlights(p, col, row);
    // The antechamber (bottom left), where the party comes down.
    p.item(100, 158, ITEM_CHEST_X_CLOSED);
    p.item(114, 146, ITEM_POTION);
    p.item(99, 147, ITEM_BARREL);
    // Rows of graves.
    for (int k = 0; k < 4; k++) {
        p.item(123 + 4 * k, 148, ITEM_TOMBSTONE);
        p.item(123 + 4 * k, 154, ITEM_TOMBSTONE);
        p.item(101 + 4 * k, 110, ITEM_TOMBSTONE);
    }
    p.item(148, 150, ITEM_BONES);
    p.item(155, 156, ITEM_GOLD);
    p.item(152, 146, ITEM_REMAINS_BODY);
    // The shrine (left), the hall of pillars (middle), the store (right).
    p.item(106, 122, ITEM_ALTAR);
    p.item(103, 122, ITEM_BRAZIER_FRAME0);
    p.item(109, 122, ITEM_BRAZIER_FRAME0 + 1);
    for (int k = 0; k < 3; k++) {
        p.item(123 + 6 * k, 124, ITEM_PILLAR);
        p.item(123 + 6 * k, 132, k == 1 ? ITEM_PILLAR_BROKEN : ITEM_PILLAR);
    }
    p.item(129, 128, ITEM_STATUE);
    p.item(145, 122, ITEM_CRATES_STACK);
    p.item(156, 135, ITEM_BARRELS_PAIR);
    p.item(150, 130, ITEM_CHEST_Y_CLOSED);
    p.item(110, 104, ITEM_GOLD);
    p.item(134, 106, ITEM_CHEST_X_CLOSED);
    p.item(128, 110, ITEM_GOLD);
    // The lord of the crypt's chamber.
    p.land(141, 99, 159, 117, LAND_FLAGSTONE);
    p.item(150, 101, ITEM_ALTAR);
    p.item(146, 102, ITEM_BRAZIER_FRAME0 + 2);
    p.item(154, 102, ITEM_BRAZIER_FRAME0 + 3);
    p.item(157, 112, ITEM_CHEST_Y_CLOSED);
    p.item(143, 114, ITEM_GOLD);
}

void cryptunits(painter& p) {
    p.unit(1, 0, 126, 151, 7);
    p.unit(1, 0, 134, 151, 7);
    p.unit(1, 0, 142, 150, 7);
    p.unit(1, 2, 150, 154, 7);
    p.unit(1, 7, 152, 148, 7);
    p.unit(2, 5, 106, 125, 5);
    p.unit(2, 0, 103, 128, 5);
    p.unit(2, 4, 130, 126, 5);
    p.unit(2, 3, 133, 134, 5, 1); // waits hidden among the pillars
    p.unit(3, 10, 146, 128, 6);
    p.unit(3, 6, 153, 126, 6);
    p.unit(3, 8, 106, 106, 5);
    p.unit(3, 0, 130, 104, 5);
    p.unit(3, 9, 150, 106, 5);
    p.unit(3, 11, 146, 110, 5);
}

} // namespace

void buildforestmap(demomap& m, const unitmaxima* types) {
    clearmap(m);
    painter p{m, std::vector<u8>(65536, 0), types};
    forestground(p);
    p.wallbox(FX0, FY0, FX1, FY1, ITEM_WALL_HEDGE);
    forestcamp(p);
    forestwaystation(p);
    forestroadside(p);
    foresttrees(p);
    p.setwalls();
    clearchokes(p);
    clearstart(p, FORESTSTART[0], FORESTSTART[1]);
    companions(p, FORESTSTART[0], FORESTSTART[1]);
    forestunits(p);
    setstarts(m, {FORESTSTART[0], 130, 176, 172}, {FORESTSTART[1], 141, 117, 128});
}

void buildcryptmap(demomap& m, const unitmaxima* types) {
    clearmap(m);
    painter p{m, std::vector<u8>(65536, 0), types};
    cryptwalls(p);
    cryptrooms(p);
    p.setwalls();
    clearchokes(p);
    clearstart(p, CRYPTSTART[0], CRYPTSTART[1]);
    companions(p, CRYPTSTART[0], CRYPTSTART[1]);
    cryptunits(p);
    setstarts(m, {CRYPTSTART[0], 138, 130, 148}, {CRYPTSTART[1], 151, 128, 108});
}

bool gen_campaignmaps(const GenContext& ctx, std::string& why) {
    unitmaxima types[12];
    if (!readunitmaxima(ctx, types, why)) return false;
    demomap forest, crypt;
    buildforestmap(forest, types);
    buildcryptmap(crypt, types);
    return writemapset(ctx, "forest", forest, why) && writemapset(ctx, "crypt", crypt, why);
}
