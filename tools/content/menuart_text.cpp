#include "tools/content/menuart_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <vector>

const char* const kTitleFace = "/usr/share/fonts/opentype/linux-libertine/LinLibertine_RB.otf";
const char* const kLineFace = "/usr/share/fonts/opentype/linux-libertine/LinLibertine_R.otf";

namespace {

// Owns the library and face so that every early return cleans up.
struct FtFace {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    ~FtFace() {
        if (face) FT_Done_Face(face);
        if (lib) FT_Done_FreeType(lib);
    }
};

bool open_face(FtFace& ft, const Lettering& style, std::string& why) {
    if (FT_Init_FreeType(&ft.lib) != 0) {
        why = "cannot start FreeType";
        return false;
    }
    if (FT_New_Face(ft.lib, style.face, 0, &ft.face) != 0) {
        why = std::string("cannot open font ") + style.face + " (Debian package fonts-linuxlibertine)";
        return false;
    }
    if (FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(style.px)) != 0) {
        why = std::string("cannot size font ") + style.face;
        return false;
    }
    return true;
}

bool load(FtFace& ft, char ch, std::string& why) {
    FT_UInt index = FT_Get_Char_Index(ft.face, static_cast<unsigned char>(ch));
    if (FT_Load_Glyph(ft.face, index, FT_LOAD_NO_HINTING) != 0 ||
        FT_Render_Glyph(ft.face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        why = std::string("cannot render '") + ch + "' from " + ft.face->family_name;
        return false;
    }
    return true;
}

float advance(const FtFace& ft) { return static_cast<float>(ft.face->glyph->advance.x) / 64.0f; }

void blit(Mask& m, const FT_Bitmap& bm, int left, int top) {
    for (unsigned r = 0; r < bm.rows; ++r)
        for (unsigned c = 0; c < bm.width; ++c) {
            float v = bm.buffer[r * static_cast<unsigned>(bm.pitch) + c] / 255.0f;
            mask_union(m, left + static_cast<int>(c), top + static_cast<int>(r), v);
        }
}

}  // namespace

bool letter_centred(Mask& m, const Lettering& style, const std::string& text, float cx, float baseline,
                    std::string& why) {
    FtFace ft;
    if (!open_face(ft, style, why)) return false;
    float width = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!load(ft, text[i], why)) return false;
        width += advance(ft) + (i + 1 < text.size() ? style.tracking : 0.0f);
    }
    float pen = cx - width * 0.5f;
    for (char ch : text) {
        if (!load(ft, ch, why)) return false;
        const FT_GlyphSlot g = ft.face->glyph;
        blit(m, g->bitmap, static_cast<int>(std::lround(pen)) + g->bitmap_left,
             static_cast<int>(std::lround(baseline)) - g->bitmap_top);
        pen += advance(ft) + style.tracking;
    }
    return true;
}
