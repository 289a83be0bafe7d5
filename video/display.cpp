#include "video/display.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/memory.h"
#include "app/windowproc.h"
#include "platform/platform.h"
#include "video/dderror.h"
#include "video/ddutil.h"

bool lpDD = false;
ddsurface* primary = nullptr;
ddsurface* backbuffer = nullptr;
ddsurface* vssurface = nullptr;
ddsurface* cursorsurface = nullptr;

u8* vsptr = nullptr;
u32 vslocked = 0;
u8 vsheld = 0;

u16 rmask, gmask, bmask;
u8 rbits, gbits, bbits;
u8 rshift, gshift, bshift;
u8 pixelformat;

u32 framecount = 0;
float fps = 0;
char fpstext[64] = "Testing ...";

static u8 countbits(u32 mask) { return (u8)__builtin_popcount(mask); }

void setpixelformat(u32 red, u32 green, u32 blue) {
    rmask = (u16)red;
    gmask = (u16)green;
    bmask = (u16)blue;
    rbits = countbits(red);
    gbits = countbits(green);
    bbits = countbits(blue);
    bshift = 0;
    gshift = bbits;
    rshift = (u8)(bbits + gbits);
    pixelformat = gbits == 6 ? 2 : gbits == 5 ? 1 : 3;
}

void fliptogdi() {
    if (lpDD) dd_fliptogdisurface();
}

// A failed step: its box, then everything that exists goes.
static u32 setupfailed(const char* caption, hresult code) {
    showdderror(caption, code);
    releaseobjects();
    plat_destroywindow();
    return 0;
}

static bool detectpixelformat() {
    ddpixelformat pf;
    if (dd_getpixelformat(primary, &pf) != DD_OK) return false;
    setpixelformat(pf.rmask, pf.gmask, pf.bmask);
    char line[64];
    std::snprintf(line, sizeof line, "16 bit Pixel Format: %d%d%d\n", rbits, gbits, bbits);
    debuglograw(line);
    return true;
}

// Every cursor cell is cut from the picture at a fixed place, so the
// picture must be exactly the size the cells are laid out in.
static const char* cursorpicturefits(ddsurface* s) {
    ddsurfacedesc desc;
    if (dd_getsurfacedesc(s, &desc) != DD_OK) return "the surface cannot be measured";
    if (desc.width == CURSORWIDTH && desc.height == CURSORHEIGHT) return nullptr;
    static char why[96];
    std::snprintf(why, sizeof why, "%d x %d pixels, the program needs %d x %d", desc.width, desc.height, CURSORWIDTH,
                  CURSORHEIGHT);
    return why;
}

const char* parsecursorpicture(const u8* data, size_t size) {
    static std::string why;
    ddsurface* s = DDLoadBitmapBytes(data, size, false, &why);
    if (!s) return why.c_str();
    if (const char* wrong = cursorpicturefits(s)) {
        dd_releasesurface(s);
        return wrong;
    }
    ddsetcolorkey(s, 0);
    if (cursorsurface) dd_releasesurface(cursorsurface);
    cursorsurface = s;
    return nullptr;
}

static void loadcursorpicture() {
    std::vector<u8> bytes;
    if (!plat_readbitmapfile("CURSORS", &bytes)) {
        showdderror("DDLoadBitmap()", 0);
        exitgame(0, nullptr);
    }
    if (const char* why = parsecursorpicture(bytes.data(), bytes.size())) {
        plat_debugoutput((std::string(CURSORFILE) + ": " + why + "\n").c_str());
        exitgame(3, CURSORFILE);
    }
}

u32 initdirectdraw() {
    if (!plat_createwindow("Vennor", windowproc)) return 0;
    hresult r;
    if ((r = dd_create()) != DD_OK) return setupfailed("DirectDrawCreate()", r);
    lpDD = true;
    if ((r = dd_setcooperativelevel()) != DD_OK) return setupfailed("SetCooperativeLevel()", r);
    if ((r = dd_setdisplaymode(640, 480, 16)) != DD_OK) return setupfailed("SetDisplayMode()", r);
    if ((r = dd_createprimary(&primary)) != DD_OK) return setupfailed("Primary Surface -> CreateSurface()", r);
    if ((r = dd_getattachedsurface(primary, &backbuffer)) != DD_OK) return setupfailed("GetAttachedSurface()", r);
    if ((r = dd_createsurface(VSWIDTH, VSHEIGHT, true, &vssurface)) != DD_OK)
        return setupfailed("Virtual Screen -> CreateSurface()", r);
    memoryused += VSBYTES;
    loadcursorpicture();
    if (!detectpixelformat()) {
        errorbox("Vennor", "GetPixelFormat Failed!");
        exitgame(0, nullptr);
    }
    return 1;
}
