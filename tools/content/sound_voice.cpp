#include "tools/content/sound_voice.h"

#include <cmath>

namespace {

// Below this a strike envelope has fallen more than 100 dB.
constexpr double kGone = 1e-5;

bool finished(double t, double attack, double env) { return t > attack && env < kGone; }

}  // namespace

void add_tone(Wave& w, const Tone& t) {
    double phase = 0.0;
    for (size_t i = static_cast<size_t>(to_samples(t.start)); i < w.size(); ++i) {
        double dt = time_of(static_cast<int>(i)) - t.start;
        double e = env_strike(dt, t.attack, t.tau);
        if (finished(dt, t.attack, e)) break;
        double hz = t.end_hz > 0.0 ? t.end_hz + (t.hz - t.end_hz) * std::exp(-dt / t.glide_tau) : t.hz;
        w[i] += t.amp * e * std::sin(2.0 * kPi * phase);
        phase += hz / kSoundRate;
        phase -= std::floor(phase);
    }
}

void add_tone_pair(Wave& w, const Tone& t, double beat_hz, double twin_amp) {
    add_tone(w, t);
    Tone twin = t;
    twin.hz += beat_hz;
    if (twin.end_hz > 0.0) twin.end_hz += beat_hz;
    twin.amp *= twin_amp;
    add_tone(w, twin);
}

namespace {

Biquad burst_filter(const Burst& b) {
    Biquad f;
    if (b.band == Band::low) f.set_lowpass(b.hz, b.q);
    if (b.band == Band::high) f.set_highpass(b.hz, b.q);
    if (b.band == Band::pass) f.set_bandpass(b.hz, b.q);
    return f;
}

}  // namespace

void add_burst(Wave& w, Noise& n, const Burst& b) {
    Biquad f = burst_filter(b);
    for (size_t i = static_cast<size_t>(to_samples(b.start)); i < w.size(); ++i) {
        double dt = time_of(static_cast<int>(i)) - b.start;
        double e = env_strike(dt, b.attack, b.tau);
        // The filter still rings after the noise stops, so run on a little.
        if (finished(dt, b.attack, e) && dt > b.attack + 20.0 * b.tau) break;
        w[i] += b.amp * f.run(e * n.white());
    }
}

void add_sweep(Wave& w, Noise& n, const Sweep& s) {
    Biquad f;
    size_t first = static_cast<size_t>(to_samples(s.start));
    size_t last = std::min(w.size(), first + static_cast<size_t>(to_samples(s.len)));
    for (size_t i = first; i < last; ++i) {
        double dt = time_of(static_cast<int>(i - first));
        if ((i - first) % 16 == 0) f.set_bandpass(s.hz(dt), s.q);
        w[i] += f.run(s.gain(dt) * n.white());
    }
}

void wave_lowpass(Wave& w, double hz) {
    Biquad f;
    f.set_lowpass(hz, 0.707);
    for (double& s : w) s = f.run(s);
}

void add_pluck(Wave& w, Noise& n, double start, double hz, double amp, double loss) {
    const size_t period = static_cast<size_t>(std::lround(kSoundRate / hz));
    Wave line(period);
    OnePole soft;
    soft.set_lowpass(3.0 * hz + 1500.0);  // a finger, not a pick: fewer highs in the excitation
    for (double& s : line) s = soft.run(n.white());
    size_t at = 0;
    double prev = line[period - 1];
    for (size_t i = static_cast<size_t>(to_samples(start)); i < w.size(); ++i) {
        double cur = line[at];
        w[i] += amp * cur;
        line[at] = loss * 0.5 * (cur + prev);
        prev = cur;
        at = (at + 1) % period;
    }
}
