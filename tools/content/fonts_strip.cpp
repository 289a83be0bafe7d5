#include "tools/content/fonts_strip.h"

#include <filesystem>

#include "text/glyphtables.h"
#include "tools/content/fonts_faces.h"
#include "tools/content/fonts_glyph.h"
#include "tools/content/fonts_layout.h"
#include "tools/content/fonts_levels.h"

namespace {

// The outlined font keeps its first and last columns and its top row free
// for the outline. Its glyphs overlap by one column when drawn, so the
// outline columns at both ends of neighbouring glyphs fall on each other
// and read as one black line. Only tails reach the bottom row, where an
// outline under them would be cut off anyway.
InkBox ink_box(int font, const GlyphSlot& s, int h) {
    if (font == kOutlinedFont) return {1, s.w - 1, 1, h};
    return {0, s.w, 0, h};
}

std::vector<u8> cell_levels(int font, const GlyphCell& c) {
    if (font == kOutlinedFont) return outlined_levels(c.cov, c.w, c.h);
    std::vector<u8> lv(c.cov.size());
    for (size_t i = 0; i < lv.size(); ++i) lv[i] = coverage_level(c.cov[i]);
    return lv;
}

void blit(FontStrip& strip, const std::vector<u8>& lv, const GlyphSlot& s, const FontLayout& layout) {
    for (int x = 0; x < s.w; ++x) {
        int sx = s.x + x;
        if (sx >= strip.w || layout.shared_cols[sx]) continue;
        for (int y = 0; y < strip.h; ++y) strip.px[static_cast<size_t>(y) * strip.w + sx] = lv[y * s.w + x];
    }
}

bool draw_slots(int font, FtFont* face, FontStrip& out, std::string& why) {
    const FontLayout layout = font_layout(font);
    for (const GlyphSlot& s : layout.slots) {
        if (!ft_has_char(face, s.ch)) {
            why = std::string(fontfiles[font].file) + ": the face lacks character " + std::to_string(s.ch);
            return false;
        }
        GlyphCell cell;
        if (!glyph_cell(face, face_setup(font), s.ch, s.w, out.h, ink_box(font, s, out.h), cell, why)) return false;
        blit(out, cell_levels(font, cell), s, layout);
    }
    return true;
}

}  // namespace

bool draw_font_strip(int font, FontStrip& out, std::string& why) {
    const FaceSetup& setup = face_setup(font);
    if (!std::filesystem::exists(setup.path)) {
        why = std::string("missing ") + setup.path + " (Debian package " + setup.package + ", see tools/setup.sh)";
        return false;
    }
    FtFont* face = ft_open(setup.path, why);
    if (!face) return false;
    out.w = static_cast<int>(fontfiles[font].picwidth);
    out.h = fontfiles[font].height;
    out.px.assign(static_cast<size_t>(out.w) * out.h, 0);
    bool ok = draw_slots(font, face, out, why);
    ft_close(face);
    return ok;
}
