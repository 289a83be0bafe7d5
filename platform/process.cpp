// Message boxes, debugger output, priority and the end of the process.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/backend.h"

extern const platbackend* backend;

void (*plat_exithook)(int code) = nullptr;

void (*plat_messageboxhook)(const char* text, const char* caption) = nullptr;

static bool containsword(const char* s, const char* word) {
    std::string lower(s);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return lower.find(word) != std::string::npos;
}

// A box about a file that could not be read or loaded names the folder the
// game looked in, since its texts name files relative to it.
static bool aboutafile(const char* text, const char* caption) {
    return std::strcmp(caption, "Unable to access file!") == 0 || containsword(caption, "load") ||
           containsword(text, "load");
}

std::string plat_boxline(const char* text, const char* caption) {
    if (!text) text = "";
    if (!caption) caption = "";
    std::string line = std::string("vennor: ") + caption + ": " + text;
    if (aboutafile(text, caption)) line += " (data directory " + plat_options().datadir + ")";
    return line + "\n";
}

// A box waits for its answer in its own loop, where the window system's
// handlers only queue SIGINT and SIGTERM as a quit event nobody reads. While
// one is up these signals end the process at once, as the shell expects.
static void endonsignal(int sig) { _exit(128 + sig); }

struct signalguard {
    struct sigaction oldint {}, oldterm {};
    signalguard() {
        struct sigaction sa {};
        sa.sa_handler = endonsignal;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &oldint);
        sigaction(SIGTERM, &sa, &oldterm);
    }
    ~signalguard() {
        sigaction(SIGINT, &oldint, nullptr);
        sigaction(SIGTERM, &oldterm, nullptr);
    }
};

void plat_messagebox(const char* text, const char* caption) {
    if (!text) text = "";
    if (!caption) caption = "";
    // The box may not be seen (no display, a window behind others, a log
    // read later): the text always reaches standard error too.
    std::string line = plat_boxline(text, caption);
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    signalguard guard;
    if (plat_messageboxhook) plat_messageboxhook(text, caption);
    else if (backend) backend->messagebox(text, caption);
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
