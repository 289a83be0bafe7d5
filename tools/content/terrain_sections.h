#pragma once
// Which ground each of the 80 sections holds.
#include "tools/content/terrain.h"
#include "tools/content/terrain_ground.h"

struct GroundSection {
    GroundPaint paint;
    u32 seed;
    LandCol tint;  // per channel, 1 leaves the ground's own colour
};

const GroundSection& ground_section(int s);  // 0 .. kTerrainSections - 1
