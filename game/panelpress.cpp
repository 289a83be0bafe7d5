#include "game/panelpress.h"

#include "app/cursor.h"
#include "app/input.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/npcselect.h"
#include "game/paneltabs.h"
#include "game/spells.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "view/mapview.h"
#include "view/overheadmap.h"
#include "view/viewpos.h"
#include "world/npc.h"
#include "world/unittype.h"

enum : int { PREVNPC = 0, NEXTNPC = 1, ENDTURN = 2, CENTRE = 3, FIRSTSPELL = 4, LASTSPELL = 7, OVERHEADMAP = 9 };

const panelbutton panelbuttons[NUMPANELBUTTONS] = {
    {6, 420, 30, 460},     {80, 420, 104, 460},   {566, 434, 630, 474}, {24, 408, 88, 472},   {430, 410, 520, 424},
    {430, 424, 520, 438},  {430, 438, 520, 452},  {430, 452, 520, 476}, {0, 0, 0, 0},         {566, 408, 630, 428},
};

struct pressedpicture {
    int button;
    const char* file;
    i32 x, y;
    picsize size;
};

// Where each pressed picture lies over its button.
static const pressedpicture pressed[] = {
    {PREVNPC, "bitmaps\\buttons\\prevnpc.bmp", 6, 420, {24, 40}},
    {NEXTNPC, "bitmaps\\buttons\\nextnpc.bmp", 80, 420, {24, 40}},
    {ENDTURN, "bitmaps\\buttons\\endturn.bmp", 566, 434, {64, 40}},
    {OVERHEADMAP, "bitmaps\\buttons\\clickmap.bmp", 566, 415, {64, 13}},
};

int panelbuttonat(i32 x, i32 y) {
    for (int b = 0; b < NUMPANELBUTTONS; b++) {
        const panelbutton& r = panelbuttons[b];
        if (r.left < x && x < r.right && r.top < y && y < r.bottom) return b;
    }
    return -1;
}

// The button shows pressed for one frame; the next drawing of the panel
// puts the clean picture back.
static void showpressed(int button) {
    for (const pressedpicture& p : pressed)
        if (p.button == button) {
            drawbitmap(p.file, p.x, p.y, p.size);
            presentframe();
            panelrestore(0);
        }
}

static void spellslot(int index) {
    if (curnpc < 1 || curnpc > MAXNPCS || !npc[curnpc]) return;
    npcrec& c = *npc[curnpc];
    const unittyperec* t = c.unitno < (u32)NUMUNITTYPES ? unittype[c.unitno] : nullptr;
    int spellno = t ? t->specials[index] : 0;
    if (!spellno) return;
    if (armedslot[index]) {
        disarmspells();
        if (spellno == SPELL_HIDE) c.hidden = 0;
        setcursormode(1);
        return;
    }
    disarmspells();
    armedslot[index] = 1;
    if (!armspell(curnpc, spellno)) armedslot[index] = 0;
}

void panelpress() {
    if (paneltabpress(mousex, mousey)) return;
    int b = panelbuttonat(mousex, mousey);
    if (b < 0) return;
    showpressed(b);
    switch (b) {
    case PREVNPC: previousnpc(); break;
    case NEXTNPC: nextnpc(); break;
    case ENDTURN:
        drawmapview();
        presentframe();
        break;
    case CENTRE:
        if (curnpc >= 1 && curnpc <= MAXNPCS && npc[curnpc]) scx = npc[curnpc]->x, scy = npc[curnpc]->y;
        break;
    case OVERHEADMAP: overheadmap(); break;
    default:
        if (b >= FIRSTSPELL && b <= LASTSPELL) spellslot(b - FIRSTSPELL);
        break;
    }
}
