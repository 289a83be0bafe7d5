// The message queue and the one window. Messages are queued by the backends
// (input), by the display (mode change) and by the game (quit), and taken
// by the game's loops, which dispatch them to its window procedure.
#include <deque>
#include <string>

#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/scriptplayer.h"
#include "platform/settings.h"

extern const platbackend* backend;

static std::deque<platmsg> queue;
static windowprocfn windowproc = nullptr;
static bool windowopen = false;
static std::string windowtitle;
static i32 cursorx = 0, cursory = 0;
static bool keys[256];
static bool toggled[256]; // lock keys: flipped each time they go down
static bool focused = false;
static bool grabwanted = false;
static bool textinputon = false;

static void applygrab();

void platq_push(u32 message, u32 wparam, i32 lparam) { queue.push_back({message, wparam, lparam}); }
bool platq_empty() { return queue.empty(); }

void platq_reset() {
    queue.clear();
    for (bool& k : keys) k = false;
    for (bool& k : toggled) k = false;
    cursorx = cursory = 0;
    textinputon = false;
}

bool plat_createwindow(const char* title, windowprocfn proc) {
    std::string err;
    if (!backend || !backend->openwindow(title, &err)) {
        plat_debugoutput(("vennor: cannot open the window: " + err + "\n").c_str());
        return false;
    }
    windowproc = proc;
    windowopen = true;
    windowtitle = title;
    applygrab();
    return true;
}

void plat_destroywindow() {
    if (!windowopen) return;
    windowopen = false;
    if (windowproc) windowproc(WM_DESTROY, 0, 0);
    backend->setgrab(false);
    backend->closewindow();
}

bool plat_windowexists() { return windowopen; }


void plat_setwindowtitle(const char* title) {
    windowtitle = title;
    if (backend && windowopen) backend->settitle(title);
}

const std::string& plat_windowtitle() { return windowtitle; }

static void fill() {
    if (!windowopen) return;
    backend->pump(false);
    scriptplayer_deliver();
}

bool plat_peekmessage(platmsg* m) {
    fill();
    if (queue.empty()) return false;
    *m = queue.front();
    return true;
}

void plat_waitmessage() {
    fill();
    while (queue.empty() && windowopen) {
        if (scriptplayer_active() && plat_options().headless && !plat_timerrunning())
            scriptplayer_stalled(dd_lastframe(), dd_displayformat());
        else
            backend->pump(true);
        scriptplayer_deliver();
    }
}

bool plat_getmessage(platmsg* m) {
    plat_waitmessage();
    if (queue.empty()) {
        *m = {WM_QUIT, 0, 0};
        return false;
    }
    *m = queue.front();
    queue.pop_front();
    return m->message != WM_QUIT;
}

void plat_translatemessage(const platmsg*) {}

i32 plat_dispatchmessage(const platmsg* m) {
    if (!windowproc || !windowopen) return 0;
    return windowproc(m->message, m->wparam, m->lparam);
}

i32 plat_defwindowproc(u32, u32, i32) { return 0; }

void plat_postmessage(u32 message, u32 wparam, i32 lparam) { platq_push(message, wparam, lparam); }
void plat_postquitmessage(int code) { platq_push(WM_QUIT, (u32)code, 0); }

void plat_getcursorpos(i32* x, i32* y) {
    *x = cursorx;
    *y = cursory;
}

void plat_setcursorpos(i32 x, i32 y) {
    cursorx = x < 0 ? 0 : x > 639 ? 639 : x;
    cursory = y < 0 ? 0 : y > 479 ? 479 : y;
}

bool plat_keyheld(u32 vk) { return vk < 256 && keys[vk]; }
bool plat_keytoggled(u32 vk) { return vk < 256 && toggled[vk]; }

void plat_settextinput(bool on) { textinputon = on; }
bool plat_textinput() { return textinputon; }
// A lock key changes its state each time it goes down.
void plat_setkeyheld(u32 vk, bool held) {
    if (vk >= 256) return;
    if (held && !keys[vk]) toggled[vk] = !toggled[vk];
    keys[vk] = held;
}

static bool grabreleased = false;

bool plat_grabpolicy(bool hasfocus, bool wanted, bool released) { return hasfocus && wanted && !released; }

// grab = 0 in the settings: the player never wants the mouse held.
static bool grabpermitted() {
    const char* v = plat_setting("grab");
    return !v || v[0] == '1';
}

static void applygrab() {
    if (backend && windowopen) backend->setgrab(plat_grabpolicy(focused, grabwanted && grabpermitted(), grabreleased));
}

void plat_setfocus(bool f) {
    focused = f;
    applygrab();
}

void plat_setgrabwanted(bool wanted) {
    if (wanted == grabwanted) return;
    grabwanted = wanted;
    applygrab();
}

void plat_togglegrabrelease() {
    grabreleased = !grabreleased;
    applygrab();
}
