#include "tools/content/sound_brass.h"
#include "tools/content/sound_fx.h"
#include "tools/content/sound_voice.h"

namespace {

// A glockenspiel-like bar: the fundamental with a weaker octave and the
// bar's own high mode, which dies first.
void bar_note(Wave& w, double start, double hz, double amp, double tau) {
    add_tone(w, {.start = start, .hz = hz, .amp = amp, .attack = 0.0015, .tau = tau});
    add_tone(w, {.start = start, .hz = 2.0 * hz, .amp = 0.3 * amp, .attack = 0.0015, .tau = 0.45 * tau});
    add_tone(w, {.start = start, .hz = 2.76 * hz, .amp = 0.18 * amp, .attack = 0.001, .tau = 0.25 * tau});
}

}  // namespace

Wave fx_pickup() {
    Wave w = wave_of(0.72);
    const double notes[] = {1318.5, 1661.2, 1975.5};  // E6, G#6, B6: an E major arpeggio
    for (int k = 0; k < 3; ++k) bar_note(w, 0.065 * k, notes[k], 0.5, 0.06 + 0.03 * k);
    Noise n(0x9C4);
    for (int k = 0; k < 14; ++k) {
        double at = 0.03 + 0.32 * n.uniform(), hz = 4200.0 + 4800.0 * n.uniform();
        add_tone(w, {.start = at, .hz = hz, .amp = 0.04 + 0.05 * n.uniform(), .attack = 0.0008, .tau = 0.012});
    }
    return w;
}

namespace {

// A struck bar's partials with a twin each, a hair apart, so the ring
// breathes slowly instead of sitting still.
void chime_strike(Wave& w, double start, double hz, double amp) {
    const double partials[][3] = {
        {1.0, 1.0, 0.42}, {2.32, 0.35, 0.25}, {4.25, 0.15, 0.14}, {6.63, 0.07, 0.08}, {9.38, 0.03, 0.05}};
    for (const auto& p : partials)
        add_tone_pair(w, {.start = start, .hz = hz * p[0], .amp = amp * p[1], .attack = 0.004, .tau = p[2]}, 0.9, 0.5);
}

}  // namespace

Wave fx_chime() {
    Wave w = wave_of(2.0);
    chime_strike(w, 0.0, 784.0, 0.6);     // G5
    chime_strike(w, 0.11, 1174.7, 0.27);  // D6, touched lightly as the first rings
    return w;
}

namespace {

constexpr double kG4 = 392.0, kC5 = 523.25, kE5 = 659.26, kG5 = 783.99;
constexpr double kC3 = 130.81, kC4 = 261.63, kE4 = 329.63;

// Three short calls on the dominant, the tonic, then a climbing arpeggio up
// to a held major chord.
const Note kTune[] = {
    {0.00, 0.10, kG4, 0.45}, {0.14, 0.10, kG4, 0.45}, {0.28, 0.10, kG4, 0.45}, {0.42, 0.36, kC5, 0.5},
    {0.84, 0.13, kG4, 0.45}, {1.02, 0.12, kC5, 0.47}, {1.18, 0.12, kE5, 0.5},  {1.34, 1.0, kG5, 0.55},
};
const Note kHarmony[] = {
    {0.42, 0.36, kC4, 0.2}, {0.42, 0.36, kE4, 0.18}, {0.42, 0.36, kC3, 0.22}, {1.34, 1.0, kC4, 0.2},
    {1.34, 1.0, kE4, 0.18}, {1.34, 1.0, kG4, 0.18},  {1.34, 1.0, kC5, 0.2},   {1.34, 1.0, kC3, 0.24},
};

}  // namespace

Wave fx_fanfare() {
    Wave w = wave_of(2.8);
    for (const Note& n : kTune) add_brass(w, n);
    for (const Note& n : kHarmony) add_brass(w, n);
    add_room(w, 0.76, 0.4, 0.25);
    return w;
}
