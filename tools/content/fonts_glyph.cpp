#include "tools/content/fonts_glyph.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

constexpr int kSmallestSize = 5;
// Coverage the strip's levels round down to nothing; such pixels take no
// room in a range.
constexpr u8 kFaint = 32;
constexpr u8 kHairline = 128;  // median coverage of a glyph's ink
constexpr int kThicken = 32;  // 1/64 px

struct Span {
    int first = 0, last = -1;  // inked columns or rows of a glyph image; last < first when blank
    int size() const { return last - first + 1; }
};

Span ink_span(const GlyphImage& g, bool columns) {
    Span s;
    s.first = columns ? g.w : g.h;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.cov[static_cast<size_t>(y) * g.w + x] >= kFaint) {
                int at = columns ? x : y;
                s.first = std::min(s.first, at);
                s.last = std::max(s.last, at);
            }
    return s;
}

// A symbol drawn only in hairlines (the thin '+' of a book face) has most
// of its ink at part coverage and reads as a smudge; it is drawn thicker.
// Letters keep the face's weight, or a word would look patchy.
bool hairline(const GlyphImage& g) {
    std::vector<u8> ink;
    for (u8 v : g.cov)
        if (v >= kFaint) ink.push_back(v);
    if (ink.empty()) return false;
    std::nth_element(ink.begin(), ink.begin() + static_cast<std::ptrdiff_t>(ink.size() / 2), ink.end());
    return ink[ink.size() / 2] < kHairline;
}

// Sharpness of a rendering: coverage bunched into few full pixels scores
// higher than the same ink smeared half-and-half over two columns.
long crispness(const GlyphImage& g) {
    long sum = 0;
    for (u8 v : g.cov) sum += static_cast<long>(v) * v;
    return sum;
}

// Thin upright strokes that straddle a pixel boundary come out as two faint
// columns; a sub-pixel nudge, chosen per glyph, puts them on one.
void sharpen(FtFont* face, FtRender how, int ch, int room, GlyphImage& img, Span& cols) {
    if (how.hinting == Hinting::mono) return;
    long best = crispness(img);
    for (int shift = 8; shift < 64; shift += 8) {
        how.x_shift = shift;
        GlyphImage trial;
        std::string why;
        if (!ft_render(face, ch, how, trial, why)) continue;
        Span c = ink_span(trial, true);
        long score = crispness(trial);
        if (c.size() > room || score <= best) continue;
        best = score;
        img = std::move(trial);
        cols = c;
    }
}

// Each try is a fresh render from the outline. Letters are condensed, a
// few per cent at a time, so that they keep the font's height; symbols are
// first drawn a little smaller, since condensing closes up crossed strokes
// such as those of '#' and '%', but not so small that they shrivel.
bool render_fitting(FtFont* face, FtRender how, int ch, int room, GlyphImage& img, Span& cols, std::string& why) {
    const int smallest = std::max(kSmallestSize, how.pixel_size * 4 / 5);
    bool thickened = false;
    for (int tries = 0; tries < 40; ++tries) {
        if (!ft_render(face, ch, how, img, why)) return false;
        if (!thickened && !std::isalnum(ch) && hairline(img)) {
            thickened = true;
            how.embolden += kThicken;
            continue;
        }
        cols = ink_span(img, true);
        if (cols.size() <= room) {
            sharpen(face, how, ch, room, img, cols);
            return true;
        }
        if (!std::isalnum(ch) && how.pixel_size > smallest)
            --how.pixel_size;
        else
            how.x_scale *= std::min(0.97f, static_cast<float>(room) / static_cast<float>(cols.size()));
    }
    why = "character " + std::to_string(ch) + " does not fit in " + std::to_string(room) + " columns";
    return false;
}

// A face's capitals may be drawn larger and widened towards the range the
// table gives them; everything else starts as the face has it.
FtRender render_for(FtFont* face, const FaceSetup& setup, int ch, int room) {
    FtRender how = setup.render;
    if (ch < 'A' || ch > 'Z' || setup.caps_size == 0) return how;
    how.pixel_size = setup.caps_size;
    GlyphImage img;
    std::string why;
    if (!ft_render(face, ch, how, img, why)) return how;
    int w = ink_span(img, true).size();
    if (w > 0 && w < room) how.x_scale = std::min(setup.caps_widen, static_cast<float>(room) / static_cast<float>(w));
    return how;
}

// Rows to move the glyph by so that its ink lies in the box; letters and
// digits must stay on the baseline, so for them only 0 will do.
bool vertical_fit(const Span& rows, int ch, const InkBox& box, int& dy) {
    int top = rows.first + dy, bottom = rows.last + dy;
    if (top >= box.y0 && bottom < box.y1) return true;
    if (std::isalnum(ch) || rows.size() > box.y1 - box.y0) return false;
    dy += top < box.y0 ? box.y0 - top : box.y1 - 1 - bottom;
    return true;
}

void place(const GlyphImage& img, int dx, int dy, GlyphCell& out) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            u8 v = img.cov[static_cast<size_t>(y) * img.w + x];
            if (v >= kFaint) out.cov[static_cast<size_t>(y + dy) * out.w + x + dx] = v;
        }
}

}  // namespace

bool glyph_cell(FtFont* face, const FaceSetup& setup, int ch, int w, int h, const InkBox& box, GlyphCell& out,
                std::string& why) {
    out = GlyphCell{w, h, std::vector<u8>(static_cast<size_t>(w) * h, 0)};
    int room = box.x1 - box.x0;
    if (room <= 0) return true;
    FtRender how = render_for(face, setup, ch, room);
    for (; how.pixel_size >= kSmallestSize; --how.pixel_size) {
        GlyphImage img;
        Span cols;
        if (!render_fitting(face, how, ch, room, img, cols, why)) return false;
        if (cols.size() <= 0) return true;
        int dy = setup.baseline - img.top;
        if (!vertical_fit(ink_span(img, false), ch, box, dy)) continue;
        int gap = cols.size() <= room - setup.spacing ? setup.spacing : 0;
        place(img, box.x0 + (room - gap - cols.size()) / 2 - cols.first, dy, out);
        return true;
    }
    why = "character " + std::to_string(ch) + " does not fit in " + std::to_string(h) + " rows";
    return false;
}
