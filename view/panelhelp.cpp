#include "view/panelhelp.h"

#include <cstdio>

#include "app/input.h"
#include "game/panelpress.h"
#include "game/spellready.h"
#include "game/spells.h"
#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/panel.h"
#include "view/panellayout.h"
#include "view/panelscene.h"

static const char* const tabhelp[NUMTABS] = {
    "INV: your party; click a name to command that unit",
    "STATS: class, damage, range and kills of this unit",
    "MAP: open the overhead map",
    "LOG: what has happened; the arrows scroll it",
    "OPTIONS: sound, screen, pace, saving and loading",
};

static const char* const opthelp[NUMOPTCONTROLS] = {
    "Quieter",
    "Louder",
    "Sound on or off",
    "Window or full screen, from the next start",
    "Smaller window, from the next start",
    "Larger window, from the next start",
    "Slower: more ticks between frames (keypad 1)",
    "Faster: fewer ticks between frames (keypad 3)",
    "Save the game",
    "Load a saved game",
};

static const char* spellhelp(int index) {
    static char line[128];
    int who = panelunit(), s = slotspell(who, index);
    if (!s || !spell[s] || !spell[s]->name[0]) return "";
    const spellrec& r = *spell[s];
    if (armedslot[index]) std::snprintf(line, sizeof line, "%s is armed: click again to put it away", r.name);
    else if (s == SPELL_HIDE) std::snprintf(line, sizeof line, "%s: needs %d fatigue, costs nothing", r.name, r.fatigueneed);
    else std::snprintf(line, sizeof line, "Cast %s: %d magic, needs %d fatigue", r.name, r.magiccost, r.fatigueneed);
    return line;
}

static const char* boxhelp(i32 x, i32 y) {
    if (paneltab == TAB_OPTIONS)
        for (int c = 0; c < NUMOPTCONTROLS; c++)
            if (optrect[c].holds(x, y)) return opthelp[c];
    if (paneltab == TAB_INV || paneltab == TAB_LOG) {
        if (scrollup.holds(x, y)) return "Scroll up";
        if (scrolldown.holds(x, y)) return "Scroll down";
    }
    if (paneltab == TAB_INV)
        for (int r = 0; r < BOXLINES; r++)
            if (boxrow(r).holds(x, y)) return "Command this unit";
    return "";
}

const char* panelhelpat(i32 x, i32 y) {
    for (int t = 0; t < NUMTABS; t++)
        if (tabrect[t].holds(x, y)) return tabhelp[t];
    const char* inbox = boxhelp(x, y);
    if (inbox[0]) return inbox;
    switch (panelbuttonat(x, y)) {
    case 0: return "Previous unit";
    case 1: return "Next unit";
    case 2: return "End turn";
    case 3: return "Centre the view on this unit";
    case 4: return spellhelp(0);
    case 5: return spellhelp(1);
    case 6: return spellhelp(2);
    case 7: return spellhelp(3);
    case 9: return "Open the overhead map";
    default: return "";
    }
}

// Dark under the text, so it reads over any land.
static void backdrop(i32 left, i32 right, i32 top, i32 bottom) {
    u16 dark = pixelformat == 2 ? (u16)(3 << 11 | 5 << 5 | 2) : (u16)(3 << 10 | 2 << 5 | 2);
    for (i32 y = top; y <= bottom; y++)
        for (i32 x = left < 0 ? 0 : left; x <= right && x < PANELWIDTH; x++) *vspixel(x, y) = dark;
}

void drawhoverhelp() {
    if (mousey < PANELTOP) return;
    const char* line = panelhelpat(mousex, mousey);
    if (!line[0]) return;
    currentfont = 5;
    i32 w = textwidth(line), left = 320 - w / 2;
    backdrop(left - 6, left + w + 5, PANELTOP - 14, PANELTOP - 1);
    settextcolour555(31, 31, 31);
    drawtext(line, left, PANELTOP - 13);
}
