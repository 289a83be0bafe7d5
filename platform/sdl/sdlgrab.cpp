#include "platform/sdl/sdlinternal.h"

namespace {

// The core decides when the pointer is confined (focus, the game's wish,
// Scroll Lock); the backend only ever lets go of it around a message box.
struct grabstate {
    bool on = false;
    bool suspended = false;
};

grabstate G;

// Confinement only, never relative mode: the game draws its own pointer at
// the position we report and must see it stop at the edges.
void apply() {
    SDL_Window* w = sdlwin_window();
    if (!w) return;
    SDL_SetWindowMouseGrab(w, G.on && !G.suspended ? SDL_TRUE : SDL_FALSE);
}

}  // namespace

void sdlgrab_set(bool on) {
    G.on = on;
    apply();
}

void sdlgrab_suspend(bool suspended) {
    G.suspended = suspended;
    apply();
}
