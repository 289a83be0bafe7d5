#include "fuzz/fuzzenv.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "platform/files.h"
#include "platform/platform.h"
#include "world/grids.h"
#include "world/mapfile.h"
#include "world/npc.h"

namespace fs = std::filesystem;

static std::string datadir;
static int boxcount = 0;

static void countbox(const char*, const char*) { boxcount++; }
static void throwexit(int code) { throw fuzzexit{code}; }

static void removedatadir() {
    std::error_code ec;
    if (!datadir.empty()) fs::remove_all(datadir, ec);
}

void fuzzstart(int pixelformat) {
    if (!datadir.empty()) return;
    // Every run rewrites files: memory-backed when the machine has it.
    std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
    std::string tmpl = base + "/vennor-fuzz-XXXXXX";
    if (!mkdtemp(tmpl.data())) std::abort();
    datadir = tmpl;
    std::atexit(removedatadir);
    for (const char* d : {"text", "resources", "bitmaps", "data", "units", "items", "terrain", "wave", "fonts", "maps"})
        fs::create_directories(fs::path(datadir) / d);
    platoptions o;
    o.headless = true;
    o.datadir = datadir;
    o.pixelformat = pixelformat;
    std::string err;
    if (!plat_init(o, &err)) {
        std::fprintf(stderr, "fuzz: %s\n", err.c_str());
        std::abort();
    }
    plat_messageboxhook = countbox;
    plat_exithook = throwexit;
}

void fuzzwrite(const char* gamepath, const u8* data, size_t n) {
    fs::path host = plat_hostpath(gamepath);
    if (host.has_parent_path()) fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write((const char*)data, (std::streamsize)n);
    if (!out) std::abort();
}

void fuzzwrite(const char* gamepath, const std::vector<u8>& bytes) { fuzzwrite(gamepath, bytes.data(), bytes.size()); }

void fuzzclearworld() {
    std::memset(landmap, 0, MAPGRIDBYTES);
    std::memset(itemmap, 0, MAPGRIDBYTES);
    std::memset(npcmap, 0, MAPGRIDBYTES);
    for (npcrec* n : npc) std::memset(n, 0, sizeof *n);
}

int fuzzboxes() {
    int n = boxcount;
    boxcount = 0;
    return n;
}

std::vector<fuzzpart> fuzzparts(const uint8_t* data, size_t size, int count) {
    std::vector<fuzzpart> parts;
    size_t at = 0;
    for (int i = 0; i + 1 < count; i++) {
        size_t n = 0;
        if (size - at >= 2) {
            n = (size_t)(data[at] | data[at + 1] << 8);
            at += 2;
        } else {
            at = size;
        }
        if (n > size - at) n = size - at;
        parts.push_back({data + at, n});
        at += n;
    }
    parts.push_back({data + at, size - at});
    return parts;
}

size_t fuzzshapedsize(size_t partsize, size_t exact, u8 shape) {
    if (shape % 3 == 1) return partsize;
    return shape % 3 == 2 ? exact + 1 : exact;
}

void fuzzfill(u8* file, size_t n, fuzzpart part) {
    size_t take = part.size < n ? part.size : n;
    if (take) std::memcpy(file, part.data, take);
    std::memset(file + take, 0, n - take);
}

// Per slot the last few sizes asked for, the oldest given up first.
static const int FUZZSIZESKEPT = 3;
struct keptbuffer {
    u8* bytes = nullptr;
    size_t size = 0;
    unsigned lastused = 0;
};
static std::vector<std::array<keptbuffer, FUZZSIZESKEPT>> keptbuffers;
static unsigned bufferclock = 0;

u8* fuzzbuffer(int slot, size_t size) {
    if ((size_t)slot >= keptbuffers.size()) keptbuffers.resize((size_t)slot + 1);
    std::array<keptbuffer, FUZZSIZESKEPT>& kept = keptbuffers[(size_t)slot];
    keptbuffer* pick = &kept[0];
    for (keptbuffer& k : kept) {
        if (k.bytes && k.size == size) {
            pick = &k;
            break;
        }
        if (k.lastused < pick->lastused) pick = &k;
    }
    if (!pick->bytes || pick->size != size) {
        std::free(pick->bytes);
        pick->bytes = (u8*)std::malloc(size ? size : 1);
        if (!pick->bytes) std::abort();
        pick->size = size;
    }
    pick->lastused = ++bufferclock;
    return pick->bytes;
}

fuzzpart fuzzshaped(int slot, fuzzpart part, size_t exact, u8 shape) {
    size_t n = fuzzshapedsize(part.size, exact, shape);
    u8* file = fuzzbuffer(slot, n);
    fuzzfill(file, n, part);
    return {file, n};
}

static unsigned loadedruns = 0, refusedruns = 0;
static int lastoutcome = -1;

void fuzzoutcome(bool loaded) {
    (loaded ? loadedruns : refusedruns)++;
    lastoutcome = loaded;
}

extern "C" int fuzzlast() {
    int o = lastoutcome;
    lastoutcome = -1;
    return o;
}

// Called by the replay (weakly linked there) when the corpus is done.
extern "C" int fuzzreport() {
    std::printf("%u loaded, %u refused\n", loadedruns, refusedruns);
    return loadedruns > 0 && refusedruns > 0;
}

// ---- the allocator that stands in for app/memory.cpp ---------------------------
#include <sanitizer/asan_interface.h>

#include <unordered_set>

#include "app/exitgame.h"
#include "app/memory.h"

u32 memoryused = 0;
static std::unordered_set<void*> runallocs;
static bool insetup = true;

// Blocks this large come from fresh pages each time under the sanitizer's
// allocator; smaller ones are recycled well enough by it.
static const size_t KEPTBLOCKMIN = 32 * 1024;
static const size_t KEPTBLOCKSMAX = 64;
struct keptblock {
    void* p;
    size_t bytes;
};
static std::vector<keptblock> keptblocks;
static std::unordered_map<void*, size_t> blocksizes;

static void* fromkept(size_t bytes) {
    for (size_t i = keptblocks.size(); i-- > 0;)
        if (keptblocks[i].bytes == bytes) {
            void* p = keptblocks[i].p;
            keptblocks.erase(keptblocks.begin() + (long)i);
            ASAN_UNPOISON_MEMORY_REGION(p, bytes);
            return p;
        }
    return nullptr;
}

static void giveback(void* p) {
    auto size = blocksizes.find(p);
    if (size == blocksizes.end()) {
        std::free(p);
        return;
    }
    size_t bytes = size->second;
    blocksizes.erase(size);
    if (keptblocks.size() == KEPTBLOCKSMAX) {
        ASAN_UNPOISON_MEMORY_REGION(keptblocks.front().p, keptblocks.front().bytes);
        std::free(keptblocks.front().p);
        keptblocks.erase(keptblocks.begin());
    }
    // A use after the game freed it still faults, as with free.
    ASAN_POISON_MEMORY_REGION(p, bytes);
    keptblocks.push_back({p, bytes});
}

static void* track(void* p, size_t bytes, const char* name) {
    if (!p) exitgame(1, name);
    memoryused += (u32)bytes;
    if (!insetup) runallocs.insert(p);
    return p;
}

static void* runalloc(size_t bytes, bool zeroed) {
    size_t n = bytes ? bytes : 1;
    if (insetup || n < KEPTBLOCKMIN) return zeroed ? std::calloc(n, 1) : std::malloc(n);
    void* p = fromkept(n);
    if (!p) p = std::malloc(n);
    if (p && zeroed) std::memset(p, 0, n);
    if (p) blocksizes[p] = n;
    return p;
}

void* gamealloc(size_t bytes, const char* name) { return track(runalloc(bytes, false), bytes, name); }
void* gamecalloc(size_t bytes, const char* name) { return track(runalloc(bytes, true), bytes, name); }

void gamefree(void* p, size_t bytes) {
    if (!p) return;
    runallocs.erase(p);
    giveback(p);
    memoryused -= (u32)bytes;
}

void fuzzrounddone() {
    insetup = false;
    for (void* p : runallocs) giveback(p);
    runallocs.clear();
}

#include "world/rle.h"

void fuzzdrawrle(const u8* data, u32 size, i32 width, i32 height) {
    if (width <= 0 || height <= 0) return;
    std::vector<u16> raster((size_t)width * (size_t)height);
    u64 pos = 0;
    u32 at = 0;
    while (at + 3 <= size) {
        pos += (u32)(data[at] | data[at + 1] << 8);
        u32 count = data[at + 2];
        at += 3;
        for (u32 i = 0; i < count; i++, pos++, at += 2) {
            u64 row = pos / RLEPITCH, col = pos % RLEPITCH;
            if (at + 2 > size || row >= (u64)height || col >= (u64)width) std::abort();
            raster.at((size_t)(row * (u64)width + col)) = (u16)(data[at] | data[at + 1] << 8);
        }
    }
}

std::vector<u8> fuzzsolidbmp(int width, int height, u32 colour) {
    int stride = (width * 3 + 3) & ~3;
    std::vector<u8> f(54 + (size_t)stride * height, 0);
    auto put32 = [&](size_t at, u32 v) {
        for (int i = 0; i < 4; i++) f[at + i] = (u8)(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, (u32)f.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (u32)width);
    put32(22, (u32)height);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            size_t at = 54 + (size_t)y * stride + (size_t)x * 3;
            f[at] = (u8)colour;
            f[at + 1] = (u8)(colour >> 8);
            f[at + 2] = (u8)(colour >> 16);
        }
    return f;
}
