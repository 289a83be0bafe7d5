#include "world/unittype.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "world/lebytes.h"
#include "world/rle.h"

unittyperec* unittype[NUMUNITTYPES];
u32* unitpicdir = nullptr;
u8* unitpicraw[NUMUNITTYPES];
u32 unitpicrawsize[NUMUNITTYPES];
u8* unitframe[NUMUNITTYPES][UNITFRAMES];
u8 unitpicloaded[NUMUNITTYPES];

static u32* directory(int set) { return unitpicdir + set * 768; }

const u8* findunitframe(int set, int action, int facing, int frame, u32* size) {
    if (set < 0 || set >= NUMUNITTYPES || !unitpicloaded[set] || action < 0 || action > 2 || facing < 1 ||
        facing > 8 || frame < 0 || frame > 15)
        return nullptr;
    int i = unitframeindex(action, facing - 1, frame);
    *size = directory(set)[UNITFRAMES + i];
    return unitframe[set][i];
}

static void readdirectory(int n) {
    char name[64];
    std::snprintf(name, sizeof name, "units\\newunitpic%d.dat", n);
    std::vector<u8> bytes;
    if (!plat_readfile(name, &bytes, UNITDIRSIZE) || bytes.size() < UNITDIRSIZE) exitgame(3, name);
    for (int i = 0; i < 768; i++) directory(n)[i] = getu32(&bytes[i * 4]);
    debuglog("unitpicno ...%d\n", n);
}

// Every run must lie inside the frame's data, and the data inside the raw
// file. Where the runs land is not checked: drawing clips every run to the
// surface, and the unit editor's nudges move a frame's first skip, which
// must never make the next start fatal.
static bool framefits(int n, int i) {
    u32 offset = directory(n)[i], size = directory(n)[UNITFRAMES + i];
    if (size == 0) return true;
    if (size > UNITFRAMEMAX || offset > unitpicrawsize[n] || size > unitpicrawsize[n] - offset) return false;
    return rleinsidedata(unitpicraw[n] + offset, size);
}

// Frames are converted to 5-6-5 where they lie, so two entries sharing
// bytes would have those bytes converted twice. Run after framefits, which
// keeps offset + size inside the file.
static bool framesapart(int n) {
    std::vector<std::pair<u32, u32>> spans;
    for (int i = 0; i < UNITFRAMES; i++) {
        u32 offset = directory(n)[i], size = directory(n)[UNITFRAMES + i];
        if (size == 0) continue;
        spans.push_back({offset, offset + size});
    }
    std::sort(spans.begin(), spans.end());
    for (size_t k = 1; k < spans.size(); k++)
        if (spans[k].first < spans[k - 1].second) return false;
    return true;
}

static void pointframes(int n, const char* rawname) {
    for (u8*& p : unitframe[n]) p = nullptr;
    unitframe[n][0] = unitpicraw[n];
    for (int a = 0; a < 3; a++)
        for (int f = 0; f < 8; f++)
            for (int k = 0; k < 16; k++) {
                debuglog("action %d, facing %d, frame %d\n", a, f, k);
                int i = unitframeindex(a, f, k);
                // A frame is there when it has bytes; offset 0 is a place
                // like any other (frame 0 empty puts frame 1 there).
                if (i != 0 && directory(n)[UNITFRAMES + i] == 0) continue;
                if (!framefits(n, i)) exitgame(3, rawname);
                unitframe[n][i] = unitpicraw[n] + directory(n)[i];
            }
    if (!framesapart(n)) exitgame(3, rawname);
    if (pixelformat != 2) return;
    for (int i = 0; i < UNITFRAMES; i++)
        if (unitframe[n][i] && directory(n)[UNITFRAMES + i]) rleto565(unitframe[n][i], directory(n)[UNITFRAMES + i]);
}

static void loadpictureset(int n) {
    readdirectory(n);
    char name[64];
    std::snprintf(name, sizeof name, "units\\newunitpic%d.raw", n);
    platfile* f = plat_fopenread(name);
    if (!f) exitgame(3, name);
    i64 size = plat_fsize(f);
    if (size < 0 || size > UNITRAWMAX) exitgame(3, name);
    if (size == 0) {
        plat_fclose(f);
        return;
    }
    unitpicraw[n] = (u8*)gamealloc((size_t)size, name);
    unitpicrawsize[n] = (u32)size;
    debuglog("reading raw pic data\n");
    if (!plat_fread(f, unitpicraw[n], (size_t)size)) exitgame(3, name);
    debuglog("read complete\n");
    plat_fclose(f);
    pointframes(n, name);
    unitpicloaded[n] = 1;
}

static void loadunittypes() {
    unittyperec* block = (unittyperec*)gamecalloc(sizeof(unittyperec) * NUMUNITTYPES, "initunit 0");
    for (int n = 0; n < NUMUNITTYPES; n++) {
        unittype[n] = block + n;
        char name[64];
        std::snprintf(name, sizeof name, "units\\unit%d.dat", n);
        std::vector<u8> bytes;
        if (!plat_readfile(name, &bytes, UNITTYPESIZE) || bytes.size() < UNITTYPESIZE) exitgame(3, name);
        unittypefromfile(bytes.data(), unittype[n]);
        // The picture set number picks a table entry.
        if (unittype[n]->picno >= NUMUNITTYPES) exitgame(3, name);
        unittype[n]->name[31] = 0;
    }
}

void initunit() {
    static_assert(sizeof(unittyperec) == UNITTYPESIZE, "the unit type keeps its file size in memory");
    for (u8& l : unitpicloaded) l = 0;
    unitpicdir = (u32*)gamecalloc(NUMUNITTYPES * UNITDIRSIZE, "initunitpic 0");
    for (int n = 0; n < NUMUNITTYPES; n++) loadpictureset(n);
    loadunittypes();
}
