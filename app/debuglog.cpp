#include "app/debuglog.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/gamestate.h"
#include "app/timer.h"
#include "platform/files.h"
#include "platform/usertree.h"

static platfile* logfile = nullptr;
static char messagebuffer[1024];
static char prefixbuffer[64];

// A line that could not be written is dropped as the run goes on; the loss
// is told once, when the log is closed.
static int lostwrite = 0;
static bool logoff = false;

bool opendebuglog() {
    closedebuglog();
    // A tree that failed its test at start (a full disk takes the empty file
    // but no line) is not tried: the box has said so.
    logoff = !plat_usertreeproblem().empty();
    if (!logoff) logfile = plat_fcreate("text\\debug.log");
    return logfile || logoff;
}

void closedebuglog() {
    if (!logfile) return;
    bool closed = plat_fclose(logfile);
    int closeerror = errno;
    logfile = nullptr;
    if (lostwrite) std::fprintf(stderr, "vennor: text\\debug.log is incomplete: %s\n", std::strerror(lostwrite));
    else if (!closed) std::fprintf(stderr, "vennor: cannot close text\\debug.log: %s\n", std::strerror(closeerror));
    lostwrite = 0;
}

bool debuglogopen() { return logfile != nullptr; }

// Flushed at every write so that the log is complete however the process ends.
bool debuglograw(const char* text) {
    if (!logfile) return logoff;
    if (plat_fwrite(logfile, text, std::strlen(text)) && plat_fflush(logfile)) return true;
    if (!lostwrite) lostwrite = errno ? errno : EIO;
    return false;
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

void debuglogtrees() {
    // The tree named with --data is left out, so that the same script run on
    // two copies of a tree logs the same bytes.
    if (!plat_twotrees()) {
        debuglog("One tree (--data), read and written; no player's tree\n");
        return;
    }
    debuglog("Content tree (read only): %s\n", plat_contenttree().c_str());
    debuglog("Player tree: %s%s\n", plat_usertree().c_str(), plat_usertreeproblem().empty() ? "" : " (cannot be written)");
}
