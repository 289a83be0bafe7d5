#include "view/effects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/input.h"
#include "app/memory.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/missionstate.h"
#include "text/font.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/panel.h"

static bool onsurface(i32 x, i32 y) { return x >= -VSLEFT && x < VSWIDTH - VSLEFT && y >= -VSTOP && y < VSHEIGHT - VSTOP; }

// The frame is the picture's own: its right and bottom edges are moved in
// to the box's size, the rest is taken where it stands.
void windowbox(i32 x, i32 y, i32 w, i32 h) {
    if (w > WINDOWPICWIDTH) w = WINDOWPICWIDTH;
    if (h > WINDOWPICHEIGHT) h = WINDOWPICHEIGHT;
    if (w <= 0 || h <= 0) return;
    u16* pic = loadandunpackbmp("bitmaps\\window.bmp", {WINDOWPICWIDTH, WINDOWPICHEIGHT});
    beginvsdraw();
    for (i32 by = 0; by < h; by++)
        for (i32 bx = 0; bx < w; bx++) {
            if (!onsurface(x + bx, y + by)) continue;
            i32 px = bx < w - 6 ? bx : WINDOWPICWIDTH - (w - bx);
            i32 py = by < h - 6 || bx < 6 ? by : WINDOWPICHEIGHT - (h - by);
            *vspixel(x + bx, y + by) = pic[py * WINDOWPICWIDTH + px];
        }
    endvsdraw();
    gamefree(pic, (size_t)WINDOWPICWIDTH * WINDOWPICHEIGHT * 2);
}

void flashmessage(const char* text) {
    if (computerthinking) return;
    static const u8 pulse[8] = {24, 23, 22, 21, 20, 21, 22, 23};
    u8 keep = currentfont;
    currentfont = 5;
    i32 tw = textwidth(text);
    i32 x = mousex - tw / 2, y = mousey - 8;
    if (x > 628 - tw) x = 628 - tw;
    if (x < 16) x = 16;
    if (y > 452) y = 452;
    if (y < 16) y = 16;
    windowbox(x - 14, y - 10, tw + 24, 28);
    for (int round = 0; round < 3; round++)
        for (u8 level : pulse) {
            settextcolour555(level, level, (u16)(level - 20));
            beginvsdraw();
            drawtext(text, x - 2, y - 2);
            endvsdraw();
            presentframe();
            waitticks(3);
        }
    currentfont = keep;
}

// ---- the bolt ------------------------------------------------------------------

struct rgb {
    u32 r, g, b;
};

static rgb split(u16 p) { return {(u32)(p & rmask) >> rshift, (u32)(p & gmask) >> gshift, (u32)(p & bmask) >> bshift}; }
static u16 join(rgb c) { return (u16)(c.r << rshift | c.g << gshift | c.b << bshift); }

// Three quarters as bright, pulled toward red.
static u16 glow(u16 p, u32 redbias) {
    rgb c = split(p);
    c.r = (3 * c.r + redbias) / 4;
    if (c.r > (u32)(rmask >> rshift)) c.r = rmask >> rshift;
    c.g = c.g * 3 / 4;
    c.b = c.b * 3 / 4;
    return join(c);
}

static void ring(i32 cx, i32 cy, i32 radius, u32 redbias) {
    for (i32 dy = -radius; dy <= radius; dy++)
        for (i32 dx = -radius; dx <= radius; dx++) {
            if (std::abs(dx) != radius && std::abs(dy) != radius) continue;
            if (onsurface(cx + dx, cy + dy)) *vspixel(cx + dx, cy + dy) = glow(*vspixel(cx + dx, cy + dy), redbias);
        }
}

static void core(i32 x, i32 y, u16 bolt) {
    if (!onsurface(x, y)) return;
    rgb p = split(*vspixel(x, y)), c = split(bolt);
    *vspixel(x, y) = join({(p.r + 3 * c.r) / 4, (p.g + 3 * c.g) / 4, (p.b + 3 * c.b) / 4});
}

template <typename F> static void walk(i32 x0, i32 y0, i32 x1, i32 y1, F f) {
    float dx = (float)(x1 - x0), dy = (float)(y1 - y0);
    float length = std::sqrt(dx * dx + dy * dy);
    if (length < 1.0f) return f(x0, y0); // a segment of no length is its point
    float ux = dx / length, uy = dy / length;
    for (int i = 0; i <= (int)length; i++)
        f((i32)std::lround((float)x0 + ux * (float)i), (i32)std::lround((float)y0 + uy * (float)i));
}

static void segment(i32 x0, i32 y0, i32 x1, i32 y1) {
    u16 bolt = pixelformat == 2 ? (u16)(31 << 11 | 62 << 5 | 31) : 0x7FFF;
    walk(x0, y0, x1, y1, [](i32 x, i32 y) { ring(x, y, 2, 20); });
    walk(x0, y0, x1, y1, [](i32 x, i32 y) { ring(x, y, 1, 28); });
    walk(x0, y0, x1, y1, [bolt](i32 x, i32 y) { core(x, y, bolt); });
}

void lightningbolt(i32 x0, i32 y0, i32 x1, i32 y1) {
    beginvsdraw();
    i32 x = x0, y = y0;
    for (int steps = 0; steps < 4096; steps++) { // every step closes in by four pixels at least
        i32 dx = x1 - x, dy = y1 - y;
        if ((i32)std::sqrt((double)dx * dx + (double)dy * dy) < 8) break;
        i32 d = std::max(std::abs(dx), std::abs(dy));
        i32 nx = x + 8 * dx / d + gamerandom() % 7 - 3;
        i32 ny = y + 8 * dy / d + gamerandom() % 7 - 3;
        segment(x, y, nx, ny);
        x = nx, y = ny;
    }
    segment(x, y, x1, y1);
    endvsdraw();
}
