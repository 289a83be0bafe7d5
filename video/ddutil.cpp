#include "video/ddutil.h"

#include "platform/platform.h"
#include "video/dderror.h"

static ddsurface* surfaceof(platbitmap* b, bool sysmem) {
    ddsurface* s = nullptr;
    hresult r = dd_createsurface(b->width, b->height, sysmem, &s);
    if (r != DD_OK) {
        showdderror("DDLoadBitmap()", r);
        plat_freebitmap(b);
        return nullptr;
    }
    ddcopybitmap(s, b, 0, 0, 0, 0);
    plat_freebitmap(b);
    return s;
}

static ddsurface* loadbitmap(const char* name, bool sysmem) {
    platbitmap* b = plat_loadbitmap(name);
    return b ? surfaceof(b, sysmem) : nullptr;
}

ddsurface* DDLoadBitmapBytes(const u8* data, size_t size, bool sysmem, std::string* why) {
    platbitmap* b = plat_decodebitmap(data, size, why);
    return b ? surfaceof(b, sysmem) : nullptr;
}

ddsurface* DDLoadBitmap(const char* name, i32, i32) { return loadbitmap(name, false); }
ddsurface* DDLoadBitmapSys(const char* name, i32, i32) { return loadbitmap(name, true); }

hresult ddreloadbitmap(ddsurface* s, const char* name) {
    platbitmap* b = plat_loadbitmap(name);
    if (!b) {
        plat_debugoutput("handle is null\n");
        return DDERR_GENERIC;
    }
    hresult r = ddcopybitmap(s, b, 0, 0, 0, 0);
    if (r != DD_OK) plat_debugoutput("ddcopybitmap failed\n");
    plat_freebitmap(b);
    return r;
}

hresult ddcopybitmap(ddsurface* s, const platbitmap* b, i32 x, i32 y, i32 width, i32 height) {
    if (!s || !b) return DDERR_GENERIC;
    dd_restore(s);
    if (width == 0) width = b->width;
    if (height == 0) height = b->height;
    ddsurfacedesc desc;
    dd_getsurfacedesc(s, &desc);
    gdidc* dc = nullptr;
    hresult r = dd_getdc(s, &dc);
    if (r == DD_OK) {
        gdi_stretchbitmap(dc, 0, 0, desc.width, desc.height, b, x, y, width, height);
        dd_releasedc(s, dc);
    }
    return r;
}

u32 ddcolormatch(ddsurface* s, u32 rgb) {
    u32 saved = 0;
    gdidc* dc;
    if (rgb != 0xFFFFFFFF && dd_getdc(s, &dc) == DD_OK) {
        saved = gdi_getpixel(dc, 0, 0);
        gdi_setpixel(dc, 0, 0, rgb);
        dd_releasedc(s, dc);
    }
    u32 value = 0xFFFFFFFF;
    ddsurfacedesc desc;
    hresult r;
    while ((r = dd_lock(s, &desc)) == DDERR_WASSTILLDRAWING) {}
    if (r == DD_OK) {
        value = *(const u16*)desc.surface; // 16 bits per pixel: the low half of the first word
        dd_unlock(s);
    }
    if (rgb != 0xFFFFFFFF && dd_getdc(s, &dc) == DD_OK) {
        gdi_setpixel(dc, 0, 0, saved);
        dd_releasedc(s, dc);
    }
    return value;
}

hresult ddsetcolorkey(ddsurface* s, u32 rgb) {
    u32 key = ddcolormatch(s, rgb);
    return dd_setcolorkey(s, key, key);
}
