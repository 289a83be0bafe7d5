// The Light spell's glow on an empty cell: a mote of light that swells
// over ten steps into a hovering orb ringed by sparks, with a pool of light
// on the floor under it. The last step stays on the cell and keeps shining.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

constexpr Rgb kCore = {255, 252, 226};
constexpr Rgb kHalo = {246, 214, 96};
constexpr Rgb kFringe = {196, 150, 52};

// t = 0 for the first, smallest step, 1 for the orb that stays.
void orb(Canvas& c, const Iso& iso, float t) {
    Pt floor = iso.at(0.5f, 0.5f, 0);
    Pt heart = iso.at(0.5f, 0.5f, 18.0f + 14.0f * t);
    // The pool on the floor: a lit ellipse that widens with the orb.
    float pool = 5.0f + 11.0f * t;
    fill_ellipse(c, floor.x, floor.y, pool, pool * 0.5f, paint_radial(floor, pool, rgb_mix(kHalo, kFringe, 0.4f), kFringe));
    // A thread of light from the floor up to the orb while it is small.
    if (t < 0.6f) fill_capsule(c, floor, heart, 1.5f, paint_linear(floor, kFringe, heart, kHalo));
    float r = 2.5f + 7.5f * t;
    fill_ellipse(c, heart.x, heart.y, r * 1.5f, r * 1.5f, paint_radial(heart, r * 1.5f, kHalo, kFringe));
    fill_ellipse(c, heart.x, heart.y, r, r, paint_radial(heart, r, kCore, kHalo));
    // Sparks circling the orb, more and farther out as it grows.
    int sparks = 2 + static_cast<int>(8.0f * t);
    Rng rng(7300u);
    for (int i = 0; i < sparks; ++i) {
        float a = 6.2832f * (static_cast<float>(i) / static_cast<float>(sparks)) + rng.range(-0.3f, 0.3f);
        float d = r * 1.5f + 3.0f + rng.range(0.0f, 6.0f * t);
        float sx = heart.x + d * std::cos(a), sy = heart.y + 0.6f * d * std::sin(a);
        fill_ellipse(c, sx, sy, 1.2f, 1.2f, paint_solid(i % 2 ? kCore : kHalo));
    }
}

}  // namespace

bool make_spell_light_items(ItemSet& set, std::string& why) {
    for (int k = 0; k < LIGHT_GLOW_STEPS; ++k) {
        Canvas c = item_canvas();
        float t = static_cast<float>(k) / static_cast<float>(LIGHT_GLOW_STEPS - 1);
        orb(c, item_iso(), t);
        ItemFlags f;
        f.brightness = static_cast<u8>(k + 1);  // the glow brightens with every step
        if (!add_item(set, ITEM_LIGHT_GLOW_FIRST - k, c, f, why)) return false;
    }
    return true;
}
