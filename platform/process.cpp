// Message boxes, debugger output, priority and the end of the process.
#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"

extern const platbackend* backend;

void (*plat_exithook)(int code) = nullptr;

void (*plat_messageboxhook)(const char* text, const char* caption) = nullptr;

void plat_messagebox(const char* text, const char* caption) {
    if (plat_messageboxhook) plat_messageboxhook(text, caption);
    else if (backend) backend->messagebox(text, caption);
    else std::fprintf(stderr, "%s: %s\n", caption, text);
}

void plat_debugoutput(const char* text) { std::fputs(text, stderr); }

// The game asks for a higher priority class while it is in front; a desktop
// game has no business renicing itself, so this is only remembered.
static bool highpriority = false;
void plat_setpriority(bool high) { highpriority = high; }

void plat_exitprocess(int code) {
    if (plat_exithook) plat_exithook(code);
    plat_shutdown();
    std::fflush(nullptr);
    std::exit(code);
}
