#pragma once
// Item types made from a bitmap: one picture, or a large item cut into the
// sections of the grid set over it. Everything is checked and encoded
// before the first record changes.
#include <string>
#include <vector>

#include "platform/types.h"

// The screen row the bitmap being cut is drawn from (its column is 0).
constexpr i32 CUTBITMAPROW = 1;

// The picture box the cut uses: the whole bitmap, or a section's box.
extern i32 cutboxw, cutboxh;

struct cutpart {
    i32 item;          // the item number the part becomes
    i32 row, col;      // its place in the grid (0, 0 for a single picture)
    i32 x, y;          // the box's corner on the screen
    std::vector<u8> code;
};

// The parts of item n cut from a w x h bitmap: one picture when large is
// false, else the g_xsize x g_ysize grid. False with the reason when the
// bitmap or a box is out of bounds or a part would pass the last item.
bool plancut(i32 n, i32 w, i32 h, bool large, std::vector<cutpart>* parts, std::string* why);
// Encodes every part from the Virtual Screen (the bitmap drawn at (0, CUTBITMAPROW)),
// in grid order. False with the reason when a picture cannot be stored.
bool encodecut(std::vector<cutpart>* parts, std::string* why);
// Writes the encoded parts into item n's records: structural fields anew,
// flags kept, old pictures freed, overhead-map colours recomputed.
void commitcut(i32 n, bool large, const std::vector<cutpart>& parts);
// The first and last item in use among the parts; false when none is.
bool partsinuse(const std::vector<cutpart>& parts);
// The whole creation of item n from a chosen bitmap, ending in Edit Item.
void createitem(i32 n);
