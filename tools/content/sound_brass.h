#pragma once
// A brass-like voice for the fanfare: two detuned band-limited saws through
// a low-pass that opens with the loudness, as a horn gets brighter the
// harder it is blown.
#include "tools/content/sound_wave.h"

struct Note {
    double start, len, hz, amp;  // len is the held part; the release follows
};

void add_brass(Wave& w, const Note& n);
