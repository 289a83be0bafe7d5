#include "pathcompare.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "game/missionstate.h"
#include "game/pathfind.h"
#include "tests/pathreference.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/npc.h"

namespace {

double microseconds(std::chrono::steady_clock::time_point a) {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - a).count();
}

u32 seed = 4242;
i32 rnd(u32 n) {
    seed = seed * 1664525u + 1013904223u;
    return (i32)((seed >> 8) % n);
}

// A 44 x 44 yard: small enough that the plain search, quadratic in the
// cells it visits, finishes a search with no way through in good time.
constexpr i32 YARD = 44, YARDLO = 40;

void putnpc(int slot, i32 x, i32 y) {
    npc[slot]->x = (i16)x;
    npc[slot]->y = (i16)y;
    npc[slot]->mapoff = (u32)(y * 256 + x);
    npcmap[y * 256 + x] = (u16)slot;
}

void buildyard(int k) {
    std::memset(itemmap, 0, MAPCELLS * 2);
    std::memset(npcmap, 0, MAPCELLS * 2);
    initnpc();
    for (int i = 0; i < MAPCELLS; i++) lightmap[i] = (u8)rnd(16);
    for (i32 j = YARDLO - 1; j <= YARDLO + YARD; j++) {
        itemmap[(YARDLO - 1) * 256 + j] = itemmap[(YARDLO + YARD) * 256 + j] = 1;
        itemmap[j * 256 + YARDLO - 1] = itemmap[j * 256 + YARDLO + YARD] = 1;
    }
    for (int i = 0; i < 20 + k * 12; i++) {
        i32 x = YARDLO + rnd(YARD), y = YARDLO + rnd(YARD), len = 1 + rnd(10);
        bool across = rnd(2);
        u16 item = (u16)(1 + rnd(3));
        for (int j = 0; j < len; j++) {
            i32 cx = x + (across ? j : 0), cy = y + (across ? 0 : j);
            if (cx < YARDLO + YARD && cy < YARDLO + YARD) itemmap[cy * 256 + cx] = item;
        }
    }
    for (int i = 0; i < 40; i++) {
        int s = createnpc(0, 0, 0, rnd(4));
        if (!s) continue;
        putnpc(s, YARDLO + rnd(YARD), YARDLO + rnd(YARD));
        npc[s]->hidden = (u8)rnd(3);
    }
}

} // namespace

bool plaincompare = true;

void comparesearch(pathcomparison& c, i32 x0, i32 y0, i32 x1, i32 y1) {
    goalx = x1, goaly = y1;
    auto a = std::chrono::steady_clock::now();
    if (!plaincompare) {
        findpath(x0, y0, x1, y1);
        c.fastus += microseconds(a);
        c.searches++;
        c.nodes += pathnodes;
        return;
    }
    referenceresult want = referencefindpath(x0, y0, x1, y1);
    c.plainus += microseconds(a);
    a = std::chrono::steady_clock::now();
    bool got = findpath(x0, y0, x1, y1);
    c.fastus += microseconds(a);
    bool same = got == want.found && std::memcmp(pathbuf, want.pathbuf, sizeof pathbuf) == 0 &&
                (!got || pathcost == want.pathcost) && pathnodes == want.nodes;
    c.searches++;
    c.nodes += pathnodes;
    if (!same) {
        c.differ++;
        std::printf("  differs: %d,%d to %d,%d found %d/%d cost %d/%d nodes %d/%d\n", x0, y0, x1, y1, got,
                    want.found, pathcost, want.pathcost, pathnodes, want.nodes);
    }
}

void compareonrandomyards(pathcomparison& c, int yards, int searchesperyard) {
    for (int k = 0; k < yards; k++) {
        buildyard(k);
        curnpc = createnpc(0, 0, 0, 0);
        if (!curnpc) continue;
        for (int s = 0; s < searchesperyard; s++) {
            i32 x0 = YARDLO + rnd(YARD), y0 = YARDLO + rnd(YARD), x1 = YARDLO + rnd(YARD), y1 = YARDLO + rnd(YARD);
            if (s % 3 == 0) x1 = x0 + rnd(9) - 4, y1 = y0 + rnd(9) - 4;
            npc[curnpc]->unitno = (u32)rnd(3);
            npc[curnpc]->brightness = (u8)(rnd(3) == 0 ? 4 : 0);
            computerthinking = (u32)rnd(2);
            stopinrange = (u8)rnd(2);
            comparesearch(c, x0, y0, x1, y1);
        }
    }
    computerthinking = 0;
    stopinrange = 0;
}

void printcomparison(const char* what, const pathcomparison& c) {
    if (!plaincompare) {
        std::printf("%-44s %d searches, not compared\n", what, c.searches);
        return;
    }
    std::printf("%-44s %d searches, %d differ, %lld nodes on average; plain %.0f us, game %.0f us: %.1f times faster\n",
                what, c.searches, c.differ, (long long)(c.searches ? c.nodes / c.searches : 0), c.plainus, c.fastus,
                c.fastus > 0 ? c.plainus / c.fastus : 0.0);
}
