// The unit type record's file layout, field by field.
#include <cstddef>

#include "world/lebytes.h"
#include "world/unittype.h"

#define F(off, w, name) {off, w, offsetof(unittyperec, name)}

static constexpr recfield unitfields[] = {
    F(0, 1024, pad0),      F(1024, 32, name),     F(1056, 4, healthmax), F(1060, 4, movementmax),
    F(1064, 4, pad1064),   F(1068, 4, damagemax), F(1072, 4, pad1072),   F(1076, 4, unitclass),
    F(1080, 1, rangemax),  F(1081, 1, rangemin),  F(1082, 1, pad1082),   F(1083, 1, damagemin),
    F(1084, 1, pad1084),   F(1085, 1, magicmax),  F(1086, 4, specials),  F(1090, 1, picno),
    F(1091, 189, pad1091),
};

#undef F

static_assert(coversfile(unitfields, UNITTYPESIZE), "unit type fields must cover the whole record");

void unittypefromfile(const u8* bytes, unittyperec* u) { readrecord<unitfields>(bytes, u); }
void unittypetofile(const unittyperec* u, u8* bytes) { writefields(unitfields, u, bytes); }
