#pragma once
// The sound generator's building blocks: a seeded noise source, filters and
// oscillators. Everything runs at one rate and in double precision, so a
// recipe gives the same samples on every run.
#include "platform/types.h"

constexpr int kSoundRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// splitmix64: cheap, well mixed, and seeded per recipe so that changing one
// effect never shifts the noise of another.
struct Noise {
    u64 state;
    explicit Noise(u64 seed) : state(seed) {}
    double uniform();  // 0..1
    double white();    // -1..1
};

// Robert Bristow-Johnson's cookbook biquads. A sweep calls set_* per sample
// block; the state survives, so the sweep stays smooth.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void set_lowpass(double hz, double q);
    void set_highpass(double hz, double q);
    void set_bandpass(double hz, double q);  // 0 dB at the centre
    double run(double x);
};

struct OnePole {
    double a = 1, y = 0;
    void set_lowpass(double hz);
    double run(double x) { return y += a * (x - y); }
};

// A sawtooth with its step smoothed by a polynomial band-limited step, so
// high notes do not fold back as inharmonic whine. phase is 0..1 and dt
// the phase step per sample.
double saw_blep(double phase, double dt);

// 0 before t = 0, a raised-cosine rise over attack, then exponential decay
// with time constant tau (seconds; about 6.9 tau to fall 60 dB).
double env_strike(double t, double attack, double tau);
// 0..1..0 over [0, len]: sin^2, the shape of a swung blade's loudness.
double env_swell(double t, double len);
double db_to_gain(double db);
