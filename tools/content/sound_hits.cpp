#include <cmath>

#include "tools/content/sound_fx.h"
#include "tools/content/sound_voice.h"

Wave fx_click() {
    Wave w = wave_of(0.045);
    Noise n(0xC11C);
    add_burst(w, n,
              {.start = 0.0, .amp = 0.9, .attack = 0.0003, .tau = 0.0015, .band = Band::pass, .hz = 3200.0, .q = 1.2});
    add_tone(w, {.hz = 1850.0, .amp = 0.5, .attack = 0.0004, .tau = 0.006});
    add_tone(w, {.hz = 3420.0, .amp = 0.3, .attack = 0.0003, .tau = 0.0035});
    add_tone(w, {.hz = 5230.0, .amp = 0.15, .attack = 0.0003, .tau = 0.002});
    add_tone(w, {.hz = 910.0, .amp = 0.25, .attack = 0.0006, .tau = 0.005});  // the knock's body
    return w;
}

namespace {

// Stick-slip: the hinge holds, lets go with a tick, holds again. The ticks
// come at a wavering 70-130 a second and ring the lid's wooden modes.
Wave creak(Noise& n, double len) {
    Wave ticks = wave_of(len);
    double phase = 0.0;
    for (size_t i = 0; i < ticks.size(); ++i) {
        double t = time_of(static_cast<int>(i));
        double rate = 70.0 + 55.0 * std::sin(kPi * t / len) + 8.0 * std::sin(2.0 * kPi * 6.5 * t);
        phase += rate / kSoundRate;
        if (phase < 1.0) continue;
        phase -= 1.0 + 0.12 * n.white();
        ticks[i] = env_swell(t, len) * (0.7 + 0.3 * n.uniform());
    }
    const double modes[][2] = {{540.0, 1.0}, {1230.0, 0.7}, {2380.0, 0.35}};
    Wave out(ticks.size(), 0.0);
    for (const auto& m : modes) {
        Biquad f;
        f.set_bandpass(m[0], 12.0);
        for (size_t i = 0; i < out.size(); ++i) out[i] += m[1] * f.run(ticks[i]);
    }
    wave_lowpass(out, 4000.0);
    wave_scale(out, 1.0 / wave_peak(out));  // narrow filters pass little of a tick
    return out;
}

void thunk(Wave& w, Noise& n, double at, double amp) {
    add_burst(w, n, {.start = at, .amp = amp, .attack = 0.001, .tau = 0.012, .band = Band::low, .hz = 500.0, .q = 0.8});
    add_tone(w, {.start = at, .hz = 120.0, .amp = 0.8 * amp, .attack = 0.0015, .tau = 0.04, .end_hz = 80.0});
    add_tone(w, {.start = at, .hz = 235.0, .amp = 0.4 * amp, .attack = 0.001, .tau = 0.025});
    add_tone(w, {.start = at, .hz = 410.0, .amp = 0.2 * amp, .attack = 0.001, .tau = 0.015});
}

}  // namespace

Wave fx_chest() {
    Wave w = wave_of(0.78);
    Noise n(0xC4E57);
    mix_into(w, creak(n, 0.46), 0.02, 0.8);
    thunk(w, n, 0.5, 1.0);
    return w;
}

Wave fx_sword_hit() {
    Wave w = wave_of(0.75);
    Noise n(0x5D0D);
    add_burst(w, n, {.amp = 0.9, .attack = 0.0004, .tau = 0.006, .band = Band::high, .hz = 900.0, .q = 0.7});
    add_burst(w, n, {.amp = 0.7, .attack = 0.0008, .tau = 0.012, .band = Band::low, .hz = 320.0, .q = 0.7});
    // A thick plate's modes: far from harmonic, the higher ones dying first.
    const double modes[][3] = {{523.0, 0.45, 0.15},  {1262.0, 0.7, 0.12}, {2057.0, 0.55, 0.095},
                               {2679.0, 0.45, 0.07}, {3594.0, 0.3, 0.05}, {4431.0, 0.22, 0.035}};
    double beat = 1.3;
    for (const auto& m : modes) {
        add_tone_pair(w, {.hz = m[0], .amp = m[1] * 0.5, .attack = 0.0008, .tau = m[2]}, beat, 0.6);
        beat += 0.9;
    }
    return w;
}

Wave fx_footstep() {
    Wave w = wave_of(0.105);
    Noise n(0xF007);
    add_burst(w, n, {.amp = 1.0, .attack = 0.004, .tau = 0.014, .band = Band::low, .hz = 420.0, .q = 0.6});
    add_tone(w, {.hz = 115.0, .amp = 0.25, .attack = 0.003, .tau = 0.016, .end_hz = 85.0, .glide_tau = 0.03});
    // A little grit underfoot, kept low so repeats do not hiss.
    add_burst(w, n,
              {.start = 0.002, .amp = 0.06, .attack = 0.002, .tau = 0.006, .band = Band::pass, .hz = 2200.0, .q = 1.0});
    return w;
}

Wave fx_door_slam() {
    Wave w = wave_of(0.9);
    Noise n(0xD005);
    add_burst(w, n, {.amp = 1.0, .attack = 0.001, .tau = 0.022, .band = Band::low, .hz = 650.0, .q = 0.7});
    const double modes[][3] = {
        {68.0, 0.7, 0.11}, {104.0, 0.5, 0.085}, {161.0, 0.4, 0.065}, {243.0, 0.3, 0.045}, {388.0, 0.2, 0.03}};
    for (const auto& m : modes) add_tone(w, {.hz = m[0], .amp = m[1], .attack = 0.002, .tau = m[2]});
    // The latch catches a moment later, and the door bounces once in its frame.
    add_burst(w, n,
              {.start = 0.018, .amp = 0.3, .attack = 0.0004, .tau = 0.004, .band = Band::pass, .hz = 2800.0, .q = 3.0});
    add_tone(w, {.start = 0.018, .hz = 2350.0, .amp = 0.08, .attack = 0.0005, .tau = 0.035});
    add_tone(w, {.start = 0.018, .hz = 3710.0, .amp = 0.05, .attack = 0.0005, .tau = 0.025});
    add_burst(w, n,
              {.start = 0.075, .amp = 0.25, .attack = 0.001, .tau = 0.015, .band = Band::low, .hz = 500.0, .q = 0.7});
    add_room(w, 0.72, 0.35, 0.35);
    return w;
}
