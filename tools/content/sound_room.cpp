// The room reverb of sound_voice.h, apart because its delay lines have
// nothing to do with the sources.
#include <array>

#include "tools/content/sound_voice.h"

namespace {

// Mutually prime lengths near 35 ms, so the echoes never line up into a
// pitched buzz.
constexpr std::array<int, 4> kCombs = {1557, 1617, 1491, 1422};
constexpr std::array<int, 2> kPasses = {556, 441};

struct Comb {
    Wave line;
    size_t at = 0;
    double store = 0.0;
    double run(double x, double feedback, double damp) {
        double out = line[at];
        store = out * (1.0 - damp) + store * damp;  // the walls soak up the highs first
        line[at] = x + store * feedback;
        at = (at + 1) % line.size();
        return out;
    }
};

struct AllPass {
    Wave line;
    size_t at = 0;
    double run(double x) {
        double held = line[at];
        line[at] = x + 0.5 * held;
        at = (at + 1) % line.size();
        return held - x;
    }
};

}  // namespace

void add_room(Wave& w, double feedback, double damp, double wet) {
    std::array<Comb, 4> combs;
    for (size_t k = 0; k < combs.size(); ++k) combs[k].line.assign(kCombs[k], 0.0);
    std::array<AllPass, 2> passes;
    for (size_t k = 0; k < passes.size(); ++k) passes[k].line.assign(kPasses[k], 0.0);
    for (double& s : w) {
        double sum = 0.0;
        for (Comb& c : combs) sum += c.run(s, feedback, damp);
        double out = sum * 0.25;
        for (AllPass& p : passes) out = p.run(out);
        s += wet * out;
    }
}
