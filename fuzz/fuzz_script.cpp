// Input scripts (--play) are text files of events. A script either parses
// or is refused with the line that failed; every key it names can be named
// back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzzenv.h"
#include "platform/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text((const char*)data, size);
    std::vector<scriptevent> events;
    std::string err;
    bool parsed = script_parse(text, &events, &err);
    if (!parsed && err.compare(0, 5, "line ") != 0) std::abort();
    if (parsed) {
        u32 last = 0;
        for (const scriptevent& e : events) {
            if (e.tick < last) std::abort(); // events come in time order
            last = e.tick;
            if (e.kind == SE_KEY || e.kind == SE_KEYDOWN || e.kind == SE_KEYUP) {
                std::string name = script_keyname(e.vk);
                if (name.empty() || script_keycode(name) != e.vk) std::abort();
            }
        }
    }
    fuzzoutcome(parsed);
    return 0;
}
