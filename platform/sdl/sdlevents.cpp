#include <atomic>
#include <chrono>
#include <thread>

#include "platform/backend.h"
#include "platform/sdl/sdlcontroller.h"
#include "platform/sdl/sdlinternal.h"

namespace {

constexpr u32 waitslicems = 100;

struct eventstate {
    bool focused = true;
    bool destroysent = false;
};

eventstate E;
// Messages posted from the timer thread do not wake SDL_WaitEvent, so the
// timer pushes an event of this type; at most one is ever in flight.
std::atomic<u32> waketype{0};
std::atomic<bool> wakepending{false};

void setfocused(bool focused) {
    if (focused == E.focused) return;
    E.focused = focused;
    plat_setfocus(focused);
    platq_push(WM_ACTIVATEAPP, focused ? 1 : 0, 0);
    platq_push(WM_ACTIVATE, focused ? WA_ACTIVE : WA_INACTIVE, 0);
}

// The close button and SIGINT both arrive, often together; the game must
// hear about it once.
void destroy() {
    if (E.destroysent) return;
    E.destroysent = true;
    platq_push(WM_DESTROY, 0, 0);
}

void windowevent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: setfocused(true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: setfocused(false); break;
    case SDL_WINDOWEVENT_CLOSE: destroy(); break;
    case SDL_WINDOWEVENT_EXPOSED: sdlwin_repaint(); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        sdlwin_repaint();
        sdlmouse_refresh();
        break;
    case SDL_WINDOWEVENT_MOVED: sdlmouse_refresh(); break;
    default: break;
    }
}

void handle(const SDL_Event& e) {
    if (e.type == SDL_MOUSEMOTION) {
        sdlmouse_motion(e.motion);
        return;
    }
    sdlmouse_flush();
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: sdlmouse_button(e.button); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: sdlkeyboard_key(e.key); break;
    case SDL_TEXTINPUT: sdlkeyboard_text(e.text); break;
    case SDL_WINDOWEVENT: windowevent(e.window); break;
    case SDL_QUIT: destroy(); break;
    case SDL_RENDER_TARGETS_RESET: sdlwin_repaint(); break;
    case SDL_RENDER_DEVICE_RESET: sdlwin_devicereset(); break;
    default:
        if (sdlcontroller_event(e)) break;
        if (e.type == waketype.load()) wakepending = false;
        break;
    }
}

void drain() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) handle(e);
    sdlmouse_flush();
    sdlcontroller_tick(SDL_GetTicks());
}

}  // namespace

void sdlevents_open() {
    if (waketype.load() == 0) {
        u32 t = SDL_RegisterEvents(1);
        if (t != (u32)-1) waketype = t;
    }
    E = eventstate{};
    sdlmouse_reset();
    sdlkeyboard_reset();
    sdlcontroller_open();
    plat_setfocus(true);
    platq_push(WM_ACTIVATEAPP, 1, 0);
    platq_push(WM_ACTIVATE, WA_ACTIVE, 0);
}

void sdlevents_quit() {
    sdlcontroller_close();
    waketype = 0;
    wakepending = false;
}

void sdlevents_pump(bool wait) {
    if (!sdlwin_sdlup()) {
        while (wait && platq_empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return;
    }
    sdlkeyboard_followtextinput();
    drain();
    while (wait && platq_empty()) {
        SDL_Event e;
        if (!SDL_WaitEventTimeout(&e, waitslicems)) continue;
        handle(e);
        drain();
    }
}

void sdlevents_wake() {
    u32 type = waketype.load();
    if (type == 0 || wakepending.exchange(true)) return;
    SDL_Event e{};
    e.type = type;
    if (SDL_PushEvent(&e) <= 0) wakepending = false;
}
