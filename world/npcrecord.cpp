// The npc record's file layout, field by field.
#include <cstddef>

#include "world/lebytes.h"
#include "world/npc.h"

#define F(off, w, name) {off, w, offsetof(npcrec, name)}

static constexpr recfield npcfields[] = {
    F(0, 4, mapoff),      F(4, 2, x),          F(6, 2, y),           F(8, 1, facing),      F(9, 1, step),
    F(10, 1, frame),      F(11, 1, brightness), F(12, 4, unitno),    F(16, 2, health),     F(18, 2, healthmax),
    F(20, 2, fatigue),    F(22, 2, fatiguemax), F(24, 1, player),    F(25, 1, casting),    F(26, 6, pad26),
    F(32, 2, magic),      F(34, 2, magicmax),  F(36, 1, hidden),     F(37, 2, pad37),      F(39, 1, frozen),
    F(40, 1, created),    F(41, 9, pad41),     F(50, 19, name),      F(69, 1, target),     F(70, 1, selected),
    F(71, 1, isused),     F(72, 3, pad72),     F(75, 1, state),      F(76, 1, destx),      F(77, 1, desty),
    F(78, 2, destoff),    F(80, 1, thinkdelay), F(81, 1, running),   F(82, 1, cloudslot),  F(83, 1, pad83),
    F(84, 4, nextcry),    F(88, 4, gold),      F(92, 1, pickuponarrival), F(93, 1, useonarrival), F(94, 62, pad94),
};

#undef F

static_assert(coversfile(npcfields, NPCRECSIZE), "npc fields must cover the whole record");

void npcfromfile(const u8* bytes, npcrec* n) { readrecord<npcfields>(bytes, n); }
void npctofile(const npcrec* n, u8* bytes) { writefields(npcfields, n, bytes); }

static_assert(sizeof(mapheader) == MAPDATASIZE, "the map header is its file, byte for byte");

void mapdatafromfile(const u8* bytes, mapheader* m) { std::memcpy(m, bytes, MAPDATASIZE); }
void mapdatatofile(const mapheader* m, u8* bytes) { std::memcpy(bytes, m, MAPDATASIZE); }
