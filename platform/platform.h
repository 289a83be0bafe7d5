#pragma once
// The one interface between the game and the machine: window and messages,
// the periodic timer, message boxes, process control and start-up options.
// The display surfaces are in platform/ddraw.h, files in platform/files.h.
// Two backends sit behind it: a real window (sdl) and a headless one for
// tests, with a virtual clock and scripted input.
#include <string>

#include "platform/types.h"
#include "platform/winmsg.h"

struct platoptions {
    bool headless = false;
    bool fullscreen = false;
    bool mute = false;
    int scale = 0;          // 0: fit the desktop
    int pixelformat = 565;  // 565 or 555: the display's 16-bit layout
    std::string datadir;    // content tree; the game runs inside it
    std::string userdir;    // the player's tree named on the command line (--user-dir)
    std::string playfile;   // input script
    std::string recordfile; // where to write what the user did
    std::string startdir;   // where the command was started (for shot paths)
    std::string mapname;    // --map: the map "Run Demo" and the map editor take instead of map0
};

// Parses the command line. 0: go on; 1: done (help or version printed);
// 2: refused (message in *err).
int plat_parseargs(int argc, char** argv, platoptions* out, std::string* err);
// Enters the data directory, loads the script, picks the backend. False with
// *err set when it cannot.
bool plat_init(const platoptions& opts, std::string* err);
// The exit status once plat_init has failed: 3 when the content tree cannot
// be entered (a file that cannot be used), 1 otherwise.
int plat_initfailure();
void plat_shutdown();
const platoptions& plat_options();

// ---- window and messages -------------------------------------------------
struct platmsg {
    u32 message = 0;
    u32 wparam = 0;
    i32 lparam = 0;
};
typedef i32 (*windowprocfn)(u32 message, u32 wparam, i32 lparam);

bool plat_createwindow(const char* title, windowprocfn proc);
// Sends the destroy message to the window procedure, then closes the window.
void plat_destroywindow();
bool plat_windowexists();
// The window's caption (kept for a window opened later, and for tests).
void plat_setwindowtitle(const char* title);
const std::string& plat_windowtitle();
// Looks at the next message without taking it. False when none is waiting.
bool plat_peekmessage(platmsg* m);
// Takes the next message, waiting for one. False when it is the quit message.
bool plat_getmessage(platmsg* m);
void plat_waitmessage();
void plat_translatemessage(const platmsg* m);
i32 plat_dispatchmessage(const platmsg* m);
i32 plat_defwindowproc(u32 message, u32 wparam, i32 lparam);
void plat_postmessage(u32 message, u32 wparam, i32 lparam);
void plat_postquitmessage(int code);

// Mouse position in 640 x 480 picture coordinates.
void plat_getcursorpos(i32* x, i32* y);
// True while the key with this virtual-key code is held.
bool plat_keyheld(u32 vk);
// True while a lock key (Caps Lock) is on.
bool plat_keytoggled(u32 vk);
// While on, typed characters arrive as WM_CHAR (printable ASCII, one message
// each) besides the key messages; screens with text fields turn it on.
void plat_settextinput(bool on);
bool plat_textinput();

// A box with one OK button; returns when it is answered. Its text is also
// written to standard error (plat_boxline). SIGINT and SIGTERM end the
// process with status 128 + the signal while it is up. Tests may catch
// boxes through plat_messageboxhook instead.
void plat_messagebox(const char* text, const char* caption);
// "vennor: caption: text\n", naming the data directory when the box is about
// a file.
std::string plat_boxline(const char* text, const char* caption);
extern void (*plat_messageboxhook)(const char* text, const char* caption);
// The game's state as text, for a script's "dump" event; without it the
// dump is an empty file.
extern void (*plat_statedumphook)(std::string* out);
// Written to the debugger output (standard error here).
void plat_debugoutput(const char* text);

void plat_setpriority(bool high);
// Ends the process. Tests may replace it (plat_exithook) to catch the exit.
[[noreturn]] void plat_exitprocess(int code);
extern void (*plat_exithook)(int code);

// Mouse confinement: the game says whether its screen wants it (edge scrolling).
void plat_setgrabwanted(bool wanted);
// The one grab rule: never without focus, never after Scroll Lock released it.
bool plat_grabpolicy(bool focused, bool wanted, bool released);

// ---- the periodic timer --------------------------------------------------
typedef void (*timerfn)(u32 id, u32 msg, u32 user, u32 dw1, u32 dw2);
// Starts a periodic timer; returns its id, 0 on failure.
u32 plat_timesetevent(u32 periodms, u32 resolution, timerfn fn, u32 user);
// False when the id names no running timer.
bool plat_timekillevent(u32 id);
// One pass of a busy wait. The headless clock advances one tick here.
void plat_spin();
// Ticks the platform has fired since the timer started.
u32 plat_ticks();
