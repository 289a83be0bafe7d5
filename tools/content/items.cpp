#include "tools/content/items.h"

#include "tools/content/fileout.h"
#include "tools/content/itemparts.h"
#include "tools/content/itemsources.h"
#include "tools/content/itemsheet.h"
#include "tools/content/sheet.h"

bool build_items(ItemSet& set, std::string& why) {
    return make_wall_items(set, why) && make_opening_items(set, why) && make_light_items(set, why) &&
           make_obstacle_items(set, why) && make_furniture_items(set, why) && make_treasure_items(set, why) &&
           make_large_items(set, why) && make_remains_items(set, why) &&
           make_spell_light_items(set, why);
}

bool gen_items(const GenContext& ctx, std::string& why) {
    ItemSet set;
    if (!build_items(set, why)) return false;
    std::vector<u8> dat, raw;
    item_files(set, dat, raw);
    return write_bytes(data_path(ctx, "items/items.dat"), dat, why) &&
           write_bytes(data_path(ctx, "items/items.raw"), raw, why) &&
           write_sheet(ctx, "items", item_sheet(set), why) && gen_itemsources(ctx, why);
}
