#pragma once
// How a figure stands in each frame of its three actions, as joint angles,
// and where that puts its joints in the figure's own frame.
#include "tools/content/unitfigure.h"

enum class Weapon : u8 { sword, axe, club, mace, dagger, staff, bow };

struct Limb {
    float pitch;   // upper part from hanging straight down, forward positive
    float spread;  // sideways lean of the upper part, outward positive
    float bend;    // lower part's extra pitch at the elbow or knee
};

struct Pose {
    Limb arml, armr, legl, legr;
    float lean = 0;     // torso tilt forward
    float twist = 0;    // shoulders turned toward the right hand, radians
    float breathe = 0;  // chest rise
    float grip = 0;     // weapon pitch beyond the right forearm
    float draw = 0;     // bowstring pulled 0..1; an arrow is nocked while > 0
    float glow = 0;     // staff tip brightness 0..1
};

enum { kWalk = 0, kAttack = 1, kStand = 2 };
Pose pose_of(int action, int frame, Weapon w);

// Joint positions with x forward, y to the right and z up, in units of a
// figure about 58 tall; the lower foot touches z = 0.
struct Joints {
    V3 pelvis, chest, neck, head;
    V3 shoulder[2], elbow[2], hand[2];  // 0 left, 1 right
    V3 hip[2], knee[2], ankle[2], toe[2];
    V3 up;       // torso axis
    V3 weapon;   // direction the right hand's weapon points
    V3 forearm[2];
};

Joints joints_of(const Pose& p);
