// The periodic timer. The sdl backend fires it from a thread of its own; the
// headless backend from its virtual clock. Either way plat_firetimer runs the
// game's callback and counts the tick.
#include <atomic>

#include "platform/backend.h"

extern const platbackend* backend;

static std::atomic<u32> ticks{0};
static std::atomic<bool> running{false};
static timerfn callback = nullptr;
static u32 userdata = 0;
static u32 timerid = 0;
static u32 lastid = 0;

u32 plat_timesetevent(u32 periodms, u32, timerfn fn, u32 user) {
    if (running || !fn || periodms == 0) return 0;
    callback = fn;
    userdata = user;
    timerid = ++lastid;
    running = true;
    if (!backend->starttimer(periodms)) {
        running = false;
        timerid = 0;
        return 0;
    }
    return timerid;
}

bool plat_timekillevent(u32 id) {
    if (!running || id != timerid || id == 0) return false;
    backend->stoptimer();
    running = false;
    timerid = 0;
    return true;
}

bool plat_timerrunning() { return running; }

void plat_firetimer() {
    if (!running) return;
    ticks.fetch_add(1, std::memory_order_relaxed);
    callback(timerid, 0, userdata, 0, 0);
}

u32 plat_ticks() { return ticks.load(std::memory_order_relaxed); }

void plat_spin() { backend->spin(); }
