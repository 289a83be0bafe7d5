#pragma once
// WAV files as the game's sound module reads them: RIFF, a 16-byte "fmt "
// chunk (PCM, 16-bit) and the "data" chunk, nothing else.
#include <vector>

#include "platform/types.h"

// samples run -1..1 and are interleaved when channels > 1; values beyond
// full scale are clamped rather than wrapped.
std::vector<u8> wav_encode16(const std::vector<float>& samples, int rate, int channels);
