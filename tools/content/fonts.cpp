#include "tools/content/fonts.h"

#include <algorithm>

#include "text/glyphtables.h"
#include "tools/content/fileout.h"
#include "tools/content/fonts_levels.h"
#include "tools/content/fonts_sheet.h"
#include "tools/content/fonts_strip.h"
#include "tools/content/pcxwrite.h"
#include "tools/content/sheet.h"

namespace {

// The game names its files with backslashes; the tree on disk uses '/'.
std::string font_path(const GenContext& ctx, int font) {
    std::string rel = fontfiles[font].file;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return data_path(ctx, rel);
}

}  // namespace

bool gen_fonts(const GenContext& ctx, std::string& why) {
    if (!make_dirs(data_path(ctx, "fonts"), why)) return false;
    FontStrip strips[NUMFONTS];
    const std::vector<u8> palette = pcx_grey_palette(kMaxLevel + 1);
    for (int f = 0; f < NUMFONTS; ++f) {
        if (!draw_font_strip(f, strips[f], why)) return false;
        const FontStrip& s = strips[f];
        if (!write_bytes(font_path(ctx, f), pcx_encode8(s.w, s.h, s.px.data(), palette), why)) return false;
    }
    return write_sheet(ctx, "fonts", fonts_sheet(strips), why);
}
