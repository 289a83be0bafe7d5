#pragma once
// What each of the twelve picture sets looks like: build, dress, headgear
// and weapon, the inputs of the body builder.
#include "tools/content/unitpose.h"

enum class Body : u8 { plain, armour, robe, bones };
enum class Headgear : u8 { bare, helm, hood, hat, skull, bandana };

struct Look {
    float scale;  // height against a 58-unit man
    float bulk;   // limb and trunk thickness
    Body body;
    Headgear head;
    Weapon weapon;
    bool shield, ears, quiver;
    Rgb skin, torso, legs, sleeves, boots, headcol, trim, wood, steel, shieldcol, glow;
};

const Look& look_of(int set);

// The solids of one pose in the figure's own frame (x forward, y right).
Figure build_body(const Look& look, const Joints& j, const Pose& p);
void add_weapon(Figure& fig, const Look& look, const Joints& j, const Pose& p);
