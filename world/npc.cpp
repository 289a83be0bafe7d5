#include "world/npc.h"

#include <cstring>

#include "app/memory.h"
#include "world/unittype.h"

npcrec* npc[NPCSLOTS];
playerrec players[NUMPLAYERS];
mapheader mapdata;
u8 placefacing = 5;

static const u16 defaultcolours[NUMPLAYERS] = {0x0400, 0x8000, 0x0020, 0x6018};

void initnpc() {
    static_assert(sizeof(npcrec) == NPCRECSIZE, "the npc record keeps its file size in memory too");
    npcrec* block = (npcrec*)gamecalloc(sizeof(npcrec) * NPCSLOTS, "initnpc 0");
    for (int i = 0; i < NPCSLOTS; i++) npc[i] = block + i;
    std::memset(&mapdata, 0, sizeof mapdata);
    std::memset(players, 0, sizeof players);
    for (int p = 0; p < NUMPLAYERS; p++) {
        players[p].computer = p != 0;
        players[p].playercolour = defaultcolours[p];
    }
}

int createnpc(u32 unittypeno, i32 x, i32 y, int player) {
    if (player < 0 || player >= NUMPLAYERS || unittypeno >= NUMUNITTYPES) return 0;
    for (int slot = player * SLOTSPERPLAYER + 1; slot <= (player + 1) * SLOTSPERPLAYER; slot++) {
        npcrec& n = *npc[slot];
        if (n.isused) continue;
        players[player].npccount++;
        const unittyperec& t = *unittype[unittypeno];
        n.unitno = unittypeno;
        n.player = (u8)player;
        n.facing = placefacing;
        n.x = (i16)x;
        n.y = (i16)y;
        n.mapoff = (u32)(y * 256 + x);
        n.health = n.healthmax = (i16)t.healthmax;
        n.fatigue = n.fatiguemax = (i16)t.movementmax;
        n.magic = n.magicmax = t.magicmax;
        n.created = 1;
        n.isused = 1;
        return slot;
    }
    return 0;
}
