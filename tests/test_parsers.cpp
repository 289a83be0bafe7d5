// The loaders' parse step on bytes held in memory, as the game parses a file
// the platform has read: a good file is taken, a bad one is refused with a
// reason and leaves what it would have replaced as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/itemsave.h"
#include "platform/files.h"
#include "sound/dsound.h"
#include "test_soundwav.h"
#include "testenv.h"
#include "text/font.h"
#include "text/glyphtables.h"
#include "tools/content/viewtables.h"
#include "video/display.h"
#include "video/picture.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/lebytes.h"
#include "world/mapfile.h"
#include "world/npc.h"
#include "world/rle.h"
#include "world/unittype.h"
#include "world/viewtables.h"

namespace {

std::vector<u8> bmp24(int w, int h, u32 colour) {
    int stride = (w * 3 + 3) & ~3;
    std::vector<u8> f(54 + (size_t)stride * h, 0);
    auto put = [&](size_t at, u32 v) { putu32(&f[at], v); };
    f[0] = 'B';
    f[1] = 'M';
    put(2, (u32)f.size());
    put(10, 54);
    put(14, 40);
    put(18, (u32)w);
    put(22, (u32)h);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            u8* p = &f[54 + (size_t)y * stride + x * 3];
            p[0] = (u8)colour;
            p[1] = (u8)(colour >> 8);
            p[2] = (u8)(colour >> 16);
        }
    return f;
}

mappart partof(const std::vector<u8>& v) { return {v.data(), v.size()}; }

} // namespace

TEST(Parsers, AMapSetIsTakenWholeOrRefusedWithItsReason) {
    starttestplatform();
    allocgrids();
    initnpc();
    static std::vector<unittyperec> types(NUMUNITTYPES); // the table points at them after the test
    for (int n = 0; n < NUMUNITTYPES; n++) unittype[n] = &types[n];
    std::vector<u8> main(2 * MAPGRIDBYTES, 0), npcs(NPCFILEBYTES, 0), header(MAPDATASIZE, 0);
    putu16(&main[2 * 77], 5);                  // land type 5 on cell 77
    putu16(&main[MAPGRIDBYTES + 2 * 78], 9);   // item 9 on cell 78
    ASSERT_EQ(parsemap(partof(main), partof(npcs), partof(header)), nullptr);
    EXPECT_EQ(landmap[77], 5);
    EXPECT_EQ(itemmap[78], 9);

    std::vector<u8> other = main;
    putu16(&other[2 * 77], 6);
    putu16(&other[2 * 100], NUMLANDTYPES); // one past the last land type
    const char* why = parsemap(partof(other), partof(npcs), partof(header));
    ASSERT_NE(why, nullptr);
    EXPECT_STRNE(why, "");
    EXPECT_EQ(landmap[77], 5) << "a refused map changed the world";
    putu16(&other[2 * 100], NUMLANDTYPES - 1);
    EXPECT_EQ(parsemap(partof(other), partof(npcs), partof(header)), nullptr);
    EXPECT_EQ(landmap[77], 6);

    // Each part at one byte off its size names its own file.
    std::vector<u8> shortmain(main.begin(), main.end() - 1), longnpcs = npcs, shortheader(MAPDATASIZE - 1, 0);
    longnpcs.push_back(0);
    EXPECT_NE(std::strstr(parsemap(partof(shortmain), partof(npcs), partof(header)), "main file"), nullptr);
    EXPECT_NE(std::strstr(parsemap(partof(main), partof(longnpcs), partof(header)), "npc file"), nullptr);
    EXPECT_NE(std::strstr(parsemap(partof(main), partof(npcs), partof(shortheader)), "header"), nullptr);
    EXPECT_EQ(landmap[77], 6);
}

// Whole runs of exactly n bytes (at least 3): runs of 255 pixels (513
// bytes), then empty runs (3 bytes) and one last run to make the length.
static std::vector<u8> wholeruns(size_t n) {
    std::vector<u8> r;
    auto run = [&](size_t count) {
        r.insert(r.end(), {0, 0, (u8)count});
        r.insert(r.end(), 2 * count, 0x11);
    };
    while (r.size() < n) {
        size_t left = n - r.size();
        if (left <= 513 && left % 2 == 1) run((left - 3) / 2);
        else if (left <= 518) run(0);
        else run(255);
    }
    return r;
}

TEST(Parsers, ItemTypesAreTakenOnlyWhenEveryPictureIsInsideTheRawBytes) {
    starttestdisplay();
    std::vector<u8> records(ITEMSFILEBYTES, 0), raw = {0, 0, 2, 0x1F, 0, 0x1F, 0};
    itemtyperec t{};
    t.isused = 1;
    t.rawdatasize = (u32)raw.size();
    t.picwidth = 4;
    t.picheight = 1;
    itemtypetofile(&t, &records[7 * ITEMTYPESIZE]);
    ASSERT_EQ(parseitemtypes(records.data(), records.size(), raw.data(), raw.size()), nullptr);
    ASSERT_NE(itemrawdataptr[7], nullptr);
    EXPECT_EQ(itemtype[7]->isloaded, 1);
    itemtyperec* taken = itemtype[7];

    // The picture one byte past the raw file's end: refused, nothing replaced.
    t.fileoffset = 1;
    itemtypetofile(&t, &records[7 * ITEMTYPESIZE]);
    EXPECT_NE(parseitemtypes(records.data(), records.size(), raw.data(), raw.size()), nullptr);
    EXPECT_EQ(itemtype[7], taken);
    // So is a records file of any other length.
    EXPECT_NE(parseitemtypes(records.data(), records.size() - 1, raw.data(), raw.size()), nullptr);
    t.fileoffset = 0; // the rest of the files good
    itemtypetofile(&t, &records[7 * ITEMTYPESIZE]);
    std::vector<u8> longer = records;
    longer.push_back(0);
    EXPECT_NE(parseitemtypes(longer.data(), longer.size(), raw.data(), raw.size()), nullptr);
    EXPECT_EQ(itemtype[7], taken);

    // Item 1's picture is made 5-6-5 like any other: 0x001F stays blue,
    // 0x03E0 (5-5-5 green) doubles. Item 0 is the empty cell and has none.
    std::vector<u8> greens = {0, 0, 1, 0xE0, 0x03};
    itemtyperec g{};
    g.isused = 1;
    g.rawdatasize = (u32)greens.size();
    std::vector<u8> two(ITEMSFILEBYTES, 0);
    itemtypetofile(&g, &two[1 * ITEMTYPESIZE]);
    ASSERT_EQ(parseitemtypes(two.data(), two.size(), greens.data(), greens.size()), nullptr);
    ASSERT_NE(itemrawdataptr[1], nullptr);
    EXPECT_EQ(getu16(itemrawdataptr[1] + 3), 0x07C0);

    // Item 0's picture is left as the file has it on loading, and saved so.
    std::vector<u8> zero(ITEMSFILEBYTES, 0);
    itemtypetofile(&g, &zero[0]);
    ASSERT_EQ(parseitemtypes(zero.data(), zero.size(), greens.data(), greens.size()), nullptr);
    std::vector<u8> savedraw, saveddat;
    std::vector<u32> offsets;
    builditemfiles(&savedraw, &saveddat, &offsets);
    EXPECT_EQ(savedraw, greens) << "item 0's picture, loaded and saved on 5-6-5";

    // A picture of the largest size, and one byte more, both whole runs.
    for (size_t size : {(size_t)ITEMPICMAX, (size_t)ITEMPICMAX + 1}) {
        std::vector<u8> pic = wholeruns(size);
        ASSERT_EQ(pic.size(), size);
        itemtyperec big{};
        big.isused = 1;
        big.rawdatasize = (u32)size;
        std::vector<u8> one(ITEMSFILEBYTES, 0);
        itemtypetofile(&big, &one[9 * ITEMTYPESIZE]);
        EXPECT_EQ(parseitemtypes(one.data(), one.size(), pic.data(), pic.size()) == nullptr, size == ITEMPICMAX) << size;
    }
}

TEST(Parsers, AUnitPictureSetAndATypeRecordAreCheckedBeforeTheyReplaceTheOldOnes) {
    starttestdisplay(555);
    // The tables are made by the first set or type taken.
    unitpicdir = nullptr;
    for (int n = 0; n < NUMUNITTYPES; n++) {
        unittype[n] = nullptr;
        unitpicloaded[n] = 0;
    }
    std::vector<u8> dir(UNITDIRSIZE, 0), raw = {0, 0, 1, 0x1F, 0};
    putu32(&dir[UNITFRAMES * 4], (u32)raw.size()); // frame 0: the whole raw file
    ASSERT_EQ(parseunitpictures(4, dir.data(), dir.size(), raw.data(), raw.size()), nullptr);
    ASSERT_EQ(unitpicloaded[4], 1);
    u8* taken = unitpicraw[4];

    putu32(&dir[UNITFRAMES * 4], (u32)raw.size() + 1); // one byte past the file
    EXPECT_NE(parseunitpictures(4, dir.data(), dir.size(), raw.data(), raw.size()), nullptr);
    EXPECT_EQ(unitpicraw[4], taken);
    EXPECT_EQ(unitpicloaded[4], 1);
    EXPECT_NE(parseunitpictures(4, dir.data(), dir.size() - 4, raw.data(), raw.size()), nullptr);
    EXPECT_NE(parseunitpictures(NUMUNITTYPES, dir.data(), dir.size(), raw.data(), raw.size()), nullptr);

    std::vector<u8> type(UNITTYPESIZE, 0);
    type[1090] = NUMUNITTYPES - 1;
    ASSERT_EQ(parseunittype(2, type.data(), type.size()), nullptr);
    EXPECT_EQ(unittype[2]->picno, NUMUNITTYPES - 1);
    type[1090] = NUMUNITTYPES; // a picture set past the last
    EXPECT_NE(parseunittype(2, type.data(), type.size()), nullptr);
    EXPECT_EQ(unittype[2]->picno, NUMUNITTYPES - 1);
    EXPECT_NE(parseunittype(2, type.data(), type.size() + 1), nullptr);
}

// Each bound of a picture set at its last value is taken and one past it
// refused, the other files being good: the set number, the directory's
// and the raw file's sizes, a frame's size, and where an empty frame may lie.
TEST(Parsers, AUnitSetsBoundsTakeTheirLastValueAndRefuseTheNext) {
    starttestdisplay(555);
    std::vector<u8> raw = {0, 0, 1, 0x1F, 0, 0, 0, 1, 0xE0, 0x03};
    auto dirof = [](std::vector<std::pair<int, std::pair<u32, u32>>> frames) {
        std::vector<u8> d(UNITDIRSIZE, 0);
        for (auto& [i, f] : frames) {
            putu32(&d[(size_t)i * 4], f.first);
            putu32(&d[(size_t)(UNITFRAMES + i) * 4], f.second);
        }
        return d;
    };
    const int lastone = unitframeindex(2, 7, 15); // the last action, facing and frame
    std::vector<u8> dir = dirof({{0, {0, 5}}, {lastone, {5, 5}}});
    auto take = [&](int set, const std::vector<u8>& d, const std::vector<u8>& r) {
        return parseunitpictures(set, d.data(), d.size(), r.data(), r.size()) == nullptr;
    };
    EXPECT_FALSE(take(-1, dir, raw));
    EXPECT_TRUE(take(0, dir, raw));
    EXPECT_FALSE(take(NUMUNITTYPES, dir, raw));
    ASSERT_TRUE(take(NUMUNITTYPES - 1, dir, raw));
    // Found at every last index, and nowhere past them.
    u32 size = 0;
    const int last = NUMUNITTYPES - 1;
    EXPECT_NE(findunitframe(last, 2, 8, 15, &size), nullptr);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(findunitframe(last, 2, 9, 15, &size), nullptr);
    EXPECT_EQ(findunitframe(last, 2, 8, 16, &size), nullptr);
    EXPECT_EQ(findunitframe(last, 3, 8, 15, &size), nullptr);
    EXPECT_EQ(findunitframe(NUMUNITTYPES, 2, 8, 15, &size), nullptr);
    EXPECT_EQ(findunitframe(-1, 2, 8, 15, &size), nullptr);
    EXPECT_NE(findunitframe(last, 0, 1, 0, &size), nullptr) << "frame 0 is there";
    EXPECT_EQ(findunitframe(last, 0, 1, 1, &size), nullptr) << "an empty frame past frame 0 is not";

    std::vector<u8> longer = dir, shorter = dir;
    longer.resize(UNITDIRSIZE + 4, 0);
    shorter.resize(UNITDIRSIZE - 4);
    EXPECT_FALSE(take(1, longer, raw));
    EXPECT_FALSE(take(1, shorter, raw));
    std::vector<u8> big = raw;
    big.resize((size_t)UNITRAWMAX, 0);
    EXPECT_TRUE(take(1, dir, big));
    big.push_back(0);
    EXPECT_FALSE(take(1, dir, big)) << "a raw file larger than every frame at its largest";

    // A frame of the largest size, and one byte more (both whole runs).
    std::vector<u8> largest = wholeruns((size_t)UNITFRAMEMAX);
    ASSERT_EQ(largest.size(), (size_t)UNITFRAMEMAX);
    ASSERT_TRUE(rleinsidedata(largest.data(), (u32)largest.size()));
    EXPECT_TRUE(take(2, dirof({{0, {0, (u32)UNITFRAMEMAX}}}), largest));
    std::vector<u8> onemore = wholeruns((size_t)UNITFRAMEMAX + 1);
    ASSERT_TRUE(rleinsidedata(onemore.data(), (u32)onemore.size()));
    EXPECT_FALSE(take(2, dirof({{0, {0, (u32)UNITFRAMEMAX + 1}}}), onemore));

    // Frame 0 is there even empty, and an empty frame may lie anywhere, past
    // the file or inside another; one byte is a frame and must fit.
    EXPECT_TRUE(take(3, dirof({{0, {(u32)raw.size() + 100, 0}}, {1, {0, 5}}}), raw));
    EXPECT_FALSE(take(3, dirof({{0, {(u32)raw.size() + 100, 1}}, {1, {0, 5}}}), raw));
    EXPECT_TRUE(take(3, dirof({{0, {0, 10}}, {1, {3, 0}}}), raw)) << "an empty frame inside another shares nothing";
    EXPECT_FALSE(take(3, dirof({{0, {0, 5}}, {1, {3, 5}}}), raw)) << "two frames sharing bytes";
    ASSERT_TRUE(take(3, dirof({{0, {0, 0}}, {1, {0, 5}}}), raw));
    EXPECT_NE(findunitframe(3, 0, 1, 0, &size), nullptr) << "an empty frame 0 is there";
    EXPECT_EQ(size, 0u);
    // A raw file of one byte is checked like any other.
    EXPECT_FALSE(take(4, dirof({{0, {0, 1}}}), {0}));

    // A type record's number, the same way.
    std::vector<u8> type(UNITTYPESIZE, 0);
    EXPECT_NE(parseunittype(-1, type.data(), type.size()), nullptr);
    EXPECT_EQ(parseunittype(0, type.data(), type.size()), nullptr);
    EXPECT_EQ(parseunittype(NUMUNITTYPES - 1, type.data(), type.size()), nullptr);
    EXPECT_NE(parseunittype(NUMUNITTYPES, type.data(), type.size()), nullptr);
    EXPECT_NE(parseunittype(0, type.data(), type.size() - 1), nullptr);
}

TEST(Parsers, TerrainIsExactlyOneTileForEveryLandType) {
    starttestdisplay();
    std::vector<u8> tiles(TERRAINBYTES, 0);
    putu16(&tiles[TILEBYTES * 3], 0x7C00); // land 3's first pixel, 5-5-5 red
    ASSERT_EQ(parseland(tiles.data(), tiles.size()), nullptr);
    EXPECT_EQ(landrawdataptr[3][0], 0xF800) << "red in 5-6-5";
    u16* taken = landrawdataptr[3];
    tiles.push_back(0);
    EXPECT_NE(parseland(tiles.data(), tiles.size()), nullptr);
    tiles.resize(TERRAINBYTES - 1);
    EXPECT_NE(parseland(tiles.data(), tiles.size()), nullptr);
    EXPECT_EQ(landrawdataptr[3], taken);
}

// Every pixel converted and every tile's overhead colour, against the
// rules written out pixel by pixel: red and blue keep their five bits, green
// doubles to six; the colour is each channel's sum over twice the pixels.
TEST(Parsers, TerrainPixelsAndOverheadColoursFollowEveryPixel) {
    std::vector<u8> file(TERRAINBYTES);
    u32 seed = 12345;
    for (u32 i = 0; i < TERRAINBYTES; i += 2) {
        seed = seed * 1103515245u + 12345u;
        putu16(&file[i], (u16)(seed >> 16 & 0x7FFF));
    }
    for (int format : {565, 555}) {
        starttestdisplay(format);
        ASSERT_EQ(parseland(file.data(), file.size()), nullptr);
        int wrong = 0;
        for (int n = 0; n < NUMLANDTYPES; n++) {
            u32 sum[3] = {0, 0, 0};
            for (int i = 0; i < TILEPIXELS; i++) {
                u16 p = getu16(&file[(size_t)(n * TILEPIXELS + i) * 2]);
                u32 r = p >> 10 & 31, g = p >> 5 & 31, b = p & 31;
                if (format == 565) g *= 2;
                u16 want = (u16)(format == 565 ? r << 11 | g << 5 | b : p);
                wrong += landrawdataptr[n][i] != want;
                sum[0] += r, sum[1] += g, sum[2] += b;
            }
            u32 r = sum[0] / 800, g = sum[1] / 800, b = sum[2] / 800;
            u16 colour = (u16)(format == 565 ? r << 11 | g << 5 | b : r << 10 | g << 5 | b);
            if (n > 0) wrong += landtype[n]->ohmapcolor != colour;
        }
        EXPECT_EQ(wrong, 0) << format;
    }
}

TEST(Parsers, ViewTablesBlameTheFileAtFaultAndKeepTheTablesInUse) {
    vsyrec lines[NUMVSY];
    vssrec squares[NUMVSS];
    makeviewtables(lines, squares);
    std::vector<u8> l(NUMVSY * 4), s(NUMVSS * 4);
    for (int i = 0; i < NUMVSY; i++) {
        l[i * 4] = lines[i].firstx;
        l[i * 4 + 1] = lines[i].numofxs;
        putu16(&l[i * 4 + 2], (u16)lines[i].firstvss);
    }
    for (int i = 0; i < NUMVSS; i++) {
        putu16(&s[i * 4], (u16)squares[i].x);
        putu16(&s[i * 4 + 2], (u16)squares[i].y);
    }
    ASSERT_EQ(parseviewtables(l.data(), l.size(), s.data(), s.size()), nullptr);
    const vssrec before = vss[100];
    const char* blamed = nullptr;
    std::vector<u8> moved = s;
    putu16(&moved[100 * 4], (u16)(squares[100].x + 1)); // off the projection's grid
    EXPECT_NE(parseviewtables(l.data(), l.size(), moved.data(), moved.size(), &blamed), nullptr);
    EXPECT_STREQ(blamed, "vsstable.dat");
    EXPECT_EQ(vss[100].x, before.x);
    std::vector<u8> counted = l;
    counted[10 * 4 + 1]++; // the lines list one square too many
    EXPECT_NE(parseviewtables(counted.data(), counted.size(), s.data(), s.size(), &blamed), nullptr);
    EXPECT_STREQ(blamed, "vsytable.dat");
    EXPECT_NE(parseviewtables(l.data(), l.size() - 1, s.data(), s.size(), &blamed), nullptr);
    EXPECT_STREQ(blamed, "vsytable.dat");
    EXPECT_NE(parseviewtables(l.data(), l.size(), s.data(), s.size() + 1, &blamed), nullptr);
    EXPECT_STREQ(blamed, "vsstable.dat");
    EXPECT_EQ(vss[100].offset, before.offset);
}

TEST(Parsers, AFontPictureMustCoverItsGlyphs) {
    starttestplatform();
    // A blank PCX of w x h, one colour, run-length packed.
    auto pcx = [](u32 w, u32 h) {
        std::vector<u8> f(128, 0);
        f[0] = 10;
        f[1] = 5;
        f[2] = 1;
        f[3] = 8;
        putu16(&f[8], (u16)(w - 1));
        putu16(&f[10], (u16)(h - 1));
        f[65] = 1;
        putu16(&f[66], (u16)w);
        for (u32 y = 0; y < h; y++)
            for (u32 left = w; left > 0;) {
                u32 run = left < 63 ? left : 63;
                f.push_back((u8)(0xC0 | run));
                f.push_back(7);
                left -= run;
            }
        f.push_back(12);
        f.resize(f.size() + 768, 0);
        return f;
    };
    const fontfile& ff = fontfiles[2];
    std::vector<u8> good = pcx(ff.picwidth, ff.height);
    ASSERT_EQ(parsefont(2, good.data(), good.size()), nullptr);
    ASSERT_NE(font[2].picture, nullptr);
    EXPECT_EQ(font[2].picture[0], 7);
    u8* taken = font[2].picture;
    std::vector<u8> low = pcx(ff.picwidth, ff.height - 1u), narrow = pcx(100, ff.height);
    EXPECT_NE(parsefont(2, low.data(), low.size()), nullptr);
    EXPECT_NE(parsefont(2, narrow.data(), narrow.size()), nullptr);
    EXPECT_NE(parsefont(2, good.data(), 100), nullptr) << "cut short";
    EXPECT_EQ(font[2].picture, taken);
}

TEST(Parsers, PicturesOfAFixedSizeAreRefusedAtAnyOther) {
    starttestdisplay();
    ddsurface* cursors = cursorsurface;
    std::vector<u8> wrong = bmp24(CURSORWIDTH, CURSORHEIGHT - 1, 0x102030);
    EXPECT_NE(parsecursorpicture(wrong.data(), wrong.size()), nullptr);
    EXPECT_EQ(cursorsurface, cursors) << "a refused picture replaced the cursors";
    std::vector<u8> right = bmp24(CURSORWIDTH, CURSORHEIGHT, 0x102030);
    EXPECT_EQ(parsecursorpicture(right.data(), right.size()), nullptr);
    EXPECT_NE(cursorsurface, cursors);

    u16* picture = nullptr;
    std::vector<u8> skin = bmp24(512, 48, 0xFF0000);
    ASSERT_EQ(unpackbmpbytes(skin.data(), skin.size(), {512, 48}, &picture), nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture[0], 0xF800) << "red in 5-6-5";
    picture = nullptr;
    const char* why = unpackbmpbytes(skin.data(), skin.size(), {512, 47}, &picture);
    ASSERT_NE(why, nullptr);
    EXPECT_STREQ(why, "512 x 48 pixels, the program needs 512 x 47");
    EXPECT_EQ(picture, nullptr);
    EXPECT_NE(unpackbmpbytes(skin.data(), 53, ANYSIZE, &picture), nullptr);
}

TEST(Parsers, ASoundIsTakenFromItsBytesAndTheFileReadIsCappedFirst) {
    starttestplatform();
    ASSERT_EQ(InitDSound(nullptr), 1u);
    bytes wav = pcmwav(1, 22050, 8, pattern(64));
    EXPECT_EQ(LoadSoundBytes(3, wav.data(), wav.size()), 1u);
    EXPECT_EQ(LoadSoundBytes(4, wav.data(), 20), 0u) << "cut inside its format";
    bytes notwave = wav;
    std::memcpy(&notwave[8], "WAVF", 4);
    EXPECT_EQ(LoadSoundBytes(4, notwave.data(), notwave.size()), 0u);
    ReleaseDSound();

    // The read step gives the reason, and never reads a file past its cap.
    std::vector<u8> out = {1, 2, 3};
    ASSERT_TRUE(plat_makedir("wave"));
    ASSERT_TRUE(writewav("wave\\big.wav", bytes(100, 9)));
    EXPECT_STREQ(plat_readfilewhy("wave\\big.wav", &out, 99), "too large");
    EXPECT_EQ(out, (std::vector<u8>{1, 2, 3})) << "a refused read touched the buffer";
    EXPECT_EQ(plat_readfilewhy("wave\\big.wav", &out, 100), nullptr);
    EXPECT_EQ(out.size(), 100u);
    EXPECT_STREQ(plat_readfilewhy("wave\\none.wav", &out, 100), "not there");
    EXPECT_STREQ(plat_readfilewhy("wave", &out, 100), "not a file");
}
