#include "game/savefile.h"

#include <zlib.h>

#include <cstring>

#include "world/lebytes.h"

// zlib's CRC-32 is the standard one and several times quicker than a
// byte-at-a-time table; a save is close to a megabyte.
u32 savecrc32(const u8* bytes, size_t n) { return (u32)crc32_z(0, bytes, n); }

static void put32(std::vector<u8>* out, u32 v) {
    for (int i = 0; i < 4; i++) out->push_back((u8)(v >> (8 * i)));
}

void savebegin(std::vector<u8>* out) {
    out->assign(SAVEHEADERBYTES, 0);
    std::memcpy(out->data(), SAVEMAGIC, sizeof SAVEMAGIC);
    putu32(out->data() + 8, SAVEVERSION);
}

void saveaddsection(std::vector<u8>* out, const char* name, const u8* bytes, u32 size) {
    char tag[SAVENAMEBYTES] = {};
    std::memcpy(tag, name, strnlen(name, SAVENAMEBYTES));
    out->insert(out->end(), tag, tag + SAVENAMEBYTES);
    put32(out, size);
    out->insert(out->end(), bytes, bytes + size);
}

void savefinish(std::vector<u8>* out) {
    u32 payload = (u32)(out->size() - SAVEHEADERBYTES);
    putu32(&(*out)[12], payload);
    putu32(&(*out)[16], savecrc32(out->data() + SAVEHEADERBYTES, payload));
}

const char* savesplit(const u8* bytes, size_t size, std::vector<savesectionview>* out) {
    out->clear();
    if (size < SAVEHEADERBYTES || std::memcmp(bytes, SAVEMAGIC, sizeof SAVEMAGIC) != 0) return "not a saved game";
    if (getu32(bytes + 8) != SAVEVERSION) return "saved by another version of the game";
    u32 payload = getu32(bytes + 12);
    if (payload != size - SAVEHEADERBYTES) return payload > size - SAVEHEADERBYTES ? "cut short" : "longer than it says";
    if (savecrc32(bytes + SAVEHEADERBYTES, payload) != getu32(bytes + 16)) return "damaged (its checksum does not match)";
    size_t at = SAVEHEADERBYTES;
    while (at < size) {
        if (size - at < SAVENAMEBYTES + 4) return "damaged (a section is cut short)";
        savesectionview v = {};
        std::memcpy(v.name, bytes + at, SAVENAMEBYTES);
        v.size = getu32(bytes + at + SAVENAMEBYTES);
        at += SAVENAMEBYTES + 4;
        if (v.size > size - at) return "damaged (a section is cut short)";
        v.bytes = bytes + at;
        v.offset = (u32)at;
        at += v.size;
        out->push_back(v);
    }
    return nullptr;
}
