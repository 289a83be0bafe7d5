#include "video/presentframe.h"

#include <cstdio>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "game/missionstate.h"
#include "platform/platform.h"
#include "video/dderror.h"
#include "video/ddutil.h"
#include "video/display.h"
#include "video/overlay.h"
#include "video/vscreen.h"

hresult restoreAll() {
    hresult r = dd_restoreallsurfaces();
    if (r != DD_OK) return r;
    r = ddreloadbitmap(cursorsurface, "CURSORS");
    if (r != DD_OK) {
        errorbox("Vennor", "ReLoadBMP Cursors");
        return r;
    }
    return DD_OK;
}

static void bltfailed(hresult r) {
    showdderror("Blt() for VS", r);
    char caption[32], body[512];
    std::snprintf(caption, sizeof caption, "ddrval = %d", r);
    std::snprintf(body, sizeof body,
                  "rcRect.left = %d\nrcRect.top = %d\nrcRect.right = %d\nrcRect.bottom = %d\n"
                  "rcRect2.left = %d\nrcRect2.top = %d\nrcRect2.right = %d\nrcRect2.bottom = %d",
                  0, 0, 640, 480, 60, 240, 700, 720);
    plat_messagebox(body, caption);
    exitgame(0, nullptr);
}

static void copywindow() {
    const ddrect src = {VSLEFT, VSTOP, VSLEFT + 640, VSTOP + 480};
    for (;;) {
        hresult r = dd_bltfast(backbuffer, 0, 0, vssurface, &src, DDBLT_WAIT);
        if (r == DD_OK) return;
        if (r == DDERR_WASSTILLDRAWING) continue;
        if (r != DDERR_SURFACELOST) bltfailed(r);
        if ((r = restoreAll()) != DD_OK) {
            showdderror("restoreAll in Blt() for VS", r);
            exitgame(0, nullptr);
        }
    }
}

static void cursorfailed(hresult r, const ddrect& src, const ddrect& dst) {
    showdderror("Blt() in drawing cursor", r);
    char body[512];
    std::snprintf(body, sizeof body,
                  "cursorpicx = %u\ncursorpicy = %u\n\nrcRect.left = %d\nrcRect.top = %d\nrcRect.right = %d\n"
                  "rcRect.bottom = %d\nrcRect2.left = %d\nrcRect2.top = %d\nrcRect2.right = %d\nrcRect2.bottom = %d",
                  cursorpicx, cursorpicy, src.left, src.top, src.right, src.bottom, dst.left, dst.top, dst.right,
                  dst.bottom);
    plat_messagebox(body, "Error");
    exitgame(0, nullptr);
}

void cursorrects(i32 x, i32 y, ddrect* src, ddrect* dst) {
    *dst = {x, y, x + 32, y + 32};
    i32 sx = (i32)(cursorpicx + animframe * 32);
    *src = {sx, (i32)cursorpicy, sx + 32, (i32)cursorpicy + 32};
    if (dst->right > 640) {
        src->right -= dst->right - 640;
        dst->right = 640;
    }
    if (dst->bottom > 480) {
        src->bottom -= dst->bottom - 480;
        dst->bottom = 480;
    }
}

static void drawcursor() {
    plat_getcursorpos(&mousex, &mousey);
    if (!cursorvisible || computerthinking) return;
    ddrect src, dst;
    cursorrects(mousex, mousey, &src, &dst);
    for (;;) {
        hresult r = dd_blt(backbuffer, &dst, cursorsurface, &src, DDBLT_WAIT | DDBLT_KEYSRC);
        if (r == DD_OK) return;
        if (r == DDERR_WASSTILLDRAWING) continue;
        if (r != DDERR_SURFACELOST) cursorfailed(r, src, dst);
        if ((r = restoreAll()) != DD_OK) {
            showdderror("restoreAll()", r);
            exitgame(0, nullptr);
        }
    }
}

static void flip() {
    for (;;) {
        hresult r = dd_flip(primary);
        if (r == DD_OK || r == DDERR_WASSTILLDRAWING) {
            if (r == DD_OK) return;
            continue;
        }
        if (r != DDERR_SURFACELOST) {
            showdderror("Flip()", r);
            return;
        }
        if ((r = restoreAll()) != DD_OK) {
            showdderror("restoreAll()", r);
            return;
        }
    }
}

// The mission and the map editor scroll at the screen's edges, so they keep
// the mouse inside a window.
static void updategrab() { plat_setgrabwanted(gamestate == GS_COMBAT || gamestate == GS_EDITMAP); }

void presentframe() {
    // Nothing to show before the mode is set, or once the display is gone.
    if (!displayok || !primary || !backbuffer || !vssurface) return;
    updategrab();
    unlockvs();
    copywindow();
    framecount++;
    if (showdebuginfo) drawoverlay();
    drawcursor();
    flip();
}
