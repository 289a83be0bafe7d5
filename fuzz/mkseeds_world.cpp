// Seeds for the world targets: map file sets, item and unit types with
// their pictures, the run-length code, the view tables and the terrain.
#include "fuzz/mkseeds.h"

namespace {

constexpr size_t NPCFILE = 20124, NPCREC = 156, HEADER = 128;
constexpr size_t ITEMREC = 68, UNITDIR = 3072, UNITREC = 1280;

// One run: skip, then count pixels of a 5-5-5 colour.
bytes run(uint16_t skip, uint8_t count, uint16_t colour) {
    bytes r(3 + 2 * (size_t)count);
    put16(&r, 0, skip);
    r[2] = count;
    for (size_t i = 0; i < count; i++) put16(&r, 3 + 2 * i, (uint16_t)(colour + i));
    return r;
}

// A 4 x 2 picture in the 768-pixel raster.
bytes smallpicture() {
    bytes p = run(0, 4, 0x7C1F);
    append(&p, run(764, 4, 0x03E0));
    return p;
}

// The land and item grids are given as their first cells; the target pads
// them (and the other files) with zeros unless the shape keeps them short.
struct mapset {
    uint8_t shape = 0;
    bytes npcs = bytes(NPCFILE, 0), header = bytes(HEADER, 0), land = bytes(2000, 0), items = bytes(2000, 0);
    void unit(int slot, int16_t x, int16_t y, uint32_t unitno) {
        size_t at = (size_t)slot * NPCREC;
        put32(&npcs, at, (uint32_t)(y * 256 + x));
        put16(&npcs, at + 4, (uint16_t)x);
        put16(&npcs, at + 6, (uint16_t)y);
        put32(&npcs, at + 12, unitno);
        npcs[at + 71] = 1;
    }
    bytes input() const {
        bytes v = {shape};
        append(&v, part(npcs));
        append(&v, part(header));
        append(&v, part(land));
        append(&v, items);
        return v;
    }
};

mapset demomap() {
    mapset m;
    for (size_t i = 0; i < m.land.size() / 2; i++) {
        put16(&m.land, 2 * i, (uint32_t)(i * 37 % 1280));
        put16(&m.items, 2 * i, (uint32_t)(i % 7 == 0 ? i * 13 % 4096 : 0));
    }
    m.header[0] = 20; // player 0 starts at 20, 30 facing 1
    m.header[4] = 30;
    m.header[8] = 1;
    m.unit(1, 0, 0, 3);
    m.unit(2, 0, 0, 11);
    m.unit(33, 50, 60, 2);
    m.unit(100, 255, 255, 0);
    return m;
}

bytes itemrecord(uint32_t offset, uint32_t size, uint8_t width, uint8_t height, uint16_t partof) {
    bytes r(ITEMREC, 0);
    put32(&r, 0, offset);
    put32(&r, 4, size);
    r[11] = height;
    r[12] = width;
    r[25] = 1; // used
    put16(&r, 30, partof);
    return r;
}

bytes items(uint8_t shape, const bytes& records, const bytes& raw) {
    bytes v = {shape};
    append(&v, part(records));
    append(&v, raw);
    return v;
}

bytes units(uint8_t shape, const bytes& dir, const bytes& type, const bytes& raw) {
    bytes v = {shape};
    append(&v, part(dir));
    append(&v, part(type));
    append(&v, raw);
    return v;
}

bytes unitdir(const std::vector<std::pair<uint32_t, uint32_t>>& frames) {
    bytes d(UNITDIR, 0);
    for (size_t i = 0; i < frames.size(); i++) {
        put32(&d, 4 * i, frames[i].first);
        put32(&d, 4 * (384 + i), frames[i].second);
    }
    return d;
}

bytes rle(uint8_t quarterwidth, uint8_t height, const bytes& picture) {
    bytes v = {quarterwidth, height};
    append(&v, picture);
    return v;
}

} // namespace

std::vector<seed> mapseeds() {
    mapset landpast = demomap(), itempast = demomap(), outside = demomap(), notype = demomap();
    put16(&landpast.land, 2 * 777, 1280);
    put16(&itempast.items, 2 * 777, 4096);
    outside.unit(34, 256, 3, 1);
    notype.unit(35, 4, 3, 12);
    mapset shortnpc = demomap(), emptymain = demomap(), shortmain = demomap(), offmap = demomap();
    shortnpc.npcs.resize(NPCREC * 3 + 40);
    shortnpc.shape = 1 << 2;
    emptymain.land.clear();
    emptymain.items.clear();
    emptymain.shape = 1;
    shortmain.items.resize(1000);
    shortmain.shape = 1;
    mapset longmain = demomap(), shortheader = demomap();
    longmain.shape = 2;
    shortheader.header.resize(10);
    shortheader.shape = 1 << 4;
    put32(&offmap.npcs, 36 * NPCREC, 70000);
    offmap.npcs[36 * NPCREC + 71] = 1;
    // A party of ten facing each way lays out rows or columns and wraps.
    std::vector<seed> parties;
    for (uint8_t dir : {1, 3, 5, 7}) {
        mapset party = demomap();
        party.header[8] = dir;
        for (int slot = 1; slot <= 10; slot++) party.unit(slot, 0, 0, (uint32_t)slot);
        parties.push_back({"party_facing_" + std::to_string(dir) + ".in", party.input()});
    }
    mapset empty;
    std::vector<seed> seeds = parties;
    seeds.insert(seeds.end(), {{"empty.in", empty.input()},
            {"demo.in", demomap().input()},
            {"bad_land_past_last.in", landpast.input()},
            {"bad_item_past_last.in", itempast.input()},
            {"bad_unit_outside.in", outside.input()},
            {"bad_unit_no_type.in", notype.input()},
            {"bad_unit_mapoff.in", offmap.input()},
            {"short_npc.in", shortnpc.input()},
            {"short_main.in", shortmain.input()},
            {"empty_main.in", emptymain.input()},
            {"long_main.in", longmain.input()},
            {"short_header.in", shortheader.input()}});
    return seeds;
}

std::vector<seed> itemseeds() {
    bytes pic = smallpicture();
    bytes raw = pic;
    append(&raw, pic);
    bytes good = bytes(ITEMREC, 0);
    append(&good, itemrecord(0, (uint32_t)pic.size(), 4, 2, 0));
    append(&good, itemrecord((uint32_t)pic.size(), (uint32_t)pic.size(), 8, 3, 1));
    append(&good, itemrecord(0, 0, 0, 0, 2));
    bytes past = bytes(ITEMREC, 0), box = past, partof = past, far = past, cut = past;
    append(&past, itemrecord(4, (uint32_t)pic.size() * 2, 4, 2, 0));
    append(&box, itemrecord(0, (uint32_t)pic.size(), 3, 2, 0));
    append(&partof, itemrecord(0, 0, 0, 0, 4096));
    // A picture nudged far past its box: runs on rows 85 and 170, the second
    // over the raster's row end.
    bytes farpic = run(0xFFFF, 200, 0x7FFF);
    append(&farpic, run(0xFFFF, 250, 0x4210));
    append(&far, itemrecord(0, (uint32_t)farpic.size(), 4, 2, 0));
    bytes shortrun = run(0, 4, 0x7C1F);
    shortrun.pop_back();
    append(&cut, itemrecord(0, (uint32_t)shortrun.size(), 4, 2, 0));
    return {{"two_pictures.in", items(0, good, raw)},
            {"pictures_555.in", items(0x80, good, raw)},
            {"no_pictures.in", items(0, bytes(), bytes())},
            {"bad_past_raw.in", items(0, past, raw)},
            {"outside_box.in", items(0, box, raw)},
            {"far_outside_box.in", items(0, far, farpic)},
            {"bad_run_past_data.in", items(0, cut, shortrun)},
            {"bad_part_of_none.in", items(0, partof, raw)},
            {"bad_dat_short.in", items(1, good, raw)},
            {"bad_dat_long.in", items(2, good, raw)}};
}

std::vector<seed> unitseeds() {
    bytes pic = smallpicture();
    uint32_t n = (uint32_t)pic.size();
    bytes raw = pic;
    append(&raw, pic);
    bytes type(UNITREC, 0);
    type[1090] = 0; // picture set 0
    bytes badtype = type;
    badtype[1090] = 12;
    bytes wide = run(0, 81, 0x1234);
    bytes nudged = run(0xFD0A, 2, 0x7C00);
    std::vector<std::pair<uint32_t, uint32_t>> frames = {{0, n}, {n, n}, {0, 0}, {0, n}};
    return {{"two_frames.in", units(0, unitdir({{0, n}, {n, n}}), type, raw)},
            {"frames_555.in", units(0x80, unitdir({{0, n}, {n, n}}), type, raw)},
            {"no_pictures.in", units(0, unitdir({}), type, bytes())},
            {"shared_frames.in", units(0, unitdir(frames), type, raw)},
            {"bad_frame_past_raw.in", units(0, unitdir({{0, n}, {n, n + 1}}), type, raw)},
            // Runs outside the 80 x 120 box load (drawing clips them): a wide
            // run, and a frame nudged up a row past its top.
            {"frame_outside_box.in", units(0, unitdir({{0, (uint32_t)wide.size()}}), type, wide)},
            {"frame_nudged_up.in", units(0, unitdir({{0, (uint32_t)nudged.size()}}), type, nudged)},
            {"bad_picture_set.in", units(0, unitdir({{0, n}}), badtype, raw)},
            {"bad_dir_short.in", units(1, bytes(100, 0), type, raw)},
            {"bad_type_short.in", units(1 << 2, unitdir({{0, n}}), bytes(1000, 0), raw)}};
}

std::vector<seed> rleseeds() {
    bytes cut = smallpicture();
    cut.pop_back();
    bytes tail = smallpicture();
    tail.push_back(1);
    tail.push_back(0);
    return {{"small.in", rle(1, 2, smallpicture())},
            {"empty.in", rle(0, 0, bytes())},
            {"bad_too_wide.in", rle(0, 2, smallpicture())},
            {"bad_too_high.in", rle(1, 1, smallpicture())},
            {"bad_one_past.in", rle(1, 2, run(2, 3, 0x1111))},
            {"bad_cut.in", rle(1, 2, cut)},
            {"bad_tail.in", rle(1, 2, tail)},
            {"far_skip.in", rle(255, 255, run(65535, 200, 0x7FFF))},
            // Found by fuzzing: a box 820 wide, wider than the pitch, whose
            // last run wrapped past its last row.
            {"found_wider_than_pitch.in", {0xCD, 0x7C, 0xFF, 0x74, 0x04, 0x00, 0xC0, 0x60, 0x00, 0x00, 0xFC, 0x03, 0xFC,
                                           0xFC, 0xFE, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00}}};
}

std::vector<seed> viewtableseeds(const std::filesystem::path& datadir) {
    bytes lines = datafile(datadir, "data/vsytable.dat"), squares = datafile(datadir, "data/vsstable.dat");
    auto tables = [](uint8_t shape, const bytes& l, const bytes& s) {
        bytes v = {shape};
        append(&v, part(l));
        append(&v, s);
        return v;
    };
    bytes morecols = lines, offgrid = squares, offscreen = squares;
    morecols[20 * 4 + 1]++;
    put16(&offgrid, 500 * 4, (uint32_t)(offgrid[500 * 4] | offgrid[500 * 4 + 1] << 8) + 1);
    put16(&offscreen, 7 * 4 + 2, 700);
    return {{"generated.in", tables(0, lines, squares)},
            {"bad_line_count.in", tables(0, morecols, squares)},
            {"bad_off_grid.in", tables(0, lines, offgrid)},
            {"bad_off_screen.in", tables(0, lines, offscreen)},
            {"bad_lines_short.in", tables(1, bytes(lines.begin(), lines.begin() + 100), squares)},
            {"bad_squares_long.in", tables(2 << 2, lines, squares)}};
}

std::vector<seed> landseeds() {
    bytes tiles(4000);
    for (size_t i = 0; i < tiles.size(); i++) tiles[i] = (uint8_t)(i * 7);
    auto land = [&](uint8_t shape, size_t n) {
        bytes v = {shape};
        v.insert(v.end(), tiles.begin(), tiles.begin() + (long)n);
        return v;
    };
    return {{"tiles_565.in", land(0, 4000)},
            {"tiles_555.in", land(0x80, 800)},
            {"bad_short.in", land(1, 4000)},
            {"bad_long.in", land(2, 16)}};
}
