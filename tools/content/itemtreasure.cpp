// Chests the leader can open, and the loot that falls out of them.
#include <cmath>

#include "tools/content/itemcatalog.h"
#include "tools/content/itemparts.h"
#include "tools/content/noise.h"

namespace {

constexpr Rgb kEdge = {26, 20, 14};
constexpr Rgb kGoldCoin = {240, 196, 60};

void coins(Canvas& c, float cx, float cy, int count, u64 seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        float x = cx + rng.range(-7, 7), y = cy + rng.range(-3, 3);
        fill_ellipse(c, x, y, 2.5f, 1.4f, paint_solid(rgb_scale(kGoldCoin, rng.range(0.75f, 1.1f))));
    }
}

// The chest's front, with the lock, faces map x + 1 (or y + 1 when y is
// set): the side its loot is thrown to.
void chest(Canvas& c, const Iso& iso, bool y, bool open) {
    Faces wood = faces_of({150, 96, 48}), band = faces_of({180, 150, 70});
    iso_shadow(c, iso, 0.5f, 0.5f, 0.32f);
    if (open) oriented_box(c, iso, y, 0.2f, 0.22f, 0.26f, 0.78f, 14, 34, wood, 0.1f, 60);
    oriented_box(c, iso, y, 0.26f, 0.22f, 0.74f, 0.78f, 0, 14, wood, 0.1f, 61);
    for (float v : {0.3f, 0.66f}) oriented_box(c, iso, y, 0.255f, v, 0.745f, v + 0.04f, 0, 14.5f, band, 0.0f, 62);
    if (open) {
        Pt in = iso.at(0.5f, 0.5f, 13);
        oriented_box(c, iso, y, 0.29f, 0.25f, 0.71f, 0.75f, 12, 13.5f, faces_of({50, 30, 20}), 0.0f, 63);
        coins(c, in.x, in.y, 12, y ? 3 : 4);
    } else {
        oriented_box(c, iso, y, 0.26f, 0.22f, 0.74f, 0.78f, 14, 20, faces_of({166, 108, 56}), 0.1f, 64);
        for (float v : {0.3f, 0.66f}) oriented_box(c, iso, y, 0.255f, v, 0.745f, v + 0.04f, 14, 20.5f, band, 0.0f, 65);
        Pt lock = y ? iso.at(0.5f, 0.78f, 13) : iso.at(0.74f, 0.5f, 13);
        fill_rect(c, static_cast<int>(lock.x) - 2, static_cast<int>(lock.y) - 3, 4, 5, {210, 180, 80});
        canvas_set(c, static_cast<int>(lock.x), static_cast<int>(lock.y) - 1, {30, 20, 10});
    }
    outline(c, kEdge);
}

void gold(Canvas& c, const Iso& iso) {
    Pt p = iso.at(0.5f, 0.5f, 0);
    fill_ellipse(c, p.x, p.y - 2, 12, 5, paint_solid(rgb_scale(kGoldCoin, 0.6f)));
    for (int layer = 0; layer < 4; ++layer) {
        float w = 10.0f - 2.2f * static_cast<float>(layer);
        Rng rng(static_cast<u64>(layer) + 90);
        for (int i = 0; i < 10 - 2 * layer; ++i)
            fill_ellipse(c, p.x + rng.range(-w, w), p.y - 2 - 3.0f * static_cast<float>(layer) + rng.range(-2, 2), 2.6f,
                         1.5f, paint_solid(rgb_scale(kGoldCoin, rng.range(0.8f, 1.15f))));
    }
    canvas_set(c, static_cast<int>(p.x) - 3, static_cast<int>(p.y) - 11, {255, 255, 230});
    canvas_set(c, static_cast<int>(p.x) + 5, static_cast<int>(p.y) - 6, {255, 255, 230});
    outline(c, {70, 46, 10});
}

void potion(Canvas& c, const Iso& iso) {
    Pt p = iso.at(0.5f, 0.5f, 0);
    fill_ellipse(c, p.x, p.y, 6, 2.5f, paint_solid({30, 26, 24}));
    fill_ellipse(c, p.x, p.y - 6, 6, 6, paint_radial({p.x - 2, p.y - 8}, 8, {255, 90, 110}, {130, 10, 30}));
    fill_rect(c, static_cast<int>(p.x) - 2, static_cast<int>(p.y) - 16, 4, 5, {170, 190, 200});
    fill_rect(c, static_cast<int>(p.x) - 2, static_cast<int>(p.y) - 19, 4, 3, {140, 100, 60});
    canvas_set(c, static_cast<int>(p.x) - 3, static_cast<int>(p.y) - 9, {255, 230, 235});
    outline(c, {24, 10, 14});
}

void sack(Canvas& c, const Iso& iso) {
    Pt p = iso.at(0.5f, 0.5f, 0);
    fill_ellipse(c, p.x, p.y - 8, 10, 9, paint_radial({p.x - 3, p.y - 12}, 13, {196, 170, 120}, {112, 92, 60}));
    fill_polygon(c, {{p.x - 4, p.y - 16}, {p.x + 4, p.y - 16}, {p.x + 6, p.y - 22}, {p.x - 6, p.y - 22}},
                 paint_solid({170, 146, 100}));
    fill_rect(c, static_cast<int>(p.x) - 4, static_cast<int>(p.y) - 17, 8, 2, {90, 60, 36});
    outline(c, kEdge);
}

}  // namespace

bool make_treasure_items(ItemSet& set, std::string& why) {
    ItemFlags shut, opened, loot;
    shut.passage = opened.passage = 1;
    shut.usable = 1;
    loot.takeable = 1;
    struct {
        int n;
        bool y, open;
        const ItemFlags& f;
    } chests[] = {{ITEM_CHEST_X_CLOSED, false, false, shut},
                  {ITEM_CHEST_X_OPEN, false, true, opened},
                  {ITEM_CHEST_Y_CLOSED, true, false, shut},
                  {ITEM_CHEST_Y_OPEN, true, true, opened}};
    for (const auto& ch : chests) {
        Canvas c = item_canvas();
        chest(c, item_iso(), ch.y, ch.open);
        if (!add_item(set, ch.n, c, ch.f, why)) return false;
    }
    Canvas c = item_canvas();
    sack(c, item_iso());
    if (!add_item(set, ITEM_SACK, c, ItemFlags{}, why)) return false;
    c = item_canvas();
    gold(c, item_iso());
    if (!add_item(set, ITEM_GOLD, c, loot, why)) return false;
    c = item_canvas();
    potion(c, item_iso());
    return add_item(set, ITEM_POTION, c, loot, why);
}
