#pragma once
// The tiles that are not ground: the editor's "no land" mark, a blank, and
// the void a mission draws where a map has no land.
#include "tools/content/terrain.h"

Tile no_land_tile();
Tile blank_tile();
Tile void_tile();
