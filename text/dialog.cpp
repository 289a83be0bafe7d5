#include "text/dialog.h"

#include <cstdio>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "platform/platform.h"
#include "text/font.h"

dialogrec dialog;

static constexpr u32 FLASHTICKS = 125; // two seconds
// Shift as the messages taken so far left it: a script's Shift release may be
// queued behind the Tab it modifies, so the key's live state can be too new.
static bool shiftdown = false;

void dialog_begin(const char* title, i32 x, i32 y, i32 w, i32 h) {
    for (dlgcontrol& c : dialog.ctl) c = dlgcontrol{};
    shiftdown = plat_keyheld(VK_SHIFT);
    std::snprintf(dialog.title, sizeof dialog.title, "%s", title);
    dialog.x = x;
    dialog.y = y;
    dialog.w = w;
    dialog.h = h;
    dialog.count = 0;
    dialog.focus = -1;
    dialog.openlist = -1;
    dialog.clickctl = -1;
    dialog.clickrow = -1;
    dialog.clicktick = 0;
    dialog.flash[0] = 0;
    dialog.flashctl = -1;
    dialog.flashuntil = 0;
    dialog.accept = nullptr;
    dialog.activate = nullptr;
}

static int add(u8 kind, i32 x, i32 y, i32 w, i32 h, const char* label) {
    if (dialog.count >= DIALOGMAXCONTROLS) return -1;
    int i = dialog.count++;
    dlgcontrol& c = dialog.ctl[i];
    c = dlgcontrol{};
    c.kind = kind;
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
    c.sel = -1;
    std::snprintf(c.label, sizeof c.label, "%s", label ? label : "");
    if (dialog.focus < 0 && kind != DC_LABEL) dialog.focus = i;
    return i;
}

int dialog_label(i32 x, i32 y, const char* text) { return add(DC_LABEL, x, y, 0, DIALOGROW, text); }

int dialog_text(i32 x, i32 y, i32 w, const char* text, u32 maxlen, bool digits) {
    int i = add(DC_TEXT, x, y, w, DIALOGROW + 4, nullptr);
    if (i < 0) return i;
    dlgcontrol& c = dialog.ctl[i];
    c.text = text;
    if (c.text.size() > maxlen) c.text.resize(maxlen);
    c.caret = (u32)c.text.size();
    c.maxlen = maxlen;
    c.digits = digits;
    return i;
}

int dialog_check(i32 x, i32 y, const char* label, bool checked) {
    int i = add(DC_CHECK, x, y, 12 + 6 + 8 * (i32)std::char_traits<char>::length(label), DIALOGROW, label);
    if (i >= 0) dialog.ctl[i].checked = checked;
    return i;
}

int dialog_combo(i32 x, i32 y, i32 w, const std::vector<std::string>& items, i32 sel) {
    int i = add(DC_COMBO, x, y, w, DIALOGROW + 4, nullptr);
    if (i < 0) return i;
    dlgcontrol& c = dialog.ctl[i];
    c.items = items;
    c.rows = items.size() < 8 ? (i32)items.size() : 8;
    c.sel = sel >= 0 && sel < (i32)items.size() ? sel : -1;
    return i;
}

int dialog_list(i32 x, i32 y, i32 w, i32 rows) {
    int i = add(DC_LIST, x, y, w, rows * DIALOGROW + 4, nullptr);
    if (i >= 0) dialog.ctl[i].rows = rows;
    return i;
}

void dialog_buttons(i32 x, i32 y) {
    add(DC_OK, x, y, 80, 24, "Ok");
    add(DC_CANCEL, x + 96, y, 80, 24, "Cancel");
}

void dialog_setitems(int c, std::vector<std::string> items) {
    dlgcontrol& l = dialog.ctl[c];
    l.items = std::move(items);
    l.sel = l.items.empty() ? -1 : 0;
    l.top = 0;
}

void dialog_flash(int c, const char* text) {
    std::snprintf(dialog.flash, sizeof dialog.flash, "%s", text);
    dialog.flashctl = c;
    dialog.flashuntil = tickcount + FLASHTICKS;
    if (c >= 0 && c < dialog.count) dialog.focus = c;
}

void dialog_ok() {
    if (dialog.accept && !dialog.accept()) return;
    boxresult = 1;
}

// ---- rows ------------------------------------------------------------------

// Where the rows of control c stand: a list's inside, or an open combo's
// list hanging below it.
static void rowbox(int c, i32* x, i32* y, i32* w, i32* rows) {
    const dlgcontrol& l = dialog.ctl[c];
    *x = l.x + 2;
    *w = l.w - 4 - DIALOGSCROLLW;
    *rows = l.rows;
    *y = l.kind == DC_COMBO ? l.y + l.h + 2 : l.y + 2;
}

static i32 clampi(i32 v, i32 lo, i32 hi) { return v < lo ? lo : v > hi ? hi : v; }

void dialog_select(int c, i32 r) {
    dlgcontrol& l = dialog.ctl[c];
    if (l.items.empty()) {
        l.sel = -1;
        l.top = 0;
        return;
    }
    l.sel = clampi(r, 0, (i32)l.items.size() - 1);
    if (l.sel < l.top) l.top = l.sel;
    if (l.sel >= l.top + l.rows) l.top = l.sel - l.rows + 1;
}

static void scrollby(int c, i32 n) {
    dlgcontrol& l = dialog.ctl[c];
    i32 maxtop = (i32)l.items.size() - l.rows;
    l.top = clampi(l.top + n, 0, maxtop < 0 ? 0 : maxtop);
}

i32 dialog_rowat(int c, i32 px, i32 py) {
    i32 x, y, w, rows;
    rowbox(c, &x, &y, &w, &rows);
    if (px < x || px >= x + w || py < y || py >= y + rows * DIALOGROW) return -1;
    i32 r = dialog.ctl[c].top + (py - y) / DIALOGROW;
    return r < (i32)dialog.ctl[c].items.size() ? r : -1;
}

// 1: the scroll strip's upper half was hit, 2: its lower half, 0: neither.
static int scrollhit(int c, i32 px, i32 py) {
    i32 x, y, w, rows;
    rowbox(c, &x, &y, &w, &rows);
    if (px < x + w || px >= x + w + DIALOGSCROLLW || py < y || py >= y + rows * DIALOGROW) return 0;
    return py < y + rows * DIALOGROW / 2 ? 1 : 2;
}

// ---- keys ------------------------------------------------------------------

static bool focusable(int i) { return dialog.ctl[i].kind != DC_LABEL; }

static void movefocus(int step) {
    if (dialog.count == 0) return;
    int i = dialog.focus < 0 ? (step > 0 ? -1 : 0) : dialog.focus;
    for (int n = 0; n < dialog.count; n++) {
        i = (i + step + dialog.count) % dialog.count;
        if (focusable(i)) {
            dialog.focus = i;
            return;
        }
    }
}

static void textkey(dlgcontrol& t, u32 vk) {
    u32 n = (u32)t.text.size();
    if (t.caret > n) t.caret = n;
    switch (vk) {
    case VK_LEFT: if (t.caret > 0) t.caret--; break;
    case VK_RIGHT: if (t.caret < n) t.caret++; break;
    case VK_HOME: t.caret = 0; break;
    case VK_END: t.caret = n; break;
    case VK_BACK:
        if (t.caret > 0) t.text.erase(--t.caret, 1);
        break;
    case VK_DELETE:
        if (t.caret < n) t.text.erase(t.caret, 1);
        break;
    default: break;
    }
}

static void typechar(u8 ch) {
    if (dialog.focus < 0 || dialog.openlist >= 0) return;
    dlgcontrol& t = dialog.ctl[dialog.focus];
    if (t.kind != DC_TEXT || ch < 32 || ch > 126) return;
    if (t.digits && (ch < '0' || ch > '9')) return;
    if (t.text.size() >= t.maxlen) return;
    if (t.caret > t.text.size()) t.caret = (u32)t.text.size();
    t.text.insert(t.text.begin() + t.caret, (char)ch);
    t.caret++;
}

// Up, Down, Page Up, Page Down, Home and End on a row list.
static bool rowkey(int c, u32 vk) {
    dlgcontrol& l = dialog.ctl[c];
    i32 last = (i32)l.items.size() - 1;
    switch (vk) {
    case VK_UP: dialog_select(c, l.sel - 1); return true;
    case VK_DOWN: dialog_select(c, l.sel + 1); return true;
    case VK_PRIOR: dialog_select(c, l.sel - l.rows); return true;
    case VK_NEXT: dialog_select(c, l.sel + l.rows); return true;
    case VK_HOME: dialog_select(c, 0); return true;
    case VK_END: dialog_select(c, last); return true;
    default: return false;
    }
}

static void opencombo(int c) {
    dialog.openlist = c;
    dialog.focus = c;
    dlgcontrol& l = dialog.ctl[c];
    l.top = 0;
    if (l.sel >= 0) dialog_select(c, l.sel);
}

static void enterkey() {
    int f = dialog.focus;
    if (f >= 0 && dialog.ctl[f].kind == DC_CANCEL) {
        boxresult = 0;
        return;
    }
    if (f >= 0 && dialog.ctl[f].kind == DC_LIST && dialog.activate && dialog.ctl[f].sel >= 0) {
        dialog.activate(f, dialog.ctl[f].sel);
        return;
    }
    dialog_ok();
}

static void keydown(u32 vk) {
    if (dialog.openlist >= 0) {
        int c = dialog.openlist;
        if (vk == VK_ESCAPE || vk == VK_RETURN) dialog.openlist = -1;
        else rowkey(c, vk);
        return;
    }
    int f = dialog.focus;
    dlgcontrol* fc = f >= 0 ? &dialog.ctl[f] : nullptr;
    switch (vk) {
    case VK_ESCAPE: boxresult = 0; return;
    case VK_RETURN: enterkey(); return;
    case VK_TAB: movefocus(shiftdown ? -1 : 1); return;
    default: break;
    }
    if (!fc) return;
    switch (fc->kind) {
    case DC_TEXT: textkey(*fc, vk); break;
    case DC_CHECK:
        if (vk == VK_SPACE) fc->checked = !fc->checked;
        break;
    case DC_COMBO:
        if (vk == VK_SPACE) opencombo(f);
        else if (vk == VK_UP || vk == VK_DOWN) rowkey(f, vk);
        break;
    case DC_LIST: rowkey(f, vk); break;
    case DC_OK:
        if (vk == VK_SPACE) dialog_ok();
        break;
    case DC_CANCEL:
        if (vk == VK_SPACE) boxresult = 0;
        break;
    default: break;
    }
}

// ---- mouse -----------------------------------------------------------------

static bool inside(const dlgcontrol& c, i32 x, i32 y) { return x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h; }

// A glyph-width walk: the caret goes to the gap nearest the press.
static u32 caretat(const dlgcontrol& t, i32 px) {
    currentfont = 5;
    i32 x = t.x + 3;
    for (u32 i = 0; i < t.text.size(); i++) {
        char one[2] = {t.text[i], 0};
        i32 w = textwidth(one);
        if (px < x + w / 2) return i;
        x += w;
    }
    return (u32)t.text.size();
}

static void rowpress(int c, i32 r) {
    bool twice = dialog.clickctl == c && dialog.clickrow == r && tickcount - dialog.clicktick <= DOUBLECLICKTICKS;
    dialog_select(c, r);
    if (twice) {
        dialog.clickctl = -1;
        dialog.clickrow = -1;
        if (dialog.activate) dialog.activate(c, r);
        return;
    }
    dialog.clickctl = c;
    dialog.clickrow = r;
    dialog.clicktick = tickcount;
}

static void press(i32 x, i32 y) {
    if (dialog.openlist >= 0) {
        int c = dialog.openlist;
        i32 r = dialog_rowat(c, x, y);
        if (int s = scrollhit(c, x, y)) {
            scrollby(c, s == 1 ? -1 : 1);
            return;
        }
        if (r >= 0) dialog_select(c, r);
        dialog.openlist = -1;
        return;
    }
    for (int i = 0; i < dialog.count; i++) {
        dlgcontrol& c = dialog.ctl[i];
        if (c.kind == DC_LABEL || !inside(c, x, y)) continue;
        dialog.focus = i;
        switch (c.kind) {
        case DC_TEXT: c.caret = caretat(c, x); break;
        case DC_CHECK: c.checked = !c.checked; break;
        case DC_COMBO: opencombo(i); break;
        case DC_LIST:
            if (int s = scrollhit(i, x, y)) scrollby(i, s == 1 ? -1 : 1);
            else if (i32 r = dialog_rowat(i, x, y); r >= 0) rowpress(i, r);
            break;
        case DC_OK: dialog_ok(); break;
        case DC_CANCEL: boxresult = 0; break;
        default: break;
        }
        return;
    }
}

void dialoginput(u32 message, u32 wparam, i32 lparam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_SHIFT) shiftdown = true;
        else keydown(wparam);
        break;
    case WM_KEYUP:
        if (wparam == VK_SHIFT) shiftdown = false;
        break;
    case WM_CHAR: typechar((u8)wparam); break;
    // Where the press was, not where the mouse is now: a script queues its
    // moves and presses together.
    case WM_LBUTTONDOWN: press((i16)loword((u32)lparam), (i16)hiword((u32)lparam)); break;
    default: break;
    }
}

// ---- the screen --------------------------------------------------------------

static void dialogidle() { dialog_draw(); }

u8 dialog_run(u8 state) {
    if (!screenenter(state)) {
        screenleave();
        return 0;
    }
    // A dialog waits for the user, not the user for it: the plain pointer.
    setcursormode(20);
    bool typing = plat_textinput();
    plat_settextinput(true);
    dialog_keepbackground();
    dialog_draw();
    u8 result = runscreen(dialogidle);
    dialog_dropbackground();
    plat_settextinput(typing);
    screenleave();
    return result;
}
