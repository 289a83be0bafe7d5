// The real-window backend: SDL2 underneath the shared platform core.
#include "platform/backend.h"
#include "platform/sdl/sdlinternal.h"

namespace {

bool openwindow(const char* title, std::string* err) {
    if (!sdlwin_open(title, err)) return false;
    sdlevents_open();
    return true;
}

void settitle(const char* title) {
    if (SDL_Window* w = sdlwin_window()) SDL_SetWindowTitle(w, title);
}

void pump(bool wait) { sdlevents_pump(wait); }

void present(const u16* pixels, u32 format) { sdlwin_present(pixels, format); }

// The timer thread wakes the event queue, so it has to be gone before SDL is.
void shutdown() {
    sdltimer_stop();
    sdlevents_quit();
    sdlwin_quit();
}

}  // namespace

const platbackend sdlbackend = {
    .name = "sdl",
    .openwindow = openwindow,
    .closewindow = sdlwin_close,
    .pump = pump,
    .present = present,
    .messagebox = sdlmessagebox_show,
    .starttimer = sdltimer_start,
    .stoptimer = sdltimer_stop,
    .spin = sdltimer_spin,
    .setgrab = sdlgrab_set,
    .settitle = settitle,
    .shutdown = shutdown,
};
