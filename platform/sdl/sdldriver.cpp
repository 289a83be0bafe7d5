#include "platform/sdl/sdldriver.h"

#include <cctype>
#include <cstring>

namespace {

bool sameword(const char* a, size_t n, const char* b) {
    if (std::strlen(b) != n) return false;
    for (size_t i = 0; i < n; i++)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}

}  // namespace

bool sdldriver_allowed(const char* driver, const char* asked) {
    if (!driver) return false;
    if (!sameword(driver, std::strlen(driver), "offscreen") && !sameword(driver, std::strlen(driver), "dummy"))
        return true;
    // The hint may list several drivers, separated by commas.
    for (const char* p = asked; p && *p;) {
        const char* end = std::strchr(p, ',');
        size_t n = end ? (size_t)(end - p) : std::strlen(p);
        if (sameword(p, n, driver)) return true;
        p = end ? end + 1 : nullptr;
    }
    return false;
}
