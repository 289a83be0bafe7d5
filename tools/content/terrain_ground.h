#pragma once
// The kinds of ground, each the colour of the world point (u, v) (cell
// units, 0..4 across a patch). seed picks one of many looks of a kind.
#include "tools/content/terrain_field.h"

using GroundPaint = LandCol (*)(float u, float v, u32 seed);

// Living and loose ground.
LandCol ground_grass(float u, float v, u32 seed);
LandCol ground_meadow(float u, float v, u32 seed);
LandCol ground_dry_grass(float u, float v, u32 seed);
LandCol ground_dirt(float u, float v, u32 seed);
LandCol ground_mud(float u, float v, u32 seed);
LandCol ground_path(float u, float v, u32 seed);
LandCol ground_forest(float u, float v, u32 seed);
LandCol ground_moss(float u, float v, u32 seed);
LandCol ground_gravel(float u, float v, u32 seed);
LandCol ground_rock(float u, float v, u32 seed);

// Water, weather and fire.
LandCol ground_sand(float u, float v, u32 seed);
LandCol ground_snow(float u, float v, u32 seed);
LandCol ground_ice(float u, float v, u32 seed);
LandCol ground_shallow(float u, float v, u32 seed);
LandCol ground_deep(float u, float v, u32 seed);
LandCol ground_swamp(float u, float v, u32 seed);
LandCol ground_lava(float u, float v, u32 seed);

// Laid by hand.
LandCol ground_cobbles(float u, float v, u32 seed);
LandCol ground_flagstones(float u, float v, u32 seed);
LandCol ground_boards(float u, float v, u32 seed);
LandCol ground_carpet(float u, float v, u32 seed);
LandCol ground_tiles(float u, float v, u32 seed);
