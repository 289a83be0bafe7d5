#include "tools/content/itemsources.h"

#include "tools/content/bmpwrite.h"
#include "tools/content/fileout.h"
#include "tools/content/itemdraw.h"

namespace {

constexpr Rgb kEdge = {26, 22, 18};

// The editor draws a bitmap at screen row 1 and cuts boxes from row 0, so
// the cell's floor sits one row higher in the file than in the picture:
// its centre row is h - 11 and the file's last row is never taken.
Iso single_iso(int h) { return {0.0f, static_cast<float>(h - 21)}; }
// A 2 x 2 footprint whose front cell is the grid's first cell as the
// editor places it (x = w / 2 - 20, y = h - 20).
Iso square_iso(int h) { return {20.0f, static_cast<float>(h - 41)}; }

void crate(Canvas& c) {
    Iso iso = single_iso(c.h);
    Faces wood = faces_of({150, 106, 60});
    iso_box(c, iso, 0.18f, 0.18f, 0.82f, 0.82f, 0, 16, wood, 0.1f, 5);
    Pt a = iso.at(0.18f, 0.82f, 8), b = iso.at(0.82f, 0.82f, 8), d = iso.at(0.82f, 0.18f, 8);
    draw_line(c, static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x), static_cast<int>(b.y),
              {96, 64, 34});
    draw_line(c, static_cast<int>(b.x), static_cast<int>(b.y), static_cast<int>(d.x), static_cast<int>(d.y),
              {96, 64, 34});
    outline(c, kEdge);
}

void lamppost(Canvas& c) {
    Iso iso = single_iso(c.h);
    iso_cylinder(c, iso, 0.5f, 0.5f, 0.07f, 0, 16, faces_of({70, 70, 78}), 3);
    iso_box(c, iso, 0.36f, 0.36f, 0.64f, 0.64f, 16, 22, faces_of({230, 200, 90}), 0.05f, 4);
    iso_box(c, iso, 0.32f, 0.32f, 0.68f, 0.68f, 22, 24, faces_of({60, 60, 66}), 0.0f, 6);
    outline(c, kEdge);
}

void tower(Canvas& c) {
    Iso iso = square_iso(c.h);
    Faces stone = faces_of({150, 146, 136});
    iso_box(c, iso, 0.2f, 0.2f, 1.8f, 1.8f, 0, 84, stone, 0.08f, 9);
    iso_courses(c, iso, 0.2f, 0.2f, 1.8f, 1.8f, 0, 84, 8, 0.4f, {120, 116, 108});
    // Battlements: four merlons along each visible edge.
    for (int k = 0; k < 4; ++k) {
        float s = 0.2f + 0.4f * static_cast<float>(k);
        iso_box(c, iso, s, 1.6f, s + 0.2f, 1.8f, 84, 92, stone, 0.08f, 10 + k);
        iso_box(c, iso, 1.6f, s, 1.8f, s + 0.2f, 84, 92, stone, 0.08f, 20 + k);
    }
    Pt door = iso.at(1.0f, 1.8f, 0);
    fill_rect(c, static_cast<int>(door.x) - 12, static_cast<int>(door.y) - 26, 8, 18, {60, 40, 24});
    outline(c, kEdge);
}

// Dark colours would truncate to black in 16 bits and vanish when cut.
void keep_visible(Canvas& c) {
    for (size_t i = 0; i < c.px.size(); i += 3) {
        u8* p = &c.px[i];
        if ((p[0] | p[1] | p[2]) != 0 && p[0] < 8 && p[1] < 8 && p[2] < 8) p[0] = p[1] = p[2] = 8;
    }
}

}  // namespace

const std::vector<ItemSource>& item_sources() {
    static const std::vector<ItemSource> list = {
        {"items/crate.bmp", 40, 36}, {"items/lamppost.bmp", 40, 41}, {"items/tower.bmp", 80, 140}};
    return list;
}

Canvas item_source_picture(const ItemSource& s) {
    Canvas c = canvas_make(s.w, s.h);
    if (s.h <= 36) crate(c);
    else if (s.w == 40) lamppost(c);
    else tower(c);
    keep_visible(c);
    // The row the cut never reaches stays empty.
    fill_rect(c, 0, s.h - 1, s.w, 1, {0, 0, 0});
    return c;
}

bool gen_itemsources(const GenContext& ctx, std::string& why) {
    for (const ItemSource& s : item_sources()) {
        Canvas c = item_source_picture(s);
        if (!write_bytes(data_path(ctx, s.rel), bmp_encode24(c.w, c.h, c.px.data()), why)) return false;
    }
    return true;
}
