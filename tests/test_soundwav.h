#pragma once
// WAV and RIFF bytes made in memory for the sound tests, honest or broken
// to order.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/types.h"

typedef std::vector<u8> bytes;

inline void put16(bytes& b, u32 v) {
    b.push_back((u8)v);
    b.push_back((u8)(v >> 8));
}
inline void put32(bytes& b, u32 v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void putid(bytes& b, const char* id) {
    for (int i = 0; i < 4; i++) b.push_back((u8)id[i]);
}
inline void putbytes(bytes& b, const bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// A chunk with its body, padded to even; declared overrides the size field.
inline bytes chunk(const char* id, const bytes& body, long declared = -1) {
    bytes b;
    putid(b, id);
    put32(b, declared < 0 ? (u32)body.size() : (u32)declared);
    putbytes(b, body);
    if (body.size() & 1) b.push_back(0);
    return b;
}

// A RIFF form around the chunks, its size field true unless declared.
inline bytes riffform(const char* form, const bytes& chunks, long declared = -1) {
    bytes body;
    putid(body, form);
    putbytes(body, chunks);
    return chunk("RIFF", body, declared);
}

inline bytes fmtbody(u32 tag, u32 channels, u32 rate, u32 bits) {
    bytes b;
    u32 align = channels * bits / 8;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    return b;
}

inline bytes pcmwav(u32 channels, u32 rate, u32 bits, const bytes& samples) {
    bytes chunks = chunk("fmt ", fmtbody(1, channels, rate, bits));
    putbytes(chunks, chunk("data", samples));
    return riffform("WAVE", chunks);
}

// n bytes that differ from their neighbours, so that a shifted copy shows.
inline bytes pattern(size_t n, u32 seed = 1) {
    bytes b(n);
    for (size_t i = 0; i < n; i++) b[i] = (u8)(i * 7 + seed * 13 + (i >> 8));
    return b;
}

inline bool writewav(const char* gamepath, const bytes& b) {
    static const u8 nothing = 0; // an empty vector's data() may be null
    return plat_writefile(gamepath, b.empty() ? &nothing : b.data(), b.size());
}

// A short, audible effect for each slot, the formats varied between slots
// (rate, channels, depth); about 50 ms each.
inline bytes effectwav(int slot) {
    static const u32 rates[] = {8000, 11025, 22050, 44100, 48000, 16000};
    u32 rate = rates[slot % 6], channels = 1 + slot % 2, bits = slot % 3 ? 16 : 8;
    u32 frames = rate / 20;
    bytes samples;
    for (u32 i = 0; i < frames * channels; i++) {
        u32 v = (i / channels / (4 + slot)) % 2 ? 0x3000 : 0xD000; // a square wave, pitch by slot
        if (bits == 8) samples.push_back((u8)(0x80 + (i16)v / 256));
        else put16(samples, v);
    }
    return pcmwav(channels, rate, bits, samples);
}
