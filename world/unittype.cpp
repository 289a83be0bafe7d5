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

// Every run must lie inside the frame's data, and the data inside the raw
// file. Where the runs land is not checked: drawing clips every run to the
// surface, and the unit editor's nudges move a frame's first skip, which
// must never make the next start fatal.
static bool framefits(const u32* dir, int i, const u8* raw, size_t rawsize) {
    u32 offset = dir[i], size = dir[UNITFRAMES + i];
    if (size == 0) return true;
    if (size > UNITFRAMEMAX || offset > rawsize || size > rawsize - offset) return false;
    return rleinsidedata(raw + offset, size);
}

// Frames are converted to 5-6-5 where they lie, so two entries sharing
// bytes would have those bytes converted twice. Run after framefits, which
// keeps offset + size inside the file.
static bool framesapart(const u32* dir) {
    std::vector<std::pair<u32, u32>> spans;
    for (int i = 0; i < UNITFRAMES; i++) {
        u32 offset = dir[i], size = dir[UNITFRAMES + i];
        if (size == 0) continue;
        spans.push_back({offset, offset + size});
    }
    std::sort(spans.begin(), spans.end());
    for (size_t k = 1; k < spans.size(); k++)
        if (spans[k].first < spans[k - 1].second) return false;
    return true;
}

// A frame is there when it has bytes; offset 0 is a place like any other
// (frame 0 empty puts frame 1 there).
static bool framepresent(const u32* dir, int i) { return i == 0 || dir[UNITFRAMES + i] != 0; }

static const char* checkframes(const u32* dir, const u8* raw, size_t rawsize) {
    for (int i = 0; i < UNITFRAMES; i++)
        if (framepresent(dir, i) && !framefits(dir, i, raw, rawsize)) return "a frame lies outside the raw file or is not whole runs";
    if (!framesapart(dir)) return "two frames share bytes";
    return nullptr;
}

static void pointframes(int n) {
    for (u8*& p : unitframe[n]) p = nullptr;
    for (int a = 0; a < 3; a++)
        for (int f = 0; f < 8; f++)
            for (int k = 0; k < 16; k++) {
                debuglog("action %d, facing %d, frame %d\n", a, f, k);
                int i = unitframeindex(a, f, k);
                if (framepresent(directory(n), i)) unitframe[n][i] = unitpicraw[n] + directory(n)[i];
            }
    if (pixelformat != 2) return;
    for (int i = 0; i < UNITFRAMES; i++)
        if (unitframe[n][i] && directory(n)[UNITFRAMES + i]) rleto565(unitframe[n][i], directory(n)[UNITFRAMES + i]);
}

static void allocatetables() {
    if (!unitpicdir) unitpicdir = (u32*)gamecalloc(NUMUNITTYPES * UNITDIRSIZE, "initunitpic 0");
    if (!unittype[0]) {
        unittyperec* block = (unittyperec*)gamecalloc(sizeof(unittyperec) * NUMUNITTYPES, "initunit 0");
        for (int n = 0; n < NUMUNITTYPES; n++) unittype[n] = block + n;
    }
}

const char* parseunitpictures(int set, const u8* dir, size_t dirsize, const u8* raw, size_t rawsize) {
    if (set < 0 || set >= NUMUNITTYPES) return "no such picture set";
    if (dirsize != UNITDIRSIZE) return "the directory is not one offset and one size for every frame";
    if (rawsize > UNITRAWMAX) return "the raw file is larger than every frame at its largest";
    u32 entries[768];
    for (int i = 0; i < 768; i++) entries[i] = getu32(&dir[i * 4]);
    // An empty raw file is a set with no pictures: it stays unloaded.
    if (rawsize > 0)
        if (const char* why = checkframes(entries, raw, rawsize)) return why;
    allocatetables();
    std::copy(entries, entries + 768, directory(set));
    debuglog("unitpicno ...%d\n", set);
    if (unitpicloaded[set] && unitpicraw[set]) gamefree(unitpicraw[set], unitpicrawsize[set]);
    unitpicloaded[set] = 0;
    unitpicraw[set] = nullptr;
    unitpicrawsize[set] = 0;
    if (rawsize == 0) return nullptr;
    unitpicraw[set] = (u8*)gamealloc(rawsize, "unitpicraw");
    unitpicrawsize[set] = (u32)rawsize;
    std::copy(raw, raw + rawsize, unitpicraw[set]);
    pointframes(set);
    unitpicloaded[set] = 1;
    return nullptr;
}

const char* parseunittype(int n, const u8* bytes, size_t size) {
    if (n < 0 || n >= NUMUNITTYPES) return "no such unit type";
    if (size != UNITTYPESIZE) return "the record is not a unit type's size";
    unittyperec t;
    unittypefromfile(bytes, &t);
    // The picture set number picks a table entry.
    if (t.picno >= NUMUNITTYPES) return "the unit's picture set is past the last";
    t.name[31] = 0;
    allocatetables();
    *unittype[n] = t;
    return nullptr;
}

static void loadpictureset(int n) {
    char dirname[64], rawname[64];
    std::snprintf(dirname, sizeof dirname, "units\\newunitpic%d.dat", n);
    std::snprintf(rawname, sizeof rawname, "units\\newunitpic%d.raw", n);
    std::vector<u8> dir, raw;
    if (!plat_readfile(dirname, &dir, UNITDIRSIZE) || dir.size() != UNITDIRSIZE) exitgame(3, dirname);
    if (!plat_readfile(rawname, &raw, UNITRAWMAX)) exitgame(3, rawname);
    if (const char* why = parseunitpictures(n, dir.data(), dir.size(), raw.data(), raw.size())) {
        debuglog("Unit pictures refused: %s\n", why);
        exitgame(3, rawname);
    }
}

static void loadunittype(int n) {
    char name[64];
    std::snprintf(name, sizeof name, "units\\unit%d.dat", n);
    std::vector<u8> bytes;
    if (!plat_readfile(name, &bytes, UNITTYPESIZE)) exitgame(3, name);
    if (const char* why = parseunittype(n, bytes.data(), bytes.size())) {
        debuglog("Unit type refused: %s\n", why);
        exitgame(3, name);
    }
}

void initunit() {
    static_assert(sizeof(unittyperec) == UNITTYPESIZE, "the unit type keeps its file size in memory");
    for (int n = 0; n < NUMUNITTYPES; n++) {
        unitpicloaded[n] = 0;
        unitpicraw[n] = nullptr;
        unittype[n] = nullptr;
    }
    unitpicdir = nullptr;
    allocatetables();
    for (int n = 0; n < NUMUNITTYPES; n++) loadpictureset(n);
    for (int n = 0; n < NUMUNITTYPES; n++) loadunittype(n);
}
