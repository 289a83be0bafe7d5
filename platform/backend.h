#pragma once
// What a backend provides underneath the shared message queue, surfaces and
// timer bookkeeping. Internal to platform/.
#include <string>

#include "platform/platform.h"

struct platbackend {
    const char* name;
    // Opens the window (or nothing, headless). False with *err on failure.
    bool (*openwindow)(const char* title, std::string* err);
    void (*closewindow)();
    // Moves pending input into the message queue; with wait, blocks until
    // at least one message is queued.
    void (*pump)(bool wait);
    // Shows a 640 x 480 frame in the display's 16-bit layout.
    void (*present)(const u16* pixels, u32 format);
    void (*messagebox)(const char* text, const char* caption);
    // Timer: start calling fire() every period; stop.
    bool (*starttimer)(u32 periodms);
    void (*stoptimer)();
    // One pass of a busy wait.
    void (*spin)();
    void (*setgrab)(bool on);
    void (*settitle)(const char* title);
    void (*shutdown)();
};

extern const platbackend sdlbackend;
extern const platbackend headlessbackend;

// Shared services the backends call.
void platq_push(u32 message, u32 wparam, i32 lparam);
bool platq_empty();
// A fresh start: no messages, no keys held, the mouse at the origin.
void platq_reset();
void plat_setcursorpos(i32 x, i32 y);
void plat_setkeyheld(u32 vk, bool held);
void plat_setfocus(bool focused);
// Scroll Lock: lets the mouse go, or takes it again.
void plat_togglegrabrelease();
// Fires the game's timer callback once (from the timer thread, or headless
// from the virtual clock).
void plat_firetimer();
bool plat_timerrunning();
// Writes a frame in the display's layout as a PNG.
bool plat_saveshot(const std::string& hostpath, const u16* pixels, u32 format);
// F12: the next free shots/shotNNNN.png in the data directory.
void plat_savenumberedshot();
// Records one input event to the --record file (no-op without one).
void plat_record(const char* line);
