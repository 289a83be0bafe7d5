#include "game/spells.h"

#include <cstring>

#include "app/cursor.h"
#include "app/debuglog.h"
#include "app/memory.h"
#include "game/eventlog.h"
#include "game/kills.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "view/effects.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/spellanim.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/npc.h"

spellrec* spell[NUMSPELLS];
u8 armedslot[4];
const char* spellmessage = "";

struct spellrow {
    u8 number, grade, magiccost, fatigueneed, range;
    const char* name;
};

// Explode keeps an empty record, as does every number after Lightning.
static const spellrow spellrows[] = {
    {SPELL_HIDE, 0, 0, 64, 255, "Hide in Shadows"},
    {SPELL_LIGHT, 1, 4, 40, 255, "Light"},
    {SPELL_RAISEDEAD, 2, 8, 48, 16, "Raise Dead"},
    {SPELL_FREEZE, 3, 8, 48, 16, "Freeze"},
    {SPELL_HEAL, 1, 4, 48, 16, "Heal"},
    {SPELL_LIGHTNING, 3, 8, 48, 16, "Lightning"},
};

static spellrec* spellblock = nullptr;

void initspells() {
    if (!spellblock) spellblock = (spellrec*)gamecalloc(sizeof(spellrec) * NUMSPELLS, "initspells");
    std::memset(spellblock, 0, sizeof(spellrec) * NUMSPELLS);
    for (int k = 0; k < NUMSPELLS; k++) spell[k] = spellblock + k;
    for (const spellrow& r : spellrows) {
        spellrec& s = *spell[r.number];
        s.grade = r.grade;
        s.magiccost = r.magiccost;
        s.fatigueneed = r.fatigueneed;
        s.range = r.range;
        std::strncpy(s.name, r.name, sizeof s.name - 1);
    }
    disarmspells();
}

void freespells() {
    if (!spellblock) return;
    gamefree(spellblock, sizeof(spellrec) * NUMSPELLS);
    spellblock = nullptr;
    for (spellrec*& s : spell) s = nullptr;
}

void disarmspells() { std::memset(armedslot, 0, sizeof armedslot); }

void spellsay(const char* text) {
    spellmessage = text;
    debuglog("%s\n", text);
    flashmessage(text);
}

// Hiding is refused by light and by an enemy standing next to the thief
// who could see him slip away; either way the press itself is taken.
static void armhide(int slot) {
    npcrec& n = *npc[slot];
    if (!npconscreen(slot)) {
        scx = n.x;
        scy = n.y;
        drawmapview();
    }
    if (n.hidden) {
        n.hidden = 0;
        panelrestore(0);
        return;
    }
    if (n.mapoff >= (u32)MAPCELLS || lightmap[n.mapoff] < 7) return spellsay("Too much light here!");
    static const i8 around[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    for (const auto& a : around) {
        u16 s = npcat(n.x + a[0], n.y + a[1]);
        if (!s || s >= NPCSLOTS || !npc[s]->isused) continue;
        const npcrec& other = *npc[s];
        if (other.player != n.player && other.hidden != 1) return spellsay("Too close to enemies!");
    }
    if (n.fatigue < spell[SPELL_HIDE]->fatigueneed) return spellsay("Not enough MPs!");
    n.hidden = 1;
    logevent("%s hides in the shadows", unitname(slot));
    panelrestore(0);
}

static u32 refuse(const char* text) {
    disarmspells();
    spellsay(text);
    return 0;
}

u32 armspell(int slot, int spellno) {
    if (slot < 1 || slot > MAXNPCS || !npc[slot] || !spell[0]) return 0;
    npcrec& n = *npc[slot];
    if (spellno == SPELL_HIDE) {
        armhide(slot);
        return 1;
    }
    u8 valid = validaimmode(spellno);
    if (!valid) return 0;
    if (cursormode == valid + 1) { // the refused cursor is showing: the press cancels
        setcursormode(1);
        return 1;
    }
    const spellrec& s = *spell[spellno];
    if (n.magic < s.magiccost) return refuse("Not enough Magic!");
    if (n.fatigue < s.fatigueneed) return refuse("Not enough MPs!");
    if (spellno == SPELL_RAISEDEAD && (n.player >= NUMPLAYERS || players[n.player].npccount >= SLOTSPERPLAYER))
        return refuse("No Room In Army!");
    setcursormode(valid);
    return 1;
}
