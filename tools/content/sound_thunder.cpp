// The lightning's crack and rumble, the one effect long enough to need
// shaped low noise of its own.
#include <algorithm>
#include <cmath>

#include "tools/content/sound_fx.h"
#include "tools/content/sound_voice.h"

namespace {

// Sparks: single-sample snaps, crowded at the strike and thinning out.
Wave crackle(Noise& n, double len) {
    Wave w = wave_of(len);
    for (int k = 0; k < 70; ++k) {
        double u = n.uniform();
        size_t at = static_cast<size_t>(to_samples(len * u * u));
        if (at < w.size()) w[at] += (n.uniform() < 0.5 ? -1.0 : 1.0) * (0.4 + 0.6 * n.uniform()) * (1.0 - u);
    }
    Biquad hp;
    hp.set_highpass(1200.0, 0.7);
    for (double& s : w) s = hp.run(s);
    return w;
}

// A slow random wobble, new targets every 80 ms joined by cosines, so the
// rumble rolls instead of hissing evenly.
double wobble(const Wave& knots, double t) {
    double x = t / 0.08;
    size_t k = std::min(knots.size() - 2, static_cast<size_t>(x));
    double f = 0.5 - 0.5 * std::cos(kPi * (x - static_cast<double>(k)));
    return knots[k] + (knots[k + 1] - knots[k]) * f;
}

Wave rumble(Noise& n, double len) {
    Wave knots(static_cast<size_t>(len / 0.08) + 2);
    for (double& k : knots) k = 0.35 + 0.65 * n.uniform();
    OnePole dark;
    dark.set_lowpass(90.0);
    Biquad low;
    low.set_lowpass(170.0, 0.7);
    Wave w = wave_of(len);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = time_of(static_cast<int>(i));
        w[i] = low.run(dark.run(n.white())) * wobble(knots, t) * env_strike(t - 0.03, 0.12, 0.3);
    }
    wave_scale(w, 1.0 / wave_peak(w));
    return w;
}

}  // namespace

Wave fx_thunder() {
    Wave w = wave_of(1.6);
    Noise n(0x7B0B);
    mix_into(w, crackle(n, 0.08), 0.0, 1.0);
    add_burst(w, n, {.amp = 0.8, .attack = 0.0005, .tau = 0.018, .band = Band::high, .hz = 700.0, .q = 0.7});
    mix_into(w, rumble(n, 1.6), 0.0, 1.3);
    add_burst(w, n, {.start = 0.02, .amp = 0.8, .attack = 0.06, .tau = 0.22, .band = Band::low, .hz = 450.0, .q = 0.7});
    add_room(w, 0.78, 0.75, 0.3);
    return w;
}
