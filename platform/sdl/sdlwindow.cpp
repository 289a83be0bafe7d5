#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/settings.h"
#include "platform/sdl/sdldriver.h"
#include "platform/sdl/sdlidle.h"
#include "platform/sdl/sdlinternal.h"

namespace {

using steadyclock = std::chrono::steady_clock;

// Presents closer together than this cannot have waited for a display
// refresh, so vsync is missing (Xvfb, some drivers) and we pace ourselves.
constexpr auto novsyncgap = std::chrono::milliseconds(12);
constexpr auto frameperiod = std::chrono::microseconds(16667);

struct windowstate {
    bool sdlup = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* picture = nullptr;  // the game's frame, 640 x 480
    SDL_Texture* blowup = nullptr;   // the frame at a whole multiple
    u32 format = 0;
    i32 blowupfactor = 0;
    i32 maxtexturew = 0, maxtextureh = 0;
    std::vector<u16> lastframe;
    SDL_Rect windowed{};  // where the window goes back to from full screen
    bool haveframe = false;
    bool havepresented = false;
    steadyclock::time_point lastpresent;
    u64 draws = 0;
};

windowstate W;

bool fail(std::string* err) {
    if (err) *err = SDL_GetError();
    return false;
}

bool initsdl(std::string* err) {
    if (W.sdlup) return true;
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        if (err) *err = std::string("no display available (") + SDL_GetError() + "); use --headless --play FILE";
        return false;
    }
    // With no display SDL falls back on drivers that show nothing; a game
    // running where no one can see it is worse than one that says why.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!sdldriver_allowed(driver, SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
        if (err)
            *err = std::string("no display available (only SDL's \"") + (driver ? driver : "") +
                   "\" video driver); set DISPLAY or WAYLAND_DISPLAY, or use --headless --play FILE";
        SDL_Quit();
        return false;
    }
    W.sdlup = true;
    return true;
}

i32 windowfactor() {
    SDL_Rect usable;
    bool known = SDL_GetDisplayUsableBounds(0, &usable) == 0;
    i32 wanted = plat_options().scale;
    if (wanted <= 0) return known ? sdlscale_windowfactor(usable.w, usable.h) : 1;
    if (!known) return wanted;
    i32 factor = sdlscale_fitscale(wanted, usable.w, usable.h);
    if (factor != wanted)
        std::fprintf(stderr, "vennor: scale %d does not fit the desktop (%d x %d usable); using %d\n", (int)wanted,
                     usable.w, usable.h, (int)factor);
    return factor;
}

SDL_Rect displaybounds() {
    SDL_Rect b{0, 0, sdlpicturew, sdlpictureh};
    int index = W.window ? SDL_GetWindowDisplayIndex(W.window) : 0;
    SDL_GetDisplayBounds(index < 0 ? 0 : index, &b);
    return b;
}

// Full screen is asked of the window manager; where there is none, the
// window is put over the display (or back) by hand, so that the size SDL
// draws for and maps the mouse with is the window's real one.
void followswitch(bool full) {
    if (sdlx11_unmanaged(W.window)) {
        if (full) {
            sdlx11_place(W.window, displaybounds());
        } else {
            SDL_SetWindowSize(W.window, W.windowed.w, W.windowed.h);
            SDL_SetWindowPosition(W.window, W.windowed.x, W.windowed.y);
        }
    }
    sdlwin_repaint();
    sdlmouse_refresh();
}

bool createwindow(const char* title, std::string* err) {
    i32 factor = windowfactor();
    u32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (plat_options().fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    W.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED_DISPLAY(0), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                sdlpicturew * factor, sdlpictureh * factor, flags);
    if (!W.window) return fail(err);
    SDL_Rect b = displaybounds();
    W.windowed = {b.x + (b.w - sdlpicturew * factor) / 2, b.y + (b.h - sdlpictureh * factor) / 2,
                  sdlpicturew * factor, sdlpictureh * factor};
    if (plat_options().fullscreen && sdlx11_unmanaged(W.window)) sdlx11_place(W.window, b);
    return true;
}

bool createrenderer(std::string* err) {
    const u32 wanted = SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE;
    W.renderer = SDL_CreateRenderer(W.window, -1, SDL_RENDERER_ACCELERATED | wanted);
    if (!W.renderer) W.renderer = SDL_CreateRenderer(W.window, -1, SDL_RENDERER_SOFTWARE | wanted);
    if (!W.renderer) return fail(err);
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(W.renderer, &info) == 0) {
        W.maxtexturew = info.max_texture_width;
        W.maxtextureh = info.max_texture_height;
    }
    return true;
}

u32 sdlformat(u32 format) { return format == 555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565; }

void dropblowup() {
    if (W.blowup) SDL_DestroyTexture(W.blowup);
    W.blowup = nullptr;
    W.blowupfactor = 0;
}

bool makepicture(u32 format) {
    if (W.picture) SDL_DestroyTexture(W.picture);
    W.picture = SDL_CreateTexture(W.renderer, sdlformat(format), SDL_TEXTUREACCESS_STREAMING, sdlpicturew,
                                  sdlpictureh);
    W.format = W.picture ? format : 0;
    if (W.picture) SDL_SetTextureScaleMode(W.picture, SDL_ScaleModeNearest);
    return W.picture != nullptr;
}

bool fitstexture(i32 factor) {
    bool wideok = W.maxtexturew <= 0 || sdlpicturew * factor <= W.maxtexturew;
    bool tallok = W.maxtextureh <= 0 || sdlpictureh * factor <= W.maxtextureh;
    return wideok && tallok;
}

// The blow-up target follows the drawable size; a failure only costs
// sharpness, so it is not reported.
bool ensureblowup(i32 factor) {
    while (factor > 1 && !fitstexture(factor)) --factor;
    if (W.blowup && W.blowupfactor == factor) return true;
    dropblowup();
    W.blowup = SDL_CreateTexture(W.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                 sdlpicturew * factor, sdlpictureh * factor);
    if (!W.blowup) return false;
    SDL_SetTextureScaleMode(W.blowup, SDL_ScaleModeLinear);
    W.blowupfactor = factor;
    return true;
}

// Without a blow-up target the frame is stretched directly, unsmoothed.
SDL_Texture* blowupframe(const sdlfit& f) {
    SDL_SetTextureScaleMode(W.picture, SDL_ScaleModeNearest);
    if (!ensureblowup(f.factor) || SDL_SetRenderTarget(W.renderer, W.blowup) != 0) return W.picture;
    SDL_RenderCopy(W.renderer, W.picture, nullptr, nullptr);
    SDL_SetRenderTarget(W.renderer, nullptr);
    return W.blowup;
}

// The texture to draw into the fit rectangle. The intermediate pass is only
// worth its cost when it changes the result: an exact multiple (the usual
// window) needs just the nearest blow-up, and smoothing a 1x copy is the same
// as smoothing the frame itself.
SDL_Texture* frameforfit(const sdlfit& f) {
    bool exact = f.w == f.intw && f.h == f.inth;
    if (!exact && f.factor > 1) return blowupframe(f);
    SDL_SetTextureScaleMode(W.picture, exact ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    return W.picture;
}

void draw() {
    i32 ow = 0, oh = 0;
    if (!W.picture || SDL_GetRendererOutputSize(W.renderer, &ow, &oh) != 0) return;
    sdlfit f = sdlscale_fit(ow, oh);
    SDL_Texture* shown = frameforfit(f);
    SDL_SetRenderDrawColor(W.renderer, 0, 0, 0, 255);
    SDL_RenderClear(W.renderer);
    SDL_Rect dst{f.x, f.y, f.w, f.h};
    SDL_RenderCopy(W.renderer, shown, nullptr, &dst);
    SDL_RenderPresent(W.renderer);
    ++W.draws;
}

void pace() {
    steadyclock::time_point now = steadyclock::now();
    if (W.havepresented && now - W.lastpresent < novsyncgap) {
        std::this_thread::sleep_until(W.lastpresent + frameperiod);
        now = steadyclock::now();
    }
    W.lastpresent = now;
    W.havepresented = true;
}

// Nothing new to show: the screen loop would only draw the same picture
// again, so it may sleep until the next tick or input. Messages already
// queued for the game must not wait behind it.
void idlewait() {
    if (!platq_empty()) return;
    SDL_WaitEventTimeout(nullptr, (int)sdlidle_waitms(plat_timerrunning()));
}

void upload(const u16* pixels) {
    SDL_UpdateTexture(W.picture, nullptr, pixels, sdlpicturew * (int)sizeof(u16));
}

}  // namespace

bool sdlwin_open(const char* title, std::string* err) {
    if (W.window) return true;
    if (!initsdl(err)) return false;
    if (!createwindow(title, err) || !createrenderer(err) || !makepicture((u32)plat_options().pixelformat)) {
        if (err && err->empty()) *err = SDL_GetError();
        sdlwin_close();
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    // Text input would route key presses through the input method, which the
    // game has no use for.
    SDL_StopTextInput();
    W.haveframe = false;
    W.havepresented = false;
    return true;
}

void sdlwin_close() {
    dropblowup();
    if (W.picture) SDL_DestroyTexture(W.picture);
    if (W.renderer) SDL_DestroyRenderer(W.renderer);
    if (W.window) SDL_DestroyWindow(W.window);
    W.picture = nullptr;
    W.renderer = nullptr;
    W.window = nullptr;
    W.format = 0;
}

void sdlwin_quit() {
    sdlwin_close();
    if (W.sdlup) SDL_Quit();
    W.sdlup = false;
}

bool sdlwin_sdlup() { return W.sdlup; }

u64 sdlwin_drawcount() { return W.draws; }

SDL_Window* sdlwin_window() { return W.window; }

void sdlwin_present(const u16* pixels, u32 format) {
    if (!W.window || !pixels) return;
    const size_t count = (size_t)sdlpicturew * sdlpictureh;
    if (W.haveframe && sdlidle_unchanged(W.lastframe.data(), W.lastframe.size(), W.format, pixels, count, format)) {
        idlewait();
        return;
    }
    if (format != W.format && !makepicture(format)) return;
    upload(pixels);
    W.lastframe.assign(pixels, pixels + sdlpicturew * sdlpictureh);
    W.haveframe = true;
    draw();
    pace();
}

void sdlwin_repaint() {
    if (W.window && W.haveframe) draw();
}

void sdlwin_devicereset() {
    if (!W.window) return;
    dropblowup();
    if (!makepicture(W.format ? W.format : (u32)plat_options().pixelformat)) return;
    if (W.haveframe) upload(W.lastframe.data());
    sdlwin_repaint();
}

void sdlwin_togglefullscreen() {
    if (!W.window) return;
    bool full = (SDL_GetWindowFlags(W.window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (!full) {
        SDL_GetWindowPosition(W.window, &W.windowed.x, &W.windowed.y);
        SDL_GetWindowSize(W.window, &W.windowed.w, &W.windowed.h);
    }
    if (SDL_SetWindowFullscreen(W.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
    followswitch(!full);
    // The next run starts the way the player left it; a file that cannot be
    // written is said by the settings themselves.
    std::string why;
    plat_setsetting("fullscreen", full ? "0" : "1", &why);
}

bool sdlwin_sizes(sdlwinsizes* s) {
    if (!W.window || !W.renderer) return false;
    SDL_GetWindowSize(W.window, &s->sdlw, &s->sdlh);
    if (!sdlx11_realsize(W.window, &s->realw, &s->realh)) {
        s->realw = s->sdlw;
        s->realh = s->sdlh;
    }
    if (SDL_GetRendererOutputSize(W.renderer, &s->outw, &s->outh) != 0) return false;
    s->fullscreen = (SDL_GetWindowFlags(W.window) & SDL_WINDOW_FULLSCREEN) != 0;
    return true;
}

sdlpoint sdlwin_topicture(i32 wx, i32 wy) {
    i32 ww = 0, wh = 0, ow = 0, oh = 0;
    if (!W.window || SDL_GetRendererOutputSize(W.renderer, &ow, &oh) != 0) return sdlpoint{};
    SDL_GetWindowSize(W.window, &ww, &wh);
    return sdlscale_topicture(sdlscale_fit(ow, oh), ww, wh, wx, wy);
}
