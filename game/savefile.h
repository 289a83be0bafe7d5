#pragma once
// The saved game's file: a magic word, the format's version, the payload's
// length and its CRC-32, then the payload, a run of named sections (an
// 8-byte name, a 32-bit length, the bytes). All numbers little-endian.
// Writing and reading here work on byte buffers only.
#include <string>
#include <vector>

#include "platform/types.h"

constexpr char SAVEMAGIC[8] = {'V', 'N', 'R', 'S', 'A', 'V', 'E', 0x1A};
constexpr u32 SAVEVERSION = 2;
constexpr u32 SAVEHEADERBYTES = 20;
constexpr u32 SAVENAMEBYTES = 8;
// No save of this game comes near it; a larger file is refused unread.
constexpr u32 SAVEMAXBYTES = 4u << 20;

struct savesectionview {
    char name[SAVENAMEBYTES + 1];
    const u8* bytes;
    u32 size;
    u32 offset; // of its bytes in the file
};

u32 savecrc32(const u8* bytes, size_t n);

// Starts a file: the header, its length and checksum left for savefinish.
void savebegin(std::vector<u8>* out);
// Appends one section; a name is at most 8 characters.
void saveaddsection(std::vector<u8>* out, const char* name, const u8* bytes, u32 size);
// Fills in the payload's length and checksum.
void savefinish(std::vector<u8>* out);

// The sections of a file in their order, or null and the reason for a file
// that is not a whole save of this version.
const char* savesplit(const u8* bytes, size_t size, std::vector<savesectionview>* out);
