// The fall of a unit: a plain figure buckles and topples while blood
// spreads under it; the last frame is the body that stays on the cell.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"

namespace {

constexpr int kFallFrames = 10;  // the rest lie still while the pool spreads

Pt lerp(Pt a, Pt b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

void blood(Canvas& c, Pt centre, int frame) {
    if (frame < 4) return;
    float r = std::fmin(3.0f + 1.5f * static_cast<float>(frame - 4), 16.0f);
    fill_ellipse(c, centre.x, centre.y, r, r * 0.44f, paint_solid({96, 8, 10}));
    fill_ellipse(c, centre.x - r * 0.2f, centre.y - r * 0.1f, r * 0.6f, r * 0.28f, paint_solid({132, 14, 16}));
}

void figure(Canvas& c, Pt feet, int frame) {
    float t = std::fmin(static_cast<float>(frame) / (kFallFrames - 1), 1.0f);
    float fall = t * t * 1.5708f;  // slow at first, then all at once
    // Upright the body rises 44 px; lying it stretches across the cell, so
    // that it stays above the cell's bottom corner.
    Pt up = {0.0f, -44.0f}, flat = {-30.0f, 1.5f};
    Pt axis = {up.x * std::cos(fall) + flat.x * std::sin(fall), up.y * std::cos(fall) + flat.y * std::sin(fall)};
    float buckle = std::sin(t * 3.1416f) * 6.0f;  // the knees give way mid-fall
    // The feet slide out as the body goes down, which keeps it on the cell.
    feet.x += 14.0f * t;
    Pt hip = {feet.x + axis.x * 0.45f + buckle, feet.y + axis.y * 0.45f};
    Pt knee = lerp(feet, hip, 0.5f);
    knee.x += buckle;
    Pt neck = {feet.x + axis.x * 0.84f, feet.y + axis.y * 0.84f}, head = {feet.x + axis.x, feet.y + axis.y};
    Rgb cloth = {104, 92, 78}, skin = {206, 160, 128}, legs = {60, 56, 60};
    fill_capsule(c, {feet.x - 2, feet.y}, knee, 5.0f, paint_solid(legs));
    fill_capsule(c, knee, hip, 6.0f, paint_solid(legs));
    fill_capsule(c, {feet.x + 3, feet.y - 1}, {knee.x + 3, knee.y}, 5.0f, paint_solid(rgb_scale(legs, 0.8f)));
    float flail = 8.0f * std::sin(t * 6.0f) + 4.0f;
    Pt hand0 = {neck.x - 8 - flail * 0.5f, neck.y + 10 - flail}, hand1 = {neck.x + 9, neck.y + 12 + flail * 0.3f};
    fill_capsule(c, neck, hand1, 4.0f, paint_solid(rgb_scale(cloth, 0.8f)));
    fill_capsule(c, hip, neck, 10.0f, paint_solid(cloth));
    fill_capsule(c, neck, hand0, 4.0f, paint_solid(cloth));
    fill_ellipse(c, head.x, head.y, 5.0f, 5.5f, paint_solid(skin));
    fill_ellipse(c, head.x + 1, head.y - 3, 5.0f, 3.0f, paint_solid({70, 50, 36}));
}

}  // namespace

bool make_remains_items(ItemSet& set, std::string& why) {
    for (int k = 0; k < REMAINS_FRAMES; ++k) {
        Canvas c = item_canvas();
        Pt feet = item_iso().at(0.45f, 0.45f, 0);
        blood(c, {feet.x, feet.y + 4.0f}, k);
        figure(c, feet, k);
        outline(c, {30, 16, 14});
        if (!add_item(set, ITEM_REMAINS_FRAME0 + k, c, ItemFlags{}, why)) return false;
    }
    return true;
}
