#pragma once
// What the SDL backend's files share among themselves. Internal to
// platform/sdl; the rest of the platform layer sees only sdlbackend.
#include <SDL.h>

#include <string>

#include "platform/sdl/sdlscale.h"
#include "platform/sdl/sdlwinsize.h"
#include "platform/types.h"

// ---- window and drawing (sdlwindow.cpp) ------------------------------------
bool sdlwin_open(const char* title, std::string* err);
void sdlwin_close();
// Ends SDL itself; the window must be closed.
void sdlwin_quit();
bool sdlwin_sdlup();
SDL_Window* sdlwin_window();
void sdlwin_present(const u16* pixels, u32 format);
// Draws the last frame again: the window was uncovered or resized while the
// game had nothing new to show.
void sdlwin_repaint();
// The renderer lost its textures; rebuilds them from the last frame.
void sdlwin_devicereset();
sdlpoint sdlwin_topicture(i32 wx, i32 wy);

// ---- full screen without a window manager (sdlx11.cpp) ---------------------
// True on an X display where no window manager will carry out a full-screen
// switch.
bool sdlx11_unmanaged(SDL_Window* w);
// Moves and sizes the window on the X server itself.
void sdlx11_place(SDL_Window* w, const SDL_Rect& r);
// The size the X server gives the window; false off X.
bool sdlx11_realsize(SDL_Window* w, i32* width, i32* height);

// ---- mouse confinement (sdlgrab.cpp) ---------------------------------------
void sdlgrab_set(bool on);
// Lets the pointer go while a message box is up.
void sdlgrab_suspend(bool suspended);

// ---- input (sdlevents.cpp, sdlmouse.cpp, sdlkeyboard.cpp) ------------------
// A fresh window: forget old input state, announce that the game is in front.
void sdlevents_open();
void sdlevents_quit();
void sdlevents_pump(bool wait);
// Safe from any thread: wakes a pump that is waiting for messages.
void sdlevents_wake();

void sdlmouse_reset();
void sdlmouse_motion(const SDL_MouseMotionEvent& e);
void sdlmouse_button(const SDL_MouseButtonEvent& e);
void sdlmouse_refresh();
// Delivers the move the motion events of this pass have come to, if any.
void sdlmouse_flush();
// The pointer moved, or a button pressed, by something other than the mouse.
void sdlmouse_moveby(i32 dx, i32 dy);
void sdlmouse_press(bool left, bool down);

void sdlkeyboard_reset();
void sdlkeyboard_key(const SDL_KeyboardEvent& e);
// Typed text, while the game asks for it; SDL's text input follows that wish.
void sdlkeyboard_text(const SDL_TextInputEvent& e);
void sdlkeyboard_followtextinput();
// A key pressed by something other than the keyboard.
void sdlkeyboard_press(u32 vk, bool down);

// ---- timer (sdltimer.cpp) ----------------------------------------------------
bool sdltimer_start(u32 periodms);
void sdltimer_stop();
void sdltimer_spin();

// ---- message box (sdlmessagebox.cpp) ----------------------------------------
void sdlmessagebox_show(const char* text, const char* caption);
