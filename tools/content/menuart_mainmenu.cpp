// The title picture, back to front: sky, mountains, the keep, the near
// ground, then the calm panel the buttons sit on, the lettering and the
// bronze border over everything.
#include <cmath>

#include "tools/content/menuart.h"
#include "tools/content/menuart_frame.h"
#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_parts.h"
#include "tools/content/noise.h"

namespace {

// Tall enough for four rows of buttons, the last (Exit) at row 342.
constexpr int kPanelX = 230, kPanelY = 228, kPanelW = 180, kPanelH = 150;
constexpr int kBorder = 9;

void vignette(Img& im) {
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) {
            float dx = (x - im.w * 0.5f) / (im.w * 0.5f), dy = (y - im.h * 0.45f) / (im.h * 0.55f);
            float k = 1.0f - 0.38f * std::fmin(1.0f, (dx * dx + dy * dy) * 0.6f);
            img_set(im, x, y, img_get(im, x, y) * k);
        }
}

Col slab(int x, int y) {
    float grain = fbm(x * 0.08f, y * 0.08f, 601u, 3);
    float fall = (y - kPanelY) / static_cast<float>(kPanelH);
    return col_mix({50, 44, 54}, {36, 32, 40}, fall) * (0.94f + 0.1f * grain);
}

// A groove cut into the slab: dark on its upper side, catching light below.
void engraved_line(Img& im, int x, int y, int w, int h) {
    for (int i = x; i < x + w; ++i) {
        img_blend(im, i, y, {14, 10, 16}, 0.6f);
        img_blend(im, i, y + 1, {110, 96, 104}, 0.25f);
        img_blend(im, i, y + h - 1, {14, 10, 16}, 0.6f);
        img_blend(im, i, y + h, {110, 96, 104}, 0.25f);
    }
    for (int j = y; j < y + h; ++j) {
        img_blend(im, x, j, {14, 10, 16}, 0.6f);
        img_blend(im, x + 1, j, {110, 96, 104}, 0.25f);
        img_blend(im, x + w - 1, j, {14, 10, 16}, 0.6f);
        img_blend(im, x + w, j, {110, 96, 104}, 0.25f);
    }
}

void corner_plate(Img& im, int x, int y) {
    constexpr int kSize = 26;
    for (int j = y; j < y + kSize; ++j)
        for (int i = x; i < x + kSize; ++i) img_set(im, i, j, bronze_at(i, j) * 0.7f);
    bronze_rim(im, x, y, kSize, kSize, 5);
    gem(im, x + kSize * 0.5f, y + kSize * 0.5f, 6.5f, {150, 22, 26});
}

}  // namespace

void paint_menu_panel(Img& im) {
    Mask drop = mask_make(im.w, im.h);
    mask_rect(drop, kPanelX, kPanelY, kPanelX + kPanelW, kPanelY + kPanelH);
    mask_paint_solid(im, mask_blur(drop, 4), 4, 6, {6, 4, 8}, 0.75f);
    for (int y = kPanelY; y < kPanelY + kPanelH; ++y)
        for (int x = kPanelX; x < kPanelX + kPanelW; ++x) img_set(im, x, y, slab(x, y));
    engraved_line(im, kPanelX + 10, kPanelY + 10, kPanelW - 20, kPanelH - 20);
    inner_shadow(im, kPanelX + 5, kPanelY + 5, kPanelW - 10, kPanelH - 10, 5, 0.55f);
    bronze_rim(im, kPanelX, kPanelY, kPanelW, kPanelH, 6);
    float cx = kPanelX + kPanelW * 0.5f;
    stud(im, cx, kPanelY + 3.0f, 4.0f);
    stud(im, cx, kPanelY + kPanelH - 3.0f, 4.0f);
    for (float sx : {kPanelX + 3.0f, kPanelX + kPanelW - 3.0f})
        for (float sy : {kPanelY + 3.0f, kPanelY + kPanelH - 3.0f}) stud(im, sx, sy, 3.5f);
}

void paint_border(Img& im) {
    inner_shadow(im, kBorder, kBorder, im.w - 2 * kBorder, im.h - 2 * kBorder, 8, 0.6f);
    bronze_rim(im, 0, 0, im.w, im.h, kBorder);
    for (int cx : {0, im.w - 26})
        for (int cy : {0, im.h - 26}) corner_plate(im, cx, cy);
    stud(im, 4.5f, im.h * 0.5f, 4.0f);
    stud(im, im.w - 4.5f, im.h * 0.5f, 4.0f);
    stud(im, im.w * 0.5f, im.h - 4.5f, 4.0f);
}

bool draw_mainmenu(Canvas& out, std::string& why) {
    Img im = img_make(kMainMenuW, kMainMenuH, {0, 0, 0});
    paint_sky(im);
    paint_moon(im);
    paint_clouds(im);
    paint_ranges(im);
    paint_castle(im);
    paint_foreground(im);
    vignette(im);
    paint_menu_panel(im);
    if (!paint_title(im, why)) return false;
    paint_border(im);
    out = img_to_canvas(im);
    return true;
}
