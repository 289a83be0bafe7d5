// The headless backend: no display, no audio device, no real time. The clock
// moves one tick at every presented frame and at every pass of a busy wait,
// so a scripted run takes no wall time and gives the same result each time.
#include "platform/backend.h"

static bool open = false;

static bool hl_openwindow(const char*, std::string*) {
    open = true;
    plat_setfocus(true);
    platq_push(WM_ACTIVATEAPP, 1, 0);
    platq_push(WM_ACTIVATE, WA_ACTIVE, 0);
    return true;
}

static void hl_closewindow() { open = false; }

// Waiting for input: let the virtual clock run until the script has something.
static void hl_pump(bool wait) {
    if (wait) plat_firetimer();
}

static void hl_present(const u16*, u32) { plat_firetimer(); }

// Nobody to answer: the text has already gone to standard error.
static void hl_messagebox(const char*, const char*) {}

static bool hl_starttimer(u32) { return true; }
static void hl_stoptimer() {}
static void hl_spin() { plat_firetimer(); }
static void hl_setgrab(bool) {}
static void hl_settitle(const char*) {}
static void hl_shutdown() { open = false; }

const platbackend headlessbackend = {
    "headless", hl_openwindow, hl_closewindow, hl_pump,  hl_present, hl_messagebox,
    hl_starttimer, hl_stoptimer, hl_spin,     hl_setgrab, hl_settitle, hl_shutdown,
};
