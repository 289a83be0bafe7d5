#pragma once
// Collects item records and their run-length pictures while the item
// steps draw, and checks each picture against the record's box.
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/content/canvas.h"
#include "tools/content/itemdraw.h"
#include "world/itemtype.h"

struct ItemFlags {
    u8 sight = 0, passage = 0, wall = 0;
    u32 passcost = 0;
    u8 brightness = 0, animation = 0, surface = 0;
    u8 takeable = 0, usable = 0;
};

struct ItemSet {
    std::vector<itemtyperec> rec = std::vector<itemtyperec>(NUMITEMTYPES, itemtyperec{});
    std::vector<std::vector<u8>> pic = std::vector<std::vector<u8>>(NUMITEMTYPES);
};

// One cell's picture is drawn on a canvas of this size with the cell's box
// standing on its bottom edge, centred.
constexpr int kItemCanvasW = 120, kItemCanvasH = 200;
inline Iso item_iso() { return {40.0f, kItemCanvasH - 20.0f}; }
inline Canvas item_canvas() { return canvas_make(kItemCanvasW, kItemCanvasH); }

// A large item of xs x ys cells is drawn with its footprint at u 0..xs,
// v 0..ys of large_iso; the frontmost cell (u xs-1, v ys-1) is section 0.
Canvas large_canvas(int xs, int ys);
Iso large_iso(int xs, int ys);

// The canvas's pixels as 5-5-5, black left out; dark colours that would
// truncate to 0 are kept as the darkest grey instead of vanishing.
std::vector<u16> to555(const Canvas& c);

// Encodes pic (an item_canvas) trimmed to its drawn pixels as item n.
bool add_item(ItemSet& set, int n, const Canvas& pic, const ItemFlags& f, std::string& why);
// Cuts pic (a large_canvas) into diamond-footed sections n .. n + xs*ys - 1.
bool add_large(ItemSet& set, int n, int xs, int ys, const Canvas& pic, const ItemFlags& f, std::string& why);
// Frames n .. n + count - 1 become one animation cycle.
void make_cycle(ItemSet& set, int n, int count);
// items.dat and items.raw as the game reads them.
void item_files(const ItemSet& set, std::vector<u8>& dat, std::vector<u8>& raw);
