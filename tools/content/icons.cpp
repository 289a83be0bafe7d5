#include "tools/content/icons.h"

#include <cmath>
#include <vector>

#include "platform/png.h"
#include "tools/content/fileout.h"

namespace {

constexpr int kSuper = 4;

// Shapes are laid out on a unit square and scaled to the canvas.
Pt at(float s, float x, float y) { return {x * s, y * s}; }

// A heater shield: straight top and sides, curving down to a point.
std::vector<Pt> shield(float s, float inset) {
    float l = 0.19f + inset, r = 0.81f - inset, top = 0.12f + inset, shoulder = 0.50f;
    float tipy = 0.92f - inset * 1.6f;
    std::vector<Pt> pts = {at(s, l, top), at(s, r, top)};
    constexpr int kSteps = 24;
    // Right flank from the shoulder to the tip, then the left one back up.
    for (int i = 0; i <= kSteps; ++i) {
        float t = static_cast<float>(i) / kSteps, a = t * 1.5707963f;
        pts.push_back(at(s, 0.5f + (r - 0.5f) * std::cos(a), shoulder + (tipy - shoulder) * std::sin(a)));
    }
    for (int i = kSteps; i >= 0; --i) {
        float t = static_cast<float>(i) / kSteps, a = t * 1.5707963f;
        pts.push_back(at(s, 0.5f - (0.5f - l) * std::cos(a), shoulder + (tipy - shoulder) * std::sin(a)));
    }
    return pts;
}

void sky(Canvas& c, float s) {
    fill_vgradient(c, 0, 0, c.w, c.h, {14, 16, 44}, {70, 34, 72});
    fill_ellipse(c, 0.885f * s, 0.095f * s, 0.065f * s, 0.065f * s,
                 paint_radial(at(s, 0.87f, 0.08f), 0.08f * s, {250, 244, 214}, {196, 186, 150}));
}

void shieldbody(Canvas& c, float s) {
    fill_polygon(c, shield(s, 0.0f), paint_linear(at(s, 0.2f, 0.1f), {222, 222, 232}, at(s, 0.8f, 0.9f), {92, 96, 116}));
    fill_polygon(c, shield(s, 0.035f), paint_linear(at(s, 0.3f, 0.15f), {168, 34, 38}, at(s, 0.7f, 0.9f), {84, 12, 22}));
}

// A gold keep with three merlons and a dark door, standing on the field.
void tower(Canvas& c, float s) {
    Paint gold = paint_linear(at(s, 0.36f, 0.3f), {255, 222, 120}, at(s, 0.64f, 0.76f), {176, 120, 34});
    auto box = [&](float x0, float y0, float x1, float y1, const Paint& p) {
        fill_polygon(c, {at(s, x0, y0), at(s, x1, y0), at(s, x1, y1), at(s, x0, y1)}, p);
    };
    box(0.38f, 0.36f, 0.62f, 0.74f, gold);
    for (int i = 0; i < 3; ++i) {
        float x = 0.38f + i * 0.09f;
        box(x, 0.28f, x + 0.06f, 0.37f, gold);
    }
    box(0.33f, 0.70f, 0.67f, 0.76f, gold);  // the plinth
    Paint dark = paint_solid({40, 8, 14});
    box(0.46f, 0.58f, 0.54f, 0.71f, dark);
    fill_ellipse(c, 0.50f * s, 0.58f * s, 0.04f * s, 0.04f * s, dark);
    box(0.475f, 0.43f, 0.525f, 0.50f, dark);  // the arrow slit
}

Canvas averaged(const Canvas& big, int size) {
    Canvas out = canvas_make(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < kSuper; ++dy)
                for (int dx = 0; dx < kSuper; ++dx) {
                    Rgb p = canvas_get(big, x * kSuper + dx, y * kSuper + dy);
                    sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
                }
            constexpr int n = kSuper * kSuper;
            canvas_set(out, x, y, {u8((sum[0] + n / 2) / n), u8((sum[1] + n / 2) / n), u8((sum[2] + n / 2) / n)});
        }
    return out;
}

}  // namespace

Canvas icon_paint(int size) {
    if (size <= 0) return {};
    Canvas big = canvas_make(size * kSuper, size * kSuper);
    float s = static_cast<float>(size * kSuper);
    sky(big, s);
    shieldbody(big, s);
    tower(big, s);
    return averaged(big, size);
}

bool icons_write(const std::string& dir, const std::string& name, std::string& why) {
    for (int size : kIconSizes) {
        std::string sub = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        if (!make_dirs(sub, why)) return false;
        Canvas c = icon_paint(size);
        std::string path = sub + "/" + name + ".png";
        if (!png_write(path, c.w, c.h, c.px.data(), &why)) {
            why = path + ": " + why;
            return false;
        }
    }
    return true;
}
