// Display surfaces kept in memory. The primary surface's back buffer is what
// a flip hands to the backend to show.
#include "platform/ddraw.h"

#include <cstring>

#include "platform/backend.h"
#include "platform/ddsurface.h"
#include "platform/scriptplayer.h"

extern const platbackend* backend;

static bool ddexists = false;
static bool coop = false;
static ddsurface* primarysurface = nullptr;
static u16 lastframe[640 * 480];
static ddfailpoint failwhere = DDF_NONE;
static hresult failcode = DD_OK;

bool dd_injected(ddfailpoint where, hresult* code) {
    if (failwhere != where) return false;
    *code = failcode;
    failwhere = DDF_NONE;
    return true;
}

void dd_failnext(ddfailpoint where, hresult code) {
    failwhere = where;
    failcode = code;
}

u32 dd_displayformat() { return plat_options().pixelformat == 555 ? 555 : 565; }

u16 dd_packrgb(u32 format, u8 r, u8 g, u8 b) {
    if (format == 555) return (u16)(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    return (u16)(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

const u16* dd_lastframe() { return lastframe; }

hresult dd_create() {
    hresult code;
    if (dd_injected(DDF_CREATE, &code)) return code;
    ddexists = true;
    return DD_OK;
}

bool dd_exists() { return ddexists; }

hresult dd_setcooperativelevel() {
    if (!ddexists) return DDERR_NOTINITIALIZED;
    coop = true;
    return DD_OK;
}

hresult dd_setdisplaymode(i32 width, i32 height, i32 bpp) {
    if (!coop) return DDERR_NOCOOPERATIVELEVELSET;
    if (width != 640 || height != 480 || bpp != 16) return makeddhresult(120); // DDERR_INVALIDMODE
    plat_postmessage(WM_DISPLAYCHANGE, 16, makelparam(640, 480));
    return DD_OK;
}

static ddsurface* newsurface(i32 w, i32 h, bool sysmem) {
    ddsurface* s = new ddsurface;
    s->width = w;
    s->height = h;
    s->systemmemory = sysmem;
    s->pixels.assign((size_t)w * (size_t)h, 0);
    return s;
}

hresult dd_createprimary(ddsurface** out) {
    hresult code;
    if (!ddexists) return DDERR_NOTINITIALIZED;
    if (dd_injected(DDF_PRIMARY, &code)) return code;
    if (primarysurface) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    primarysurface = newsurface(640, 480, false);
    primarysurface->primary = true;
    primarysurface->back = newsurface(640, 480, false);
    *out = primarysurface;
    return DD_OK;
}

hresult dd_getattachedsurface(ddsurface* primary, ddsurface** out) {
    if (!primary || !primary->back) return makeddhresult(255); // DDERR_NOTFOUND
    *out = primary->back;
    return DD_OK;
}

hresult dd_createsurface(i32 width, i32 height, bool systemmemory, ddsurface** out) {
    hresult code;
    if (!ddexists) return DDERR_NOTINITIALIZED;
    if (dd_injected(DDF_VSCREEN, &code)) return code;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return DDERR_INVALIDPARAMS;
    *out = newsurface(width, height, systemmemory);
    return DD_OK;
}

void dd_releasesurface(ddsurface* s) {
    if (!s) return;
    if (s == primarysurface) primarysurface = nullptr;
    delete s->back;
    delete s;
}

void dd_release() {
    ddexists = false;
    coop = false;
}

hresult dd_getsurfacedesc(ddsurface* s, ddsurfacedesc* out) {
    if (!s) return DDERR_INVALIDOBJECT;
    out->width = s->width;
    out->height = s->height;
    out->pitch = s->width * 2;
    out->surface = nullptr;
    return DD_OK;
}

hresult dd_lock(ddsurface* s, ddsurfacedesc* out) {
    hresult code;
    if (!s) return DDERR_INVALIDOBJECT;
    if (dd_injected(DDF_LOCK, &code)) return code;
    if (s->lost) return DDERR_SURFACELOST;
    if (s->locked) return DDERR_SURFACEBUSY;
    s->locked = true;
    dd_getsurfacedesc(s, out);
    out->surface = s->pixels.data();
    return DD_OK;
}

hresult dd_unlock(ddsurface* s) {
    hresult code;
    if (!s) return DDERR_INVALIDOBJECT;
    if (dd_injected(DDF_UNLOCK, &code)) return code;
    if (!s->locked) return DDERR_NOTLOCKED;
    s->locked = false;
    return DD_OK;
}

static bool inside(const ddsurface* s, const ddrect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= s->width && r.bottom <= s->height && r.left < r.right &&
           r.top < r.bottom;
}

static bool keyed(const ddsurface* s, u16 p) { return s->haskey && p >= s->keylow && p <= s->keyhigh; }

// Copies src rectangle sr onto dst rectangle dr, stretching by nearest pixel.
static void copyrect(ddsurface* dst, const ddrect& dr, const ddsurface* src, const ddrect& sr, bool usekey) {
    i32 dw = dr.right - dr.left, dh = dr.bottom - dr.top;
    i32 sw = sr.right - sr.left, sh = sr.bottom - sr.top;
    for (i32 y = 0; y < dh; y++) {
        const u16* srow = &src->pixels[(size_t)(sr.top + y * sh / dh) * src->width + sr.left];
        u16* drow = &dst->pixels[(size_t)(dr.top + y) * dst->width + dr.left];
        if (!usekey && sw == dw) {
            std::memcpy(drow, srow, (size_t)dw * 2);
            continue;
        }
        for (i32 x = 0; x < dw; x++) {
            u16 p = srow[x * sw / dw];
            if (!usekey || !keyed(src, p)) drow[x] = p;
        }
    }
}

static hresult checkblt(ddsurface* dst, ddsurface* src) {
    hresult code;
    if (!dst || !src) return DDERR_INVALIDOBJECT;
    if (dd_injected(DDF_BLT, &code)) return code;
    if (dst->lost || src->lost) return DDERR_SURFACELOST;
    if (dst->locked || src->locked) return DDERR_SURFACEBUSY;
    return DD_OK;
}

hresult dd_bltfast(ddsurface* dst, i32 x, i32 y, ddsurface* src, const ddrect* srcrect, u32 flags) {
    hresult r = checkblt(dst, src);
    if (r != DD_OK) return r;
    ddrect sr = srcrect ? *srcrect : ddrect{0, 0, src->width, src->height};
    ddrect dr = {x, y, x + sr.right - sr.left, y + sr.bottom - sr.top};
    if (!inside(src, sr) || !inside(dst, dr)) return DDERR_INVALIDRECT;
    copyrect(dst, dr, src, sr, (flags & DDBLT_KEYSRC) != 0);
    return DD_OK;
}

hresult dd_blt(ddsurface* dst, const ddrect* dstrect, ddsurface* src, const ddrect* srcrect, u32 flags) {
    hresult r = checkblt(dst, src);
    if (r != DD_OK) return r;
    ddrect sr = srcrect ? *srcrect : ddrect{0, 0, src->width, src->height};
    ddrect dr = dstrect ? *dstrect : ddrect{0, 0, dst->width, dst->height};
    if (!inside(src, sr) || !inside(dst, dr)) return DDERR_INVALIDRECT;
    copyrect(dst, dr, src, sr, (flags & DDBLT_KEYSRC) != 0);
    return DD_OK;
}

hresult dd_flip(ddsurface* primary) {
    hresult code;
    if (!primary || !primary->primary) return DDERR_NOTFLIPPABLE;
    if (dd_injected(DDF_FLIP, &code)) return code;
    if (primary->lost || primary->back->lost) return DDERR_SURFACELOST;
    std::memcpy(lastframe, primary->back->pixels.data(), sizeof lastframe);
    backend->present(lastframe, dd_displayformat());
    scriptplayer_framepresented(lastframe, dd_displayformat());
    return DD_OK;
}

hresult dd_restore(ddsurface* s) {
    if (!s) return DDERR_INVALIDOBJECT;
    s->lost = false;
    if (s->back) s->back->lost = false;
    return DD_OK;
}

hresult dd_restoreallsurfaces() {
    if (!ddexists) return DDERR_NOTINITIALIZED;
    for (ddsurface* s : ddsurface_all()) s->lost = false;
    return DD_OK;
}

void dd_losesurfaces() {
    // Video memory loses its contents; system memory keeps them.
    for (ddsurface* s : ddsurface_all()) {
        if (s->systemmemory) continue;
        s->lost = true;
        std::fill(s->pixels.begin(), s->pixels.end(), (u16)0);
    }
}

hresult dd_getpixelformat(ddsurface* s, ddpixelformat* out) {
    if (!s) return DDERR_INVALIDOBJECT;
    out->rgbbitcount = 16;
    bool f555 = dd_displayformat() == 555;
    out->rmask = f555 ? 0x7C00 : 0xF800;
    out->gmask = f555 ? 0x03E0 : 0x07E0;
    out->bmask = 0x001F;
    return DD_OK;
}

hresult dd_setcolorkey(ddsurface* s, u32 low, u32 high) {
    if (!s) return DDERR_INVALIDOBJECT;
    s->haskey = true;
    s->keylow = (u16)low;
    s->keyhigh = (u16)high;
    return DD_OK;
}

hresult dd_fliptogdisurface() { return ddexists ? DD_OK : DDERR_NOTINITIALIZED; }
