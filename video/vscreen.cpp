#include "video/vscreen.h"

#include <cstring>

#include "app/exitgame.h"
#include "video/dderror.h"
#include "video/display.h"

u32 lockvs() {
    if (vslocked) return 1;
    ddsurfacedesc desc;
    hresult r;
    while ((r = dd_lock(vssurface, &desc)) == DDERR_WASSTILLDRAWING) {}
    if (r != DD_OK) {
        showdderror("Lock()", r);
        exitgame(6, "Couldn't Lock() Virtual Screen!");
    }
    vsptr = (u8*)desc.surface;
    vslocked = 1;
    return 1;
}

u32 unlockvs() {
    if (!vslocked) return 1;
    hresult r = dd_unlock(vssurface);
    if (r != DD_OK) {
        showdderror("Unlock()", r);
        exitgame(6, "Couldn't Unlock() Virtual Screen!");
    }
    vslocked = 0;
    return 1;
}

void beginvsdraw() {
    if (!vsheld) lockvs();
}

void endvsdraw() {
    if (!vsheld) unlockvs();
}

void clearvs() {
    beginvsdraw();
    for (int row = 0; row < 480; row++) std::memset(vsptr + VSORIGIN + row * 1536, 0, 1280);
    endvsdraw();
}

void clearvsall() {
    beginvsdraw();
    std::memset(vsptr, 0, VSBYTES);
    endvsdraw();
}

static i32 clampi(i32 v, i32 lo, i32 hi) { return v < lo ? lo : v > hi ? hi : v; }

bool vsclip(i32 x, i32 y, i32 w, i32 h, vsspan* out) {
    out->col0 = clampi(-VSLEFT - x, 0, w);
    out->col1 = clampi(VSWIDTH - VSLEFT - x, 0, w);
    out->row0 = clampi(-VSTOP - y, 0, h);
    out->row1 = clampi(VSHEIGHT - VSTOP - y, 0, h);
    return out->col0 < out->col1 && out->row0 < out->row1;
}
