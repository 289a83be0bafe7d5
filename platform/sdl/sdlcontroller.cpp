#include "platform/sdl/sdlcontroller.h"

#include <cmath>

#include "platform/backend.h"
#include "platform/sdl/sdlinternal.h"
#include "platform/winmsg.h"

namespace {

constexpr int MAXPADS = 4;

struct padstate {
    SDL_GameController* pad = nullptr;
    SDL_JoystickID id = -1;
    i32 ax = 0, ay = 0;
};

struct controllerstate {
    bool up = false;
    padstate pads[MAXPADS];
    u32 lasttick = 0;
    u32 heldsince = 0;  // 0: no stick out of its dead zone
    // Parts of a pixel the stick has moved but the pointer not yet.
    double carryx = 0, carryy = 0;
};

controllerstate C;

struct buttonentry {
    int button;
    padbutton does;
};

constexpr buttonentry buttons[] = {
    {SDL_CONTROLLER_BUTTON_A, {PAD_LEFTBUTTON, 0}},
    {SDL_CONTROLLER_BUTTON_B, {PAD_RIGHTBUTTON, 0}},
    {SDL_CONTROLLER_BUTTON_START, {PAD_KEY, VK_ESCAPE}},
    {SDL_CONTROLLER_BUTTON_BACK, {PAD_KEY, VK_GAMEPAD_VIEW_BUTTON}},
};

padstate* padof(SDL_JoystickID id) {
    for (padstate& p : C.pads)
        if (p.pad && p.id == id) return &p;
    return nullptr;
}

void add(int index) {
    if (!SDL_IsGameController(index)) return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (padof(id)) return;  // announced at open and again by the event
    for (padstate& p : C.pads) {
        if (p.pad) continue;
        p.pad = SDL_GameControllerOpen(index);
        if (p.pad) p.id = id;
        return;
    }
}

// SDL lets go of a pulled controller's buttons (their up events come
// before the removal), so no button stays down for the game.
void remove(SDL_JoystickID id) {
    padstate* p = padof(id);
    if (!p) return;
    SDL_GameControllerClose(p->pad);
    *p = padstate{};
}

void button(const SDL_ControllerButtonEvent& e) {
    padbutton b = sdlpad_button(e.button);
    bool down = e.state == SDL_PRESSED;
    if (b.action == PAD_KEY) sdlkeyboard_press(b.vk, down);
    else if (b.action != PAD_NONE) sdlmouse_press(b.action == PAD_LEFTBUTTON, down);
}

void axis(const SDL_ControllerAxisEvent& e) {
    padstate* p = padof(e.which);
    if (!p) return;
    if (e.axis == SDL_CONTROLLER_AXIS_LEFTX) p->ax = e.value;
    if (e.axis == SDL_CONTROLLER_AXIS_LEFTY) p->ay = e.value;
}

bool outside(i32 ax, i32 ay) { return std::hypot((double)ax, (double)ay) > PAD_DEADZONE; }

}  // namespace

padmove sdlpad_stickstep(i32 ax, i32 ay, u32 heldms, u32 elapsedms) {
    double mag = std::hypot((double)ax, (double)ay);
    if (mag <= PAD_DEADZONE) return {};
    // Past the dead zone the speed starts from nothing, so a stick just
    // leaving it creeps instead of jumping.
    double tilt = (std::fmin(mag, 32767.0) - PAD_DEADZONE) / (32767.0 - PAD_DEADZONE);
    double ramp = heldms >= PAD_RAMPMS ? 1.0 : (double)heldms / PAD_RAMPMS;
    double speed = tilt * tilt * (PAD_STARTSPEED + (PAD_TOPSPEED - PAD_STARTSPEED) * ramp);
    double pixels = speed * elapsedms / 1000.0;
    return {pixels * ax / mag, pixels * ay / mag};
}

padbutton sdlpad_button(int b) {
    for (const buttonentry& e : buttons)
        if (e.button == b) return e.does;
    return {};
}

// A window opened again (the display changed) keeps the controllers.
void sdlcontroller_open() {
    if (C.up) return;
    C = controllerstate{};
    C.up = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!C.up) return;
    for (int i = 0; i < SDL_NumJoysticks(); i++) add(i);
}

void sdlcontroller_close() {
    if (!C.up) return;
    for (padstate& p : C.pads)
        if (p.pad) SDL_GameControllerClose(p.pad);
    C = controllerstate{};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool sdlcontroller_event(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: add(e.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED: remove(e.cdevice.which); return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: button(e.cbutton); return true;
    case SDL_CONTROLLERAXISMOTION: axis(e.caxis); return true;
    default: return false;
    }
}

void sdlcontroller_tick(u32 now) {
    i32 ax = 0, ay = 0;
    for (const padstate& p : C.pads)
        if (p.pad && outside(p.ax, p.ay)) ax = p.ax, ay = p.ay;
    u32 elapsed = C.lasttick ? now - C.lasttick : 0;
    C.lasttick = now;
    if (!outside(ax, ay)) {
        C.heldsince = 0;
        C.carryx = C.carryy = 0;
        return;
    }
    if (!C.heldsince) C.heldsince = now;
    // A pass long after the last one (a box that waited, a slow frame) moves
    // no further than a frame's worth would.
    if (elapsed > 100) elapsed = 100;
    padmove m = sdlpad_stickstep(ax, ay, now - C.heldsince, elapsed);
    C.carryx += m.dx;
    C.carryy += m.dy;
    i32 dx = (i32)C.carryx, dy = (i32)C.carryy;
    C.carryx -= dx;
    C.carryy -= dy;
    if (dx || dy) sdlmouse_moveby(dx, dy);
}

int sdlcontroller_count() {
    int n = 0;
    for (const padstate& p : C.pads) n += p.pad != nullptr;
    return n;
}
