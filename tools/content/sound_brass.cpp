#include "tools/content/sound_brass.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kAttack = 0.03;
constexpr double kRelease = 0.06;
constexpr double kDetune = 0.0025;  // about four cents either side

// A quick swell that overshoots and settles: the "blat" of a horn's start.
double loudness(double t, double len) {
    double a = t < kAttack ? 0.5 - 0.5 * std::cos(kPi * t / kAttack) : 0.8 + 0.2 * std::exp(-(t - kAttack) / 0.08);
    if (t > len) a *= std::exp(-(t - len) / kRelease);
    return a;
}

// Players lip up into a note, and only long notes get vibrato.
double pitch(double t, double hz) {
    double scoop = 1.0 - 0.012 * std::exp(-t / 0.025);
    double depth = 0.004 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
    return hz * scoop * (1.0 + depth * std::sin(2.0 * kPi * 5.2 * t));
}

struct Saw {
    double phase = 0.0;
    double next(double hz) {
        double dt = hz / kSoundRate;
        double v = saw_blep(phase, dt);
        phase += dt;
        phase -= std::floor(phase);
        return v;
    }
};

}  // namespace

void add_brass(Wave& w, const Note& n) {
    Saw lo, hi;
    hi.phase = 0.37;  // not in step with lo, so the pair never starts as one loud edge
    Biquad f1, f2;
    size_t first = static_cast<size_t>(to_samples(n.start));
    size_t last = std::min(w.size(), first + static_cast<size_t>(to_samples(n.len + 10.0 * kRelease)));
    for (size_t i = first; i < last; ++i) {
        double t = time_of(static_cast<int>(i - first));
        double a = loudness(t, n.len), hz = pitch(t, n.hz);
        if ((i - first) % 16 == 0) {
            double cut = std::min(9000.0, hz * (1.0 + 7.0 * a * a));
            f1.set_lowpass(cut, 0.8);
            f2.set_lowpass(cut, 0.6);
        }
        double v = 0.5 * (lo.next(hz * (1.0 - kDetune)) + hi.next(hz * (1.0 + kDetune)));
        w[i] += n.amp * a * f2.run(f1.run(v));
    }
}
