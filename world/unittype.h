#pragma once
// Unit types and their picture sets.
#include <cstddef>

#include "platform/types.h"

constexpr int NUMUNITTYPES = 12;
constexpr int UNITTYPESIZE = 1280;
constexpr int UNITFRAMES = 384; // 3 actions x 8 facings x 16 frames
constexpr int UNITDIRSIZE = 3072;
constexpr int UNITFRAMEWIDTH = 80;
constexpr int UNITFRAMEHEIGHT = 120;
constexpr i64 UNITFRAMEMAX = 32767; // bytes of one frame's code
// No two frames share bytes, so no useful raw file is longer than all 384
// frames at their largest; a longer one is refused unread.
constexpr i64 UNITRAWMAX = UNITFRAMES * UNITFRAMEMAX;

enum : u32 { CLASS_FIGHTER = 0, CLASS_ARCHER = 1, CLASS_THIEF = 2, CLASS_MAGE = 3, CLASS_CLERIC = 4 };
enum : u8 { ACTION_WALK = 0, ACTION_ATTACK = 1, ACTION_STAND = 2 };

struct unittyperec {
    u8 pad0[1024];
    char name[32];
    u32 healthmax;
    u32 movementmax;
    u32 pad1064;
    u32 damagemax;
    u32 pad1072;
    u32 unitclass;
    u8 rangemax;
    u8 rangemin;
    u8 pad1082;
    u8 damagemin;
    u8 pad1084;
    u8 magicmax;
    u8 specials[4];
    u8 picno;
    u8 pad1091[189];
};

extern unittyperec* unittype[NUMUNITTYPES];
extern u32* unitpicdir;                     // 12 directories of 768 entries
extern u8* unitpicraw[NUMUNITTYPES];
extern u32 unitpicrawsize[NUMUNITTYPES];
extern u8* unitframe[NUMUNITTYPES][UNITFRAMES];
extern u8 unitpicloaded[NUMUNITTYPES];

// Reads and parses every picture set and unit type; a file missing or
// refused ends the program.
void initunit();
// Picture set `set` from its directory (UNITDIRSIZE bytes) and its raw file
// of frames. Every frame listed must be whole runs inside the raw file, and
// no two may share bytes; an empty raw file leaves the set unloaded. The
// reason when refused (nothing changed), nullptr when taken.
const char* parseunitpictures(int set, const u8* dir, size_t dirsize, const u8* raw, size_t rawsize);
// Unit type n from its record of UNITTYPESIZE bytes.
const char* parseunittype(int n, const u8* bytes, size_t size);
// A frame's data and byte size; null when the set is not loaded or the
// frame is absent.
const u8* findunitframe(int set, int action, int facing, int frame, u32* size);
inline int unitframeindex(int action, int facingindex, int frame) { return (action * 8 + facingindex) * 16 + frame; }

void unittypefromfile(const u8* bytes, unittyperec* u);
void unittypetofile(const unittyperec* u, u8* bytes);
