#include <cstdio>
#include <cstring>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/platform.h"
#include "video/dderror.h"
#include "video/ddutil.h"
#include "video/picture.h"

u32 bmpwidth = 0, bmpheight = 0;

static bool rightsize(const char* file, const ddsurfacedesc& desc, picsize want) {
    if (want.width == 0 && want.height == 0) return true;
    if ((u32)desc.width == want.width && (u32)desc.height == want.height) return true;
    char why[512];
    std::snprintf(why, sizeof why, "%s: %d x %d pixels, the program needs %u x %u\n", file, desc.width, desc.height,
                  want.width, want.height);
    plat_debugoutput(why);
    return false;
}

u16* loadandunpackbmp(const char* file, picsize want) {
    ddsurface* s = DDLoadBitmapSys(file, 0, 0);
    if (!s) exitgame(3, file);
    ddsurfacedesc desc;
    hresult r;
    while ((r = dd_lock(s, &desc)) == DDERR_WASSTILLDRAWING) {}
    if (r != DD_OK) {
        showdderror("Lock() in loadandunpackbmp()", r);
        exitgame(6, "Lock() in loadandunpackbmp");
    }
    if (!rightsize(file, desc, want)) {
        dd_unlock(s);
        dd_releasesurface(s);
        exitgame(3, file);
    }
    bmpwidth = (u32)desc.width;
    bmpheight = (u32)desc.height;
    size_t rowbytes = (size_t)bmpwidth * 2;
    u16* buf = (u16*)gamecalloc(rowbytes * bmpheight, "loadandunpackbmp()");
    for (u32 y = 0; y < bmpheight; y++)
        std::memcpy((u8*)buf + y * rowbytes, (const u8*)desc.surface + (size_t)y * desc.pitch, rowbytes);
    if (dd_unlock(s) != DD_OK) exitgame(6, "Couldn't unlock surface in loadandunpackbitmap()");
    dd_releasesurface(s);
    return buf;
}
