// Where an armed spell may be aimed, checked every frame for the cell under
// the cursor and once more when the click arrives.
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "game/spells.h"
#include "world/grids.h"
#include "world/npc.h"

// Each aimed spell's cursor forms: valid, refused, out of range, no sight.
struct aimforms {
    u8 spellno, valid, refused, far, blind;
};

static const aimforms forms[] = {
    {SPELL_LIGHT, CM_LIGHT, CM_LIGHTNO, CM_LIGHTFAR, 0},
    {SPELL_RAISEDEAD, CM_RAISE, CM_RAISENO, CM_RAISENO, 0},
    {SPELL_FREEZE, CM_FREEZE, CM_FREEZENO, CM_FREEZEFAR, 0},
    {SPELL_HEAL, CM_HEAL, CM_HEALNO, CM_HEALFAR, 0},
    {SPELL_LIGHTNING, CM_LIGHTNING, CM_LIGHTNINGNO, CM_LIGHTNINGFAR, CM_LIGHTNINGBLIND},
};

static const aimforms* formsof(int spellno) {
    for (const aimforms& f : forms)
        if (f.spellno == spellno) return &f;
    return nullptr;
}

int spellofaimmode(u8 mode) {
    for (const aimforms& f : forms)
        if (mode && (mode == f.valid || mode == f.refused || mode == f.far || mode == f.blind)) return f.spellno;
    return 0;
}

u8 validaimmode(int spellno) {
    const aimforms* f = formsof(spellno);
    return f ? f->valid : 0;
}

// The unit standing on a cell, or 0.
static int unitat(u32 off) {
    u16 s = npcmap[off];
    return s && s < NPCSLOTS && npc[s] && npc[s]->isused ? s : 0;
}

// An enemy hiding in the dark: no aim may give him away.
static bool hiddenenemy(int who) { return who && npc[who]->hidden == 1 && npc[who]->player != 0; }

u8 spellaimmode(int spellno, u32 mapoff) {
    const aimforms* f = formsof(spellno);
    if (!f) return 0;
    if (mapoff >= (u32)MAPCELLS || curnpc < 1 || curnpc > MAXNPCS || !spell[spellno]) return f->refused;
    const npcrec& c = *npc[curnpc];
    bool visible = vistoplayer[0] && vistoplayer[0][mapoff];
    i32 d = celldistance(c.x, c.y, (i32)(mapoff % 256), (i32)(mapoff / 256));
    bool inrange = d <= spell[spellno]->range;
    int who = unitat(mapoff);
    switch (spellno) {
    case SPELL_LIGHT:
        if (!visible || itemmap[mapoff]) return f->refused;
        return inrange ? f->valid : f->far;
    case SPELL_RAISEDEAD:
        return visible && specialmap[mapoff] == 8 && inrange ? f->valid : f->refused;
    case SPELL_FREEZE:
        if (!inrange) return f->far;
        if (!visible || !who || hiddenenemy(who)) return f->refused;
        return f->valid;
    case SPELL_HEAL:
        if (!inrange) return f->far;
        return visible && who && !hiddenenemy(who) ? f->valid : f->refused;
    case SPELL_LIGHTNING:
        if (!inrange) return f->far;
        if (!visible || !who || who == curnpc || hiddenenemy(who)) return f->refused;
        return lineofsight(c.mapoff, mapoff) ? f->valid : f->blind;
    }
    return f->refused;
}

bool spellaimvalid(int spellno, u32 mapoff) {
    u8 valid = validaimmode(spellno);
    return valid && spellaimmode(spellno, mapoff) == valid;
}
