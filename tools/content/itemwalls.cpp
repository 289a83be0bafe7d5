// Wall pieces: each material in all sixteen ways of joining neighbours.
#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"

namespace {

struct Material {
    int first;
    float half;    // half the wall's thickness, in cells
    float height;  // pixels
    Rgb base;
    float course, joint;  // mortar spacing; course 0 for timber planks
    bool tall;            // blocks sight and passage
};

const Material kMaterials[] = {
    {ITEM_WALL_STONE, 0.13f, 64.0f, kStone, 8.0f, 0.34f, true},
    {ITEM_WALL_WOOD, 0.08f, 60.0f, kWood, 0.0f, 0.125f, true},
    {ITEM_WALL_LOWSTONE, 0.14f, 18.0f, {138, 132, 118}, 6.0f, 0.3f, false},
    {ITEM_WALL_HEDGE, 0.2f, 46.0f, {58, 108, 44}, 0.0f, 0.0f, true},
};

void wall_block(Canvas& c, const Iso& iso, const Material& m, float u0, float v0, float u1, float v1) {
    float grain = m.course == 0.0f && m.joint == 0.0f ? 0.35f : 0.08f;
    iso_box(c, iso, u0, v0, u1, v1, 0, m.height, faces_of(m.base), grain, static_cast<u32>(m.first));
    if (m.course > 0.0f) {
        iso_courses(c, iso, u0, v0, u1, v1, 0, m.height, m.course, m.joint, kMortar);
        // A lighter coping stone finishes the top.
        iso_box(c, iso, u0 - 0.01f, v0 - 0.01f, u1 + 0.01f, v1 + 0.01f, m.height - 3, m.height,
                faces_of(rgb_scale(m.base, 1.1f)), 0.05f, 7);
    } else if (m.joint > 0.0f) {
        iso_courses(c, iso, u0, v0, u1, v1, 0, m.height, m.height, m.joint, kWoodDark);
        iso_box(c, iso, u0, v0, u1, v1, m.height - 6, m.height - 2, faces_of(kWoodDark), 0.1f, 9);
        iso_box(c, iso, u0, v0, u1, v1, 6, 10, faces_of(kWoodDark), 0.1f, 10);
    }
}

// The joins towards map x as one block through the centre, with the joins
// towards map y split around it so that the nearer arm is drawn last.
void draw_piece(Canvas& c, const Iso& iso, const Material& m, int mask) {
    float lo = 0.5f - m.half, hi = 0.5f + m.half;
    if ((mask & (WALL_JOIN_XPLUS | WALL_JOIN_XMINUS)) == 0 && mask != 0) {
        wall_block(c, iso, m, lo, (mask & WALL_JOIN_YMINUS) ? 0.0f : lo, hi, (mask & WALL_JOIN_YPLUS) ? 1.0f : hi);
        return;
    }
    if (mask & WALL_JOIN_YMINUS) wall_block(c, iso, m, lo, 0.0f, hi, lo);
    float u0 = (mask & WALL_JOIN_XMINUS) ? 0.0f : lo, u1 = (mask & WALL_JOIN_XPLUS) ? 1.0f : hi;
    wall_block(c, iso, m, u0, lo, u1, hi);
    if (mask & WALL_JOIN_YPLUS) wall_block(c, iso, m, lo, hi, hi, 1.0f);
}

void fence_rails(Canvas& c, const Iso& iso, float u0, float v0, float u1, float v1) {
    Faces f = faces_of(kWood);
    iso_box(c, iso, u0, v0, u1, v1, 7, 10, f, 0.1f, 3);
    iso_box(c, iso, u0, v0, u1, v1, 15, 18, f, 0.1f, 4);
}

void draw_fence(Canvas& c, const Iso& iso, int mask) {
    const float lo = 0.46f, hi = 0.54f, p = 0.07f;
    if (mask & WALL_JOIN_YMINUS) fence_rails(c, iso, lo, 0.0f, hi, 0.5f);
    if (mask & WALL_JOIN_XMINUS) fence_rails(c, iso, 0.0f, lo, 0.5f, hi);
    iso_box(c, iso, 0.5f - p, 0.5f - p, 0.5f + p, 0.5f + p, 0, 22, faces_of(kWoodDark), 0.1f, 5);
    if (mask & WALL_JOIN_XPLUS) fence_rails(c, iso, 0.5f, lo, 1.0f, hi);
    if (mask & WALL_JOIN_YPLUS) fence_rails(c, iso, lo, 0.5f, hi, 1.0f);
}

}  // namespace

void oriented_box(Canvas& c, const Iso& iso, bool swap, float u0, float v0, float u1, float v1, float h0,
                  float h1, Faces f, float grain, u32 seed) {
    if (swap)
        iso_box(c, iso, v0, u0, v1, u1, h0, h1, f, grain, seed);
    else
        iso_box(c, iso, u0, v0, u1, v1, h0, h1, f, grain, seed);
}

bool make_wall_items(ItemSet& set, std::string& why) {
    for (const Material& m : kMaterials) {
        ItemFlags f;
        f.wall = 1;
        f.sight = f.passage = m.tall ? 1 : 0;
        for (int mask = 0; mask < WALL_PIECES; ++mask) {
            Canvas c = item_canvas();
            draw_piece(c, item_iso(), m, mask);
            if (!add_item(set, wall_piece(m.first, mask), c, f, why)) return false;
        }
    }
    ItemFlags low;
    low.wall = 1;
    for (int mask = 0; mask < WALL_PIECES; ++mask) {
        Canvas c = item_canvas();
        draw_fence(c, item_iso(), mask);
        if (!add_item(set, wall_piece(ITEM_WALL_FENCE, mask), c, low, why)) return false;
    }
    return true;
}
