// The light map against a plain computation that looks at every cell and
// every shape cell on its own, on random worlds: torches, walls, lamps,
// walking and hidden units, magic missiles, sources at the edges.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/input.h"
#include "game/missile.h"
#include "testenv.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

std::vector<itemtyperec> types(NUMITEMTYPES);
std::vector<unittyperec> units(NUMUNITTYPES);
u32 seed;
u32 rnd() { return (seed = seed * 1103515245 + 12345) >> 16; }

// Item 1 a torch, 2 a wall, 3 a lamp past the last shape, 4 a wall that is
// also a light, 5 plain floor clutter.
void startworld() {
    starttestdisplay(565);
    allocgrids();
    for (int i = 0; i < NUMUNITTYPES; i++) units[i] = unittyperec{}, unittype[i] = &units[i];
    initnpc();
    for (int i = 0; i < NUMITEMTYPES; i++) types[i] = itemtyperec{}, itemtype[i] = &types[i];
    types[1].brightness = 6;
    types[2].blockssight = 1;
    types[3].brightness = 40;
    types[4].brightness = 2, types[4].blockssight = 1;
    for (missilerec& m : missile) m = missilerec{};
    initdistancetable();
    initlighttables();
    lighting = 1;
    lightflag = 1;
}

// Cells near the edges and near the source area's border get a share of
// the sources on purpose.
i32 somewhere() {
    static const i32 spots[] = {0, 1, 4, 15, 19, 20, 21, 234, 235, 240, 254, 255};
    return rnd() % 4 ? (i32)(rnd() % 256) : spots[rnd() % 12];
}

void randomworld(int items, int people, int missiles) {
    std::memset(itemmap, 0, MAPCELLS * 2);
    std::memset(npcmap, 0, MAPCELLS * 2);
    for (int i = 0; i < items; i++) itemmap[somewhere() * 256 + somewhere()] = (u16)(1 + rnd() % 5);
    for (int i = 0; i < people; i++) {
        i32 x = somewhere(), y = somewhere();
        int slot = createnpc(0, x, y, (int)(rnd() % 2));
        if (slot <= 0) break;
        npcrec& n = *npc[slot];
        n.brightness = (u8)(rnd() % 3 ? rnd() % 8 : 0);
        n.facing = (u8)(rnd() % 10);
        n.step = (u8)(rnd() % 9);
        n.hidden = (u8)(rnd() % 3);
        npcmap[y * 256 + x] = (u16)slot;
    }
    for (int i = 0; i < missiles && i < MAXMISSILES; i++) {
        missile[i].isused = (u8)(rnd() % 4 != 0);
        missile[i].kind = (u8)(rnd() % 3 != 0);
        missile[i].x = (i32)(rnd() % 300) - 20;
        missile[i].y = somewhere();
    }
}

// ---- the plain computation ----------------------------------------------

bool wallat(i32 x, i32 y) {
    u16 it = x >= 0 && x < 256 && y >= 0 && y < 256 ? itemmap[y * 256 + x] : 0;
    return it && itemtype[it]->blockssight;
}

void lay(std::vector<u8>& map, const u8* s, i32 x, i32 y, int rx0, int rx1, int ry0, int ry1, const int* r) {
    for (int ry = ry0; ry <= ry1; ry++)
        for (int rx = rx0; rx <= rx1; rx++) {
            i32 mx = x + rx - 15, my = y + ry - 15;
            if (mx < r[0] || mx > r[2] || my < r[1] || my > r[3]) continue;
            u8& c = map[my * 256 + mx];
            if (s[ry * SHAPESIZE + rx] < c) c = s[ry * SHAPESIZE + rx];
        }
}

// The light map of the cells in r (x0, y0, x1, y1), with sources in
// 20..234 within a shape's reach; the hidden units' new marks go to hidden.
std::vector<u8> plainlight(const int* r, std::vector<u8> map, std::vector<u8>& hidden) {
    for (int y = r[1]; y <= r[3]; y++)
        for (int x = r[0]; x <= r[2]; x++) map[y * 256 + x] = ambient;
    for (int y = 20; y <= 234; y++)
        for (int x = 20; x <= 234; x++) {
            if (x < r[0] - 16 || x > r[2] + 15 || y < r[1] - 16 || y > r[3] + 15) continue;
            u16 it = itemmap[y * 256 + x], slot = npcmap[y * 256 + x];
            if (it && itemtype[it]->brightness) {
                int rx0 = wallat(x - 1, y) ? 14 : 0, rx1 = wallat(x + 1, y) ? 15 : 31;
                int ry0 = wallat(x, y - 1) ? 14 : 0, ry1 = wallat(x, y + 1) ? 15 : 31;
                lay(map, shapefor(itemtype[it]->brightness, 0, 0), x, y, rx0, rx1, ry0, ry1, r);
            } else if (slot && npc[slot]->brightness) {
                const npcrec& n = *npc[slot];
                lay(map, n.step ? shapefor(n.brightness, n.facing, n.step) : shapefor(n.brightness, 0, 0), x, y, 0, 31, 0, 31, r);
            } else {
                bool shot = false;
                for (const missilerec& m : missile) shot |= m.isused && m.kind == 1 && m.x == x && m.y == y;
                if (shot && lightflag) lay(map, shapefor(2, 0, 0), x, y, 0, 31, 0, 31, r);
            }
        }
    hidden.assign(NPCSLOTS, 0);
    for (int k = 1; k < NPCSLOTS; k++) hidden[k] = npc[k] ? npc[k]->hidden : 0; // a unit off the grid keeps its mark
    for (int off = 0; off < MAPCELLS; off++) {
        u16 slot = npcmap[off];
        if (slot && npc[slot]->hidden) hidden[slot] = map[off] > 6 ? 1 : 2;
    }
    return map;
}

int level(int x, int y) { return lightmap[y * 256 + x]; }

void expectplain(int centre, int radius, const char* what) {
    int r[4] = {0, 0, 255, 255};
    if (centre >= 0) {
        int x = centre % 256, y = centre / 256;
        r[0] = std::max(0, x - radius - 20), r[1] = std::max(0, y - radius - 20);
        r[2] = std::min(255, x + radius + 19), r[3] = std::min(255, y + radius + 19);
    }
    std::memset(lightmap, 9, MAPCELLS);
    std::vector<u8> hidden, want = plainlight(r, std::vector<u8>(lightmap, lightmap + MAPCELLS), hidden);
    computelightmap(centre, radius);
    for (int off = 0; off < MAPCELLS; off++)
        ASSERT_EQ(lightmap[off], want[off]) << what << ", centre " << centre << " radius " << radius << ", cell "
                                            << off % 256 << "," << off / 256;
    for (int s = 1; s < NPCSLOTS; s++) {
        if (!npc[s]) continue;
        ASSERT_EQ(npc[s]->hidden, hidden[s]) << what << ", slot " << s;
    }
}

} // namespace

TEST(LightReference, WholeMapAndRegionsMatchThePlainComputation) {
    startworld();
    seed = 11;
    for (int world = 0; world < 12; world++) {
        randomworld(world % 3 ? 2500 : 60000, 40 + world * 10, world % 2 ? MAXMISSILES : 3);
        lightflag = (u8)(world % 4 != 3);
        expectplain(-1, 0, "whole map");
        for (int k = 0; k < 6; k++) expectplain((int)(rnd() % MAPCELLS), (int)(rnd() % 12), "region");
        expectplain(0, 0, "corner");
        expectplain(MAPCELLS - 1, 3, "far corner");
        initnpc();
    }
}

// A unit that walks on, a missile that flies on: the next computation
// follows them and leaves nothing of where they were.
TEST(LightReference, MovingSourcesLeaveNoTrail) {
    startworld();
    seed = 5;
    randomworld(800, 20, 0);
    int slot = createnpc(0, 30, 40, 0);
    ASSERT_GT(slot, 0);
    npc[slot]->brightness = 5;
    missile[0] = missilerec{};
    missile[0].isused = 1, missile[0].kind = 1;
    for (int x = 18; x < 240; x += 7) {
        std::memset(npcmap + 40 * 256 + 16, 0, 230 * 2);
        itemmap[40 * 256 + x] = 0;
        npcmap[40 * 256 + x] = (u16)slot;
        npc[slot]->step = (u8)(x % 8), npc[slot]->facing = 3;
        missile[0].x = 255 - x, missile[0].y = 41;
        itemmap[41 * 256 + 255 - x] = 0;
        expectplain(-1, 0, "walking");
        expectplain(40 * 256 + x, 2, "walking, region");
    }
}

// A missile over a lit item or a lit unit adds nothing: the item's light,
// cut by the wall beside it, and the unit's faint light stay as they are.
TEST(LightReference, AMissileOverAnotherSourceAddsNothing) {
    startworld();
    seed = 3;
    randomworld(0, 0, 0);
    itemmap[100 * 256 + 100] = 4, itemmap[100 * 256 + 99] = 2;
    int slot = createnpc(0, 150, 150, 0);
    ASSERT_GT(slot, 0);
    npc[slot]->brightness = 1;
    npcmap[150 * 256 + 150] = (u16)slot;
    missile[0].isused = missile[1].isused = 1, missile[0].kind = missile[1].kind = 1;
    missile[0].x = missile[0].y = 100, missile[1].x = missile[1].y = 150;
    expectplain(-1, 0, "missiles over sources");
    EXPECT_EQ(level(98, 100), 15);
    EXPECT_EQ(level(152, 150), 15);
}
