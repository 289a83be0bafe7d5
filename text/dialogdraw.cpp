// Drawing the current dialog over the screen it was opened from.
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/timer.h"
#include "text/dialog.h"
#include "text/font.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/vscreen.h"

// The screen under the dialog as it was opened: every frame starts from it,
// so a combo list that hung below the dialog leaves nothing behind.
static std::vector<u16> under;

static u16 colour(u16 r, u16 g, u16 b) {
    if (pixelformat == 1) return (u16)(r << 10 | g << 5 | b);
    return (u16)(r << 11 | (g * 2 + (g >> 4)) << 5 | b);
}

static void fill(i32 x, i32 y, i32 w, i32 h, u16 c) {
    i32 x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    i32 x1 = x + w > 640 ? 640 : x + w, y1 = y + h > 480 ? 480 : y + h;
    for (i32 row = y0; row < y1; row++) {
        u16* d = vspixel(x0, row);
        for (i32 col = x0; col < x1; col++) *d++ = c;
    }
}

static void frame(i32 x, i32 y, i32 w, i32 h, u16 c) {
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
}

static u16 face() { return colour(6, 5, 3); }
static u16 well() { return colour(1, 1, 1); }
static u16 edge() { return colour(16, 13, 7); }
static u16 lit() { return colour(28, 24, 10); }

static void ink(u16 r, u16 g, u16 b) { settextcolor(r, pixelformat == 1 ? g : (u16)(2 * g), b); }

// Text cut to a width: characters from `from` on, as many as fit.
static void drawclipped(const std::string& s, size_t from, i32 x, i32 y, i32 width) {
    i32 used = 0;
    char one[2] = {0, 0};
    for (size_t i = from; i < s.size(); i++) {
        one[0] = s[i];
        i32 w = textwidth(one);
        if (used + w > width) break;
        drawglyph((u8)s[i], x + used, y);
        used += w;
    }
}

static i32 widthof(const std::string& s, size_t from, size_t to) {
    i32 w = 0;
    char one[2] = {0, 0};
    for (size_t i = from; i < to && i < s.size(); i++) {
        one[0] = s[i];
        w += textwidth(one);
    }
    return w;
}

static void drawtextfield(const dlgcontrol& c, bool focused) {
    fill(c.x, c.y, c.w, c.h, well());
    frame(c.x, c.y, c.w, c.h, focused ? lit() : edge());
    currentfont = 5;
    i32 room = c.w - 6;
    // The caret always shows: long text scrolls left to keep it in the field.
    size_t from = 0;
    while (from < c.caret && widthof(c.text, from, c.caret) > room - 2) from++;
    ink(28, 27, 22);
    drawclipped(c.text, from, c.x + 3, c.y + 3, room);
    if (focused) fill(c.x + 3 + widthof(c.text, from, c.caret), c.y + 2, 1, c.h - 4, lit());
}

static void drawcheck(const dlgcontrol& c, bool focused) {
    fill(c.x, c.y + 1, 12, 12, well());
    frame(c.x, c.y + 1, 12, 12, focused ? lit() : edge());
    if (c.checked) fill(c.x + 3, c.y + 4, 6, 6, lit());
    currentfont = 5;
    ink(focused ? 30 : 24, focused ? 28 : 22, 14);
    drawtext(c.label, c.x + 18, c.y + 1);
}

static void drawrows(const dlgcontrol& c, i32 x, i32 y, i32 w, bool focused) {
    currentfont = 5;
    for (i32 r = 0; r < c.rows; r++) {
        i32 i = c.top + r;
        if (i >= (i32)c.items.size()) break;
        i32 ry = y + r * DIALOGROW;
        if (i == c.sel) fill(x, ry, w, DIALOGROW, focused ? colour(12, 9, 3) : colour(7, 6, 3));
        ink(i == c.sel ? 31 : 26, i == c.sel ? 29 : 24, i == c.sel ? 18 : 16);
        drawclipped(c.items[(size_t)i], 0, x + 2, ry + 1, w - 4);
    }
}

static void drawscroll(const dlgcontrol& c, i32 x, i32 y, i32 h) {
    fill(x, y, DIALOGSCROLLW, h, face());
    frame(x, y, DIALOGSCROLLW, h, edge());
    fill(x + 3, y + 4, 6, 2, edge());            // up
    fill(x + 3, y + h - 6, 6, 2, edge());        // down
    i32 n = (i32)c.items.size();
    if (n <= c.rows || h < 24) return;
    i32 track = h - 20;
    i32 thumb = track * c.rows / n < 6 ? 6 : track * c.rows / n;
    i32 at = (track - thumb) * c.top / (n - c.rows);
    fill(x + 2, y + 10 + at, DIALOGSCROLLW - 4, thumb, edge());
}

static void drawlist(const dlgcontrol& c, bool focused) {
    fill(c.x, c.y, c.w, c.h, well());
    frame(c.x, c.y, c.w, c.h, focused ? lit() : edge());
    drawrows(c, c.x + 2, c.y + 2, c.w - 4 - DIALOGSCROLLW, focused);
    drawscroll(c, c.x + c.w - 2 - DIALOGSCROLLW, c.y + 2, c.h - 4);
}

static void drawcombo(const dlgcontrol& c, bool focused) {
    fill(c.x, c.y, c.w, c.h, well());
    frame(c.x, c.y, c.w, c.h, focused ? lit() : edge());
    fill(c.x + c.w - 12, c.y + 7, 6, 2, edge());
    fill(c.x + c.w - 11, c.y + 9, 4, 2, edge());
    if (c.sel >= 0 && c.sel < (i32)c.items.size()) {
        currentfont = 5;
        ink(28, 27, 22);
        drawclipped(c.items[(size_t)c.sel], 0, c.x + 3, c.y + 3, c.w - 20);
    }
}

static void drawopenlist(const dlgcontrol& c) {
    i32 y = c.y + c.h;
    i32 h = c.rows * DIALOGROW + 4;
    fill(c.x, y, c.w, h, well());
    frame(c.x, y, c.w, h, lit());
    drawrows(c, c.x + 2, y + 2, c.w - 4 - DIALOGSCROLLW, true);
    drawscroll(c, c.x + c.w - 2 - DIALOGSCROLLW, y + 2, h - 4);
}

static void drawbutton(const dlgcontrol& c, bool focused) {
    // The last widget slot is borrowed for the skin; it is no one's while
    // a dialog is up.
    widgetrec& w = widget[NUMWIDGETS - 1];
    w = widgetrec{};
    w.x = c.x;
    w.y = c.y;
    w.width = c.w;
    w.skinoffset = c.kind == DC_OK ? 120 : 260;
    w.hover = focused;
    // A label may be longer than a button's caption holds: the caption keeps
    // what fits (w was cleared above, so it stays terminated).
    std::memcpy(w.caption, c.label, strnlen(c.label, sizeof w.caption - 1));
    drawwidget(NUMWIDGETS - 1);
}

void dialog_keepbackground() {
    under.assign(640 * 480, 0);
    beginvsdraw();
    for (i32 y = 0; y < 480; y++) std::memcpy(&under[(size_t)y * 640], vspixel(0, y), 640 * 2);
    endvsdraw();
}

void dialog_dropbackground() { std::vector<u16>().swap(under); }

void dialog_draw() {
    lockvs();
    u8 held = vsheld;
    vsheld = 1;
    if (under.size() == 640u * 480u)
        for (i32 y = 0; y < 480; y++) std::memcpy(vspixel(0, y), &under[(size_t)y * 640], 640 * 2);
    fill(dialog.x, dialog.y, dialog.w, dialog.h, face());
    frame(dialog.x, dialog.y, dialog.w, dialog.h, edge());
    frame(dialog.x + 2, dialog.y + 2, dialog.w - 4, dialog.h - 4, colour(10, 8, 4));
    currentfont = 4;
    ink(30, 24, 16);
    drawtextcentered(dialog.title, dialog.y + 6, dialog.x, dialog.x + dialog.w);
    for (int i = 0; i < dialog.count; i++) {
        const dlgcontrol& c = dialog.ctl[i];
        bool focused = i == dialog.focus;
        switch (c.kind) {
        case DC_LABEL:
            currentfont = 5;
            ink(26, 22, 12);
            // A label's text may outgrow its fixed slot (a folder's path).
            if (c.text.empty()) drawclipped(c.label, 0, c.x, c.y + 1, dialog.x + dialog.w - 6 - c.x);
            else drawclipped(c.text, 0, c.x, c.y + 1, dialog.x + dialog.w - 6 - c.x);
            break;
        case DC_TEXT: drawtextfield(c, focused); break;
        case DC_CHECK: drawcheck(c, focused); break;
        case DC_COMBO: drawcombo(c, focused); break;
        case DC_LIST: drawlist(c, focused); break;
        case DC_OK:
        case DC_CANCEL: drawbutton(c, focused); break;
        default: break;
        }
    }
    if (dialog.openlist >= 0 && dialog.openlist < dialog.count) drawopenlist(dialog.ctl[dialog.openlist]);
    if (dialog.flash[0] && tickcount < dialog.flashuntil && dialog.flashctl >= 0 && dialog.flashctl < dialog.count) {
        const dlgcontrol& c = dialog.ctl[dialog.flashctl];
        currentfont = 5;
        i32 w = textwidth(dialog.flash) + 8;
        fill(c.x, c.y + c.h + 1, w, DIALOGROW + 2, colour(20, 2, 2));
        ink(31, 30, 24);
        drawtext(dialog.flash, c.x + 4, c.y + c.h + 2);
    }
    vsheld = held;
    if (!held) unlockvs();
    presentframe();
}
