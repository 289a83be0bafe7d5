#pragma once
// A mono sound being built, and what is done to every one before it is
// written: edge fades, DC removal, level setting, and the measures the
// level is set by.
#include <vector>

#include "tools/content/sound_dsp.h"

using Wave = std::vector<double>;  // mono, kSoundRate samples a second

int to_samples(double seconds);
inline double time_of(int sample) { return static_cast<double>(sample) / kSoundRate; }
Wave wave_of(double seconds);
// Adds src at gain from start on; what would run past dst's end is dropped.
void mix_into(Wave& dst, const Wave& src, double start, double gain);

// Raised-cosine fades, so neither end steps from or to silence.
void fade_edges(Wave& w, double in_seconds, double out_seconds);
// Low thuds and filtered noise leave an offset that would click when the
// mixer starts or stops the sound.
void block_dc(Wave& w);
void prepend_silence(Wave& w, double seconds);

double wave_peak(const Wave& w);
// The loudest 50 ms of RMS after a gentle high-pass: a transient's peak
// says little about how loud it sounds, a short window's energy says more,
// and the ear makes less of deep rumble than the energy does.
double wave_loudness(const Wave& w);
void wave_scale(Wave& w, double gain);
