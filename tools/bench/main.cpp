// vennor_bench: how fast the map view, the light map, the path search and a
// whole mission frame are on the demo map. Prints the median of many runs
// and a hash of what was drawn or computed, so that a faster version can be
// checked against a slower one.
// The path search is also run side by side with the plain reference search
// of the tests, on the demo map and on random yards: the answers must agree
// on every search (the program fails otherwise), and the summed times show
// how much faster the game's search is; --no-compare leaves the plain search
// out for quick runs (the world still ends the same, so every hash holds).
// Every figure is also given in copies: its time over that of one plain copy
// of the 640 x 480 window, the unit that tells how a frame's work compares
// with what any machine must do to show a frame at all.
//   build/vennor_bench [--data DIR] [--runs N] [--no-compare]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/startup.h"
#include "app/timer.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "pathcompare.h"
#include "platform/platform.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/overheadmap.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/itemtype.h"
#include "world/npc.h"

namespace {

using benchclock = std::chrono::steady_clock;
int runs = 200;
double copyus = 0;

struct figure {
    double median;
    u64 hash;
};

u64 fnv(const void* p, size_t n, u64 h = 1469598103934665603ull) {
    const u8* b = (const u8*)p;
    for (size_t i = 0; i < n; i++) h = (h ^ b[i]) * 1099511628211ull;
    return h;
}

template <typename F> double median(F f, int n) {
    std::vector<double> t;
    for (int i = 0; i < n; i++) {
        auto a = benchclock::now();
        f();
        t.push_back(std::chrono::duration<double, std::micro>(benchclock::now() - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// What a player sees: the window's rows, not the guard bands round it.
u64 screenhash() {
    lockvs();
    u64 h = 1469598103934665603ull;
    for (int row = 0; row < 480; row++) h = fnv(vspixel(0, row), 640 * 2, h);
    unlockvs();
    return h;
}

void print(const char* what, double us, u64 hash, const char* extra = "") {
    std::printf("%-44s %10.1f us %7.1f copies   hash %016llx %s\n", what, us, copyus > 0 ? us / copyus : 0.0,
                (unsigned long long)hash, extra);
}

// The window row by row out of the Virtual Screen into a display-sized
// buffer, as a present does before any scaling.
double windowcopy() {
    static u16 display[640 * 480];
    lockvs();
    double us = median(
        [] {
            for (int row = 0; row < 480; row++) std::memcpy(display + row * 640, vspixel(0, row), 640 * 2);
        },
        runs);
    unlockvs();
    // Read the copy back so that it cannot be left out as dead work.
    std::printf("%-44s %10.1f us %7.1f copies   hash %016llx\n", "plain copy of the 640 x 480 window", us, 1.0,
                (unsigned long long)fnv(display, sizeof display));
    return us;
}

void view(const char* what, i32 x, i32 y, u8 lit) {
    scx = x, scy = y;
    lighting = lit;
    computelightmap(-1, 0);
    double us = median([] { drawmapview(); }, runs);
    print(what, us, screenhash());
    lighting = 1;
    computelightmap(-1, 0);
}

void search(const char* what, i32 x0, i32 y0, i32 x1, i32 y1, u8 inrange, u32 computer, int searcher) {
    curnpc = searcher;
    stopinrange = inrange;
    computerthinking = computer;
    goalx = x1, goaly = y1;
    bool found = false;
    double us = median([&] { found = findpath(x0, y0, x1, y1); }, runs);
    char extra[96];
    std::snprintf(extra, sizeof extra, "found %d, nodes %d, pathcost %d", found, pathnodes, found ? pathcost : -1);
    print(what, us, fnv(pathbuf, sizeof pathbuf, (u64)pathcost), extra);
    curnpc = 1;
    stopinrange = 0;
    computerthinking = 0;
}

bool freecell(i32 x, i32 y) {
    u16 it = itemat(x, y);
    return onmap(x, y) && !npcat(x, y) && !(it && itemtype[it]->blockspassage);
}

int firstof(int player) {
    for (int s = player * 32 + 1; s <= player * 32 + 32; s++)
        if (npc[s]->isused && npc[s]->state >= NPC_IDLE && npc[s]->state <= NPC_ATTACKING) return s;
    return 0;
}

// Fills the computer's ranks near the leader until n units hunt him.
void musterhunters(int n) {
    int hunters = 0;
    for (int s = 33; s <= MAXNPCS; s++)
        if (npc[s]->isused && npc[s]->state == NPC_IDLE && celldistance(npc[s]->x, npc[s]->y, 115, 117) <= 24) hunters++;
    u32 seed = 99;
    for (int tries = 0; hunters < n && tries < 10000; tries++) {
        seed = seed * 1103515245u + 12345u;
        i32 x = 100 + (i32)(seed >> 16) % 31, y = 102 + (i32)(seed >> 8) % 31;
        if (!freecell(x, y)) continue;
        int slot = createnpc(seed % 2 ? 0 : 10, x, y, 1 + (int)(seed >> 4) % 3);
        if (!slot) continue;
        npc[slot]->state = NPC_IDLE;
        npcmap[y * 256 + x] = (u16)slot;
        hunters++;
    }
    std::printf("%d computer units within 24 cells of the leader\n", hunters);
}

// The fixed searches, then pairs of free cells with every variant: the
// leader's human search and a camp unit's computer search, with and without
// the in-range stop.
void comparedemo(pathcomparison& c, const std::vector<std::pair<i32, i32>>& cells, int camp, i32 campx, i32 campy) {
    curnpc = 1;
    comparesearch(c, 115, 117, campx, campy);
    stopinrange = 1;
    comparesearch(c, 115, 117, campx, campy);
    if (camp) {
        curnpc = camp, computerthinking = 1;
        comparesearch(c, campx, campy, 115, 117);
    }
    for (size_t k = 0; k + 1 < cells.size() && k < 12; k++) {
        bool computer = camp && k % 2;
        curnpc = computer ? camp : 1;
        computerthinking = computer;
        stopinrange = (u8)(k / 2 % 2);
        comparesearch(c, cells[k].first, cells[k].second, cells[k + 1].first, cells[k + 1].second);
    }
    curnpc = 1, computerthinking = 0, stopinrange = 0;
}

// The left button held on a cell out on the west road, as a player drags
// the leader along: a walk order, and so a path search, every frame.
void heldbuttonframes() {
    lbuttondown = 1;
    waitingforlmbup = 0;
    cursormode = 1;
    cursoroff = 116 * 256 + 100;
    i64 nodes = 0;
    int frames = 0;
    double us = median(
        [&] {
            simulationstep();
            nodes += pathnodes, frames++;
            scx = npc[curnpc]->x, scy = npc[curnpc]->y;
            drawmapview();
        },
        runs);
    lbuttondown = 0;
    char extra[64];
    std::snprintf(extra, sizeof extra, "%lld nodes a search on average", (long long)(nodes / (frames ? frames : 1)));
    print("mission frame, button held on a far cell", us, screenhash(), extra);
}

// The overhead map over the leader's start: a frame whose view moves (the
// mouse on the left and the right border by turns, so that every frame
// scrolls and draws the view again), and a frame whose view stands still.
// Neither is presented.
void overheadmapframes() {
    u8 keepstate = gamestate;
    gamestate = GS_OVERHEADMAP;
    scx = 115, scy = 117;
    drawmapview();
    overheadopen();
    double us = median(
        [] {
            static int k = 0;
            mousex = k++ % 2 ? 639 : 0;
            mousey = 240;
            overheadstep();
        },
        runs);
    print("overhead map frame, scrolling", us, screenhash());
    mousex = 320, mousey = 240;
    print("overhead map frame, still", median([] { overheadstep(); }, runs), screenhash());
    overheadclose();
    gamestate = keepstate;
}

} // namespace

int main(int argc, char** argv) {
    platoptions o;
    o.headless = true;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc) o.datadir = argv[++i];
        else if (a == "--runs" && i + 1 < argc) runs = std::max(1, (int)std::strtol(argv[++i], nullptr, 10));
        else if (a == "--no-compare") plaincompare = false;
        else {
            std::fprintf(stderr, "usage: vennor_bench [--data DIR] [--runs N] [--no-compare]\n");
            return 2;
        }
    }
    std::string err;
    if (!plat_init(o, &err)) {
        std::fprintf(stderr, "vennor_bench: %s\n", err.c_str());
        return 1;
    }
    if (!opendebuglog() || !initdirectdraw()) return 1;
    initall();
    startmission();
    int camp = firstof(1);
    i32 campx = camp ? npc[camp]->x : 150, campy = camp ? npc[camp]->y : 150;
    std::printf("demo map, %d runs each, medians\n", runs);
    copyus = windowcopy();
    view("map view, lit, at the leader's start", 115, 117, 1);
    view("map view, unlit, at the leader's start", 115, 117, 0);
    view("map view, lit, at the enemy camp", campx, campy, 1);
    view("map view, unlit, at the enemy camp", campx, campy, 0);
    print("light map, whole map", median([] { computelightmap(-1, 0); }, runs), fnv(lightmap, MAPCELLS));
    search("path: leader's start to the camp", 115, 117, campx, campy, 0, 0, 1);
    if (camp) search("path: pursuit of a camp unit, in range", 115, 117, campx, campy, 1, 0, 1);
    if (camp) search("path: a camp unit hunts the leader", campx, campy, 115, 117, 1, 1, camp);
    // Random pairs of free cells.
    resetgamerandom();
    std::vector<std::pair<i32, i32>> cells;
    while (cells.size() < 200) {
        i32 x = 20 + gamerandom() % 215, y = 20 + gamerandom() % 215;
        if (freecell(x, y)) cells.push_back({x, y});
    }
    u64 h = 0;
    i64 nodes = 0;
    double us = median(
        [&] {
            static size_t k = 0;
            auto a = cells[k % cells.size()], b = cells[(k + 1) % cells.size()];
            k++;
            findpath(a.first, a.second, b.first, b.second);
            nodes += pathnodes;
        },
        (int)cells.size() * 2);
    for (size_t k = 0; k + 1 < cells.size(); k++) {
        bool f = findpath(cells[k].first, cells[k].second, cells[k + 1].first, cells[k + 1].second);
        h = fnv(pathbuf, sizeof pathbuf, h ^ (u64)(f ? pathcost : -1));
    }
    char extra[64];
    std::snprintf(extra, sizeof extra, "%lld nodes on average", (long long)(nodes / ((i64)cells.size() * 2)));
    print("path: random pairs of free cells", us, h, extra);
    pathcomparison demo;
    comparedemo(demo, cells, camp, campx, campy);
    printcomparison("path: game against plain, demo map", demo);
    musterhunters(30);
    double frame = median(
        [] {
            simulationstep();
            scx = npc[curnpc]->x, scy = npc[curnpc]->y;
            drawmapview();
        },
        runs);
    print("mission frame: simulation + view", frame, screenhash());
    heldbuttonframes();
    pathcomparison yards;
    compareonrandomyards(yards, 12, 100);
    printcomparison("path: game against plain, random yards", yards);
    overheadmapframes();
    return demo.differ || yards.differ ? 1 : 0;
}
