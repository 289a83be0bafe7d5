// Device contexts on surfaces: the debug overlay's text, single pixels, and
// the stretch copy that turns a loaded bitmap into the surface's layout.
#include "platform/ddsurface.h"

#include "overlayfont.inc"

struct gdidc {
    ddsurface* surface;
    u32 bk = 0x000000;
    u32 fg = 0xFFFFFF;
};

static u32 surfaceformat(const ddsurface*) { return dd_displayformat(); }

static u16 pack(const ddsurface* s, u32 rgb) {
    return dd_packrgb(surfaceformat(s), (u8)(rgb & 0xFF), (u8)((rgb >> 8) & 0xFF), (u8)((rgb >> 16) & 0xFF));
}

static u32 unpack(const ddsurface* s, u16 p) {
    u32 r, g, b;
    if (surfaceformat(s) == 555) {
        r = (p >> 10) & 31; g = (p >> 5) & 31; b = p & 31;
        g = (g << 3) | (g >> 2);
    } else {
        r = (p >> 11) & 31; g = (p >> 5) & 63; b = p & 31;
        g = (g << 2) | (g >> 4);
    }
    r = (r << 3) | (r >> 2);
    b = (b << 3) | (b >> 2);
    return r | (g << 8) | (b << 16);
}

hresult dd_getdc(ddsurface* s, gdidc** out) {
    hresult code;
    if (!s) return DDERR_INVALIDOBJECT;
    if (dd_injected(DDF_GETDC, &code)) return code;
    if (s->lost) return DDERR_SURFACELOST;
    if (s->locked || s->hasdc) return DDERR_DCALREADYCREATED;
    s->hasdc = true;
    *out = new gdidc{s};
    return DD_OK;
}

hresult dd_releasedc(ddsurface* s, gdidc* dc) {
    if (!s || !dc || dc->surface != s) return DDERR_INVALIDPARAMS;
    s->hasdc = false;
    delete dc;
    return DD_OK;
}

void gdi_setbkcolor(gdidc* dc, u32 rgb) { dc->bk = rgb; }
void gdi_settextcolor(gdidc* dc, u32 rgb) { dc->fg = rgb; }

static u8 mix(u32 a, u32 b, u32 cover) { return (u8)((a * (255 - cover) + b * cover) / 255); }

static u32 mixrgb(u32 bk, u32 fg, u32 cover) {
    return mix(bk & 0xFF, fg & 0xFF, cover) | (u32)mix((bk >> 8) & 0xFF, (fg >> 8) & 0xFF, cover) << 8 |
           (u32)mix((bk >> 16) & 0xFF, (fg >> 16) & 0xFF, cover) << 16;
}

static void drawcell(gdidc* dc, i32 x, i32 y, unsigned char c) {
    // Tabs and anything outside printable ASCII show as a blank cell.
    int glyph = (c >= 32 && c <= 126) ? c - 32 : 0;
    ddsurface* s = dc->surface;
    for (int row = 0; row < 16; row++) {
        i32 py = y + row;
        if (py < 0 || py >= s->height) continue;
        for (int col = 0; col < 8; col++) {
            i32 px = x + col;
            if (px < 0 || px >= s->width) continue;
            s->pixels[(size_t)py * s->width + px] = pack(s, mixrgb(dc->bk, dc->fg, overlayfont[glyph][row][col]));
        }
    }
}

void gdi_textout(gdidc* dc, i32 x, i32 y, const char* text) {
    for (; *text; text++, x += 8) drawcell(dc, x, y, (unsigned char)*text);
}

u32 gdi_getpixel(gdidc* dc, i32 x, i32 y) {
    ddsurface* s = dc->surface;
    if (x < 0 || y < 0 || x >= s->width || y >= s->height) return 0xFFFFFFFF;
    return unpack(s, s->pixels[(size_t)y * s->width + x]);
}

void gdi_setpixel(gdidc* dc, i32 x, i32 y, u32 rgb) {
    ddsurface* s = dc->surface;
    if (x < 0 || y < 0 || x >= s->width || y >= s->height) return;
    s->pixels[(size_t)y * s->width + x] = pack(s, rgb);
}

bool gdi_stretchbitmap(gdidc* dc, i32 dx, i32 dy, i32 dw, i32 dh, const platbitmap* b, i32 sx, i32 sy, i32 sw,
                       i32 sh) {
    ddsurface* s = dc->surface;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
    if (sx < 0 || sy < 0 || sx + sw > b->width || sy + sh > b->height) return false;
    for (i32 y = 0; y < dh; y++) {
        i32 ty = dy + y;
        if (ty < 0 || ty >= s->height) continue;
        const u8* srow = &b->rgb[((size_t)(sy + (i64)y * sh / dh) * b->width) * 3];
        for (i32 x = 0; x < dw; x++) {
            i32 tx = dx + x;
            if (tx < 0 || tx >= s->width) continue;
            const u8* p = srow + (size_t)(sx + (i64)x * sw / dw) * 3;
            s->pixels[(size_t)ty * s->width + tx] = dd_packrgb(surfaceformat(s), p[0], p[1], p[2]);
        }
    }
    return true;
}
