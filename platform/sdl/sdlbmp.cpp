#include "platform/sdl/sdlbmp.h"

#include <SDL.h>

#include <cstring>
#include <utility>

namespace {

bool fail(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return false;
}

// SDL widens 1- and 4-bit pictures to one index a byte. Run-length data may
// name any index, and a lookup past the palette would read outside it.
bool indicesinrange(const SDL_Surface* s, u32 colours) {
    if (s->format->BitsPerPixel != 8) return false;
    const SDL_Palette* p = s->format->palette;
    if (p && (u32)p->ncolors < colours) colours = (u32)p->ncolors;
    for (int y = 0; y < s->h; y++) {
        const u8* row = (const u8*)s->pixels + (size_t)y * s->pitch;
        for (int x = 0; x < s->w; x++)
            if (row[x] >= colours) return false;
    }
    return true;
}

// A plain copy drops the alpha: SDL_ConvertSurfaceFormat does not blend.
bool torgb(SDL_Surface* s, platbitmap* out, std::string* why) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB24, 0);
    if (!rgb) return fail(why, std::string("cannot convert the picture: ") + SDL_GetError());
    size_t row = (size_t)rgb->w * 3;
    out->rgb.assign(row * (size_t)rgb->h, 0);
    for (int y = 0; y < rgb->h; y++)
        std::memcpy(out->rgb.data() + row * (size_t)y, (const u8*)rgb->pixels + (size_t)y * rgb->pitch, row);
    out->width = rgb->w;
    out->height = rgb->h;
    SDL_FreeSurface(rgb);
    return true;
}

} // namespace

bool sdlbmp_decode(const u8* data, size_t size, u32 colours, platbitmap* out, std::string* why) {
    SDL_RWops* rw = SDL_RWFromConstMem(data, (int)size);
    if (!rw) return fail(why, std::string("cannot read the file: ") + SDL_GetError());
    SDL_Surface* s = SDL_LoadBMP_RW(rw, 1);
    if (!s) return fail(why, std::string("unreadable BMP: ") + SDL_GetError());
    bool ok = true;
    if (s->format->palette && !indicesinrange(s, colours)) ok = fail(why, "palette index out of range");
    // Decoded into a scratch picture, so that a refusal leaves *out alone.
    platbitmap b;
    if (ok) ok = torgb(s, &b, why);
    SDL_FreeSurface(s);
    if (ok) *out = std::move(b);
    return ok;
}
