// The item type record's file layout, field by field.
#include <cstddef>

#include "world/itemtype.h"
#include "world/lebytes.h"

#define F(off, w, name) {off, w, offsetof(itemtyperec, name)}

static constexpr recfield itemfields[] = {
    F(0, 4, fileoffset),    F(4, 4, rawdatasize),   F(8, 1, brightness),   F(9, 1, animation),
    F(10, 1, surfaceheight), F(11, 1, picheight),   F(12, 1, picwidth),    F(13, 3, pad13),
    F(16, 4, passcost),     F(20, 1, blockssight),  F(21, 1, blockspassage), F(22, 1, pad22),
    F(23, 1, iswall),       F(24, 1, isloaded),     F(25, 1, isused),      F(26, 1, offlimits),
    F(27, 1, largeitem),    F(28, 1, xsize),        F(29, 1, ysize),       F(30, 2, partoflargeitem),
    F(32, 1, xsection),     F(33, 1, ysection),     F(34, 2, ohmapcolor),  F(36, 1, takeable),
    F(37, 1, usable),       F(38, 30, pad38),
};

#undef F

static_assert(coversfile(itemfields, ITEMTYPESIZE), "item fields must cover the whole record");

void itemtypefromfile(const u8* bytes, itemtyperec* t) { readrecord<itemfields>(bytes, t); }
void itemtypetofile(const itemtyperec* t, u8* bytes) { writefields(itemfields, t, bytes); }
