#include "app/debuglog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/gamestate.h"
#include "app/timer.h"
#include "platform/files.h"

static platfile* logfile = nullptr;
static char messagebuffer[1024];
static char prefixbuffer[64];

bool opendebuglog() {
    closedebuglog();
    logfile = plat_fcreate("text\\debug.log");
    return logfile != nullptr;
}

void closedebuglog() {
    plat_fclose(logfile);
    logfile = nullptr;
}

bool debuglogopen() { return logfile != nullptr; }

// Flushed at every write so that the log is complete however the process ends.
bool debuglograw(const char* text) {
    if (!logfile) return false;
    return plat_fwrite(logfile, text, std::strlen(text)) && plat_fflush(logfile);
}

int formatlogprefix(char* buf, size_t size, u32 tick, u8 state) {
    return std::snprintf(buf, size, "%.8u - GS: %.2u,  ", tick, (unsigned)state);
}

void debuglog(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(messagebuffer, sizeof messagebuffer, fmt, ap);
    va_end(ap);
    formatlogprefix(prefixbuffer, sizeof prefixbuffer, tickcount, gamestate);
    debuglograw(prefixbuffer);
    debuglograw(messagebuffer);
}
