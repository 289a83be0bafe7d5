#pragma once
// Units on the map: the npc table, the players and the map header.
#include <cstddef>

#include "platform/types.h"

constexpr int NPCRECSIZE = 156;
constexpr int MAXNPCS = 128; // slots 1..128; slot 0 means none
constexpr int NPCSLOTS = MAXNPCS + 1;
constexpr int NUMPLAYERS = 4;
constexpr int SLOTSPERPLAYER = 32;

enum : u8 { NPC_DEAD = 0, NPC_DYING = 1, NPC_IDLE = 2, NPC_MOVING = 3, NPC_ATTACKING = 4, NPC_EMPTY = 6 };

struct npcrec {
    u32 mapoff;
    i16 x, y;
    u8 facing; // 1..8
    i8 step;
    u8 frame;
    u8 brightness;
    u32 unitno;
    i16 health, healthmax;
    i16 fatigue, fatiguemax;
    u8 player;
    u8 casting;
    u8 pad26[6];
    i16 magic, magicmax;
    u8 hidden;
    u8 pad37[2];
    u8 frozen;
    u8 created; // set when made or raised; nothing reads it
    u8 pad41[9];
    char name[19];
    u8 target;
    u8 selected;
    u8 isused;
    u8 pad72[3];
    u8 state;
    u8 destx, desty;
    u16 destoff;
    u8 thinkdelay;
    u8 running;
    u8 cloudslot;
    u8 pad83;
    u32 nextcry;
    u32 gold;
    u8 pickuponarrival;
    u8 useonarrival;
    u8 pad94[62];
};

struct playerrec {
    u16 playercolour;
    u8 active;
    u8 npccount;
    u8 computer;
};

constexpr int MAPDATASIZE = 128;

struct mapheader {
    u8 homex[NUMPLAYERS];
    u8 homey[NUMPLAYERS];
    u8 homedir[NUMPLAYERS];
    u8 rest[116];
};

extern npcrec* npc[NPCSLOTS];
extern playerrec players[NUMPLAYERS];
extern mapheader mapdata;
extern u8 placefacing; // the map editor's facing for units it places

void initnpc();
// The slot's owner: (slot - 1) / 32.
inline int slotplayer(int slot) { return (slot - 1) / SLOTSPERPLAYER; }
// Returns the slot made, or 0 when the player has no free slot.
int createnpc(u32 unittypeno, i32 x, i32 y, int player);

// Record <-> file bytes.
void npcfromfile(const u8* bytes, npcrec* n);
void npctofile(const npcrec* n, u8* bytes);
void mapdatafromfile(const u8* bytes, mapheader* m);
void mapdatatofile(const mapheader* m, u8* bytes);
