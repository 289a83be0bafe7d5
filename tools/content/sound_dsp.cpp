#include "tools/content/sound_dsp.h"

#include <algorithm>
#include <cmath>

double Noise::uniform() {
    u64 z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

double Noise::white() { return 2.0 * uniform() - 1.0; }

namespace {

struct Coeffs {
    double cosw, alpha;
};

// Past about 0.45 of the rate the cookbook forms go unstable or silent.
Coeffs coeffs(double hz, double q) {
    hz = std::clamp(hz, 10.0, 0.45 * kSoundRate);
    double w0 = 2.0 * kPi * hz / kSoundRate;
    return {std::cos(w0), std::sin(w0) / (2.0 * q)};
}

void normalise(Biquad& f, double a0, double a1, double a2) {
    f.b0 /= a0;
    f.b1 /= a0;
    f.b2 /= a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
}

}  // namespace

void Biquad::set_lowpass(double hz, double q) {
    Coeffs c = coeffs(hz, q);
    b0 = b2 = (1.0 - c.cosw) / 2.0;
    b1 = 1.0 - c.cosw;
    normalise(*this, 1.0 + c.alpha, -2.0 * c.cosw, 1.0 - c.alpha);
}

void Biquad::set_highpass(double hz, double q) {
    Coeffs c = coeffs(hz, q);
    b0 = b2 = (1.0 + c.cosw) / 2.0;
    b1 = -(1.0 + c.cosw);
    normalise(*this, 1.0 + c.alpha, -2.0 * c.cosw, 1.0 - c.alpha);
}

void Biquad::set_bandpass(double hz, double q) {
    Coeffs c = coeffs(hz, q);
    b0 = c.alpha;
    b1 = 0.0;
    b2 = -c.alpha;
    normalise(*this, 1.0 + c.alpha, -2.0 * c.cosw, 1.0 - c.alpha);
}

double Biquad::run(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

void OnePole::set_lowpass(double hz) { a = 1.0 - std::exp(-2.0 * kPi * hz / kSoundRate); }

double saw_blep(double phase, double dt) {
    double v = 2.0 * phase - 1.0;
    if (phase < dt) {
        double t = phase / dt;
        v -= t + t - t * t - 1.0;
    } else if (phase > 1.0 - dt) {
        double t = (phase - 1.0) / dt;
        v -= t * t + t + t + 1.0;
    }
    return v;
}

double env_strike(double t, double attack, double tau) {
    if (t < 0.0) return 0.0;
    if (t < attack) return 0.5 - 0.5 * std::cos(kPi * t / attack);
    return std::exp(-(t - attack) / tau);
}

double env_swell(double t, double len) {
    if (t <= 0.0 || t >= len) return 0.0;
    double s = std::sin(kPi * t / len);
    return s * s;
}

double db_to_gain(double db) { return std::pow(10.0, db / 20.0); }
