#pragma once
// Everything a saved game holds, as one table of pieces (savestate.cpp):
// each piece is a section of the file with a fixed size. Adding a piece of
// state is one row there (and SAVEVERSION one up, as old files no longer
// match).
#include <string>
#include <vector>

#include "platform/types.h"

struct savepiece {
    const char* name; // the section's name in the file, up to 8 characters
    u32 size;
    // Plain memory, saved and restored byte for byte; or null, and then
    // write and commit below move the piece.
    void* (*where)();
    // Why these bytes cannot be taken (null when they can); null for a
    // piece any bytes of which are fine.
    const char* (*check)(const u8* bytes);
    void (*write)(u8* bytes);
    void (*commit)(const u8* bytes);
};

extern const savepiece savepieces[];
extern const int numsavepieces;

// The whole file for the game as it stands.
void buildsave(std::vector<u8>* out);
// Checks a whole file, then makes it the game; null on success, else the
// reason, and the game is as it was.
const char* loadsavebytes(const u8* bytes, size_t size);
// Only the checks: null when loadsavebytes would take the file.
const char* checksavebytes(const u8* bytes, size_t size);
