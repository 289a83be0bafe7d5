#pragma once
// Which land sections the map paints with, and a painter that scatters a
// section's sixteen tiles so the ground never repeats visibly.
#include "platform/types.h"

enum landkind { LAND_GRASS, LAND_MEADOW, LAND_DIRT, LAND_ROAD, LAND_COBBLES, LAND_FLAGSTONE, LAND_BOARDS,
                LAND_FORESTFLOOR, LAND_SAND, LAND_WATER, LAND_ROCK, LAND_DUNGEON, LAND_KINDS };

// The first tile of the section that holds each kind of ground.
extern const int landsection[LAND_KINDS];

// A tile of the kind for a cell, picked by a hash of the cell.
u16 landtile(landkind kind, int x, int y);
