#include "tools/content/sound_wave.h"

#include <algorithm>
#include <cmath>

int to_samples(double seconds) { return static_cast<int>(std::lround(seconds * kSoundRate)); }

Wave wave_of(double seconds) { return Wave(static_cast<size_t>(to_samples(seconds)), 0.0); }

void mix_into(Wave& dst, const Wave& src, double start, double gain) {
    size_t at = static_cast<size_t>(to_samples(start));
    for (size_t i = 0; i < src.size() && at + i < dst.size(); ++i) dst[at + i] += gain * src[i];
}

namespace {

double rise(int i, int n) { return 0.5 - 0.5 * std::cos(kPi * (i + 0.5) / n); }

}  // namespace

void fade_edges(Wave& w, double in_seconds, double out_seconds) {
    int n = static_cast<int>(w.size());
    int fin = std::min(n, to_samples(in_seconds)), fout = std::min(n, to_samples(out_seconds));
    for (int i = 0; i < fin; ++i) w[i] *= rise(i, fin);
    for (int i = 0; i < fout; ++i) w[n - 1 - i] *= rise(i, fout);
}

void block_dc(Wave& w) {
    // One-pole high-pass at about 15 Hz: far below anything meant to be heard.
    const double r = 1.0 - 2.0 * kPi * 15.0 / kSoundRate;
    double x1 = 0.0, y1 = 0.0;
    for (double& s : w) {
        double y = s - x1 + r * y1;
        x1 = s;
        y1 = y;
        s = y;
    }
}

void prepend_silence(Wave& w, double seconds) { w.insert(w.begin(), static_cast<size_t>(to_samples(seconds)), 0.0); }

double wave_peak(const Wave& w) {
    double p = 0.0;
    for (double s : w) p = std::max(p, std::fabs(s));
    return p;
}

double wave_loudness(const Wave& raw) {
    Wave w = raw;
    Biquad ear;
    ear.set_highpass(120.0, 0.5);
    for (double& s : w) s = ear.run(s);
    const size_t win = static_cast<size_t>(to_samples(0.05));
    const size_t hop = win / 4;
    double best = 0.0;
    for (size_t at = 0; at < w.size(); at += hop) {
        size_t end = std::min(w.size(), at + win);
        double sum = 0.0;
        for (size_t i = at; i < end; ++i) sum += w[i] * w[i];
        best = std::max(best, sum / static_cast<double>(win));  // a short sound counts as quieter
    }
    return std::sqrt(best);
}

void wave_scale(Wave& w, double gain) {
    for (double& s : w) s *= gain;
}
