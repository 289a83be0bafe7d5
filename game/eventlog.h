#pragma once
// The mission's running account of what happened (hits, deaths, spells,
// pick-ups, saves), shown on the panel's LOG tab. One plain record, so a
// saved game can keep it whole.
#include "platform/types.h"

constexpr int EVENTLINES = 64;     // the oldest line goes when a new one comes
constexpr int EVENTLINECHARS = 48; // with its terminating zero

struct eventlogrec {
    char line[EVENTLINES][EVENTLINECHARS];
    u32 written; // lines ever written; the newest is (written - 1) % EVENTLINES
};
extern eventlogrec eventlog;

// Adds one line (printf format), cut to fit.
void logevent(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// How many lines are held (at most EVENTLINES).
int eventcount();
// The line `back` lines before the newest (0 the newest); "" past the oldest.
const char* eventline(int back);
void clearevents();
