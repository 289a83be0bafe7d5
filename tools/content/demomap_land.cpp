#include "tools/content/demomap_land.h"

#include "tools/content/demomap_sections.h"

const int landsection[LAND_KINDS] = {
    TERRAIN_GRASS, TERRAIN_MEADOW, TERRAIN_DIRT,  TERRAIN_ROAD,  TERRAIN_COBBLES, TERRAIN_FLAGSTONE,
    TERRAIN_BOARDS, TERRAIN_FORESTFLOOR, TERRAIN_SAND, TERRAIN_WATER, TERRAIN_ROCK, TERRAIN_DUNGEON,
};

static u32 hash(int x, int y) {
    u32 h = (u32)x * 374761393u + (u32)y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

u16 landtile(landkind kind, int x, int y) { return (u16)(landsection[kind] + (int)(hash(x, y) % 16)); }
