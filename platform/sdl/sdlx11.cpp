// Full screen on an X display with no window manager. SDL asks the window
// manager to make the window cover the screen and, without waiting for an
// answer, takes the window to be that size. With nobody to answer, the
// window keeps its size while SDL draws and maps the mouse for another, and
// on the way back SDL keeps the full-screen size. Here we look for a window
// manager and, when there is none, move and size the window ourselves.
//
// Xlib is reached through SDL's own loader (SDL loads it the same way), so
// the program does not need it when it runs on another display system.
#include "platform/sdl/sdlinternal.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>

namespace {

struct xlib {
    bool tried = false;
    void* lib = nullptr;
    Atom (*internatom)(Display*, const char*, Bool) = nullptr;
    int (*getproperty)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*, unsigned long*,
                       unsigned char**) = nullptr;
    int (*xfree)(void*) = nullptr;
    int (*getattributes)(Display*, Window, XWindowAttributes*) = nullptr;
    int (*moveresize)(Display*, Window, int, int, unsigned int, unsigned int) = nullptr;
    int (*raise)(Display*, Window) = nullptr;
    int (*sync)(Display*, Bool) = nullptr;
};

xlib X;

template <typename F> bool load(F& f, const char* name) {
    f = (F)SDL_LoadFunction(X.lib, name);
    return f != nullptr;
}

bool havexlib() {
    if (X.tried) return X.lib != nullptr;
    X.tried = true;
    X.lib = SDL_LoadObject("libX11.so.6");
    if (!X.lib) return false;
    bool ok = load(X.internatom, "XInternAtom") && load(X.getproperty, "XGetWindowProperty") &&
              load(X.xfree, "XFree") && load(X.getattributes, "XGetWindowAttributes") &&
              load(X.moveresize, "XMoveResizeWindow") && load(X.raise, "XRaiseWindow") && load(X.sync, "XSync");
    if (!ok) {
        SDL_UnloadObject(X.lib);
        X.lib = nullptr;
    }
    return ok;
}

bool x11of(SDL_Window* w, Display** d, Window* xw) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!w || !SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11 || !havexlib()) return false;
    *d = info.info.x11.display;
    *xw = info.info.x11.window;
    return true;
}

// A window manager that can make windows full screen announces itself on
// the root window (the same test SDL makes).
bool haswindowmanager(Display* d) {
    Atom check = X.internatom(d, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    int st = X.getproperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after,
                           &data);
    bool found = st == Success && data && count == 1;
    if (data) X.xfree(data);
    return found;
}

}  // namespace

bool sdlx11_unmanaged(SDL_Window* w) {
    Display* d;
    Window xw;
    return x11of(w, &d, &xw) && !haswindowmanager(d);
}

void sdlx11_place(SDL_Window* w, const SDL_Rect& r) {
    Display* d;
    Window xw;
    if (!x11of(w, &d, &xw)) return;
    X.moveresize(d, xw, r.x, r.y, (unsigned)r.w, (unsigned)r.h);
    X.raise(d, xw);
    X.sync(d, False);
}

bool sdlx11_realsize(SDL_Window* w, i32* width, i32* height) {
    Display* d;
    Window xw;
    XWindowAttributes a;
    if (!x11of(w, &d, &xw) || !X.getattributes(d, xw, &a)) return false;
    *width = a.width;
    *height = a.height;
    return true;
}

#else

bool sdlx11_unmanaged(SDL_Window*) { return false; }
void sdlx11_place(SDL_Window*, const SDL_Rect&) {}
bool sdlx11_realsize(SDL_Window*, i32*, i32*) { return false; }

#endif
