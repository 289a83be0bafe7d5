#pragma once
// A picture of the effects for people to look over: one strip per sound, in
// slot order and numbered, each stretched to its own length. Bars show the
// samples' range and their RMS per column; red lines the peak ceiling;
// ticks every 100 ms (every 10 ms on sounds under 0.3 s).
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/sound_wave.h"

Canvas sound_strips(const std::vector<Wave>& waves);
