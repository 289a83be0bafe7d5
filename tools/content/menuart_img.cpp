#include "tools/content/menuart_img.h"

#include <cmath>

#include "tools/content/noise.h"

namespace {

float clamp01(float t) { return t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t); }

// The 5-bit level of one channel: the dither threshold decides which of the
// two neighbouring levels a pixel takes.
int level(float v, float threshold) {
    int q = static_cast<int>(std::floor(v / 255.0f * 31.0f + threshold));
    return q < 0 ? 0 : (q > 31 ? 31 : q);
}

// Bit replication, so level 31 is full white and truncation gives q back.
u8 expand(int q) { return static_cast<u8>((q << 3) | (q >> 2)); }

}  // namespace

Col col_mix(Col a, Col b, float t) {
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float col_luma(Col c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Img img_make(int w, int h, Col fill) {
    Img im;
    im.w = w;
    im.h = h;
    im.px.assign(static_cast<size_t>(w) * h, fill);
    return im;
}

bool img_in(const Img& im, int x, int y) { return x >= 0 && y >= 0 && x < im.w && y < im.h; }

Col img_get(const Img& im, int x, int y) {
    x = x < 0 ? 0 : (x >= im.w ? im.w - 1 : x);
    y = y < 0 ? 0 : (y >= im.h ? im.h - 1 : y);
    return im.px[static_cast<size_t>(y) * im.w + x];
}

void img_set(Img& im, int x, int y, Col c) {
    if (img_in(im, x, y)) im.px[static_cast<size_t>(y) * im.w + x] = c;
}

void img_blend(Img& im, int x, int y, Col c, float a) {
    if (img_in(im, x, y) && a > 0.0f) img_set(im, x, y, col_mix(img_get(im, x, y), c, a));
}

void img_add(Img& im, int x, int y, Col c, float a) {
    if (img_in(im, x, y) && a > 0.0f) img_set(im, x, y, img_get(im, x, y) + c * a);
}

void img_paste(Img& dst, const Img& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i) img_set(dst, x + i, y + j, img_get(src, i, j));
}

Img img_crop(const Img& src, int x, int y, int w, int h) {
    Img out = img_make(w, h, {0, 0, 0});
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) img_set(out, i, j, img_get(src, x + i, y + j));
    return out;
}

Canvas img_to_canvas(const Img& im) {
    Canvas c = canvas_make(im.w, im.h);
    for (int y = 0; y < im.h; ++y)
        for (int x = 0; x < im.w; ++x) {
            Col p = img_get(im, x, y);
            float t = bayer8(x, y);
            int r = level(p.r, t), g = level(p.g, t), b = level(p.b, t);
            if (r == 0 && g == 0 && b == 0) r = g = b = 1;
            canvas_set(c, x, y, {expand(r), expand(g), expand(b)});
        }
    return c;
}
