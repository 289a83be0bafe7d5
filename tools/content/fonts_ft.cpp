#include "tools/content/fonts_ft.h"

#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

struct FtFont {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
};

namespace {

FT_Int32 load_flags(Hinting h) {
    switch (h) {
        case Hinting::native: return FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;
        case Hinting::light: return FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
        case Hinting::mono: return FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
    }
    return FT_LOAD_DEFAULT;
}

void copy_bitmap(const FT_Bitmap& bm, bool mono, GlyphImage& out) {
    out.w = static_cast<int>(bm.width);
    out.h = static_cast<int>(bm.rows);
    out.cov.assign(static_cast<size_t>(out.w) * out.h, 0);
    for (int y = 0; y < out.h; ++y) {
        const u8* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < out.w; ++x) {
            u8 v = mono ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0) : row[x];
            out.cov[static_cast<size_t>(y) * out.w + x] = v;
        }
    }
}

}  // namespace

FtFont* ft_open(const std::string& path, std::string& why) {
    FtFont* f = new FtFont;
    if (FT_Init_FreeType(&f->lib) != 0) {
        why = "cannot start FreeType";
        delete f;
        return nullptr;
    }
    if (FT_New_Face(f->lib, path.c_str(), 0, &f->face) != 0) {
        why = "cannot open font " + path;
        ft_close(f);
        return nullptr;
    }
    return f;
}

void ft_close(FtFont* f) {
    if (!f) return;
    if (f->face) FT_Done_Face(f->face);
    if (f->lib) FT_Done_FreeType(f->lib);
    delete f;
}

bool ft_has_char(FtFont* f, int ch) { return FT_Get_Char_Index(f->face, static_cast<FT_ULong>(ch)) != 0; }

bool ft_render(FtFont* f, int ch, const FtRender& how, GlyphImage& out, std::string& why) {
    why = "cannot render character " + std::to_string(ch);
    if (FT_Set_Pixel_Sizes(f->face, 0, static_cast<FT_UInt>(how.pixel_size)) != 0) return false;
    FT_Matrix m = {static_cast<FT_Fixed>(std::lround(how.x_scale * 65536.0f)), 0, 0, 0x10000};
    FT_Vector shift = {how.x_shift, 0};
    FT_Set_Transform(f->face, &m, &shift);
    FT_UInt index = FT_Get_Char_Index(f->face, static_cast<FT_ULong>(ch));
    if (FT_Load_Glyph(f->face, index, load_flags(how.hinting)) != 0) return false;
    FT_GlyphSlot g = f->face->glyph;
    if (g->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    if (how.embolden > 0) FT_Outline_Embolden(&g->outline, how.embolden);
    bool mono = how.hinting == Hinting::mono;
    if (FT_Render_Glyph(g, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
    copy_bitmap(g->bitmap, mono, out);
    out.left = g->bitmap_left;
    out.top = g->bitmap_top;
    why.clear();
    return true;
}
