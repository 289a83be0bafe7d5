#include "tools/content/unittypes.h"

#include <cstring>
#include <vector>

#include "tools/content/fileout.h"

namespace {

enum : u8 { kNone = 0, kHide = 1, kLight = 2, kRaise = 3, kFreeze = 4, kHeal = 5, kExplode = 6, kLightning = 7 };

struct TypeRow {
    const char* name;
    u32 unitclass, health, movement;
    u8 magic, dmin;
    u32 dmax;
    u8 rmin, rmax;
    u8 specials[4];
};

// Type 0 is what Raise Dead brings up; type 1 is the player's leader,
// whose abilities are the player's spell book. Healing caps at the type's
// maximum, so the leader's type holds at least his 2000 starting health.
const TypeRow kTypes[NUMUNITTYPES] = {
    {"Skeleton", CLASS_FIGHTER, 30, 30, 0, 2, 6, 1, 1, {kNone, kNone, kNone, kNone}},
    {"Knight", CLASS_FIGHTER, 2000, 40, 40, 5, 12, 1, 1, {kLight, kFreeze, kHeal, kLightning}},
    {"Archer", CLASS_ARCHER, 45, 45, 0, 3, 8, 2, 8, {kNone, kNone, kNone, kNone}},
    {"Thief", CLASS_THIEF, 40, 55, 10, 2, 7, 1, 1, {kHide, kNone, kNone, kNone}},
    {"Mage", CLASS_MAGE, 35, 35, 60, 4, 10, 2, 6, {kLightning, kFreeze, kExplode, kLight}},
    {"Cleric", CLASS_CLERIC, 50, 35, 50, 3, 7, 1, 1, {kHeal, kRaise, kLight, kNone}},
    {"Orc Warrior", CLASS_FIGHTER, 70, 35, 0, 4, 11, 1, 1, {kNone, kNone, kNone, kNone}},
    {"Goblin", CLASS_FIGHTER, 25, 50, 0, 1, 5, 1, 1, {kNone, kNone, kNone, kNone}},
    {"Troll", CLASS_FIGHTER, 110, 25, 0, 6, 15, 1, 1, {kNone, kNone, kNone, kNone}},
    {"Dark Knight", CLASS_FIGHTER, 100, 35, 30, 6, 14, 1, 1, {kFreeze, kNone, kNone, kNone}},
    {"Bandit", CLASS_THIEF, 45, 50, 0, 2, 8, 1, 1, {kHide, kNone, kNone, kNone}},
    {"Ogre", CLASS_FIGHTER, 120, 20, 0, 7, 18, 1, 1, {kNone, kNone, kNone, kNone}},
};

}  // namespace

unittyperec unit_type_of(int n) {
    const TypeRow& t = kTypes[n];
    unittyperec u;
    std::memset(&u, 0, sizeof u);
    std::strncpy(u.name, t.name, sizeof u.name - 1);
    u.healthmax = t.health;
    u.movementmax = t.movement;
    u.damagemax = t.dmax;
    u.unitclass = t.unitclass;
    u.rangemax = t.rmax;
    u.rangemin = t.rmin;
    u.damagemin = t.dmin;
    u.magicmax = t.magic;
    std::memcpy(u.specials, t.specials, 4);
    u.picno = (u8)n;
    return u;
}

bool write_unit_types(const GenContext& ctx, std::string& why) {
    for (int n = 0; n < NUMUNITTYPES; ++n) {
        unittyperec u = unit_type_of(n);
        std::vector<u8> bytes(UNITTYPESIZE);
        unittypetofile(&u, bytes.data());
        if (!write_bytes(data_path(ctx, "units/unit" + std::to_string(n) + ".dat"), bytes, why)) return false;
    }
    return true;
}
