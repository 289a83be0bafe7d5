#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/platform.h"
#include "video/dderror.h"
#include "video/ddutil.h"
#include "video/picture.h"

u32 bmpwidth = 0, bmpheight = 0;

static const char* rightsize(const ddsurfacedesc& desc, picsize want) {
    if (want.width == 0 && want.height == 0) return nullptr;
    if ((u32)desc.width == want.width && (u32)desc.height == want.height) return nullptr;
    static char why[96];
    std::snprintf(why, sizeof why, "%d x %d pixels, the program needs %u x %u", desc.width, desc.height, want.width,
                  want.height);
    return why;
}

// The surface's pixels copied out; a lock or unlock that fails is the
// display's failure, not the file's, and ends the program as one.
static u16* copyout(ddsurface* s, picsize want, const char** why) {
    ddsurfacedesc desc;
    hresult r;
    while ((r = dd_lock(s, &desc)) == DDERR_WASSTILLDRAWING) {}
    if (r != DD_OK) {
        showdderror("Lock() in loadandunpackbmp()", r);
        exitgame(6, "Lock() in loadandunpackbmp");
    }
    *why = rightsize(desc, want);
    u16* buf = nullptr;
    if (!*why) {
        bmpwidth = (u32)desc.width;
        bmpheight = (u32)desc.height;
        size_t rowbytes = (size_t)bmpwidth * 2;
        buf = (u16*)gamecalloc(rowbytes * bmpheight, "loadandunpackbmp()");
        for (u32 y = 0; y < bmpheight; y++)
            std::memcpy((u8*)buf + y * rowbytes, (const u8*)desc.surface + (size_t)y * desc.pitch, rowbytes);
    }
    if (dd_unlock(s) != DD_OK) exitgame(6, "Couldn't unlock surface in loadandunpackbitmap()");
    return buf;
}

const char* unpackbmpbytes(const u8* data, size_t size, picsize want, u16** out) {
    std::string decodewhy;
    ddsurface* s = DDLoadBitmapBytes(data, size, true, &decodewhy);
    if (!s) {
        static std::string reason;
        reason = decodewhy.empty() ? "not a picture" : decodewhy;
        return reason.c_str();
    }
    const char* why = nullptr;
    u16* buf = copyout(s, want, &why);
    dd_releasesurface(s);
    if (why) return why;
    *out = buf;
    return nullptr;
}

u16* loadandunpackbmp(const char* file, picsize want) {
    std::vector<u8> bytes;
    if (!plat_readbitmapfile(file, &bytes)) exitgame(3, file);
    u16* buf = nullptr;
    if (const char* why = unpackbmpbytes(bytes.data(), bytes.size(), want, &buf)) {
        char line[512];
        std::snprintf(line, sizeof line, "%s: %s\n", file, why);
        plat_debugoutput(line);
        exitgame(3, file);
    }
    return buf;
}
