#include <algorithm>
#include <cmath>

#include "tools/content/sound_fx.h"
#include "tools/content/sound_voice.h"

namespace {

constexpr double kCharge = 0.42;  // the missile gathers this long, then flies

// Builds up as the spell gathers, then lets go.
double charge(double t) { return t < kCharge ? (t / kCharge) * (t / kCharge) : std::exp(-(t - kCharge) / 0.05); }

// Detuned partials climbing two octaves, trembling fast: the glitter over
// the whoosh.
void shimmer(Wave& w) {
    const double partials[][2] = {{330.0, 0.35}, {496.5, 0.25}, {658.7, 0.2}, {993.9, 0.12}};
    for (size_t k = 0; k < 4; ++k) {
        double phase = 0.0;
        for (size_t i = 0; i < w.size(); ++i) {
            double t = time_of(static_cast<int>(i));
            double hz = partials[k][0] * std::pow(4.0, std::min(t, kCharge) / kCharge);
            double trem = 0.6 + 0.4 * std::sin(2.0 * kPi * 17.0 * t + 1.7 * static_cast<double>(k));
            w[i] += partials[k][1] * charge(t) * trem * std::sin(2.0 * kPi * phase);
            phase += hz / kSoundRate;
            phase -= std::floor(phase);
        }
    }
}

// The release: a buzzing saw diving from a high whine to a low growl.
void zap(Wave& w, Noise& n, double at) {
    Biquad tame;
    tame.set_lowpass(6000.0, 0.7);
    double phase = 0.0;
    for (size_t i = static_cast<size_t>(to_samples(at)); i < w.size(); ++i) {
        double dt = time_of(static_cast<int>(i)) - at;
        double hz = 160.0 + 2440.0 * std::exp(-dt / 0.03);
        w[i] += 0.5 * tame.run(env_strike(dt, 0.001, 0.045) * saw_blep(phase, hz / kSoundRate));
        phase += hz / kSoundRate;
        phase -= std::floor(phase);
    }
    add_burst(w, n,
              {.start = at, .amp = 0.35, .attack = 0.0005, .tau = 0.015, .band = Band::pass, .hz = 5000.0, .q = 1.0});
}

}  // namespace

Wave fx_missile() {
    Wave w = wave_of(0.8);
    Noise n(0x3A61C);
    add_sweep(w, n,
              {.start = 0.0,
               .len = 0.8,
               .q = 2.5,
               .hz = [](double t) { return 350.0 * std::pow(10.0, std::min(t, kCharge) / kCharge); },
               .gain = [](double t) { return 0.9 * charge(t); }});
    shimmer(w);
    zap(w, n, kCharge);
    return w;
}

Wave fx_bow() {
    Wave w = wave_of(0.48);
    Noise n(0xB0);
    add_pluck(w, n, 0.0, 175.0, 0.8, 0.94);
    add_burst(w, n, {.amp = 0.5, .attack = 0.001, .tau = 0.01, .band = Band::low, .hz = 300.0, .q = 0.7});
    // The arrow leaves: its whoosh falls in pitch as it goes.
    add_sweep(w, n,
              {.start = 0.01,
               .len = 0.45,
               .q = 3.0,
               .hz = [](double t) { return 700.0 + 1700.0 * std::exp(-t / 0.2); },
               .gain = [](double t) { return 0.6 * env_strike(t, 0.03, 0.065); }});
    wave_lowpass(w, 9000.0);
    return w;
}

Wave fx_swish() {
    constexpr double kSwing = 0.26;
    Wave w = wave_of(0.3);
    Noise n(0x5155);
    add_sweep(w, n,
              {.start = 0.0,
               .len = kSwing,
               .q = 2.2,
               .hz = [](double t) { return 380.0 + 1900.0 * env_swell(t, kSwing); },
               .gain = [](double t) { return std::pow(env_swell(t, kSwing), 1.3); }});
    add_sweep(w, n,
              {.start = 0.0,
               .len = kSwing,
               .q = 1.0,
               .hz = [](double t) { return 190.0 + 950.0 * env_swell(t, kSwing); },
               .gain = [](double t) { return 0.5 * std::pow(env_swell(t, kSwing), 1.3); }});
    wave_lowpass(w, 7000.0);
    return w;
}
