#pragma once
// Little-endian fields in file records, read and written byte by byte so
// that the files are the same whatever the compiler does with structs.
#include <bit>
#include <cstring>

#include "platform/types.h"

inline u16 getu16(const u8* p) { return (u16)(p[0] | p[1] << 8); }
inline u32 getu32(const u8* p) { return (u32)p[0] | (u32)p[1] << 8 | (u32)p[2] << 16 | (u32)p[3] << 24; }
inline i16 geti16(const u8* p) { return (i16)getu16(p); }
inline void putu16(u8* p, u16 v) {
    p[0] = (u8)v;
    p[1] = (u8)(v >> 8);
}
inline void putu32(u8* p, u32 v) {
    for (int i = 0; i < 4; i++) p[i] = (u8)(v >> (8 * i));
}

// One field of a record: where it sits in the file and in memory, and how
// wide it is (1, 2 and 4 are numbers; anything else is raw bytes).
struct recfield {
    u16 fileoffset;
    u16 width;
    size_t memoffset;
};

// Whether the fields follow each other without gaps to the record's end,
// so that no byte of the file is lost on a round trip.
template <size_t N> constexpr bool coversfile(const recfield (&fields)[N], size_t filesize) {
    size_t at = 0;
    for (const recfield& f : fields) {
        if (f.fileoffset != at) return false;
        at += f.width;
    }
    return at == filesize;
}

// Whether a record's struct holds every field where its file does, and
// nothing more: on a little-endian machine its file bytes are then the
// struct as it stands, and a whole table of records reads with one copy.
template <size_t N> constexpr bool laidoutasfile(const recfield (&fields)[N], size_t structsize) {
    if (std::endian::native != std::endian::little) return false;
    size_t end = 0;
    for (const recfield& f : fields) {
        if (f.memoffset != f.fileoffset) return false;
        end = f.fileoffset + f.width;
    }
    return end == structsize;
}

// Copies every field of a record between its file bytes and its struct.
template <size_t N> void readfields(const recfield (&fields)[N], const u8* file, void* rec) {
    for (const recfield& f : fields) {
        u8* m = (u8*)rec + f.memoffset;
        const u8* s = file + f.fileoffset;
        if (f.width == 1) {
            *m = *s;
        } else if (f.width == 2) {
            u16 v = getu16(s);
            std::memcpy(m, &v, 2);
        } else if (f.width == 4) {
            u32 v = getu32(s);
            std::memcpy(m, &v, 4);
        } else {
            std::memcpy(m, s, f.width);
        }
    }
}

// A record from its file bytes: one copy when the struct is laid out as the
// file is, field by field otherwise; decided when it is compiled.
template <const auto& fields, typename R> void readrecord(const u8* file, R* rec) {
    if constexpr (laidoutasfile(fields, sizeof(R))) std::memcpy(rec, file, sizeof(R));
    else readfields(fields, file, rec);
}

template <size_t N> void writefields(const recfield (&fields)[N], const void* rec, u8* file) {
    for (const recfield& f : fields) {
        const u8* m = (const u8*)rec + f.memoffset;
        u8* d = file + f.fileoffset;
        if (f.width == 1) {
            *d = *m;
        } else if (f.width == 2) {
            u16 v;
            std::memcpy(&v, m, 2);
            putu16(d, v);
        } else if (f.width == 4) {
            u32 v;
            std::memcpy(&v, m, 4);
            putu32(d, v);
        } else {
            std::memcpy(d, m, f.width);
        }
    }
}
