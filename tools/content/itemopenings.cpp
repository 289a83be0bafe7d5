// Ways through walls: open arches and doorways, and gates shut or open.
#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"

namespace {

constexpr float kLo = 0.37f, kHi = 0.63f;  // wall thickness, as the stone wall
constexpr float kGapLo = 0.26f, kGapHi = 0.74f;

// Each frame is drawn in two halves, back then front, so that door leaves
// can go between them.
void stone_frame(Canvas& c, const Iso& iso, bool y, bool front) {
    Faces f = faces_of(kStone);
    if (front) {
        oriented_box(c, iso, y, kGapHi, kLo, 1.0f, kHi, 0, 64, f, 0.08f, 14);
        return;
    }
    oriented_box(c, iso, y, 0.0f, kLo, kGapLo, kHi, 0, 64, f, 0.08f, 11);
    oriented_box(c, iso, y, kGapLo, kLo, kGapHi, kHi, 46, 64, faces_of(rgb_scale(kStone, 1.05f)), 0.08f, 12);
    // The keystone marks the lintel as an arch from either side.
    oriented_box(c, iso, y, 0.45f, kLo - 0.01f, 0.55f, kHi + 0.01f, 44, 60, faces_of(rgb_scale(kStone, 1.2f)),
                 0.05f, 13);
}

void wood_frame(Canvas& c, const Iso& iso, bool y, bool front) {
    Faces f = faces_of(kWood), beam = faces_of(kWoodDark);
    if (front) {
        oriented_box(c, iso, y, kGapHi, 0.4f, kGapHi + 0.05f, 0.6f, 0, 60, beam, 0.1f, 25);
        oriented_box(c, iso, y, kGapHi, 0.42f, 1.0f, 0.58f, 0, 60, f, 0.12f, 26);
        return;
    }
    oriented_box(c, iso, y, 0.0f, 0.42f, kGapLo, 0.58f, 0, 60, f, 0.12f, 21);
    oriented_box(c, iso, y, kGapLo - 0.05f, 0.4f, kGapLo, 0.6f, 0, 60, beam, 0.1f, 22);
    oriented_box(c, iso, y, kGapLo, 0.42f, kGapHi, 0.58f, 46, 60, f, 0.12f, 23);
    oriented_box(c, iso, y, kGapLo - 0.05f, 0.4f, kGapHi + 0.05f, 0.6f, 44, 48, beam, 0.1f, 24);
}

// Two door leaves, shut across the gap or swung back against its sides.
void leaves(Canvas& c, const Iso& iso, bool y, bool open, float height) {
    Faces f = faces_of(kWood), band = faces_of(kIron);
    float mid = 0.5f;
    if (!open) {
        oriented_box(c, iso, y, kGapLo, mid - 0.04f, kGapHi, mid + 0.04f, 0, height, f, 0.15f, 31);
        for (float h : {8.0f, height - 12.0f})
            oriented_box(c, iso, y, kGapLo, mid - 0.045f, kGapHi, mid + 0.045f, h, h + 3, band, 0.05f, 32);
        oriented_box(c, iso, y, 0.495f, mid - 0.05f, 0.505f, mid + 0.05f, 0, height, faces_of(kWoodDark), 0.0f, 33);
        return;
    }
    for (float u : {kGapLo, kGapHi - 0.06f}) {
        oriented_box(c, iso, y, u, mid, u + 0.06f, mid + 0.24f, 0, height, f, 0.15f, 34);
        oriented_box(c, iso, y, u - 0.005f, mid, u + 0.065f, mid + 0.24f, 8, 11, band, 0.05f, 35);
    }
}

void fence_frame(Canvas& c, const Iso& iso, bool y, bool front) {
    Faces post = faces_of(kWoodDark), rail = faces_of(kWood);
    float u = front ? kGapHi : 0.0f, p = front ? kGapHi : kGapLo - 0.07f;
    if (front) oriented_box(c, iso, y, p, 0.43f, p + 0.07f, 0.57f, 0, 24, post, 0.1f, 42);
    for (float h : {7.0f, 15.0f}) oriented_box(c, iso, y, u, 0.46f, u + kGapLo, 0.54f, h, h + 3, rail, 0.1f, 41);
    if (!front) oriented_box(c, iso, y, p, 0.43f, p + 0.07f, 0.57f, 0, 24, post, 0.1f, 42);
}

void fence_leaf(Canvas& c, const Iso& iso, bool y, bool open) {
    Faces rail = faces_of(rgb_scale(kWood, 1.1f));
    for (float h : {5.0f, 11.0f, 17.0f}) {
        if (open)
            oriented_box(c, iso, y, kGapLo, 0.5f, kGapLo + 0.05f, 0.96f, h, h + 3, rail, 0.1f, 43);
        else
            oriented_box(c, iso, y, kGapLo, 0.47f, kGapHi, 0.53f, h, h + 3, rail, 0.1f, 44);
    }
}

using Draw = void (*)(Canvas&, const Iso&, bool, bool);

bool one(ItemSet& set, int n, bool y, Draw frame, int leaf, bool open, const ItemFlags& f, std::string& why) {
    Canvas c = item_canvas();
    frame(c, item_iso(), y, false);
    if (leaf == 1) leaves(c, item_iso(), y, open, 44);
    if (leaf == 2) fence_leaf(c, item_iso(), y, open);
    frame(c, item_iso(), y, true);
    return add_item(set, n, c, f, why);
}

}  // namespace

bool make_opening_items(ItemSet& set, std::string& why) {
    ItemFlags through, shut, lowshut;
    shut.wall = shut.sight = shut.passage = 1;
    lowshut.wall = 1;
    lowshut.passage = 1;
    return one(set, ITEM_ARCH_STONE_X, false, stone_frame, 0, true, through, why) &&
           one(set, ITEM_ARCH_STONE_Y, true, stone_frame, 0, true, through, why) &&
           one(set, ITEM_DOORWAY_WOOD_X, false, wood_frame, 0, true, through, why) &&
           one(set, ITEM_DOORWAY_WOOD_Y, true, wood_frame, 0, true, through, why) &&
           one(set, ITEM_GATE_X_CLOSED, false, stone_frame, 1, false, shut, why) &&
           one(set, ITEM_GATE_X_OPEN, false, stone_frame, 1, true, through, why) &&
           one(set, ITEM_GATE_Y_CLOSED, true, stone_frame, 1, false, shut, why) &&
           one(set, ITEM_GATE_Y_OPEN, true, stone_frame, 1, true, through, why) &&
           one(set, ITEM_FENCEGATE_X_CLOSED, false, fence_frame, 2, false, lowshut, why) &&
           one(set, ITEM_FENCEGATE_X_OPEN, false, fence_frame, 2, true, through, why) &&
           one(set, ITEM_FENCEGATE_Y_CLOSED, true, fence_frame, 2, false, lowshut, why) &&
           one(set, ITEM_FENCEGATE_Y_OPEN, true, fence_frame, 2, true, through, why);
}
