#pragma once
// The map grids: 256 x 256 cells, indexed by mapoff = y * 256 + x.
#include "platform/types.h"

constexpr int MAPSIZE = 256;
constexpr int MAPCELLS = MAPSIZE * MAPSIZE;
constexpr int NUMLANDTYPES = 1280;
constexpr int NUMITEMTYPES = 4096;

extern u16* landmap;
extern u16* itemmap;
extern u16* npcmap;
extern u16* specialmap;
extern u8* lightmap;
extern u8* vistoplayer[4];
extern u8* tempdata;
extern u8* sparegrid;
extern u8* vistonpc[129];

// Allocates every grid, in its fixed order.
void allocgrids();
