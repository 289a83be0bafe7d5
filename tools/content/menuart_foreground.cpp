// The near ground: dark hills with a fringe of grass, a dead tree on the
// western rise, and mist low over the fields.
#include <cmath>
#include <vector>

#include "tools/content/menuart_mask.h"
#include "tools/content/menuart_parts.h"
#include "tools/content/noise.h"

namespace {

float hill_top(float x) {
    float west = 58.0f * std::exp(-std::pow((x - 70.0f) / 150.0f, 2.0f));
    float east = 34.0f * std::exp(-std::pow((x - 640.0f) / 140.0f, 2.0f));
    return 392.0f - west - east + 10.0f * (fbm(x * 0.012f, 7.0f, 131u, 4) - 0.5f);
}

void hills(Mask& m) {
    for (int x = 0; x < m.w; ++x) mask_rect(m, static_cast<float>(x), hill_top(x + 0.5f), x + 1.0f, 480.0f);
    for (int x = 0; x < m.w; ++x) {
        if (hash01(x, 0, 133u) > 0.45f) continue;
        float len = 2.0f + 5.0f * hash01(x, 1, 133u), lean = 3.0f * (hash01(x, 2, 133u) - 0.5f);
        float base = hill_top(x + 0.5f) + 1.0f;
        mask_capsule(m, {x + 0.5f, base}, {x + 0.5f + lean, base - len}, 1.0f);
    }
}

// A crooked limb that forks until it is twig-thin.
void limb(Mask& m, Rng& rng, Pt from, float angle, float len, float width, int depth) {
    float bend = rng.range(-0.25f, 0.25f);
    Pt mid = {from.x + std::sin(angle) * len * 0.5f, from.y - std::cos(angle) * len * 0.5f};
    Pt to = {mid.x + std::sin(angle + bend) * len * 0.5f, mid.y - std::cos(angle + bend) * len * 0.5f};
    mask_capsule(m, from, mid, width);
    mask_capsule(m, mid, to, width * 0.85f);
    if (depth == 0 || width < 0.9f) return;
    float spread = rng.range(0.35f, 0.7f);
    limb(m, rng, to, angle + bend - spread, len * rng.range(0.62f, 0.8f), width * 0.62f, depth - 1);
    limb(m, rng, to, angle + bend + spread * 0.8f, len * rng.range(0.55f, 0.75f), width * 0.62f, depth - 1);
    if (depth > 3) limb(m, rng, mid, angle + bend + 1.1f, len * 0.45f, width * 0.5f, depth - 2);
}

void tree(Mask& m) {
    Rng rng(1234);
    float x = 78.0f, base = hill_top(x) + 6.0f;
    mask_polygon(m, {{x - 9.0f, base}, {x - 3.0f, base - 30.0f}, {x + 4.0f, base - 30.0f}, {x + 11.0f, base}});
    limb(m, rng, {x, base - 26.0f}, 0.12f, 52.0f, 6.5f, 6);
}

Pt bezier(Pt a, Pt b, Pt c, Pt d, float t) {
    float u = 1.0f - t, k0 = u * u * u, k1 = 3 * u * u * t, k2 = 3 * u * t * t, k3 = t * t * t;
    return {a.x * k0 + b.x * k1 + c.x * k2 + d.x * k3, a.y * k0 + b.y * k1 + c.y * k2 + d.y * k3};
}

// The road winds from the viewer's feet over the rise toward the keep,
// narrowing with distance.
Mask road() {
    const Pt a = {318, 492}, b = {352, 436}, c = {236, 414}, d = {428, 389};
    std::vector<Pt> left, right;
    constexpr int kSteps = 48;
    for (int i = 0; i <= kSteps; ++i) {
        float t = static_cast<float>(i) / kSteps;
        Pt p = bezier(a, b, c, d, t), q = bezier(a, b, c, d, std::fmin(1.0f, t + 0.01f));
        float dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
        if (len <= 0.0f) continue;
        float half = (58.0f * std::pow(1.0f - t, 1.8f) + 3.0f) * 0.5f;
        left.push_back({p.x - dy / len * half, p.y + dx / len * half});
        right.push_back({p.x + dy / len * half, p.y - dx / len * half});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    Mask m = mask_make(640, 480);
    mask_polygon(m, left);
    return m;
}

void paint_road(Img& im) {
    Mask m = road();
    Mask inner = mask_blur(m, 2);
    mask_paint(im, m, 0, 0, [&](int x, int y) {
        float gravel = fbm(x * 0.3f, y * 0.5f, 151u, 2);
        float near = (y - 389.0f) / 91.0f;
        Col c = col_mix({78, 54, 58}, {46, 34, 40}, near) * (0.8f + 0.35f * gravel);
        return col_mix(Col{28, 20, 30}, c, smoothstep(0.3f, 0.9f, mask_get(inner, x, y)));
    });
}

// Boulders beside the road, each a cluster of overlapping lumps.
void boulders(Mask& m) {
    const Pt spots[] = {{236, 452}, {392, 430}, {560, 446}, {150, 414}, {470, 404}};
    Rng rng(1401);
    for (const Pt& p : spots) {
        float size = rng.range(5.0f, 10.0f);
        for (int i = 0; i < 3; ++i)
            mask_ellipse(m, p.x + rng.range(-size, size), p.y - rng.range(0.0f, size * 0.5f), size * rng.range(0.6f, 1.0f),
                         size * rng.range(0.45f, 0.7f));
    }
}

struct Lantern {
    float x, y, h;  // the foot of the post and its height
};

// Lanterns on posts along the road, the only warm light this side of the
// keep; each throws a pool of light on the ground below it.
void lantern(Img& im, const Lantern& l) {
    Mask post = mask_make(im.w, im.h), flame = mask_make(im.w, im.h), pool = mask_make(im.w, im.h);
    float w = std::fmax(1.0f, l.h / 12.0f), arm = l.x + l.h * 0.32f;
    mask_rect(post, l.x, l.y - l.h, l.x + w, l.y);
    mask_rect(post, l.x, l.y - l.h, arm + w * 0.5f, l.y - l.h + w);
    mask_rect(flame, arm - w * 0.9f, l.y - l.h + w * 1.5f, arm + w * 1.1f, l.y - l.h + w * 4.0f);
    mask_ellipse(pool, arm, l.y, l.h * 0.9f, l.h * 0.22f);
    int r = static_cast<int>(l.h * 0.4f) + 3;
    mask_glow(im, mask_blur(pool, r), 0, 0, {200, 110, 50}, 0.9f);
    mask_paint_solid(im, post, 0, 0, {20, 14, 18});
    mask_glow(im, mask_blur(flame, r), 0, 0, {255, 130, 40}, 0.35f * l.h);
    mask_glow(im, mask_blur(flame, 2), 0, 0, {255, 170, 80}, 1.2f);
    mask_paint_solid(im, flame, 0, 0, {255, 220, 140});
}

void lanterns(Img& im) {
    for (const Lantern& l : {Lantern{368, 456, 30}, Lantern{292, 412, 17}, Lantern{408, 394, 10}}) lantern(im, l);
}

void shade_boulders(Img& im, const Mask& rocks) {
    Mask soft = mask_blur(rocks, 2);
    mask_paint(im, rocks, 0, 0, [&](int x, int y) {
        float top = std::fmax(0.0f, mask_get(soft, x, y) - mask_get(soft, x, y - 3));
        return col_mix(Col{28, 20, 30}, Col{72, 48, 60}, top * 2.0f) * (0.85f + 0.3f * fbm(x * 0.3f, y * 0.3f, 1402u, 2));
    });
}

Col earth(int x, int y) {
    float n = fbm(x * 0.05f, y * 0.1f, 141u, 3);
    return col_mix({26, 18, 30}, {12, 10, 18}, (y - 330.0f) / 150.0f) * (0.85f + 0.3f * n);
}

void rim(Img& im, const Mask& m) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float edge = std::fmax(0.0f, mask_get(m, x, y) - mask_get(m, x - 1, y - 2));
            img_blend(im, x, y, {120, 64, 64}, edge * 0.45f);
        }
}

}  // namespace

void paint_foreground(Img& im) {
    Mask m = mask_make(im.w, im.h);
    hills(m);
    tree(m);
    mask_paint(im, m, 0, 0, earth);
    paint_road(im);
    Mask rocks = mask_make(im.w, im.h);
    boulders(rocks);
    shade_boulders(im, rocks);
    for (size_t i = 0; i < m.a.size(); ++i) m.a[i] = std::fmax(m.a[i], rocks.a[i]);
    rim(im, m);
    lanterns(im);
    paint_mist(im, 426.0f, 8.0f, 0.38f, 404u);
}
