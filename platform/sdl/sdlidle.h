#pragma once
// How the real window waits instead of spinning: the tick gate the timer
// thread opens at every tick, and the decisions of the present path. Free of
// SDL, so tests can drive them without a display.
#include <cstddef>

#include "platform/types.h"

// ---- the tick gate (sdlidle.cpp) --------------------------------------------
// Called by the timer thread after each tick has been counted.
void sdltick_fire();
// Ticks fired since the program started.
u64 sdltick_count();
// Blocks until a tick newer than the one the previous wait returned on, or
// until timeoutms pass. A tick that came between two waits is not missed: the
// wait after it returns at once. True when a tick came.
bool sdltick_wait(u32 timeoutms);

// ---- the present path ---------------------------------------------------------
// True when the frame shows nothing the window does not already show: there
// is a last presented frame, in the same layout, with the same pixels.
bool sdlidle_unchanged(const u16* last, size_t lastcount, u32 lastformat, const u16* next, size_t nextcount,
                       u32 format);
// How long an idle screen whose frame did not change may wait for the next
// tick or input. With the timer running the tick ends the wait, so the limit
// is only a safety net; without it the wait is one frame.
u32 sdlidle_waitms(bool timerrunning);
// How many frames the window has really drawn and shown (presents and
// repaints), for the tests.
u64 sdlwin_drawcount();

// ---- the backend's own calls, repeated free of SDL for the tests -------------
// (sdltimer.cpp, sdlwindow.cpp; see sdlinternal.h)
bool sdltimer_start(u32 periodms);
void sdltimer_stop();
void sdltimer_spin();
void sdlwin_present(const u16* pixels, u32 format);
void sdlwin_repaint();
