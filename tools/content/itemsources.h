#pragma once
// Bitmaps in items\ for the item editor to make items from: one small
// enough to need no split, one just tall enough to be offered a split, and
// one drawn over a 2 x 2 footprint that the editor's first grid cuts whole.
#include <string>
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

struct ItemSource {
    const char* rel;  // path inside the data tree
    int w, h;
};
const std::vector<ItemSource>& item_sources();
// The picture as the file holds it; black is left out when cut.
Canvas item_source_picture(const ItemSource& s);
bool gen_itemsources(const GenContext& ctx, std::string& why);
