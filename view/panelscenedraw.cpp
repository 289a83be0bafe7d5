// Drawing the panel's list of steps over the working panel picture.
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/panel.h"
#include "view/panelscene.h"

static u16 displaycolour(u16 r, u16 g, u16 b) {
    if (pixelformat == 2) return (u16)(r << 11 | (g * 2) << 5 | b);
    return (u16)(r << 10 | g << 5 | b);
}

// Clipped to the panel: nothing of it may reach the map above.
static void fill(i32 x, i32 y, i32 w, i32 h, u16 c) {
    for (i32 row = y; row < y + h; row++)
        for (i32 col = x; col < x + w; col++)
            if (col >= 0 && col < PANELWIDTH && row >= PANELTOP && row < PANELTOP + PANELHEIGHT) *vspixel(col, row) = c;
}

static void frame(const panelop& o, u16 c) {
    fill(o.x, o.y, o.w, 1, c);
    fill(o.x, o.y + o.h - 1, o.w, 1, c);
    fill(o.x, o.y, 1, o.h, c);
    fill(o.x + o.w - 1, o.y, 1, o.h, c);
}

// A small solid triangle in the middle of the arrow's box.
static void arrow(const panelop& o, bool up, u16 c) {
    i32 cx = o.x + o.w / 2, top = o.y + o.h / 2 - 2;
    for (i32 i = 0; i < 4; i++) {
        i32 half = up ? i : 3 - i;
        fill(cx - half, top + i, 2 * half + 1, 1, c);
    }
}

static void drawone(const panelop& o) {
    currentfont = o.font;
    u16 c = displaycolour(o.r, o.g, o.b);
    switch (o.kind) {
    case OP_TEXT: settextcolour555(o.r, o.g, o.b), drawtext(o.text, o.x, o.y); break;
    case OP_TEXTRIGHT: settextcolour555(o.r, o.g, o.b), drawtextright(o.text, o.x, o.y); break;
    case OP_CENTRED: settextcolour555(o.r, o.g, o.b), drawtextcentered(o.text, o.y, o.x, o.x + o.w); break;
    case OP_SHADOWRIGHT:
        settextcolor(0, 0, 0), drawtextright(o.text, o.x + 1, o.y + 1);
        settextcolour555(o.r, o.g, o.b), drawtextright(o.text, o.x, o.y);
        break;
    case OP_SHADOWTEXT:
        settextcolor(0, 0, 0), drawtext(o.text, o.x + 1, o.y + 1);
        settextcolour555(o.r, o.g, o.b), drawtext(o.text, o.x, o.y);
        break;
    case OP_BAR: drawstatbar(o.value, o.maximum, o.x, o.y, o.w, o.h, o.r, 0); break;
    case OP_FRAME: frame(o, c); break;
    case OP_FILL: fill(o.x, o.y, o.w, o.h, c); break;
    case OP_ARROWUP: arrow(o, true, c); break;
    case OP_ARROWDOWN: arrow(o, false, c); break;
    default: break;
    }
}

void drawpanelscene(const panelscene& s) {
    for (int i = 0; i < s.count && i < MAXPANELOPS; i++) drawone(s.op[i]);
}
