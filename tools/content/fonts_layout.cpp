#include "tools/content/fonts_layout.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "text/glyphtables.h"

namespace {

// When characters share one range, the one that text needs most gets it: a
// dash reads acceptably for any stray symbol, brackets stand in for their
// angled and square kin, and a capital serves the small-capital face.
constexpr const char* kPreferred = "-()/'";

int rank(int ch) {
    const char* p = std::strchr(kPreferred, ch);
    if (p) return static_cast<int>(p - kPreferred);
    if (std::isupper(ch)) return 100;
    return 200 + ch;
}

bool same_range(const GlyphSlot& s, const glyph& g) { return s.x == g.x && s.w == g.width; }

// Spaces draw nothing, so they never claim a range.
std::vector<GlyphSlot> distinct_ranges(int font) {
    std::vector<GlyphSlot> slots;
    for (int i = 1; i < 96; ++i) {
        const glyph& g = glyphtables[font][i];
        if (g.width == 0) continue;
        int ch = 32 + i;
        auto it = std::find_if(slots.begin(), slots.end(), [&](const GlyphSlot& s) { return same_range(s, g); });
        if (it == slots.end())
            slots.push_back({ch, g.x, g.width});
        else if (rank(ch) < rank(it->ch))
            it->ch = ch;
    }
    std::sort(slots.begin(), slots.end(), [](const GlyphSlot& a, const GlyphSlot& b) { return a.x < b.x; });
    return slots;
}

}  // namespace

FontLayout font_layout(int font) {
    FontLayout out;
    out.slots = distinct_ranges(font);
    int width = static_cast<int>(fontfiles[font].picwidth);
    std::vector<int> claims(width, 0);
    for (const GlyphSlot& s : out.slots)
        for (int x = s.x; x < s.x + s.w && x < width; ++x) ++claims[x];
    out.shared_cols.resize(width);
    for (int x = 0; x < width; ++x) out.shared_cols[x] = claims[x] > 1;
    return out;
}
