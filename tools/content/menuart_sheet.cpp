#include "tools/content/menuart_sheet.h"

#include "tools/content/menuart.h"
#include "tools/content/menuart_text.h"

namespace {

constexpr int kGap = 8;
constexpr Rgb kBack = {40, 40, 46};
constexpr Rgb kCaption = {144, 112, 40}, kHover = {240, 208, 40};
constexpr Rgb kBoxText = {240, 192, 128};

void paste(Canvas& dst, const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) canvas_set(dst, x + i, y + j, canvas_get(src, i, j));
}

// A caption as the game draws one: a black shadow one pixel down and right.
bool caption(Canvas& c, const std::string& text, float cx, float cy, Rgb col, std::string& why) {
    Mask m = mask_make(c.w, c.h);
    if (!letter_centred(m, {kTitleFace, 16, 0.5f}, text, cx, cy + 5.0f, why)) return false;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) canvas_blend(c, x + 1, y + 1, {0, 0, 0}, mask_get(m, x, y));
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) canvas_blend(c, x, y, col, mask_get(m, x, y));
    return true;
}

struct MockButton {
    int x, y, w, offset;
    bool pressed;
    const char* text;
    Rgb col;
};

bool button(Canvas& c, const Canvas& skin, const MockButton& b, std::string& why) {
    paste(c, cut_button(skin, b.w, b.offset, b.pressed), b.x, b.y);
    int push = b.pressed ? 1 : 0;
    return caption(c, b.text, b.x + b.w * 0.5f + push, b.y + kFaceH * 0.5f + push, b.col, why);
}

bool menu_scene(const Canvas& menu, const Canvas& skin, Canvas& out, std::string& why) {
    out = menu;
    const char* names[] = {"Run Demo", "Map Editor", "Load Game", "Exit"};
    const int offsets[] = {0, 32, 200, 402};
    for (int i = 0; i < 4; ++i) {
        const ButtonSpot& s = kMenuButtons[i];
        if (!button(out, skin, {s.x, s.y, s.w, offsets[i], false, names[i], i == 0 ? kHover : kCaption}, why))
            return false;
    }
    return true;
}

bool question_scene(const Canvas& menu, const Canvas& skin, const Canvas& box, Canvas& out, std::string& why) {
    out = menu;
    blit_keyed(out, box, kTextBoxX, kTextBoxY);
    if (!caption(out, "Do you really want to quit?", 320.0f, 200.0f, kBoxText, why)) return false;
    return button(out, skin, {260, 226, 48, 120, false, "Yes", kHover}, why) &&
           button(out, skin, {330, 226, 48, 260, true, "No", kCaption}, why);
}

// Buttons of several widths from several places along the skin, both ways.
void button_row(Canvas& c, const Canvas& skin, int x, int y) {
    const int widths[] = {48, 80, 140, 220};
    const int offsets[] = {0, 150, 402 - 140, 402 - 220};
    for (int i = 0; i < 4; ++i) {
        paste(c, cut_button(skin, widths[i], offsets[i], false), x, y);
        paste(c, cut_button(skin, widths[i], offsets[i], true), x, y + kFaceH + 4);
        x += widths[i] + kGap;
    }
}

}  // namespace

bool menuart_sheet(const Canvas& menu, const Canvas& skin, const Canvas& box, Canvas& out, std::string& why) {
    Canvas a, b;
    if (!menu_scene(menu, skin, a, why) || !question_scene(menu, skin, box, b, why)) return false;
    int row2 = kGap * 2 + menu.h;
    out = canvas_make(kGap * 3 + menu.w * 2, row2 + skin.h + kGap * 2 + skin.h * 2 + kGap, kBack);
    paste(out, a, kGap, kGap);
    paste(out, b, kGap * 2 + menu.w, kGap);
    paste(out, skin, kGap, row2);
    button_row(out, skin, kGap * 2 + skin.w, row2);
    paste(out, canvas_scaled(skin, 2), kGap, row2 + skin.h + kGap);
    return true;
}
