#include "game/eventlog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

eventlogrec eventlog;

void logevent(const char* fmt, ...) {
    char* to = eventlog.line[eventlog.written % EVENTLINES];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(to, EVENTLINECHARS, fmt, args);
    va_end(args);
    eventlog.written++;
}

int eventcount() { return eventlog.written < (u32)EVENTLINES ? (int)eventlog.written : EVENTLINES; }

const char* eventline(int back) {
    if (back < 0 || back >= eventcount()) return "";
    return eventlog.line[(eventlog.written - 1 - (u32)back) % EVENTLINES];
}

void clearevents() { std::memset(&eventlog, 0, sizeof eventlog); }
