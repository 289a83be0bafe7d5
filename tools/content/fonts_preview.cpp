#include "tools/content/fonts_preview.h"

#include "text/glyphtables.h"

namespace {

constexpr int kShadowFont = 5;
constexpr int kTildeAdvance = 6;
constexpr int kTildeRaise = 4;

u8 blend(u8 old, u8 src, int a) { return static_cast<u8>((old * (32 - a) + src * a) / 32); }

void put_pixel(Canvas& c, int font, int x, int y, u8 s, Rgb colour) {
    Rgb d = canvas_get(c, x, y);
    if (font == kOutlinedFont) {
        Rgb half = {static_cast<u8>((d.r + colour.r) / 2), static_cast<u8>((d.g + colour.g) / 2),
                    static_cast<u8>((d.b + colour.b) / 2)};
        canvas_set(c, x, y, s == 1 ? Rgb{0, 0, 0} : half);
        return;
    }
    int a = s * 4 + 4;
    canvas_set(c, x, y, {blend(d.r, colour.r, a), blend(d.g, colour.g, a), blend(d.b, colour.b, a)});
    if (font == kShadowFont) canvas_set(c, x + 1, y + 1, {0, 0, 0});
}

bool draws_nothing(int ch) { return ch < 32 || ch > 122 || ch == '[' || ch == ']'; }

void draw_glyph(Canvas& c, const FontStrip& strip, int font, int ch, int x, int y, Rgb colour) {
    if (draws_nothing(ch)) return;
    const glyph& g = glyphtables[font][ch - 32];
    for (int row = 0; row < strip.h; ++row)
        for (int col = 0; col < g.width; ++col) {
            u8 s = strip.px[static_cast<size_t>(row) * strip.w + g.x + col];
            if (s) put_pixel(c, font, x + col, y + row, s, colour);
        }
}

int advance(int font, int ch) {
    if (ch == '~') return kTildeAdvance;
    if (ch < 32 || ch > 127) return 0;
    int w = glyphtables[font][ch - 32].width;
    return font == kOutlinedFont && w > 0 ? w - 1 : w;
}

}  // namespace

void preview_text(Canvas& c, const FontStrip& strip, int font, const char* text, int x, int y, Rgb colour) {
    for (const char* p = text; *p; ++p) {
        int ch = static_cast<unsigned char>(*p);
        if (ch == '~')
            draw_glyph(c, strip, font, '-', x, y - kTildeRaise, colour);
        else
            draw_glyph(c, strip, font, ch, x, y, colour);
        x += advance(font, ch);
    }
}

int preview_width(int font, const char* text) {
    int w = 0;
    for (const char* p = text; *p; ++p) w += advance(font, static_cast<unsigned char>(*p));
    return w;
}
