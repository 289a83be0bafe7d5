#include "tools/content/units.h"

#include "tools/content/fileout.h"
#include "tools/content/unitcompile.h"
#include "tools/content/unitdraw.h"
#include "tools/content/unittree.h"
#include "tools/content/unittypes.h"
#include "world/unittype.h"

namespace {

std::vector<Canvas> draw_set(int set) {
    std::vector<Canvas> out;
    out.reserve(UNITFRAMES);
    for (int i = 0; i < UNITFRAMES; ++i) out.push_back(draw_unit_bitmap(set, i / 128, i / 16 % 8, i % 16));
    return out;
}

bool compile_in_memory(const std::vector<Canvas>& bitmaps, std::vector<std::vector<u8>>* frames, std::string& why) {
    frames->assign(UNITFRAMES, {});
    for (int i = 0; i < UNITFRAMES; ++i)
        if (!compile_unit_frame(unit_bitmap_of(bitmaps[(size_t)i]), i / 128, i / 16 % 8, i % 16,
                                &(*frames)[(size_t)i])) {
            why = "frame " + std::to_string(i) + " does not encode";
            return false;
        }
    return true;
}

}  // namespace

bool unit_set_from_tree(int set) { return set == 1 || set == 2 || set == 4 || set == 5; }

bool gen_unit_set(const GenContext& ctx, int set, std::string& why) {
    std::vector<Canvas> bitmaps = draw_set(set);
    std::vector<std::vector<u8>> frames;
    // Going through the written files means the editor's compile of this
    // tree gives back these very bytes.
    if (unit_set_from_tree(set)) {
        if (!write_unit_tree(ctx, set, bitmaps, why)) return false;
        if (!compile_unit_tree(ctx.datadir, set, &frames, why)) return false;
    } else if (!compile_in_memory(bitmaps, &frames, why)) {
        return false;
    }
    UnitSetFiles files = assemble_unit_set(frames);
    std::string stem = data_path(ctx, "units/newunitpic" + std::to_string(set));
    return write_bytes(stem + ".dat", files.dir, why) && write_bytes(stem + ".raw", files.raw, why) &&
           write_unit_sheet(ctx, set, frames, why);
}

bool gen_units(const GenContext& ctx, std::string& why) {
    if (!make_dirs(data_path(ctx, "units"), why) || !write_unit_types(ctx, why)) return false;
    for (int set = 0; set < NUMUNITTYPES; ++set)
        if (!gen_unit_set(ctx, set, why)) {
            why = "unit set " + std::to_string(set) + ": " + why;
            return false;
        }
    return true;
}
