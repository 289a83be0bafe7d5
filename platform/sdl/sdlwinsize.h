#pragma once
// The real window's sizes, for checking a full-screen switch from outside
// the backend (the tests). Free of SDL.
#include "platform/types.h"

struct sdlwinsizes {
    i32 sdlw = 0, sdlh = 0;    // the size SDL takes the window to have
    i32 realw = 0, realh = 0;  // the size the display system gives it
    i32 outw = 0, outh = 0;    // what the renderer draws
    bool fullscreen = false;
};

// False when no window is open.
bool sdlwin_sizes(sdlwinsizes* s);
// Alt+Enter: full screen on the window's display, or back to the window.
void sdlwin_togglefullscreen();
