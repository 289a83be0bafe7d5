#pragma once
// The display surfaces: an exclusive 640 x 480 x 16 display with a primary
// surface and one back buffer, plain off-screen surfaces, blits, flips, locks,
// colour keys, surface loss and restore, and the device contexts that text
// output and bitmap copies draw through. Every call answers with DD_OK or one
// of the DDERR_ codes below, as the game's error reporting expects.
#include <string>
#include <vector>

#include "platform/types.h"

typedef i32 hresult;

constexpr hresult DD_OK = 0;
constexpr hresult makeddhresult(u32 code) { return (hresult)(0x88760000u + code); }

// The general system codes four DDERR_ names share.
constexpr hresult E_OUTOFMEMORY_ = (hresult)0x8007000Eu;
constexpr hresult E_NOTIMPL_ = (hresult)0x80004001u;
constexpr hresult E_FAIL_ = (hresult)0x80004005u;
constexpr hresult E_INVALIDARG_ = (hresult)0x80070057u;
constexpr hresult CO_E_NOTINITIALIZED_ = (hresult)0x800401F0u;

constexpr hresult DDERR_GENERIC = E_FAIL_;
constexpr hresult DDERR_INVALIDPARAMS = E_INVALIDARG_;
constexpr hresult DDERR_OUTOFMEMORY = E_OUTOFMEMORY_;
constexpr hresult DDERR_UNSUPPORTED = E_NOTIMPL_;
constexpr hresult DDERR_NOTINITIALIZED = CO_E_NOTINITIALIZED_;
constexpr hresult DDERR_INVALIDOBJECT = makeddhresult(130);
constexpr hresult DDERR_INVALIDRECT = makeddhresult(150);
constexpr hresult DDERR_SURFACEBUSY = makeddhresult(430);
constexpr hresult DDERR_SURFACELOST = makeddhresult(450);
constexpr hresult DDERR_WASSTILLDRAWING = makeddhresult(540);
constexpr hresult DDERR_NOTLOCKED = makeddhresult(584);
constexpr hresult DDERR_DCALREADYCREATED = makeddhresult(620);
constexpr hresult DDERR_NOTFLIPPABLE = makeddhresult(582);
constexpr hresult DDERR_PRIMARYSURFACEALREADYEXISTS = makeddhresult(564);
constexpr hresult DDERR_NOCOOPERATIVELEVELSET = makeddhresult(212);

struct ddsurface;
struct gdidc;

struct ddrect {
    i32 left, top, right, bottom;
};

struct ddsurfacedesc {
    i32 width = 0;
    i32 height = 0;
    i32 pitch = 0;      // bytes per row
    void* surface = nullptr;
};

struct ddpixelformat {
    u32 rgbbitcount = 0;
    u32 rmask = 0, gmask = 0, bmask = 0;
};

// Blit flags.
enum : u32 {
    DDBLT_WAIT = 1u << 0,
    DDBLT_KEYSRC = 1u << 1,
};

hresult dd_create();
hresult dd_setcooperativelevel();
// Switching the mode posts the display-change message (bits, width | height << 16).
hresult dd_setdisplaymode(i32 width, i32 height, i32 bpp);
hresult dd_createprimary(ddsurface** out);
hresult dd_getattachedsurface(ddsurface* primary, ddsurface** out);
hresult dd_createsurface(i32 width, i32 height, bool systemmemory, ddsurface** out);
// Releasing the primary surface releases its back buffer with it.
void dd_releasesurface(ddsurface* s);
void dd_release();
bool dd_exists();

hresult dd_lock(ddsurface* s, ddsurfacedesc* out);
hresult dd_unlock(ddsurface* s);
hresult dd_getsurfacedesc(ddsurface* s, ddsurfacedesc* out);
hresult dd_bltfast(ddsurface* dst, i32 x, i32 y, ddsurface* src, const ddrect* srcrect, u32 flags);
hresult dd_blt(ddsurface* dst, const ddrect* dstrect, ddsurface* src, const ddrect* srcrect, u32 flags);
hresult dd_flip(ddsurface* primary);
hresult dd_restore(ddsurface* s);
hresult dd_restoreallsurfaces();
hresult dd_getpixelformat(ddsurface* s, ddpixelformat* out);
hresult dd_setcolorkey(ddsurface* s, u32 low, u32 high);
hresult dd_fliptogdisurface();

// Device contexts. Colours are 0x00BBGGRR.
hresult dd_getdc(ddsurface* s, gdidc** out);
hresult dd_releasedc(ddsurface* s, gdidc* dc);
void gdi_setbkcolor(gdidc* dc, u32 rgb);
void gdi_settextcolor(gdidc* dc, u32 rgb);
// Fixed-width text, 8 x 16 cells, opaque background.
void gdi_textout(gdidc* dc, i32 x, i32 y, const char* text);
u32 gdi_getpixel(gdidc* dc, i32 x, i32 y);
void gdi_setpixel(gdidc* dc, i32 x, i32 y, u32 rgb);

// A loaded bitmap: 8-bit red, green, blue per pixel, rows top to bottom.
struct platbitmap {
    i32 width = 0;
    i32 height = 0;
    std::vector<u8> rgb;
};
// What any decoder of pictures accepts, checked in the header before a pixel
// is allocated: no picture of the game comes near either.
constexpr i32 PLAT_BITMAPMAXSIDE = 16384;
constexpr u64 PLAT_BITMAPMAXPIXELS = 1u << 24;
// The program's bitmap resource of that name, else the file of that name.
// Null when neither loads (missing, truncated or malformed).
platbitmap* plat_loadbitmap(const char* name);
// The two steps of a load: the bytes of the file the name finds (false when
// none is there or it is larger than any picture file), and a picture from
// bytes, BMP or PNG as their signature says (null with the reason).
bool plat_readbitmapfile(const char* name, std::vector<u8>* bytes, std::string* path = nullptr);
platbitmap* plat_decodebitmap(const u8* data, size_t size, std::string* why);
void plat_freebitmap(platbitmap* b);
// Stretches the rectangle (sx, sy, sw, sh) of the bitmap onto (dx, dy, dw, dh)
// of the context's surface, converted to the surface's pixel format.
bool gdi_stretchbitmap(gdidc* dc, i32 dx, i32 dy, i32 dw, i32 dh, const platbitmap* b, i32 sx, i32 sy,
                       i32 sw, i32 sh);

// The display's 16-bit layout, from the start-up options.
u32 dd_displayformat(); // 555 or 565
// Packs 8-bit components into the display's 16-bit layout (truncating).
u16 dd_packrgb(u32 format, u8 r, u8 g, u8 b);
// What the display shows: the last flipped 640 x 480 frame.
const u16* dd_lastframe();

// Test hooks: lose every surface (as a mode switch away would), and make the
// next call of one kind fail with a code.
void dd_losesurfaces();
enum ddfailpoint { DDF_NONE, DDF_CREATE, DDF_PRIMARY, DDF_VSCREEN, DDF_LOCK, DDF_UNLOCK, DDF_BLT, DDF_FLIP, DDF_GETDC };
void dd_failnext(ddfailpoint where, hresult code);
