#include "text/font.h"

#include <cstring>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "video/pcxdecode.h"
#include "video/picture.h"
#include "video/vscreen.h"

// The glyph tables are fixed, so text measures right even before (or
// without) the pictures.
fontrec font[NUMFONTS] = {
    {glyphtables[0], nullptr, 20, 1280}, {glyphtables[1], nullptr, 12, 1024}, {glyphtables[2], nullptr, 20, 1024},
    {glyphtables[3], nullptr, 16, 1024}, {glyphtables[4], nullptr, 16, 1024}, {glyphtables[5], nullptr, 12, 640},
    {glyphtables[6], nullptr, 10, 400},
};
u8 currentfont = 0;
u16 textr = 24, textg = 24, textb = 24;
u8 textclamp = 1;
u8 textalt = 0;
u16* textaltbuf = nullptr;
u32 textaltheight = 0;

// The columns a font's glyph table reaches into its strip.
static i32 tablewidth(const glyph* table) {
    i32 need = 0;
    for (int c = 0; c < 96; c++)
        if (table[c].width && table[c].x + table[c].width > need) need = table[c].x + table[c].width;
    return need;
}

// The strip is drawn with the row length it was decoded with; one too
// narrow or too low for the glyph table is refused as a missing file is.
const char* parsefont(int f, const u8* bytes, size_t size) {
    if (f < 0 || f >= NUMFONTS) return "no such font";
    std::vector<u8> pixels;
    i32 width = 0, height = 0;
    if (!pcx_decode(bytes, size, &pixels, &width, &height)) return "not a picture the fonts can be drawn from";
    if (width < tablewidth(glyphtables[f])) return "the picture is narrower than the font's glyphs reach";
    if (height < fontfiles[f].height) return "the picture is lower than the font";
    u8* picture = (u8*)gamealloc(pixels.size(), "memptr");
    std::memcpy(picture, pixels.data(), pixels.size());
    font[f].picture = picture;
    font[f].height = fontfiles[f].height;
    font[f].picwidth = (u32)width;
    font[f].table = glyphtables[f];
    return nullptr;
}

// Fonts are the only PCX pictures; none comes near this.
static const size_t PCXMAXFILE = 4u << 20;

void initfonts() {
    for (int f = 0; f < NUMFONTS; f++) {
        std::vector<u8> bytes;
        if (!plat_readfile(fontfiles[f].file, &bytes, PCXMAXFILE)) exitgame(3, fontfiles[f].file);
        if (const char* why = parsefont(f, bytes.data(), bytes.size())) {
            debuglog("Font refused: %s: %s\n", fontfiles[f].file, why);
            exitgame(3, fontfiles[f].file);
        }
    }
}

void settextcolor(u16 r, u16 g, u16 b) {
    textr = r;
    textg = g;
    textb = b;
}

// How far a character moves the pen. Font 6's glyphs overlap by a column;
// an empty entry moves nothing in any font.
static i32 advance(u8 c) {
    if (c == '~') return 6;
    if (c < 32 || c > 127) return 0;
    i32 w = font[currentfont].table[c - 32].width;
    return currentfont == 6 && w > 0 ? w - 1 : w;
}

i32 textwidth(const char* text) {
    i32 w = 0;
    for (; *text; text++) w += advance((u8)*text);
    return w;
}

// The font, the colour and the layout as plain values for one glyph: read
// from their globals, each would be read again after every pixel stored,
// as a stored pixel might be any of them as far as the compiler knows.
struct textink {
    u8 font;
    u16 rm, gm, bm;
    u8 rs, gs, bs;
    u32 r, g, b;
};

static textink inknow() { return {currentfont, rmask, gmask, bmask, rshift, gshift, bshift, textr, textg, textb}; }

static u16 blendtext(const textink& k, u16 d, u32 a) {
    u32 r = (((d & k.rm) >> k.rs) * (32 - a) + k.r * a) / 32;
    u32 g = (((d & k.gm) >> k.gs) * (32 - a) + k.g * a) / 32;
    u32 b = (((d & k.bm) >> k.bs) * (32 - a) + k.b * a) / 32;
    return (u16)((r << k.rs) | (g << k.gs) | (b << k.bs));
}

static u16 halftext(const textink& k, u16 d) {
    u32 r = (((d & k.rm) >> k.rs) + k.r) / 2;
    u32 g = (((d & k.gm) >> k.gs) + k.g) / 2;
    u32 b = (((d & k.bm) >> k.bs) + k.b) / 2;
    return (u16)((r << k.rs) | (g << k.gs) | (b << k.bs));
}

// One coverage value onto one pixel; font 5's shadow goes to the pixel one
// right and one down.
static void plot(const textink& k, u16* d, i32 pitch, u8 s) {
    if (!s) return;
    if (k.font == 6) {
        *d = s == 1 ? 0 : halftext(k, *d);
        return;
    }
    *d = blendtext(k, *d, s * 4u + 4);
    if (k.font == 5) d[pitch + 1] = 0;
}

// Glyphs are not clipped to the visible window (the guard bands take the
// overhang), only to the picture they go into, shadow included.
static bool glyphfits(i32 x, i32 y, i32 w, i32 h) {
    if (textalt) return textaltbuf && x >= 0 && y >= 0 && x + w + 1 <= 640 && (u32)(y + h + 1) <= textaltheight;
    vsspan c;
    return vsclip(x, y, w + 1, h + 1, &c) && c.col0 == 0 && c.row0 == 0 && c.col1 == w + 1 && c.row1 == h + 1;
}

void drawglyph(u8 code, i32 x, i32 y) {
    // A space only moves the pen: in the small capitals its table entry
    // lies inside the 'A', which would otherwise show in every gap.
    if (code <= 32 || code > 122 || code == '[' || code == ']') return;
    const fontrec& f = font[currentfont];
    const glyph& g = f.table[code - 32];
    if (!g.width || !f.picture || g.x < 0 || (u32)(g.x + g.width) > f.picwidth || !glyphfits(x, y, g.width, f.height))
        return;
    if (!textalt) beginvsdraw();
    i32 pitch = textalt ? 640 : VSPITCH;
    u16* d = textalt ? textaltbuf + y * 640 + x : vspixel(x, y);
    const u8* s = f.picture + g.x;
    const textink k = inknow();
    for (int row = 0; row < f.height; row++, s += f.picwidth, d += pitch)
        for (int col = 0; col < g.width; col++) plot(k, d + col, pitch, s[col]);
    if (!textalt) endvsdraw();
}

static void drawrun(const char* text, i32 x, i32 y) {
    for (; *text; text++) {
        u8 c = (u8)*text;
        if (c == '~') drawglyph('-', x, y - 4);
        else drawglyph(c, x, y);
        x += advance(c);
    }
}

static void clampposition(const char* text, i32* x, i32* y) {
    if (!textclamp) {
        if (*y > 480) *y = 480;
        return;
    }
    if (*y < 6) *y = 6;
    if (*y > 458) *y = 458;
    if (*x < 6) *x = 6;
    i32 w = textwidth(text);
    if (*x + w > 634) *x = 634 - w;
}

void drawtext(const char* text, i32 x, i32 y) {
    clampposition(text, &x, &y);
    drawrun(text, x, y);
}

void drawtextright(const char* text, i32 x, i32 y) {
    drawtext(text, x - textwidth(text), y);
}

void drawtextcentered(const char* text, i32 y, i32 left, i32 right) {
    drawrun(text, left + (right - left - textwidth(text)) / 2, y);
}
