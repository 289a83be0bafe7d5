#include "tools/content/wavwrite.h"

#include <cmath>

namespace {

void put_le(std::vector<u8>& out, u32 v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<u8>(v >> (8 * i)));
}

void put_id(std::vector<u8>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<u8>(id[i]));
}

i16 to_pcm16(float s) {
    double v = static_cast<double>(std::lround(static_cast<double>(s) * 32767.0));
    if (v > 32767.0) v = 32767.0;
    if (v < -32767.0) v = -32767.0;  // symmetric, so a clamped wave stays centred
    return static_cast<i16>(v);
}

}  // namespace

std::vector<u8> wav_encode16(const std::vector<float>& samples, int rate, int channels) {
    u32 data_bytes = static_cast<u32>(samples.size() * 2);
    u32 pad = data_bytes & 1;  // never set for 16-bit samples, kept for the chunk rule
    std::vector<u8> out;
    out.reserve(44 + data_bytes + pad);
    put_id(out, "RIFF");
    put_le(out, 4 + 8 + 16 + 8 + data_bytes + pad, 4);
    put_id(out, "WAVE");
    put_id(out, "fmt ");
    put_le(out, 16, 4);
    put_le(out, 1, 2);  // PCM
    put_le(out, static_cast<u32>(channels), 2);
    put_le(out, static_cast<u32>(rate), 4);
    put_le(out, static_cast<u32>(rate * channels * 2), 4);
    put_le(out, static_cast<u32>(channels * 2), 2);
    put_le(out, 16, 2);
    put_id(out, "data");
    put_le(out, data_bytes, 4);
    for (float s : samples) put_le(out, static_cast<u16>(to_pcm16(s)), 2);
    if (pad) out.push_back(0);
    return out;
}
