#pragma once
// Sound sources the effects are mixed from. Each adds into a Wave at a
// start time and stops where the wave ends.
#include <functional>

#include "tools/content/sound_wave.h"

// A sine partial struck at start: bells are sums of these with
// inharmonic ratios, impacts use a few short ones for their body modes.
struct Tone {
    double start = 0.0, hz = 440.0, amp = 1.0;
    double attack = 0.002, tau = 0.1;  // see env_strike
    double end_hz = 0.0;               // non-zero: the pitch glides towards it
    double glide_tau = 0.05;
};
void add_tone(Wave& w, const Tone& t);
// The tone and a quieter twin detuned by beat_hz: the slow beating of two
// nearly equal modes is what makes metal shimmer instead of whistle.
void add_tone_pair(Wave& w, const Tone& t, double beat_hz, double twin_amp);

enum class Band { low, high, pass };

// Filtered noise under a strike envelope: the hiss of a hit, the thump of
// a footfall.
struct Burst {
    double start = 0.0, amp = 1.0, attack = 0.001, tau = 0.01;
    Band band = Band::pass;
    double hz = 1000.0, q = 0.707;
};
void add_burst(Wave& w, Noise& n, const Burst& b);

// Noise through a band-pass whose centre and loudness follow curves of the
// time since start: swishes, whooshes, wind.
struct Sweep {
    double start = 0.0, len = 0.3, q = 1.5;
    std::function<double(double)> hz, gain;
};
void add_sweep(Wave& w, Noise& n, const Sweep& s);

// A 12 dB-per-octave low-pass over the whole wave, to take the fizz off
// noise whose bands are wide.
void wave_lowpass(Wave& w, double hz);

// A Karplus-Strong string: a burst of noise circulating in a delay line
// one period long, losing loss of its level per pass and some highs.
void add_pluck(Wave& w, Noise& n, double start, double hz, double amp, double loss);

// A small stone room: four damped feedback combs and two all-passes added
// at wet under the dry sound. feedback sets the length of the tail.
void add_room(Wave& w, double feedback, double damp, double wet);
