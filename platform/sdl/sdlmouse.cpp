#include <cstdio>

#include "platform/backend.h"
#include "platform/sdl/sdlinternal.h"

namespace {

// Button and modifier flags Windows puts in the wparam of mouse messages.
enum : u32 {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
};

struct mousestate {
    bool known = false;  // nothing delivered yet: any position is news
    sdlpoint last;
    bool pending = false;
    sdlpoint target;
    u32 buttons = 0;
};

mousestate M;

u32 keyflags() {
    SDL_Keymod mod = SDL_GetModState();
    u32 flags = 0;
    if (mod & KMOD_SHIFT) flags |= MK_SHIFT;
    if (mod & KMOD_CTRL) flags |= MK_CONTROL;
    return flags;
}

bool same(sdlpoint a, sdlpoint b) { return a.x == b.x && a.y == b.y; }

void delivermove(sdlpoint p) {
    M.known = true;
    M.last = p;
    plat_setcursorpos(p.x, p.y);
    platq_push(WM_MOUSEMOVE, M.buttons | keyflags(), makelparam(p.x, p.y));
    char line[32];
    std::snprintf(line, sizeof line, "move %d %d", (int)p.x, (int)p.y);
    plat_record(line);
}

struct buttonmsg {
    u32 bit, down, up;
    const char *downname, *upname;
};

const buttonmsg* buttoninfo(u8 button) {
    static const buttonmsg left{MK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, "ldown", "lup"};
    static const buttonmsg right{MK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, "rdown", "rup"};
    if (button == SDL_BUTTON_LEFT) return &left;
    if (button == SDL_BUTTON_RIGHT) return &right;
    return nullptr;
}

}  // namespace

void sdlmouse_reset() { M = mousestate{}; }

// A high-resolution mouse sends many events per picture pixel and per frame;
// like Windows, the game hears only where the pointer has got to.
void sdlmouse_motion(const SDL_MouseMotionEvent& e) {
    sdlpoint p = sdlwin_topicture(e.x, e.y);
    M.pending = !M.known || !same(p, M.last);
    M.target = p;
}

// Resizing or moving the window changes which picture pixel is under a still
// pointer, and the motion events around a resize carry stale positions, so
// the pointer is looked up afresh.
void sdlmouse_refresh() {
    SDL_Window* w = sdlwin_window();
    if (!w || SDL_GetMouseFocus() != w) return;
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(w, &wx, &wy);
    sdlpoint p = sdlwin_topicture(gx - wx, gy - wy);
    M.pending = !M.known || !same(p, M.last);
    M.target = p;
}

void sdlmouse_flush() {
    if (!M.pending) return;
    M.pending = false;
    delivermove(M.target);
}

void sdlmouse_button(const SDL_MouseButtonEvent& e) {
    const buttonmsg* b = buttoninfo(e.button);
    if (!b) return;
    // Scripts give clicks no position, so a click away from the last move
    // (the first click into an unfocused window) is preceded by one.
    sdlpoint p = sdlwin_topicture(e.x, e.y);
    M.pending = false;
    if (!M.known || !same(p, M.last)) delivermove(p);
    bool down = e.state == SDL_PRESSED;
    M.buttons = down ? (M.buttons | b->bit) : (M.buttons & ~b->bit);
    platq_push(down ? b->down : b->up, M.buttons | keyflags(), makelparam(p.x, p.y));
    plat_record(down ? b->downname : b->upname);
}

// A controller's stick and buttons act where the game's pointer is, which
// need not be where the system's mouse was last seen.
void sdlmouse_moveby(i32 dx, i32 dy) {
    i32 x = 0, y = 0;
    plat_getcursorpos(&x, &y);
    x += dx;
    y += dy;
    sdlpoint p{x < 0 ? 0 : x > 639 ? 639 : x, y < 0 ? 0 : y > 479 ? 479 : y};
    M.pending = false;
    if (!M.known || !same(p, M.last)) delivermove(p);
}

void sdlmouse_press(bool left, bool down) {
    const buttonmsg* b = buttoninfo(left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
    if (down == ((M.buttons & b->bit) != 0)) return;
    i32 x = 0, y = 0;
    plat_getcursorpos(&x, &y);
    M.buttons = down ? (M.buttons | b->bit) : (M.buttons & ~b->bit);
    platq_push(down ? b->down : b->up, M.buttons | keyflags(), makelparam(x, y));
    plat_record(down ? b->downname : b->upname);
}
