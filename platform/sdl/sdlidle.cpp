#include "platform/sdl/sdlidle.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

constexpr u32 safetynetms = 50;
constexpr u32 oneframems = 16;

struct tickgate {
    std::mutex lock;
    std::condition_variable fired;
    u64 count = 0;
    u64 seen = 0;  // the tick the last wait returned on
};

tickgate G;

}  // namespace

void sdltick_fire() {
    {
        std::lock_guard<std::mutex> hold(G.lock);
        ++G.count;
    }
    G.fired.notify_all();
}

u64 sdltick_count() {
    std::lock_guard<std::mutex> hold(G.lock);
    return G.count;
}

bool sdltick_wait(u32 timeoutms) {
    std::unique_lock<std::mutex> hold(G.lock);
    bool came = G.fired.wait_for(hold, std::chrono::milliseconds(timeoutms), [] { return G.count != G.seen; });
    G.seen = G.count;
    return came;
}

bool sdlidle_unchanged(const u16* last, size_t lastcount, u32 lastformat, const u16* next, size_t nextcount,
                       u32 format) {
    if (!last || !next || lastcount == 0 || lastcount != nextcount || lastformat != format) return false;
    return std::memcmp(last, next, lastcount * sizeof(u16)) == 0;
}

u32 sdlidle_waitms(bool timerrunning) { return timerrunning ? safetynetms : oneframems; }
