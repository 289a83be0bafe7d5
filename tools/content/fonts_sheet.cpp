#include "tools/content/fonts_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/glyphtables.h"
#include "tools/content/fonts_layout.h"
#include "tools/content/fonts_preview.h"

namespace {

constexpr int kMargin = 8;
constexpr int kWrap = 512;  // strip columns per sheet row
constexpr int kZoom = 2;
constexpr int kSheetW = kWrap * kZoom + 2 * kMargin;
constexpr int kLabelFont = 5;
constexpr Rgb kBack = {28, 24, 22};
constexpr Rgb kStripBack = {64, 64, 64};
constexpr Rgb kParchment = {236, 220, 178};
constexpr Rgb kPanel = {112, 100, 84};  // the outlined font is drawn on the stone panel
constexpr Rgb kWhite = {248, 248, 248};
constexpr Rgb kLabel = {150, 170, 200};
constexpr Rgb kTickA = {200, 90, 60};
constexpr Rgb kTickB = {60, 160, 90};

const char* const kSample = "The Keep of Vennor - 0123456789 ?!.,'";

std::vector<std::string> samples(int font) {
    std::vector<std::string> s = {kSample, "abcdefghijklm nopqrstuvwxyz ABCDEFGHIJKLM NOPQRSTUVWXYZ"};
    if (font == 3) {
        s.push_back("Run Demo   Map Editor   Exit   Ok   Yes   No");
        s.push_back("Do you really want to quit?");
    }
    if (font == 4) s.push_back("(31,63,31)  \"Save map?\" #1 & 50% + @ / ; : _ ^ `");
    if (font == 5) s.push_back("333 Format: 511   PlaceLandTile (L)  landno: 12  Page 3  Item 0");
    return s;
}

// The panel's tab names stand apart at fixed columns rather than being
// spaced, as the mission panel places them.
struct Tab {
    int x;
    const char* name;
};
const Tab kTabs[] = {{0, "INV"}, {24, "STATS"}, {62, "MAP"}, {88, "LOG"}, {112, "OPTIONS"}};

Rgb level_grey(int font, u8 s) {
    if (font == kOutlinedFont) return s == 0 ? kStripBack : s == 1 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    u8 g = static_cast<u8>(s * 255 / 7);
    return s ? rgb_mix(kStripBack, {255, 255, 255}, g / 255.0f) : kStripBack;
}

// One row of the wrapped strip with a bar under it marking each glyph's range.
void strip_band(Canvas& c, const FontStrip& s, int font, int from, int top) {
    int cols = std::min(kWrap, s.w - from);
    fill_rect(c, kMargin, top, cols * kZoom, s.h * kZoom, kStripBack);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < cols; ++x)
            fill_rect(c, kMargin + x * kZoom, top + y * kZoom, kZoom, kZoom,
                      level_grey(font, s.px[static_cast<size_t>(y) * s.w + from + x]));
    const FontLayout layout = font_layout(font);
    for (size_t i = 0; i < layout.slots.size(); ++i) {
        const GlyphSlot& g = layout.slots[i];
        int x0 = std::max(g.x, from), x1 = std::min(g.x + g.w, from + cols);
        if (x0 >= x1) continue;
        fill_rect(c, kMargin + (x0 - from) * kZoom, top + s.h * kZoom + 1, (x1 - x0) * kZoom, 2,
                  i % 2 ? kTickA : kTickB);
    }
}

int strip_height(const FontStrip& s) { return (s.w + kWrap - 1) / kWrap * (s.h * kZoom + 6); }

int sample_lines(int font) { return static_cast<int>(samples(font).size()) + (font == kOutlinedFont); }

int samples_height(int font) { return sample_lines(font) * fontfiles[font].height + 4; }

int section_height(int font, const FontStrip& s) {
    return 14 + strip_height(s) + samples_height(font) * (1 + kZoom) + kMargin;
}

Canvas sample_block(const FontStrip& s, int font) {
    int w = (kSheetW - 2 * kMargin) / kZoom;
    bool panel = font == kOutlinedFont;
    Canvas c = canvas_make(w, samples_height(font), panel ? kPanel : kBack);
    Rgb ink = panel ? kWhite : kParchment;
    int y = 2;
    for (const std::string& line : samples(font)) {
        preview_text(c, s, font, line.c_str(), 2, y, ink);
        y += s.h;
    }
    if (panel)
        for (const Tab& t : kTabs) preview_text(c, s, font, t.name, 2 + t.x, y, ink);
    return c;
}

void paste(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) canvas_set(dst, x + i, y + j, canvas_get(src, i, j));
}

int draw_section(Canvas& c, const FontStrip* strips, int font, int top) {
    const FontStrip& s = strips[font];
    std::string label = std::to_string(font) + "  " + fontfiles[font].file;
    preview_text(c, strips[kLabelFont], kLabelFont, label.c_str(), kMargin, top, kLabel);
    top += 14;
    for (int from = 0; from < s.w; from += kWrap, top += s.h * kZoom + 6) strip_band(c, s, font, from, top);
    Canvas block = sample_block(s, font);
    paste(c, block, kMargin, top);
    top += block.h;
    paste(c, canvas_scaled(block, kZoom), kMargin, top);
    return top + block.h * kZoom + kMargin;
}

}  // namespace

Canvas fonts_sheet(const FontStrip* strips) {
    int h = kMargin;
    for (int f = 0; f < NUMFONTS; ++f) h += section_height(f, strips[f]);
    Canvas c = canvas_make(kSheetW, h, {16, 16, 20});
    int top = kMargin;
    for (int f = 0; f < NUMFONTS; ++f) top = draw_section(c, strips, f, top);
    return c;
}
