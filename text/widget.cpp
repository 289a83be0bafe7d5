#include "text/widget.h"

#include <cstring>

#include "app/timer.h"
#include "resources/stringtable.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"

widgetrec widget[NUMWIDGETS];
u16* buttonskin = nullptr;
u32 stringbase = 0;

bool insidewidget(int i, i32 mx, i32 my) {
    const widgetrec& w = widget[i];
    return w.x < mx && mx < w.x + w.width && w.y < my && my < w.y + 24;
}

void setupwidget(int i, u32 id, i32 x, i32 y, i32 width, i32 skinoffset) {
    widgetrec& w = widget[i];
    loadstring(stringbase + id, w.caption, sizeof w.caption);
    w.x = x;
    w.y = y;
    w.width = width;
    w.skinoffset = skinoffset;
    w.pressed = 0;
    w.hover = 0;
}

// A button wider than the skin, or cut from past its end, would read
// outside the picture: keep the cut inside it.
static void drawface(const widgetrec& w) {
    i32 width = w.width < 4 ? 4 : w.width > SKINWIDTH ? SKINWIDTH : w.width;
    i32 offset = w.skinoffset < 0 ? 0 : w.skinoffset;
    if (offset + width - 2 > SKINWIDTH) offset = SKINWIDTH - width + 2;
    i32 base = w.pressed ? 24 : 0;
    for (int r = 0; r < 24; r++) {
        const u16* skin = buttonskin + (base + r) * SKINWIDTH;
        u16* d = vspixel(w.x, w.y + r);
        std::memcpy(d, skin, 4);
        std::memcpy(d + 2, skin + offset + 2, (size_t)(width - 4) * 2);
        std::memcpy(d + width - 2, skin + 510, 4);
    }
}

static void captioncolour(const widgetrec& w) {
    bool f555 = pixelformat == 1;
    u16 r = 18, g = 14, b = 5;
    if (w.hover && pulse >= 1 && pulse <= 24) {
        u16 k = (u16)((pulse + 1) / 2);
        r = (u16)(18 + k);
        g = (u16)(14 + k);
    }
    settextcolor(r, f555 ? g : (u16)(2 * g), b);
}

void drawwidget(int i) {
    const widgetrec& w = widget[i];
    beginvsdraw();
    if (buttonskin) drawface(w);
    currentfont = 3;
    i32 cx = w.x + (w.width - textwidth(w.caption)) / 2 + 1;
    i32 cy = w.y + 4;
    if (w.pressed) {
        cx++;
        cy++;
    }
    settextcolor(0, 0, 0);
    drawtext(w.caption, cx + 1, cy + 1);
    captioncolour(w);
    drawtext(w.caption, cx, cy);
    endvsdraw();
}
