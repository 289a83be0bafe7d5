#include "tools/content/unitdraw.h"

#include <cmath>

#include "tools/content/unitlook.h"

namespace {

// The map view lays rows 60..79 of a frame over the unit's own cell, so the
// feet stand on the middle of that diamond (a little in front of its centre,
// leaving the most headroom a figure walking toward the eye still fits in
// once the compiler trails it back along its step).
constexpr int kFeetX = kUnitBoxX + 40, kFeetY = kUnitBoxY + 75;

// Facing index 0 looks north-east on screen, that is (1, -1) on the 2:1
// ground; each next index turns 45 degrees clockwise.
V3 place(V3 v, float heading, float scale) {
    float c = std::cos(heading), s = std::sin(heading);
    return V3{v.x * c - v.y * s, v.x * s + v.y * c, v.z} * scale;
}

void to_world(Figure& f, float heading, float scale) {
    for (Blob& b : f.blobs) {
        b.a = place(b.a, heading, scale);
        b.b = place(b.b, heading, scale);
        b.ra *= scale;
        b.rb *= scale;
    }
    for (Disc& d : f.discs) {
        d.c = place(d.c, heading, scale);
        d.n = place(d.n, heading, 1.0f);
        d.r *= scale;
    }
}

}  // namespace

Canvas draw_unit_bitmap(int set, int action, int facing, int frame) {
    const Look& look = look_of(set);
    Pose p = pose_of(action, frame, look.weapon);
    Figure fig = build_body(look, joints_of(p), p);
    to_world(fig, (float)(facing - 1) * 0.78539816f, look.scale);
    Canvas c = canvas_make(kUnitBmpW, kUnitBmpH, kUnitKey);
    render_figure(fig, c, kFeetX, kFeetY, kUnitKey);
    return c;
}
