#include "world/grids.h"

#include <cstring>

#include "app/memory.h"

u16* landmap = nullptr;
u16* itemmap = nullptr;
u16* npcmap = nullptr;
u16* specialmap = nullptr;
u8* lightmap = nullptr;
u8* vistoplayer[4];
u8* tempdata = nullptr;
u8* sparegrid = nullptr;
u8* vistonpc[129];

void allocgrids() {
    specialmap = (u16*)gamecalloc(MAPCELLS * 2, "specialmap");
    lightmap = (u8*)gamecalloc(MAPCELLS, "lightmap");
    tempdata = (u8*)gamealloc(MAPCELLS, "tempdata");
    u8* vis = (u8*)gamealloc(4 * MAPCELLS, "vistoplayer");
    std::memset(vis, 1, 4 * MAPCELLS);
    for (int p = 0; p < 4; p++) vistoplayer[p] = vis + p * MAPCELLS;
    sparegrid = (u8*)gamecalloc(MAPCELLS, "vistoplayer");
    u8* vn = (u8*)gamecalloc(129 * 1600, "vistonpc");
    for (int i = 0; i < 129; i++) vistonpc[i] = vn + i * 1600;
    landmap = (u16*)gamecalloc(MAPCELLS * 2, "");
    itemmap = (u16*)gamecalloc(MAPCELLS * 2, "");
    npcmap = (u16*)gamecalloc(MAPCELLS * 2, "");
}
