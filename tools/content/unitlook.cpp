#include "tools/content/unitlook.h"

namespace {

constexpr Rgb kSteel = {170, 176, 190};
constexpr Rgb kWood = {120, 82, 46};
constexpr Rgb kGold = {212, 170, 60};
constexpr Rgb kFlesh = {214, 168, 128};
constexpr Rgb kLeather = {104, 70, 42};

// Indexed by picture set; set n draws unit type n. The big folk are big in
// bulk: a frame holds a figure a little over a man's height at most.
const Look kLooks[12] = {
    // Skeleton
    {0.98f, 0.9f, Body::bones, Headgear::skull, Weapon::sword, false, false, false, {226, 220, 194},
     {226, 220, 194}, {226, 220, 194}, {226, 220, 194}, {200, 192, 166}, {226, 220, 194}, {120, 100, 70},
     {96, 70, 44}, {150, 126, 100}, {0, 0, 0}, {0, 0, 0}},
    // Knight
    {1.04f, 1.1f, Body::armour, Headgear::helm, Weapon::sword, true, false, false, kFlesh, {44, 78, 180},
     kSteel, kSteel, {120, 124, 136}, kSteel, kGold, kWood, {200, 206, 220}, {40, 70, 170}, {0, 0, 0}},
    // Archer
    {1.0f, 0.95f, Body::plain, Headgear::hood, Weapon::bow, false, false, true, kFlesh, {70, 126, 56},
     {112, 86, 56}, {70, 126, 56}, {86, 60, 36}, {54, 104, 44}, kLeather, {140, 96, 50}, kSteel, {}, {}},
    // Thief
    {0.96f, 0.9f, Body::plain, Headgear::hood, Weapon::dagger, false, false, false, kFlesh, {58, 54, 70},
     {44, 42, 52}, {58, 54, 70}, {40, 36, 40}, {48, 44, 60}, {90, 30, 40}, kWood, kSteel, {}, {}},
    // Mage
    {1.0f, 0.95f, Body::robe, Headgear::hat, Weapon::staff, false, false, false, kFlesh, {116, 52, 160},
     {96, 40, 136}, {116, 52, 160}, {60, 40, 60}, {100, 44, 146}, kGold, {110, 80, 50}, kSteel, {},
     {120, 230, 255}},
    // Cleric
    {1.0f, 1.0f, Body::robe, Headgear::bare, Weapon::mace, false, false, false, kFlesh, {232, 230, 218},
     {220, 218, 206}, {232, 230, 218}, {130, 100, 60}, {120, 80, 40}, kGold, kWood, {190, 180, 150}, {}, {}},
    // Orc Warrior
    {1.06f, 1.25f, Body::plain, Headgear::bare, Weapon::axe, false, true, false, {100, 150, 62}, {96, 66, 40},
     {80, 60, 40}, {100, 150, 62}, {60, 44, 30}, {40, 40, 30}, {150, 40, 30}, kWood, {150, 150, 156}, {}, {}},
    // Goblin
    {0.8f, 0.9f, Body::plain, Headgear::bare, Weapon::dagger, false, true, false, {150, 170, 64},
     {150, 60, 40}, {100, 80, 50}, {150, 170, 64}, {80, 60, 40}, {70, 60, 40}, kLeather, kWood, {160, 150, 140},
     {}, {}},
    // Troll
    {1.07f, 1.45f, Body::plain, Headgear::bare, Weapon::club, false, true, false, {112, 130, 128},
     {112, 130, 128}, {90, 70, 50}, {112, 130, 128}, {96, 112, 110}, {60, 70, 66}, {90, 70, 50},
     {110, 86, 60}, kSteel, {}, {}},
    // Dark Knight
    {1.06f, 1.15f, Body::armour, Headgear::helm, Weapon::sword, true, false, false, kFlesh, {130, 24, 30},
     {78, 78, 90}, {78, 78, 90}, {56, 56, 64}, {78, 78, 90}, {160, 30, 30}, {60, 40, 30}, {150, 150, 168},
     {110, 20, 26}, {}},
    // Bandit
    {1.0f, 1.0f, Body::plain, Headgear::bandana, Weapon::sword, false, false, false, kFlesh, {130, 96, 60},
     {70, 70, 80}, {200, 180, 150}, {70, 50, 36}, {180, 36, 36}, {60, 40, 24}, kWood, kSteel, {}, {}},
    // Ogre
    {1.08f, 1.6f, Body::plain, Headgear::bare, Weapon::club, false, false, false, {186, 150, 104},
     {186, 150, 104}, {110, 80, 50}, {186, 150, 104}, {140, 110, 80}, {80, 60, 40}, {110, 80, 50},
     {120, 90, 60}, kSteel, {}, {}},
};

}  // namespace

const Look& look_of(int set) { return kLooks[set]; }
