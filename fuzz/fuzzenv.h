#pragma once
// The world a game-loader fuzz target runs in: the headless platform in a
// private data directory, message boxes swallowed, and the end of the
// program (a loader's refusal) turned into an exception the target catches.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

struct fuzzexit {
    int code;
};

// Once per process; the directory goes when the process ends.
void fuzzstart(int pixelformat = 565);
// Writes bytes as the file the game names by gamepath (folders made as needed).
void fuzzwrite(const char* gamepath, const u8* data, size_t n);
void fuzzwrite(const char* gamepath, const std::vector<u8>& bytes);
// The map's grids and every unit record emptied, for a run that loads a
// world of its own.
void fuzzclearworld();
// Message boxes shown since the last call.
int fuzzboxes();

// Runs f; false when the program would have ended.
template <typename F> bool fuzzrun(F f) {
    try {
        f();
        return true;
    } catch (const fuzzexit&) {
        return false;
    }
}

// A target's own checks of what a parser left, over every cell: libFuzzer
// learns nothing from their coverage, and UBSan's checks of their fixed
// loops over the world's grids find nothing; both would cost much of each
// run. AddressSanitizer still watches them.
#if defined(__clang__)
#define FUZZCHECK __attribute__((no_sanitize("coverage", "undefined")))
#else
#define FUZZCHECK
#endif

// A stretch of a run's input.
struct fuzzpart {
    const u8* data;
    size_t size;
};

// Splits an input into parts: each but the last is a little-endian 16-bit
// length and that many bytes (fewer when the input ends first); the last
// part is whatever remains. The parts point into the input.
std::vector<fuzzpart> fuzzparts(const uint8_t* data, size_t size, int count);

// A file of a fixed size from a fuzzed part. The shape keeps the loader's
// size check in play: 0 pads or cuts the part to exactly `exact` bytes,
// 1 takes the part as it is, 2 makes it one byte too long.
size_t fuzzshapedsize(size_t partsize, size_t exact, u8 shape);
// The part's bytes, then zeros, filling exactly n bytes.
void fuzzfill(u8* file, size_t n, fuzzpart part);
// An allocation of exactly `size` bytes for the file numbered `slot`, so a
// read past the file is caught; kept for the next run, which asks for the
// same few sizes, so that a run maps no fresh memory for its files.
u8* fuzzbuffer(int slot, size_t size);
// fuzzbuffer filled from the part in its shape.
fuzzpart fuzzshaped(int slot, fuzzpart part, size_t exact, u8 shape);

// Tallies what a run came to; the replay prints them and fails when a
// corpus never reaches one of the two (a target that never loads or never
// refuses is not reaching its loader).
void fuzzoutcome(bool loaded);

// Game data is allocated through gamealloc and kept until the process ends.
// The fuzz targets link their own allocator in its place, which takes back
// everything a run allocated once the run is over; setup allocations made
// before the first fuzzrounddone() stay. Large blocks taken back are kept,
// poisoned, for a later allocation of the same size: the tables are the
// same size every run, and fresh memory for them would cost more than the
// parse.
void fuzzrounddone();

// Replays the runs of an RLE picture into an exact width x height raster;
// aborts when any pixel would fall outside it.
void fuzzdrawrle(const u8* data, u32 size, i32 width, i32 height);
// A 24-bit bottom-up BMP of one colour.
std::vector<u8> fuzzsolidbmp(int width, int height, u32 colour);
