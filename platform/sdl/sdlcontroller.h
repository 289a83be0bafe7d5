#pragma once
// Game controllers as a mouse and two keys: the left stick moves the
// pointer, A and B are the left and right buttons, Start is Escape and Back
// the view key the mission opens its overhead map with. Internal to
// platform/sdl.
#include <SDL.h>

#include "platform/types.h"

// The stick's axes below this (of 32767) are the stick at rest: no stick
// comes back exactly to the middle.
constexpr i32 PAD_DEADZONE = 8000;

// Pixels a second at full tilt when the stick has just been pushed, and the
// most it grows to after PAD_RAMPMS of holding: slow enough to hit a button,
// fast enough to cross the screen in about a second.
constexpr double PAD_STARTSPEED = 160.0;
constexpr double PAD_TOPSPEED = 720.0;
constexpr u32 PAD_RAMPMS = 1000;

struct padmove {
    double dx = 0, dy = 0;
};

// The pointer's move for the stick at (ax, ay), held out of its dead zone
// for heldms, over elapsedms.
padmove sdlpad_stickstep(i32 ax, i32 ay, u32 heldms, u32 elapsedms);

enum padaction : u8 { PAD_NONE, PAD_LEFTBUTTON, PAD_RIGHTBUTTON, PAD_KEY };
struct padbutton {
    padaction action = PAD_NONE;
    u32 vk = 0;  // PAD_KEY
};
// What a controller button (SDL_GameControllerButton) stands for.
padbutton sdlpad_button(int button);

// Controllers come and go with the SDL events below; none is needed.
void sdlcontroller_open();
void sdlcontroller_close();
// Device added or removed, a button, an axis; false for other events.
bool sdlcontroller_event(const SDL_Event& e);
// Moves the pointer by what the stick has done since the last call.
void sdlcontroller_tick(u32 nowms);
// Controllers open now.
int sdlcontroller_count();
