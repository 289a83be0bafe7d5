#include "tools/content/itembuild.h"

#include <algorithm>

#include "editor/encodepicture.h"
#include "world/rle.h"

namespace {

constexpr int kLargePad = 240;  // room above a large footprint for its height

void set_flags(itemtyperec& r, const ItemFlags& f) {
    r.blockssight = f.sight;
    r.blockspassage = f.passage;
    r.iswall = f.wall;
    r.passcost = f.passcost;
    r.brightness = f.brightness;
    r.animation = f.animation;
    r.surfaceheight = f.surface;
    r.takeable = f.takeable;
    r.usable = f.usable;
    r.isused = 1;
}

bool encode(ItemSet& set, int n, std::vector<u16>& raster, int pitch, int rows, encodebox box, std::string& why) {
    std::vector<u8> code;
    if (!encodepicture(raster.data(), pitch, rows, box, &code) ||
        !rlefits(code.data(), static_cast<u32>(code.size()), box.width, box.height)) {
        why = "item " + std::to_string(n) + ": picture does not encode";
        return false;
    }
    itemtyperec& r = set.rec[n];
    r.picwidth = static_cast<u8>(box.width);
    r.picheight = static_cast<u8>(box.height);
    r.rawdatasize = static_cast<u32>(code.size());
    set.pic[n] = std::move(code);
    return true;
}

bool all_empty(const std::vector<u16>& raster) {
    return std::all_of(raster.begin(), raster.end(), [](u16 p) { return p == 0; });
}

struct Section {
    int x, bottom;  // box column and the row below the box
};

// Every section box has the same height, as the item editor cuts them; this
// is the least height that still gives every pixel to some section.
int section_height(const std::vector<u16>& raster, int w, int h, const std::vector<Section>& secs) {
    int need = 20;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (raster[y * w + x] == 0) continue;
            int best = 1 << 20;
            for (const Section& s : secs)
                if (x >= s.x && x < s.x + 40 && y < s.bottom) best = std::min(best, s.bottom - y);
            need = std::max(need, best);
        }
    return need;
}

}  // namespace

Canvas large_canvas(int xs, int ys) { return canvas_make(20 * (xs + ys) + 80, 10 * (xs + ys) + kLargePad); }

Iso large_iso(int /*xs*/, int ys) {
    // The footprint's left corner lands on column 40, its front corner on
    // the bottom row.
    return {20.0f + 20.0f * static_cast<float>(ys), static_cast<float>(kLargePad)};
}

std::vector<u16> to555(const Canvas& c) {
    std::vector<u16> out(static_cast<size_t>(c.w) * c.h);
    for (size_t i = 0; i < out.size(); ++i) {
        const u8* p = &c.px[i * 3];
        if ((p[0] | p[1] | p[2]) == 0) continue;
        u16 v = static_cast<u16>((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3));
        out[i] = v ? v : 0x0421;
    }
    return out;
}

bool add_item(ItemSet& set, int n, const Canvas& pic, const ItemFlags& f, std::string& why) {
    std::vector<u16> raster = to555(pic);
    int top = pic.h, half = 0;
    const int cellx = static_cast<int>(item_iso().ox);
    for (int y = 0; y < pic.h; ++y)
        for (int x = 0; x < pic.w; ++x)
            if (raster[y * pic.w + x]) {
                top = std::min(top, y);
                half = std::max({half, cellx - x, x + 1 - (cellx + 40)});
            }
    set_flags(set.rec[n], f);
    if (top == pic.h) return true;
    // Equal margins on both sides keep the cell centred under the picture.
    encodebox box{cellx - half, top, 40 + 2 * half, pic.h - top, 0, false};
    return encode(set, n, raster, pic.w, pic.h, box, why);
}

bool add_large(ItemSet& set, int n, int xs, int ys, const Canvas& pic, const ItemFlags& f, std::string& why) {
    std::vector<u16> raster = to555(pic);
    Iso iso = large_iso(xs, ys);
    Pt front = iso.at(static_cast<float>(xs - 1), static_cast<float>(ys - 1), 0);
    int ax = static_cast<int>(front.x) - 20, ay = static_cast<int>(front.y);
    std::vector<Section> secs;
    for (int i = 0; i < ys; ++i)
        for (int j = 0; j < xs; ++j) secs.push_back({ax + 20 * (i - j), ay + 20 - 10 * (i + j)});
    int hsec = section_height(raster, pic.w, pic.h, secs);
    if (hsec > 200) {
        why = "large item " + std::to_string(n) + " is too tall to cut (" + std::to_string(hsec) + " rows)";
        return false;
    }
    for (int i = 0; i < ys; ++i)
        for (int j = 0; j < xs; ++j) {
            int m = n + i * xs + j;
            itemtyperec& r = set.rec[m];
            set_flags(r, f);
            if (i == 0 && j == 0) {
                r.largeitem = 1;
                r.xsize = static_cast<u8>(xs);
                r.ysize = static_cast<u8>(ys);
            } else {
                r.partoflargeitem = static_cast<u16>(n);
                r.xsection = static_cast<u8>(j);
                r.ysection = static_cast<u8>(i);
                r.offlimits = 1;
            }
            const Section& s = secs[i * xs + j];
            encodebox box{s.x, s.bottom - hsec, 40, hsec, 0, false};
            if (!encode(set, m, raster, pic.w, pic.h, box, why)) return false;
        }
    if (!all_empty(raster)) {
        why = "large item " + std::to_string(n) + " overhangs its footprint";
        return false;
    }
    return true;
}

void make_cycle(ItemSet& set, int n, int count) {
    for (int k = 0; k < count; ++k) set.rec[n + k].animation = static_cast<u8>(k + 1 < count ? 1 : count);
}

void item_files(const ItemSet& set, std::vector<u8>& dat, std::vector<u8>& raw) {
    dat.assign(ITEMSFILEBYTES, 0);
    raw.clear();
    for (int n = 0; n < NUMITEMTYPES; ++n) {
        itemtyperec r = set.rec[n];
        if (r.isused && !set.pic[n].empty()) {
            r.fileoffset = static_cast<u32>(raw.size());
            raw.insert(raw.end(), set.pic[n].begin(), set.pic[n].end());
        }
        itemtypetofile(&r, &dat[static_cast<size_t>(n) * ITEMTYPESIZE]);
    }
}
