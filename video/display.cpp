#include "video/display.h"

#include <cstdio>
#include <cstring>

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
static bool cursorpicturefits() {
    ddsurfacedesc desc;
    if (dd_getsurfacedesc(cursorsurface, &desc) != DD_OK) return false;
    if (desc.width == CURSORWIDTH && desc.height == CURSORHEIGHT) return true;
    char why[128];
    std::snprintf(why, sizeof why, "%s: %d x %d pixels, the program needs %d x %d\n", CURSORFILE, desc.width,
                  desc.height, CURSORWIDTH, CURSORHEIGHT);
    plat_debugoutput(why);
    return false;
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
    cursorsurface = DDLoadBitmap("CURSORS", 0, 0);
    if (!cursorsurface) {
        showdderror("DDLoadBitmap()", 0);
        exitgame(0, nullptr);
    }
    if (!cursorpicturefits()) exitgame(3, CURSORFILE);
    ddsetcolorkey(cursorsurface, 0);
    if (!detectpixelformat()) {
        errorbox("Vennor", "GetPixelFormat Failed!");
        exitgame(0, nullptr);
    }
    return 1;
}
