// The spell table, arming from the panel with its costs and refusals, and
// where each aimed spell may be pointed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/cursor.h"
#include "app/memory.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/spells.h"
#include "test_spells_env.h"
#include "world/grids.h"
#include "world/npc.h"

TEST(Spells, TheTableKeepsExplodeAndTheRestEmpty) {
    startspellworld();
    const struct {
        int no;
        const char* name;
        u8 grade, magic, fatigue, range;
    } rows[] = {{1, "Hide in Shadows", 0, 0, 64, 255}, {2, "Light", 1, 4, 40, 255}, {3, "Raise Dead", 2, 8, 48, 16},
                {4, "Freeze", 3, 8, 48, 16},           {5, "Heal", 1, 4, 48, 16},   {7, "Lightning", 3, 8, 48, 16}};
    for (const auto& r : rows) {
        const spellrec& s = *spell[r.no];
        EXPECT_STREQ(s.name, r.name);
        EXPECT_EQ(s.grade, r.grade) << r.name;
        EXPECT_EQ(s.magiccost, r.magic) << r.name;
        EXPECT_EQ(s.fatigueneed, r.fatigue) << r.name;
        EXPECT_EQ(s.range, r.range) << r.name;
    }
    static const u8 zero[SPELLRECSIZE] = {};
    for (int k : {0, 6, 8, 20, 31}) EXPECT_EQ(std::memcmp(spell[k], zero, SPELLRECSIZE), 0) << k;
    EXPECT_EQ((const u8*)spell[31] - (const u8*)spell[0], 31 * SPELLRECSIZE) << "one block, record k at 64 k";
    // Start-up runs it once; running it again neither grows the memory
    // count nor moves the records.
    u32 used = memoryused;
    spellrec* first = spell[0];
    std::strcpy(spell[2]->name, "changed");
    initspells();
    EXPECT_EQ(memoryused, used);
    EXPECT_EQ(spell[0], first);
    EXPECT_STREQ(spell[2]->name, "Light");
}

// Arming spell s with the leader at magic m and fatigue f; the result, the
// cursor and what was said.
struct armed {
    u32 result;
    u8 cursor;
    std::string said;
};

static armed arm(int s, i16 magic, i16 fatigue) {
    npc[1]->magic = magic;
    npc[1]->fatigue = fatigue;
    setcursormode(1);
    spellmessage = "";
    armedslot[2] = 1; // as the panel does before the arming
    u32 r = armspell(1, s);
    return {r, cursormode, spellmessage};
}

TEST(Spells, ArmingTestsMagicThenFatigueAndAimsAtOnce) {
    startspellworld();
    for (int s : {2, 3, 4, 5, 7}) {
        u8 cost = spell[s]->magiccost, need = spell[s]->fatigueneed;
        armed ok = arm(s, cost, need);
        EXPECT_EQ(ok.result, 1u) << s;
        EXPECT_EQ(ok.cursor, validaimmode(s)) << s;
        EXPECT_EQ(ok.said, "") << s;
        EXPECT_EQ(npc[1]->magic, cost) << "arming spends nothing";
        EXPECT_EQ(npc[1]->fatigue, need) << "nor fatigue";

        armed poor = arm(s, (i16)(cost - 1), 200);
        EXPECT_EQ(poor.result, 0u) << s;
        EXPECT_EQ(poor.said, "Not enough Magic!") << s;
        EXPECT_EQ(poor.cursor, 1) << s;
        EXPECT_EQ(armedslot[2], 0) << "a refusal disarms the slot";

        armed tired = arm(s, 20, (i16)(need - 1));
        EXPECT_EQ(tired.result, 0u) << s;
        EXPECT_EQ(tired.said, "Not enough MPs!") << s;
        EXPECT_EQ(tired.cursor, 1) << s;

        armed both = arm(s, 0, 0);
        EXPECT_EQ(both.said, "Not enough Magic!") << "magic is asked first, " << s;
    }
    for (int s : {0, 6, 8, 31, -1}) {
        armed none = arm(s, 20, 200);
        EXPECT_EQ(none.result, 0u) << s;
        EXPECT_EQ(none.said, "") << "nothing is shown for " << s;
        EXPECT_EQ(none.cursor, 1) << s;
    }
}

TEST(Spells, RaiseDeadNeedsRoomInTheArmy) {
    startspellworld();
    players[0].npccount = 31;
    EXPECT_EQ(arm(3, 20, 200).result, 1u);
    players[0].npccount = 32;
    armed full = arm(3, 20, 200);
    EXPECT_EQ(full.result, 0u);
    EXPECT_EQ(full.said, "No Room In Army!");
    EXPECT_EQ(full.cursor, 1);
    EXPECT_EQ(arm(4, 20, 200).result, 1u) << "only Raise Dead asks";
    EXPECT_EQ(arm(3, 20, 40).said, "Not enough MPs!") << "fatigue before room";
}

TEST(Spells, ArmingWhileTheRefusedCursorShowsCancels) {
    startspellworld();
    for (int s : {2, 3, 4, 5, 7}) {
        npc[1]->magic = 0; // a cancel asks for nothing
        setcursormode((u8)(validaimmode(s) + 1));
        spellmessage = "";
        EXPECT_EQ(armspell(1, s), 1u) << s;
        EXPECT_EQ(cursormode, 1) << s;
        EXPECT_EQ(std::string(spellmessage), "") << s;
    }
    // Another spell's refused cursor is no cancel of this one.
    npc[1]->magic = 20;
    setcursormode(CM_FREEZENO);
    EXPECT_EQ(armspell(1, SPELL_LIGHTNING), 1u);
    EXPECT_EQ(cursormode, CM_LIGHTNING);
    // Nor is an out-of-range form.
    setcursormode(CM_LIGHTNINGFAR);
    EXPECT_EQ(armspell(1, SPELL_LIGHTNING), 1u);
    EXPECT_EQ(cursormode, CM_LIGHTNING);
}

TEST(Spells, HidingNeedsShadowNoEnemyBesideAndSixtyFourMPs) {
    startspellworld();
    int thief = placeunit(3, 0, HOMEX + 3, HOMEY);
    npcrec& t = *npc[thief];
    u32 off = t.mapoff;
    auto hide = [&](u8 light, i16 fatigue) {
        lightmap[off] = light;
        t.fatigue = fatigue;
        spellmessage = "";
        return armspell(thief, SPELL_HIDE);
    };
    EXPECT_EQ(hide(6, 200), 1u);
    EXPECT_STREQ(spellmessage, "Too much light here!");
    EXPECT_EQ(t.hidden, 0);
    EXPECT_EQ(hide(7, 63), 1u);
    EXPECT_STREQ(spellmessage, "Not enough MPs!");
    EXPECT_EQ(t.hidden, 0);
    EXPECT_EQ(hide(7, 64), 1u);
    EXPECT_STREQ(spellmessage, "");
    EXPECT_EQ(t.hidden, 1);
    EXPECT_EQ(t.fatigue, 64) << "hiding costs no fatigue";
    EXPECT_EQ(hide(7, 64), 1u);
    EXPECT_EQ(t.hidden, 0) << "a second press steps out of the shadows";

    // An enemy on any of the eight cells around, unless he is hidden in
    // the dark himself.
    static const int around[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    int enemy = placeunit(6, 1, 0, 0);
    npcmap[0] = 0;
    for (const auto& a : around) {
        u32 at = cellat(t.x + a[0], t.y + a[1]);
        npcmap[at] = (u16)enemy;
        npc[enemy]->hidden = 0;
        EXPECT_EQ(hide(9, 200), 1u);
        EXPECT_STREQ(spellmessage, "Too close to enemies!") << a[0] << "," << a[1];
        EXPECT_EQ(t.hidden, 0);
        npc[enemy]->hidden = 2; // hidden but lit: he sees
        hide(9, 200);
        EXPECT_STREQ(spellmessage, "Too close to enemies!");
        npc[enemy]->hidden = 1;
        hide(9, 200);
        EXPECT_STREQ(spellmessage, "") << "a hidden enemy does not count";
        EXPECT_EQ(t.hidden, 1);
        t.hidden = 0;
        npcmap[at] = 0;
    }
    // Two cells away, or a friend beside him, is no bar.
    npcmap[cellat(t.x + 2, t.y)] = (u16)enemy;
    npc[enemy]->hidden = 0;
    npcmap[cellat(t.x - 1, t.y)] = 1;
    hide(9, 200);
    EXPECT_STREQ(spellmessage, "");
    EXPECT_EQ(t.hidden, 1);
}

TEST(SpellAim, EveryAimingModeBelongsToItsSpell) {
    for (u8 m = 0; m < 60; m++) {
        int s = spellofaimmode(m);
        int want = m == 32 || m == 33 || m == 45   ? 2
                   : m == 34 || m == 35            ? 3
                   : m == 36 || m == 37 || m == 44 ? 4
                   : m == 38 || m == 39 || m == 43 ? 5
                   : m >= 40 && m <= 42            ? 7
                   : m == 46                       ? 7
                                                   : 0;
        EXPECT_EQ(s, want) << (int)m;
    }
    EXPECT_EQ(validaimmode(SPELL_LIGHT), 32);
    EXPECT_EQ(validaimmode(SPELL_RAISEDEAD), 34);
    EXPECT_EQ(validaimmode(SPELL_FREEZE), 36);
    EXPECT_EQ(validaimmode(SPELL_HEAL), 38);
    EXPECT_EQ(validaimmode(SPELL_LIGHTNING), 40);
    for (int s : {0, 1, 6, 8}) EXPECT_EQ(validaimmode(s), 0) << s;
}

// The cell 16 and 17 cells east of the leader: the last in range and the
// first beyond it.
static u32 edge(int d) {
    EXPECT_EQ(celldistance(HOMEX, HOMEY, HOMEX + d, HOMEY), d);
    return cellat(HOMEX + d, HOMEY);
}

TEST(SpellAim, LightWantsAVisibleCellWithoutAnItem) {
    startspellworld();
    u32 free = cellat(HOMEX + 5, HOMEY + 5);
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, free), CM_LIGHT);
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, cellat(HOMEX + 30, HOMEY)), CM_LIGHT) << "any range";
    int enemy = placeunit(6, 1, HOMEX + 2, HOMEY);
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, npc[enemy]->mapoff), CM_LIGHT) << "a unit may be lit";
    itemmap[free] = 180;
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, free), CM_LIGHTNO);
    itemmap[free] = 0;
    vistoplayer[0][free] = 0;
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, free), CM_LIGHTNO);
    vistoplayer[1][free] = 0, vistoplayer[0][free] = 1;
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, free), CM_LIGHT) << "the human player's eyes only";
    EXPECT_EQ(spellaimmode(SPELL_LIGHT, MAPCELLS), CM_LIGHTNO) << "off the map";
}

TEST(SpellAim, RaiseDeadWantsAMarkedCellInRange) {
    startspellworld();
    u32 near = edge(16), far = edge(17);
    specialmap[near] = specialmap[far] = 8;
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, near), CM_RAISE);
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, far), CM_RAISENO) << "beyond the range it is simply refused";
    for (u16 v : {0, 7, 9, 16}) {
        specialmap[near] = v;
        EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, near), CM_RAISENO) << v;
    }
    specialmap[near] = 8;
    vistoplayer[0][near] = 0;
    EXPECT_EQ(spellaimmode(SPELL_RAISEDEAD, near), CM_RAISENO);
}

TEST(SpellAim, FreezeAndHealWantAUnitInRange) {
    startspellworld();
    u32 near = edge(16), far = edge(17);
    int a = placeunit(6, 1, HOMEX + 16, HOMEY);
    int b = placeunit(6, 1, HOMEX + 17, HOMEY);
    (void)b;
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, near), CM_FREEZE);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEAL);
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, far), CM_FREEZEFAR);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, far), CM_HEALFAR);
    u32 empty = cellat(HOMEX + 3, HOMEY + 3);
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, empty), CM_FREEZENO);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, empty), CM_HEALNO);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, npc[1]->mapoff), CM_HEAL) << "the caster may heal himself";
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, cellat(HOMEX + 17, HOMEY + 1)), CM_FREEZEFAR) << "far, even empty";
    // An enemy hiding in the dark can be neither frozen nor healed: the aim
    // would give him away. One of ours can be both.
    npc[a]->hidden = 1;
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, near), CM_FREEZENO);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEALNO);
    npc[a]->hidden = 2;
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, near), CM_FREEZE) << "lit, he is seen";
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEAL);
    npc[a]->hidden = 1;
    npc[a]->player = 0;
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, near), CM_FREEZE);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEAL);
    vistoplayer[0][near] = 0;
    EXPECT_EQ(spellaimmode(SPELL_FREEZE, near), CM_FREEZENO);
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEALNO);
    // A record left in the grid after its unit is gone is no unit.
    vistoplayer[0][near] = 1;
    npc[a]->isused = 0;
    EXPECT_EQ(spellaimmode(SPELL_HEAL, near), CM_HEALNO);
}

TEST(SpellAim, LightningWantsAnotherUnitInRangeAndInSight) {
    startspellworld();
    int e = placeunit(6, 1, HOMEX + 6, HOMEY + 6);
    u32 at = npc[e]->mapoff;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNING);
    itemmap[cellat(HOMEX + 3, HOMEY + 3)] = SPELLWALL;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNINGBLIND);
    itemmap[cellat(HOMEX + 3, HOMEY + 3)] = 0;
    int friendly = placeunit(6, 0, HOMEX + 3, HOMEY + 3);
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNINGBLIND) << "a unit in the way blocks the sight";
    npc[friendly]->player = 1, npc[friendly]->hidden = 1;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNING) << "a hidden enemy does not";
    npc[e]->hidden = 1;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNINGNO) << "nor is a hidden enemy a target";
    npc[e]->hidden = 2;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNING) << "lit, he is seen";
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, npc[1]->mapoff), CM_LIGHTNINGNO) << "not at the caster";
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, cellat(HOMEX + 2, HOMEY + 4)), CM_LIGHTNINGNO) << "not at nothing";
    placeunit(6, 1, HOMEX + 17, HOMEY);
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, edge(17)), CM_LIGHTNINGFAR);
    placeunit(6, 1, HOMEX + 16, HOMEY);
    itemmap[cellat(HOMEX + 10, HOMEY)] = SPELLWALL;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, edge(16)), CM_LIGHTNINGBLIND);
    itemmap[cellat(HOMEX + 10, HOMEY)] = 0;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, edge(16)), CM_LIGHTNING);
    vistoplayer[0][at] = 0;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, at), CM_LIGHTNINGNO);
    // Another unit commanded: the leader becomes a fair target.
    curnpc = friendly;
    npc[friendly]->player = 0, npc[friendly]->hidden = 0;
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, npc[1]->mapoff), CM_LIGHTNING);
    EXPECT_EQ(spellaimmode(SPELL_LIGHTNING, npc[friendly]->mapoff), CM_LIGHTNINGNO);
    EXPECT_EQ(spellaimmode(SPELL_HIDE, at), 0) << "hiding is not aimed";
}
