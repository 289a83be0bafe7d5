#include "view/panelscene.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "game/eventlog.h"
#include "game/kills.h"
#include "game/missionstate.h"
#include "game/paneloptions.h"
#include "game/panelscroll.h"
#include "game/spellready.h"
#include "game/spells.h"
#include "text/font.h"
#include "view/panel.h"
#include "view/panellayout.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

struct colour {
    u16 r, g, b;
};
constexpr colour WHITE = {31, 31, 31}, LABEL = {30, 24, 16}, PLAIN = {28, 20, 10}, VALUE = {30, 30, 30},
                 GREY = {13, 12, 11}, ARMED = {31, 26, 8};

const char* const tabnames[NUMTABS] = {"INV", "STATS", "MAP", "LOG", "OPTIONS"};
const char* const classnames[5] = {"Fighter", "Archer", "Thief", "Mage", "Cleric"};

panelscene* scene;

panelop& add(u8 kind, u8 fontno, colour c, i32 x, i32 y) {
    static panelop spare;
    if (scene->count >= MAXPANELOPS) return spare = panelop{};
    panelop& o = scene->op[scene->count++];
    o.kind = kind, o.font = fontno, o.r = c.r, o.g = c.g, o.b = c.b, o.x = (i16)x, o.y = (i16)y;
    return o;
}

// Text cut at its end until it fits in `width` pixels of the font.
void fitted(char* to, const char* text, u8 fontno, i32 width) {
    std::snprintf(to, OPTEXT, "%s", text);
    u8 keep = currentfont;
    currentfont = fontno;
    size_t n = std::strlen(to);
    while (n > 0 && textwidth(to) > width) to[--n] = 0;
    currentfont = keep;
}

void text(u8 kind, u8 fontno, colour c, i32 x, i32 y, const char* fmt, ...) __attribute__((format(printf, 6, 7)));
void text(u8 kind, u8 fontno, colour c, i32 x, i32 y, const char* fmt, ...) {
    panelop& o = add(kind, fontno, c, x, y);
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(o.text, OPTEXT, fmt, args);
    va_end(args);
}

void fittext(u8 fontno, colour c, i32 x, i32 y, i32 width, const char* s) {
    fitted(add(OP_TEXT, fontno, c, x, y).text, s, fontno, width);
}

void box(u8 kind, colour c, i32 x, i32 y, i32 w, i32 h) {
    panelop& o = add(kind, 0, c, x, y);
    o.w = (i16)w, o.h = (i16)h;
}

const npcrec* unit() {
    int s = panelunit();
    return s ? npc[s] : nullptr;
}

const unittyperec* typeof(const npcrec* n) { return n && n->unitno < (u32)NUMUNITTYPES ? unittype[n->unitno] : nullptr; }

const char* classof(const npcrec* n) {
    const unittyperec* t = typeof(n);
    return t && t->unitclass < 5 ? classnames[t->unitclass] : "";
}

void tabs() {
    for (int t = 0; t < NUMTABS; t++) text(OP_TEXT, 6, t == paneltab ? WHITE : PLAIN, tabx[t], TABY, "%s", tabnames[t]);
}

// A badly wounded unit is the one that cries for help.
const char* courage(const npcrec* n) { return n && n->health <= (n->healthmax >> 2) ? "Shaken" : "Steady"; }

void goldline(const npcrec* n) {
    const char* label = paneltab == TAB_STATS ? "Courage" : "Gold";
    text(OP_SHADOWRIGHT, 3, LABEL, 260, 412, "%s", label);
    char value[OPTEXT];
    if (paneltab == TAB_STATS) std::snprintf(value, sizeof value, "%s", courage(n));
    else std::snprintf(value, sizeof value, "%d", n ? (int)n->gold : 0);
    text(OP_SHADOWTEXT, 3, VALUE, 264, 412, "%s", value);
}

void bars(const npcrec* n) {
    text(OP_SHADOWRIGHT, 3, LABEL, 100, 412, "Health");
    text(OP_SHADOWRIGHT, 3, LABEL, 100, 432, "Fatigue");
    text(OP_SHADOWRIGHT, 3, LABEL, 100, 452, "Magic");
    if (!n) return;
    fittext(6, WHITE, 104, 403, 92, unitname(panelunit()));
    const struct {
        i32 value, maximum, y;
        u16 colour;
    } b[3] = {{n->health, n->healthmax, 414, 0x6000}, {n->fatigue, n->fatiguemax, 434, 0x0300}, {n->magic, n->magicmax, 454, 0x0018}};
    for (const auto& one : b) {
        panelop& o = add(OP_BAR, 0, {one.colour, 0, 0}, 102, one.y);
        o.w = 94, o.h = 8, o.value = one.value, o.maximum = one.maximum;
        text(OP_TEXTRIGHT, 6, VALUE, 195, one.y + 2, "%d/%d", one.value, one.maximum);
    }
}

void spellslots() {
    int who = panelunit();
    for (int k = 0; k < 4; k++) {
        u8 state = slotstate(who, k);
        int s = slotspell(who, k);
        if (state == SLOT_EMPTY || !spell[s]) continue;
        colour c = state == SLOT_UNREADY ? GREY : state == SLOT_ARMED ? WHITE : PLAIN;
        i32 y = spelltexty[k];
        if (state == SLOT_ARMED) box(OP_FRAME, ARMED, SPELLTEXTLEFT - 10, y - 2, SPELLTEXTRIGHT - SPELLTEXTLEFT + 12, 12);
        char cost[8];
        std::snprintf(cost, sizeof cost, "%d", spell[s]->magiccost);
        text(OP_TEXTRIGHT, 6, c, SPELLTEXTRIGHT, y, "%s", cost);
        u8 keep = currentfont;
        currentfont = 6;
        i32 room = SPELLTEXTRIGHT - textwidth(cost) - 4 - SPELLTEXTLEFT;
        currentfont = keep;
        fittext(6, c, SPELLTEXTLEFT, y, room, spell[s]->name);
    }
}

void arrows(bool up, bool down) {
    if (up) box(OP_ARROWUP, PLAIN, scrollup.left, scrollup.top, scrollup.right - scrollup.left + 1, scrollup.bottom - scrollup.top + 1);
    if (down)
        box(OP_ARROWDOWN, PLAIN, scrolldown.left, scrolldown.top, scrolldown.right - scrolldown.left + 1,
            scrolldown.bottom - scrolldown.top + 1);
}

constexpr i32 TEXTLEFT = BOXLEFT + 2;

void inventory() {
    int members[SLOTSPERPLAYER], count = partymembers(members);
    int first = invscroll;
    for (int r = 0; r < BOXLINES && first + r < count; r++) {
        int s = members[first + r];
        const npcrec& n = *npc[s];
        colour c = s == panelunit() ? WHITE : n.health < 1 ? GREY : PLAIN;
        i32 y = boxline(r);
        fittext(5, c, TEXTLEFT, y, 86, unitname(s));
        fittext(5, c, 300, y, 56, classof(&n));
        text(OP_TEXTRIGHT, 5, c, BOXTEXTRIGHT, y, "%d/%d", n.health, n.healthmax);
    }
    arrows(first > 0, first + BOXLINES < count);
}

void statline(int row, const char* label, const char* value) {
    text(OP_TEXT, 5, LABEL, TEXTLEFT, boxline(row), "%s", label);
    fittext(5, VALUE, 270, boxline(row), BOXTEXTRIGHT - 270, value);
}

void stats() {
    const npcrec* n = unit();
    const unittyperec* t = typeof(n);
    if (!n) return;
    char v[OPTEXT];
    statline(0, "Class", classof(n));
    std::snprintf(v, sizeof v, "%u-%u", t ? (unsigned)t->damagemin : 0u, t ? (unsigned)t->damagemax : 0u);
    statline(1, "Damage", v);
    std::snprintf(v, sizeof v, "%u-%u", t ? (unsigned)t->rangemin : 0u, t ? (unsigned)t->rangemax : 0u);
    statline(2, "Range", v);
    std::snprintf(v, sizeof v, "%u", (unsigned)killcount[panelunit()]);
    statline(3, "Kills", v);
}

void logtab() {
    int held = eventcount();
    if (!held) {
        text(OP_TEXT, 5, GREY, TEXTLEFT, boxline(0), "Nothing has happened yet.");
        return;
    }
    for (int r = 0; r < BOXLINES; r++) {
        int back = logscroll + (BOXLINES - 1 - r);
        if (back >= held) continue;
        fittext(5, back == 0 ? WHITE : PLAIN, TEXTLEFT, boxline(r), BOXTEXTRIGHT - TEXTLEFT, eventline(back));
    }
    arrows(logscroll + BOXLINES < held, logscroll > 0);
}

// A control: its word in the colour of things that can be pressed.
void control(const panelrect& r, const char* label) {
    panelop& o = add(OP_CENTRED, 5, ARMED, r.left, r.top);
    o.w = (i16)(r.right - r.left + 1);
    std::snprintf(o.text, OPTEXT, "%s", label);
}

// A framed button, with its word in the small font so that it fits inside.
void button(const panelrect& r, const char* label) {
    box(OP_FRAME, PLAIN, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
    panelop& o = add(OP_CENTRED, 6, ARMED, r.left, r.top + 1);
    o.w = (i16)(r.right - r.left + 1);
    std::snprintf(o.text, OPTEXT, "%s", label);
}

void between(const panelrect& a, const panelrect& b, const char* value) {
    panelop& o = add(OP_CENTRED, 5, VALUE, a.right + 1, a.top);
    o.w = (i16)(b.left - a.right - 1);
    std::snprintf(o.text, OPTEXT, "%s", value);
}

void options() {
    optionvalues o = optionsnow();
    char v[16];
    text(OP_TEXT, 5, LABEL, TEXTLEFT, boxline(0), "Volume");
    control(optrect[OPT_VOLUMEDOWN], "-");
    std::snprintf(v, sizeof v, "%u", o.volume);
    between(optrect[OPT_VOLUMEDOWN], optrect[OPT_VOLUMEUP], v);
    control(optrect[OPT_VOLUMEUP], "+");
    text(OP_TEXT, 5, LABEL, 322, boxline(0), "Mute");
    control(optrect[OPT_MUTE], o.mute ? "On" : "Off");
    text(OP_TEXT, 5, LABEL, TEXTLEFT, boxline(1), "Screen");
    control(optrect[OPT_SCREEN], o.fullscreen ? "Full" : "Window");
    text(OP_TEXT, 5, LABEL, 322, boxline(1), "Scale");
    control(optrect[OPT_SCALEDOWN], "-");
    if (o.scale) std::snprintf(v, sizeof v, "%d", o.scale);
    else std::snprintf(v, sizeof v, "Fit");
    between(optrect[OPT_SCALEDOWN], optrect[OPT_SCALEUP], v);
    control(optrect[OPT_SCALEUP], "+");
    text(OP_TEXT, 5, LABEL, TEXTLEFT, boxline(2), "Delay");
    control(optrect[OPT_FASTER], "-");
    std::snprintf(v, sizeof v, "%u", o.framedelay);
    between(optrect[OPT_FASTER], optrect[OPT_SLOWER], v);
    control(optrect[OPT_SLOWER], "+");
    button(optrect[OPT_SAVE], "Save");
    button(optrect[OPT_LOAD], "Load");
}

} // namespace

int panelunit() {
    if (curnpc >= 1 && curnpc <= MAXNPCS && npc[curnpc]) return curnpc;
    return npc[1] ? 1 : 0;
}

void makepanelscene(panelscene* s) {
    std::memset(s, 0, sizeof *s);
    scene = s;
    const npcrec* n = unit();
    tabs();
    goldline(n);
    bars(n);
    spellslots();
    switch (paneltab) {
    case TAB_INV: inventory(); break;
    case TAB_STATS: stats(); break;
    case TAB_LOG: logtab(); break;
    case TAB_OPTIONS: options(); break;
    default: break;
    }
    scene = nullptr;
}
