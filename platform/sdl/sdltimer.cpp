#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "platform/backend.h"
#include "platform/sdl/sdlidle.h"
#include "platform/sdl/sdlinternal.h"

namespace {

using steadyclock = std::chrono::steady_clock;

// Deadlines advance by whole periods so ticks do not drift, but after a long
// stall (the machine slept, a debugger stopped us) the timer picks up from now
// instead of firing the whole backlog at once.
constexpr auto backloglimit = std::chrono::seconds(1);

std::thread timerthread;
std::atomic<bool> stopping{false};

void run(std::chrono::milliseconds period) {
    steadyclock::time_point next = steadyclock::now() + period;
    while (!stopping.load()) {
        std::this_thread::sleep_until(next);
        if (stopping.load()) break;
        plat_firetimer();
        sdltick_fire();
        sdlevents_wake();
        next += period;
        steadyclock::time_point now = steadyclock::now();
        if (now - next > backloglimit) next = now;
    }
}

}  // namespace

bool sdltimer_start(u32 periodms) {
    sdltimer_stop();
    stopping = false;
    try {
        timerthread = std::thread(run, std::chrono::milliseconds(periodms ? periodms : 1));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void sdltimer_stop() {
    if (!timerthread.joinable()) return;
    stopping = true;
    timerthread.join();
}

// A busy wait's pass lasts until the next tick: nothing the waiter looks at
// can change before then. The limit only keeps a wait with the timer stopped
// from hanging.
void sdltimer_spin() { sdltick_wait(sdlidle_waitms(true)); }
