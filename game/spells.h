#pragma once
// The spells a unit type may know: their table, arming from the panel, the
// aiming check the cursor makes every frame, and the casts.
#include "platform/types.h"

constexpr int NUMSPELLS = 32;
constexpr int SPELLRECSIZE = 64;

enum : u8 {
    SPELL_NONE = 0,
    SPELL_HIDE = 1,
    SPELL_LIGHT = 2,
    SPELL_RAISEDEAD = 3,
    SPELL_FREEZE = 4,
    SPELL_HEAL = 5,
    SPELL_EXPLODE = 6,
    SPELL_LIGHTNING = 7,
};

// The cursor modes while a spell is aimed: valid, refused, out of range and
// (Lightning only) no line of sight. 0 where a spell has no such form.
enum : u8 {
    CM_LIGHT = 32, CM_LIGHTNO = 33,
    CM_RAISE = 34, CM_RAISENO = 35,
    CM_FREEZE = 36, CM_FREEZENO = 37,
    CM_HEAL = 38, CM_HEALNO = 39,
    CM_LIGHTNING = 40, CM_LIGHTNINGNO = 41, CM_LIGHTNINGFAR = 42,
    CM_HEALFAR = 43, CM_FREEZEFAR = 44, CM_LIGHTFAR = 45, CM_LIGHTNINGBLIND = 46,
};
constexpr u8 CM_FIRSTAIM = 32;
constexpr u8 CM_LASTAIM = 46;

struct spellrec {
    u8 grade;     // kept for the unit editor; no rule reads it
    u8 magiccost; // taken by the cast, and the least magic that may arm it
    u8 fatigueneed; // the least fatigue that may arm it; none is spent
    u8 range;     // the farthest cell distance from the caster; 255 any
    char name[60];
};
static_assert(sizeof(spellrec) == SPELLRECSIZE);

extern spellrec* spell[NUMSPELLS]; // record k of one zero-filled block
// 1 on the panel's spell slot (0..3) whose spell is being aimed; the panel
// arms and disarms them, a cast clears them all.
extern u8 armedslot[4];
void disarmspells();

// Builds the table; leaves the game with code 1 when memory runs out. A
// second call fills the same block again.
void initspells();
// Gives the block back (tests); initspells may run again after it.
void freespells();
// The last refusal or failure the spells showed as a flash message
// ("" for none); the log gets each one too.
extern const char* spellmessage;
// Shows a refusal as the flash message at the mouse.
void spellsay(const char* text);

// The panel arms spell `spellno` for the unit in `slot`: 1 when it took
// effect (Hide in Shadows toggles at once; aimed spells switch the cursor
// to their valid aiming mode; re-arming a spell whose refused cursor shows
// cancels it back to mode 1), 0 when refused. Refusals are flash messages
// ("Not enough Magic!", "Not enough MPs!", "No Room In Army!", and for
// hiding "Too much light here!" / "Too close to enemies!", which return 1).
u32 armspell(int slot, int spellno);

// The spell an aiming cursor mode (32..46, any of its forms) belongs to;
// 0 for any other mode.
int spellofaimmode(u8 mode);
// The valid aiming mode of a spell (32, 34, 36, 38, 40); 0 when the spell
// is not aimed.
u8 validaimmode(int spellno);
// The aiming cursor for `spellno` at `mapoff` as curnpc sees it: the
// spell's valid mode, or its refused, out-of-range or no-sight form.
// 0 for a spell that is not aimed.
u8 spellaimmode(int spellno, u32 mapoff);
// True when the aim at `mapoff` holds right now (spellaimmode gives the
// valid mode); the click re-checks with this before it casts.
bool spellaimvalid(int spellno, u32 mapoff);

// Casts spell 2..7 from `caster` at `mapoff`, with its animation; the game
// loop stands still until it ends. Clears the armed panel slots first and
// leaves cursor mode 1. Any other number (and Explode) only disarms.
void castspell(int caster, int spellno, u32 mapoff);
// What the click handler calls in a valid aiming mode: re-checks the aim
// for curnpc and casts only when it holds (nothing is charged otherwise).
// True when the spell was cast.
bool castaimedspell(u8 mode, u32 mapoff);

// Pieces of the casts, for the casts themselves and for tests of a single
// rule.
// Damage of the strike with chain counter k (8 first .. 1 last).
i32 lightningdamage(int k);
// The next victim of a Lightning chain around `source` for counter k; 0
// when none qualifies.
int lightningnext(int source, int k);
// A Lightning strike of `damage` on `victim`; at 0 health it dies at once
// and its cell glows and stays marked for Raise Dead.
void lightningstrike(int victim, i32 damage);
// The whole Lightning cast from `caster` at the unit on `mapoff`.
void lightningcast(int caster, u32 mapoff);
// The heal amount for `target` with a roll r (0..6 is added to 10),
// lowered so health stays at its unit type's maximum.
i32 healamount(int target, u32 roll);
