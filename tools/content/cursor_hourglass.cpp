#include <cmath>

#include "tools/content/cursor_shapes.h"
#include "tools/content/cursor_style.h"

namespace {

// The glass is modelled upright around the origin, neck at y = 0 and bulbs
// reaching y = +-kBulb, then turned for the last frames.
constexpr float kBulb = 10.5f;
constexpr float kPlateW = 7.5f;
constexpr int kFrames = 8;
constexpr int kFlowFrames = 6;  // the rest turn the glass over
const Pt kCentre = {16, 16};

// Half the width of the glass at height y.
float glass_half(float y) {
    float t = std::fabs(y) / kBulb;
    return 1.0f + 5.2f * std::sin(t * 2.2f) / std::sin(2.2f);
}

// The inside of the glass between heights y0 < y1, as a polygon.
std::vector<Pt> glass_slice(float y0, float y1) {
    std::vector<Pt> left, out;
    const int n = 10;
    for (int i = 0; i <= n; ++i) {
        float y = y0 + (y1 - y0) * i / n;
        out.push_back({glass_half(y), y});
        left.push_back({-glass_half(y), y});
    }
    out.insert(out.end(), left.rbegin(), left.rend());
    return out;
}

std::vector<Pt> rect(float x0, float y0, float x1, float y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

struct Pose {
    float deg;    // how far the glass has turned
    float upper;  // sand left in the upper bulb, 0..1
};

Pose pose_of(int frame) {
    if (frame < kFlowFrames) return {0.0f, 1.0f - 0.92f * frame / (kFlowFrames - 1)};
    return {60.0f * (frame - kFlowFrames + 1), 0.0f};
}

// The glass's own coordinates turned with it onto the cell.
std::vector<Pt> turned(const Pose& p, const std::vector<Pt>& pts) { return place(pts, p.deg, 1, kCentre); }
Pt turned(const Pose& p, float x, float y) { return turned(p, {{x, y}})[0]; }

void add_glass(Canvas& cell, const Pose& p) {
    add_part(cell, [&](Canvas& l) {
        fill_polygon(l, turned(p, glass_slice(-kBulb, kBulb)),
                     paint_linear(turned(p, -5, 0), kGlass.light, turned(p, 5, 0), kGlass.dark));
        // Sand in each bulb settles toward the neck above and the plate below.
        float top = p.upper * 0.9f, bottom = (1.0f - p.upper) * 0.9f;
        Paint sand = paint_lit(turned(p, -5, -5), turned(p, 5, 5), kSand);
        if (top > 0.02f) fill_polygon(l, turned(p, glass_slice(-kBulb * top, -0.2f)), sand);
        if (bottom > 0.02f) fill_polygon(l, turned(p, glass_slice(kBulb * (1.0f - bottom), kBulb)), sand);
        if (p.deg == 0.0f && top > 0.02f && bottom < 0.88f)  // the falling stream
            fill_polygon(l, turned(p, rect(-0.5f, -0.5f, 0.5f, kBulb * (1.0f - bottom))), sand);
    });
}

void add_frame(Canvas& cell, const Pose& p) {
    Paint wood = paint_lit(turned(p, -8, -12), turned(p, 8, 12), kWood);
    for (float x : {-6.2f, 6.2f})
        add_part(cell, [&](Canvas& l) { fill_polygon(l, turned(p, rect(x - 0.8f, -kBulb, x + 0.8f, kBulb)), wood); });
    for (float y : {-kBulb - 2.5f, kBulb})
        add_part(cell, [&](Canvas& l) {
            Paint gold = paint_lit(turned(p, -kPlateW, y), turned(p, kPlateW, y + 2.5f), kGold);
            fill_polygon(l, turned(p, rect(-kPlateW, y, kPlateW, y + 2.5f)), gold);
        });
}

}  // namespace

Canvas cursor_busy(int frame) {
    Canvas cell = canvas_make(kCursorCell, kCursorCell);
    Pose p = pose_of(((frame % kFrames) + kFrames) % kFrames);
    add_glass(cell, p);
    add_frame(cell, p);
    return cell;
}
