#include "tools/content/unittree.h"

#include <fstream>
#include <iterator>

#include "platform/bmpdecode.h"
#include "tools/content/bmpwrite.h"
#include "tools/content/fileout.h"
#include "tools/content/unitcompile.h"
#include "world/unittype.h"

namespace {

const char* const kActions[3] = {"walk", "attack", "stand"};

std::vector<u8> read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

bool write_unit_tree(const GenContext& ctx, int set, const std::vector<Canvas>& frames, std::string& why) {
    for (const char* a : kActions)
        if (!make_dirs(data_path(ctx, std::string("Unit Pics/") + unit_class_prefix(set) + a), why)) return false;
    for (int i = 0; i < UNITFRAMES; ++i) {
        int a = i / 128, f = i / 16 % 8, k = i % 16;
        const Canvas& c = frames[(size_t)i];
        std::string path = data_path(ctx, unit_bitmap_name(set, a, f, k));
        if (!write_bytes(path, bmp_encode24(c.w, c.h, c.px.data()), why)) return false;
    }
    return true;
}

bool compile_unit_tree(const std::string& datadir, int set, std::vector<std::vector<u8>>* frames, std::string& why) {
    frames->assign(UNITFRAMES, {});
    for (int i = 0; i < UNITFRAMES; ++i) {
        int a = i / 128, f = i / 16 % 8, k = i % 16;
        std::string path = datadir + "/" + unit_bitmap_name(set, a, f, k);
        std::vector<u8> bytes = read_all(path);
        platbitmap bmp;
        if (!bmp_decode(bytes.data(), bytes.size(), &bmp, &why) ||
            !compile_unit_frame(bmp, a, f, k, &(*frames)[(size_t)i])) {
            why = path + ": " + (why.empty() ? "does not encode" : why);
            return false;
        }
    }
    return true;
}
