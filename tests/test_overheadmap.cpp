// The overhead map: the miniature's blocks and their order, the darkened
// and kept picture under it, scrolling at the screen's border and its
// limits, the keys and buttons that close it, the blocks cut at the window's
// edges at every extreme of the view, and the screen's loop as a player
// drives it.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/windowproc.h"
#include "editor/encodepicture.h"
#include "game/missile.h"
#include "game/missionstate.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/scriptplayer.h"
#include "testenv.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/ohmapcanvas.h"
#include "view/ohmapdraw.h"
#include "view/overheadmap.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/rle.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static std::vector<itemtyperec> ohitems(NUMITEMTYPES);
static std::vector<landtyperec> ohland(NUMLANDTYPES);
static std::vector<u16> ohtile(TILEPIXELS);
static std::vector<unittyperec> ohunits(NUMUNITTYPES);

constexpr u16 BACKDROP = 0x4208; // what the window shows before the map opens
constexpr u16 GUARD = 0xABCD;    // the guard bands, which nothing may touch

// Land 3, a plain item 10, a wall item 11, land 4 and item 12 without an
// overhead colour, and land 5 with a tile picture for the map view.
constexpr u16 LANDCOLOUR = 0x0101, ITEMCOLOUR = 0x0202, WALLCOLOUR = 0x0303;
constexpr u16 TILECOLOUR = 0x7BEF;

static void fillvs(u16 outside, u16 window) {
    lockvs();
    u16* all = (u16*)vsptr;
    for (u32 i = 0; i < VSBYTES / 2; i++) all[i] = outside;
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++) *vspixel(x, y) = window;
    unlockvs();
}

static u16 px(i32 x, i32 y) {
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

// A headless display with the view tables, empty grids, every item and land
// type without a colour but the few above, no units, the view on (100, 100).
static void startoverhead(int format = 565) {
    starttestdisplay(format);
    allocgrids();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    for (int i = 0; i < NUMITEMTYPES; i++) {
        ohitems[i] = itemtyperec{};
        itemtype[i] = &ohitems[i];
        itemrawdataptr[i] = nullptr;
    }
    for (int i = 0; i < NUMLANDTYPES; i++) {
        ohland[i] = landtyperec{};
        landtype[i] = &ohland[i];
        landrawdataptr[i] = nullptr;
    }
    ohland[3].ohmapcolor = LANDCOLOUR;
    ohitems[10].ohmapcolor = ITEMCOLOUR;
    ohitems[11].ohmapcolor = WALLCOLOUR;
    ohitems[11].iswall = 1;
    ohitems[12].iswall = 1;
    ohtile.assign(TILEPIXELS, TILECOLOUR);
    landrawdataptr[5] = ohtile.data();
    for (int i = 0; i < NUMUNITTYPES; i++) {
        ohunits[i] = unittyperec{};
        ohunits[i].healthmax = 40;
        ohunits[i].picno = 3; // no pictures: the view draws no units
        unittype[i] = &ohunits[i];
    }
    initnpc();
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    lighting = 0;
    viewfrozen = 0;
    fullview = 0;
    cursortint = 0;
    cursoroff = 0xFFFFFFFF;
    computerthinking = 0;
    curnpc = 1;
    scx = scy = 100;
    mousex = 320, mousey = 240;
    plat_setcursorpos(320, 240);
    lbuttondown = rbuttondown = 0;
    fillvs(GUARD, BACKDROP);
}

static int unitat(int player, i32 x, i32 y) {
    int s = createnpc(0, x, y, player);
    EXPECT_GT(s, 0);
    npc[s]->state = NPC_IDLE;
    npcmap[cellof(x, y)] = (u16)s;
    return s;
}

// Column col and col + 1 of rows top..bottom all show colour.
static void expectblock(i32 col, i32 top, i32 bottom, u16 colour, const char* what) {
    for (i32 r = top; r <= bottom; r++)
        for (i32 c = col; c <= col + 1; c++)
            EXPECT_EQ(px(c, r), colour) << what << " at (" << c << ", " << r << ")";
}

TEST(OverheadMap, CellsBecomeBlocksOfTheirLandItemOrOwnersColour) {
    startoverhead();
    players[1].playercolour = 0x0505;
    players[2].playercolour = 0x0606;
    // The centre cell's land lies at column 320, rows 240..241.
    landmap[cellof(100, 100)] = 3;
    // East of the centre on the map is down and right on the screen; south is
    // down and left.
    landmap[cellof(110, 100)] = 3;
    landmap[cellof(100, 110)] = 3;
    // A plain item covers its land; a wall stands two rows taller.
    landmap[cellof(102, 100)] = 3;
    itemmap[cellof(102, 100)] = 10;
    itemmap[cellof(100, 104)] = 11;
    // A unit is a bar of its player's colour over whatever is beneath.
    itemmap[cellof(105, 100)] = 11;
    int red = unitat(1, 105, 100);
    unitat(2, 100, 106);
    // Without an overhead colour the darkened view shows through.
    landmap[cellof(90, 100)] = 4;
    landmap[cellof(100, 90)] = 3;
    itemmap[cellof(100, 90)] = 12;
    drawminiature();

    expectblock(320, 240, 241, LANDCOLOUR, "centre land");
    EXPECT_EQ(px(320, 239), BACKDROP);
    EXPECT_EQ(px(320, 242), BACKDROP);
    EXPECT_EQ(px(319, 241), BACKDROP);
    EXPECT_EQ(px(322, 241), BACKDROP);
    expectblock(340, 250, 251, LANDCOLOUR, "land ten cells east");
    expectblock(300, 250, 251, LANDCOLOUR, "land ten cells south");
    expectblock(324, 242, 243, ITEMCOLOUR, "plain item over land");
    EXPECT_EQ(px(324, 241), BACKDROP) << "a plain item is two rows tall";
    expectblock(312, 242, 245, WALLCOLOUR, "wall");
    EXPECT_EQ(px(312, 241), BACKDROP) << "a wall is four rows tall";
    expectblock(330, 243, 246, 0x0505, "player 1's unit over a wall");
    expectblock(308, 244, 247, 0x0606, "player 2's unit on bare ground");
    EXPECT_EQ(px(308, 243), BACKDROP);
    expectblock(300, 230, 231, BACKDROP, "land without a colour");
    expectblock(340, 230, 231, LANDCOLOUR, "an item without a colour leaves its land");
    EXPECT_EQ(px(340, 229), BACKDROP) << "even when it is a wall";

    // The colour is the player's the unit belongs to, whatever its slot.
    npc[red]->player = 3;
    players[3].playercolour = 0x0707;
    drawminiature();
    expectblock(330, 243, 246, 0x0707, "unit given to player 3");
}

TEST(OverheadMap, CellsFurtherDownTheMapLieInFront) {
    startoverhead();
    // A wall's top half covers the cell up the screen from it (one step back
    // on both axes), and is drawn after it.
    landmap[cellof(99, 99)] = 3;
    itemmap[cellof(100, 100)] = 11;
    // The cell down the screen is drawn after the wall and covers its foot.
    landmap[cellof(101, 101)] = 3;
    drawminiature();
    expectblock(320, 238, 239, WALLCOLOUR, "wall over the land behind it");
    expectblock(320, 240, 241, WALLCOLOUR, "the wall's own cell");
    expectblock(320, 242, 243, LANDCOLOUR, "land in front");
    // A unit behind a wall: the wall of the next cell down covers its foot.
    std::memset(itemmap, 0, MAPCELLS * 2);
    std::memset(landmap, 0, MAPCELLS * 2);
    fillvs(GUARD, BACKDROP);
    unitat(1, 100, 100);
    itemmap[cellof(101, 101)] = 11;
    players[1].playercolour = 0x0505;
    drawminiature();
    expectblock(320, 238, 239, 0x0505, "the unit's head");
    expectblock(320, 240, 243, WALLCOLOUR, "the wall in front");
}

// The expected darkening, field by field, for each layout.
static u16 darkened(u16 v, int format, int shift) {
    if (format == 565)
        return (u16)(((v >> 11) >> shift) << 11 | (((v >> 5) & 63) >> shift) << 5 | ((v & 31) >> shift));
    return (u16)((((v >> 10) & 31) >> shift) << 10 | (((v >> 5) & 31) >> shift) << 5 | ((v & 31) >> shift));
}

TEST(OverheadMap, DarkeningShiftsEveryColourFieldOfTheWindowOnly) {
    for (int format : {565, 555}) {
        for (int shift : {3, 1}) {
            startoverhead(format);
            lockvs();
            for (i32 y = 0; y < 480; y++)
                for (i32 x = 0; x < 640; x++) *vspixel(x, y) = (u16)(y * 640 + x);
            unlockvs();
            darkenwindow(shift);
            int wrong = 0;
            for (i32 y = 0; y < 480; y++)
                for (i32 x = 0; x < 640; x++) {
                    u16 v = (u16)(y * 640 + x);
                    if (px(x, y) != darkened(v, format, shift) && wrong++ < 5)
                        ADD_FAILURE() << format << " shift " << shift << ": " << std::hex << v << " became " << px(x, y);
                }
            EXPECT_EQ(px(0, 0), 0);
            if (format == 565 && shift == 3) {
                lockvs();
                *vspixel(7, 7) = 0xFFFF;
                unlockvs();
                darkenwindow(3);
                EXPECT_EQ(px(7, 7), 0x18E3) << "white is (3, 7, 3)";
            }
            for (auto [x, y] : {std::pair{-1, 0}, {640, 0}, {0, -1}, {0, 480}, {639, 480}, {-1, 479}})
                EXPECT_EQ(px(x, y), GUARD) << x << ", " << y;
        }
    }
}

TEST(OverheadMap, TheWindowIsKeptAndPutBackRowByRow) {
    startoverhead();
    lockvs();
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++) *vspixel(x, y) = (u16)(y * 7 + x * 3 + 1);
    unlockvs();
    std::vector<u16> kept(640 * 480 + 1, 0x5555);
    savewindow(kept.data());
    EXPECT_EQ(kept[0], 1);
    EXPECT_EQ(kept[639], 639 * 3 + 1);
    EXPECT_EQ(kept[640], 8) << "rows follow each other at 640 pixels";
    EXPECT_EQ(kept[479 * 640 + 639], (u16)(479 * 7 + 639 * 3 + 1));
    EXPECT_EQ(kept[640 * 480], 0x5555) << "nothing past the buffer";
    fillvs(GUARD, 0);
    restorewindow(kept.data());
    int wrong = 0;
    for (i32 y = 0; y < 480; y++)
        for (i32 x = 0; x < 640; x++)
            if (px(x, y) != (u16)(y * 7 + x * 3 + 1)) wrong++;
    EXPECT_EQ(wrong, 0);
    for (auto [x, y] : {std::pair{-1, 0}, {640, 0}, {0, -1}, {0, 480}, {640, 479}}) EXPECT_EQ(px(x, y), GUARD);
}

// ---- scrolling ------------------------------------------------------------

TEST(OverheadMap, TheMouseOnTheBorderScrollsByOneCell) {
    startoverhead();
    struct row {
        i32 mx, my, dx, dy;
    } rows[] = {
        {0, 240, -1, 1},  {0, 0, -1, 0},    {0, 479, 0, 1},     {639, 240, 1, -1}, {639, 0, 0, -1},
        {639, 479, 1, 0}, {320, 0, -1, -1}, {320, 479, 1, 1},   {320, 240, 0, 0},  {1, 1, 0, 0},
        {638, 478, 0, 0}, {-5, 240, -1, 1}, {700, 240, 1, -1}, {320, -3, -1, -1}, {320, 600, 1, 1},
    };
    for (const row& r : rows) {
        scx = scy = 100;
        mousex = r.mx, mousey = r.my;
        bool moved = overheadscroll();
        EXPECT_EQ(scx, 100 + r.dx) << r.mx << ", " << r.my;
        EXPECT_EQ(scy, 100 + r.dy) << r.mx << ", " << r.my;
        EXPECT_EQ(moved, r.dx || r.dy) << r.mx << ", " << r.my;
    }
    // The right button does not hold the view here.
    rbuttondown = 1;
    scx = scy = 100;
    mousex = 0, mousey = 240;
    EXPECT_TRUE(overheadscroll());
    EXPECT_EQ(scx, 99);
}

TEST(OverheadMap, ScrollingStopsAtTheViewsLimits) {
    startoverhead();
    auto hold = [](i32 mx, i32 my, int frames) {
        mousex = mx, mousey = my;
        for (int i = 0; i < frames; i++) overheadscroll();
    };
    hold(320, 479, 400);
    EXPECT_EQ(scx, 230);
    EXPECT_EQ(scy, 203);
    mousex = 320, mousey = 479;
    EXPECT_FALSE(overheadscroll()) << "held at the limit nothing moves";
    hold(320, 0, 400);
    EXPECT_EQ(scx, 20);
    EXPECT_EQ(scy, 20);
    // Along one limit the other axis still moves.
    scx = 20, scy = 100;
    hold(0, 240, 1);
    EXPECT_EQ(scx, 20);
    EXPECT_EQ(scy, 101);
    // A view that stands outside the limits (the unit it followed is near the
    // map's edge) is brought in at the first frame, even with the mouse still.
    scx = 240, scy = 5;
    mousex = 320, mousey = 240;
    EXPECT_TRUE(overheadscroll());
    EXPECT_EQ(scx, 230);
    EXPECT_EQ(scy, 20);
    scx = 19, scy = 204;
    overheadscroll();
    EXPECT_EQ(scx, 20);
    EXPECT_EQ(scy, 203);
}

// ---- closing ----------------------------------------------------------------

TEST(OverheadMap, EnterEscapeAndEitherButtonCloseItNothingElseDoes) {
    startoverhead();
    struct row {
        u32 message, wparam;
        bool closes;
    } rows[] = {
        {WM_KEYDOWN, VK_RETURN, true}, {WM_KEYDOWN, VK_ESCAPE, true}, {WM_LBUTTONDOWN, 1, true},
        {WM_RBUTTONDOWN, 2, true},     {WM_KEYUP, VK_ESCAPE, false},  {WM_KEYUP, VK_RETURN, false},
        {WM_KEYDOWN, VK_SPACE, false}, {WM_KEYDOWN, 'M', false},      {WM_KEYDOWN, VK_F11, false},
        {WM_LBUTTONUP, 0, false},      {WM_RBUTTONUP, 0, false},      {WM_MOUSEMOVE, 0, false},
        {WM_CHAR, VK_RETURN, false},   {WM_CHAR, VK_ESCAPE, false},
    };
    for (const row& r : rows) {
        boxresult = 255;
        overheadinput(r.message, r.wparam, 0);
        EXPECT_EQ(boxresult, r.closes ? 1 : 255) << std::hex << r.message << " " << r.wparam;
    }
    // The window procedure hands the screen's messages to it.
    gamestate = GS_OVERHEADMAP;
    boxresult = 255;
    windowproc(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    windowproc(WM_RBUTTONDOWN, 2, 0);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    gamestate = GS_OPTIONS;
    windowproc(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(boxresult, 255) << "another screen's Enter is not the map's";
    gamestate = 0;
}

// ---- the blocks are cut at the window's edges ----------------------------------

// Every cell of the map with land, a wall and a unit: each cell is a bar
// four rows tall, the most a cell ever draws.
static void fillmap() {
    for (i32 off = 0; off < MAPCELLS; off++) {
        landmap[off] = 3;
        itemmap[off] = (off % 3) ? 11 : 10;
    }
    for (int p = 0; p < NUMPLAYERS; p++)
        for (int k = 0; k < 8; k++) unitat(p, 3 + p * 60 + k * 7, 250 - k * 31);
    unitat(0, 0, 0);
    unitat(1, 255, 255);
    unitat(2, 255, 0);
    unitat(3, 0, 255);
}

// The miniature as written, on a canvas with room for every cell: what the
// window must show where a block lies inside it.
struct canvas {
    static constexpr i32 L = 1400, T = 800, W = 3400, H = 1800;
    std::vector<u16> pix = std::vector<u16>((size_t)W * H, BACKDROP);
    void put(i32 c, i32 r, u16 v) { pix[(size_t)(r + T) * W + (c + L)] = v; }
    u16 at(i32 c, i32 r) const { return pix[(size_t)(r + T) * W + (c + L)]; }
};

static void reference(canvas& cv) {
    for (i32 off = 0; off < MAPCELLS; off++) {
        i32 x = off % 256, y = off / 256;
        i32 c = 320 + 2 * (x - scx) - 2 * (y - scy), r = 241 + (x - scx) + (y - scy);
        auto bar = [&](int rows, u16 v) {
            for (int k = 0; k < rows; k++) cv.put(c, r - k, v), cv.put(c + 1, r - k, v);
        };
        if (landmap[off] && landtype[landmap[off]]->ohmapcolor) bar(2, landtype[landmap[off]]->ohmapcolor);
        const itemtyperec* t = itemmap[off] ? itemtype[itemmap[off]] : nullptr;
        if (t && t->ohmapcolor) bar(t->iswall ? 4 : 2, t->ohmapcolor);
        if (u16 s = npcmap[off]) bar(4, players[npc[s]->player].playercolour);
    }
}

TEST(OverheadMap, AtEveryExtremeOfTheViewOnlyTheWindowIsDrawnAndItShowsTheBlocksAsWritten) {
    startoverhead();
    fillmap();
    struct pos {
        i32 x, y;
    } positions[] = {{20, 20}, {230, 20}, {20, 203}, {230, 203}, {125, 111}, {20, 111}, {230, 111}, {125, 203}};
    for (const pos& p : positions) {
        scx = p.x, scy = p.y;
        fillvs(GUARD, BACKDROP);
        drawminiature();
        lockvs();
        const u16* all = (const u16*)vsptr;
        int outside = 0;
        for (u32 i = 0; i < VSBYTES / 2; i++) {
            i32 row = (i32)(i / VSPITCH) - VSTOP, col = (i32)(i % VSPITCH) - VSLEFT;
            bool inwindow = row >= 0 && row < 480 && col >= 0 && col < 640;
            if (!inwindow && all[i] != GUARD) outside++;
        }
        unlockvs();
        EXPECT_EQ(outside, 0) << "pixels written outside the window at view " << p.x << ", " << p.y;
        canvas cv;
        reference(cv);
        int differ = 0;
        for (i32 r = 0; r < 480; r++)
            for (i32 c = 0; c < 640; c++)
                if (px(c, r) != cv.at(c, r) && differ++ < 3)
                    ADD_FAILURE() << "view " << p.x << ", " << p.y << ": (" << c << ", " << r << ") is " << std::hex
                                  << px(c, r) << " not " << cv.at(c, r);
        EXPECT_EQ(differ, 0);
    }
}

// A frame that scrolls draws the map view only where the miniature leaves
// it showing; the window must come out as if the view had been drawn whole,
// darkened, and the blocks put over it cell by cell.
TEST(OverheadMap, AScrolledFrameIsAsIfTheWholeViewWereDrawnUnderTheBlocks) {
    startoverhead();
    gamestate = GS_OVERHEADMAP;
    // Coloured land in a checker of 24 x 24 patches, tile pictures without a
    // colour between them, and tall pictures with holes standing on both.
    std::vector<u16> raster(RLEPITCH * 256, 0);
    for (int y = 0; y < 90; y++)
        for (int x = 0; x < 60; x++) raster[y * RLEPITCH + x] = (x + y) % 7 ? (u16)(x * 977 + y * 131 + 1) : 0;
    std::vector<u8> runs;
    ASSERT_TRUE(encodepicture(raster.data(), RLEPITCH, 256, {0, 0, 60, 90, 0, false}, &runs));
    for (int i : {10, 12}) {
        ohitems[i].isused = ohitems[i].isloaded = 1;
        ohitems[i].picwidth = 60, ohitems[i].picheight = 90;
        ohitems[i].rawdatasize = (u32)runs.size();
        itemrawdataptr[i] = runs.data();
    }
    for (i32 off = 0; off < MAPCELLS; off++) {
        i32 x = off % 256, y = off / 256;
        landmap[off] = (x / 24 + y / 24) % 2 ? 3 : 5;
        itemmap[off] = off % 13 == 0 ? 10 : off % 17 == 0 ? 12 : 0;
    }
    for (int p = 0; p < NUMPLAYERS; p++) unitat(p, 96 + p * 3, 104 - p);
    std::vector<u16> colouredtile(TILEPIXELS);
    for (size_t i = 0; i < colouredtile.size(); i++) colouredtile[i] = (u16)(i * 40503u + 7);
    landrawdataptr[3] = colouredtile.data();
    std::vector<u16> drawn(640 * 480);
    int covered = 0;
    for (auto start : {std::pair<i32, i32>{100, 100}, {21, 60}, {229, 202}, {60, 21}}) {
        scx = start.first, scy = start.second;
        fillvs(GUARD, BACKDROP);
        overheadopen();
        mousex = 0, mousey = 240;
        overheadstep();
        for (i32 y = 0; y < 480; y++) {
            i32 a, b;
            miniaturecovers(y, &a, &b);
            covered += b - a;
            for (i32 x = 0; x < 640; x++) drawn[y * 640 + x] = px(x, y);
        }
        // The same frame the plain way.
        fillvs(GUARD, BACKDROP);
        clearvs();
        drawmapview();
        darkenwindow(3);
        canvas cv;
        constexpr u16 NONE = 0xF00D;
        std::fill(cv.pix.begin(), cv.pix.end(), NONE);
        reference(cv);
        int differ = 0;
        for (i32 y = 0; y < 480; y++)
            for (i32 x = 0; x < 640; x++) {
                u16 w = cv.at(x, y) != NONE ? cv.at(x, y) : px(x, y);
                if (drawn[y * 640 + x] != w && differ++ < 3)
                    ADD_FAILURE() << "view " << scx << ", " << scy << ": (" << x << ", " << y << ") is " << std::hex
                                  << drawn[y * 640 + x] << " not " << w;
            }
        EXPECT_EQ(differ, 0);
        // Standing still, the kept picture and the blocks give the same.
        mousex = 320, mousey = 240;
        fillvs(GUARD, 0x1234);
        overheadstep();
        differ = 0;
        for (i32 y = 0; y < 480; y++)
            for (i32 x = 0; x < 640; x++) differ += px(x, y) != drawn[y * 640 + x];
        EXPECT_EQ(differ, 0) << "a still frame at " << scx << ", " << scy;
        overheadclose();
    }
    EXPECT_GT(covered, 4 * 480 * 10) << "the miniature's runs must leave out some of the view on most rows";
    itemrawdataptr[10] = itemrawdataptr[12] = nullptr;
    landrawdataptr[3] = nullptr;
}

TEST(OverheadMap, AUnitOfNoPlayerOrASlotPastTheTableDrawsNothing) {
    startoverhead();
    int s = unitat(1, 100, 100);
    npc[s]->player = 200; // a map file may say anything
    npcmap[cellof(102, 100)] = 999;
    drawminiature();
    expectblock(320, 238, 241, BACKDROP, "unit of no player");
    expectblock(324, 240, 243, BACKDROP, "slot past the table");
}

// ---- the screen ---------------------------------------------------------------

// One frame of the screen without presenting: the kept picture comes back
// under the miniature; the view is drawn again only when it moved.
TEST(OverheadMap, TheKeptPictureIsRedrawnOnlyWhenTheViewMoves) {
    startoverhead();
    gamestate = GS_OVERHEADMAP;
    for (i32 off = 0; off < MAPCELLS; off++) landmap[off] = 5; // a tile picture, no overhead colour
    landmap[cellof(100, 100)] = 3;
    u32 memory = memoryused;
    overheadopen();
    EXPECT_EQ(memoryused, memory + 614400) << "the kept picture is counted";
    u16 dim = darkened(BACKDROP, 565, 3);
    mousex = 320, mousey = 240;
    overheadstep();
    EXPECT_EQ(px(10, 10), dim) << "the picture under the map when it opened, darkened";
    expectblock(320, 240, 241, LANDCOLOUR, "the miniature over it");
    // Whatever happens to the window between frames, the kept picture returns
    // while the view stands still.
    fillvs(GUARD, 0x1234);
    overheadstep();
    EXPECT_EQ(px(10, 10), dim);
    EXPECT_EQ(px(600, 470), dim);
    // Scrolled: the map view at the new place, darkened and kept again.
    mousex = 0, mousey = 240;
    overheadstep();
    EXPECT_EQ(scx, 99);
    EXPECT_EQ(scy, 101);
    EXPECT_EQ(px(320, 100), darkened(TILECOLOUR, 565, 3)) << "the view's land, darkened";
    // One cell east of the centre and one north: four columns right, same rows.
    expectblock(324, 240, 241, LANDCOLOUR, "the old centre's block moved with the view");
    mousex = 320, mousey = 240;
    fillvs(GUARD, 0x1234);
    overheadstep();
    EXPECT_EQ(px(320, 100), darkened(TILECOLOUR, 565, 3)) << "kept from the last move";
    overheadclose();
    EXPECT_EQ(memoryused, memory) << "and let go";
}

// The screen run as the game runs it: a scripted mouse on the left border
// for a while, back to the middle, then the key that closes it.
static std::string writescript(const std::string& name, const std::string& text) {
    std::string path = testdatadir() + "/" + name;
    std::ofstream(path) << text;
    return path;
}

static u32 runscripted(const std::string& script) {
    std::string err;
    EXPECT_TRUE(scriptplayer_open(writescript("ohmap.script", script), "", true, &err)) << err;
    u32 result = 0;
    try {
        result = overheadmap();
    } catch (const processexit&) {
        ADD_FAILURE() << "the script ran out before the map closed";
    }
    return result;
}

TEST(OverheadMap, TheScreenScrollsClosesAndLeavesTheViewWhereItWas) {
    for (const char* closer : {"key ESC", "key ENTER", "ldown", "rdown"}) {
        startoverhead();
        for (i32 off = 0; off < MAPCELLS; off++) landmap[off] = 3;
        cleargamestack();
        pushgamestate(GS_MAINMENU);
        gamestate = GS_COMBAT;
        setcursormode(1);
        u32 memory = memoryused;
        u32 t = plat_ticks();
        std::string script = std::to_string(t + 2) + " move 0 240\n" + std::to_string(t + 12) + " move 100 300\n" +
                             std::to_string(t + 20) + " " + closer + "\n";
        EXPECT_EQ(runscripted(script), 1u) << closer;
        EXPECT_LT(scx, 100) << closer;
        EXPECT_GT(scx, 85);
        EXPECT_EQ(scy, 200 - scx) << "left border: one cell west and one south a frame";
        EXPECT_EQ(gamestate, GS_COMBAT);
        EXPECT_EQ(gamestack[0], GS_MAINMENU);
        EXPECT_EQ(gamestack[1], 0);
        EXPECT_EQ(cursormode, 1) << "the mission's cursor again";
        EXPECT_EQ(boxresult, 255);
        EXPECT_EQ(memoryused, memory) << "the kept picture is let go";
        // The last frame shown: the miniature around the new centre.
        const u16* shown = dd_lastframe();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown[241 * 640 + 330], LANDCOLOUR);
        EXPECT_EQ(shown[10 * 640 + 10], 0) << "the map view had nothing there; darkened black";
    }
}

TEST(OverheadMap, OpenedAndClosedWithoutMovingTheViewStaysAndThePictureIsDarkened) {
    startoverhead();
    landmap[cellof(100, 100)] = 3;
    cleargamestack();
    pushgamestate(GS_MAINMENU);
    gamestate = GS_COMBAT;
    u32 t = plat_ticks();
    EXPECT_EQ(runscripted(std::to_string(t + 3) + " move 100 300\n" + std::to_string(t + 6) + " key ENTER\n"), 1u);
    EXPECT_EQ(scx, 100);
    EXPECT_EQ(scy, 100);
    const u16* shown = dd_lastframe();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown[10 * 640 + 10], darkened(BACKDROP, 565, 3));
    EXPECT_EQ(shown[241 * 640 + 320], LANDCOLOUR);
    EXPECT_EQ(shown[242 * 640 + 320], darkened(BACKDROP, 565, 3));
    EXPECT_EQ(gamestate, GS_COMBAT);
}

// ---- on the demo map, as a player opens it -------------------------------------

struct shot {
    int w = 0, h = 0;
    std::vector<u8> rgb;
    bool is(int x, int y, u8 r, u8 g, u8 b) const {
        const u8* p = &rgb[((size_t)y * w + x) * 3];
        return p[0] == r && p[1] == g && p[2] == b;
    }
    int brightness(int x0, int y0, int x1, int y1) const {
        long sum = 0, n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++, n++) sum += rgb[((size_t)y * w + x) * 3 + 1];
        return (int)(sum / n);
    }
};

static shot readshot(const std::string& path) {
    shot s;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << "no picture " << path;
        return s;
    }
    image.format = PNG_FORMAT_RGB;
    s.w = (int)image.width, s.h = (int)image.height;
    s.rgb.resize(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, s.rgb.data(), 0, nullptr));
    return s;
}

// Run Demo, the panel's map button, a shot; the mouse on the left border a
// while, a shot; Escape, a shot of the mission again. The leader stands at
// the view's centre when the map opens: his bar of player 0's colour is at
// column 320, rows 238..241.
TEST(OverheadMapDemo, ThePanelsButtonOpensTheDemoMapInMiniatureAndItScrollsAndCloses) {
    namespace fs = std::filesystem;
    std::string files[2][4];
    for (int i = 0; i < 2; i++) {
        fs::path dir = fs::path(VENNOR_TEST_TMP) / ("ohmap" + std::to_string(i));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(VENNOR_DATA, dir / "data", fs::copy_options::recursive);
        for (int k = 0; k < 4; k++) files[i][k] = (dir / ("shot" + std::to_string(k) + ".png")).string();
        std::string script = "10 move 320 252\n20 ldown\n22 lup\n60 shot " + files[i][0] +
                             "\n70 move 598 418\n80 ldown\n82 lup\n100 shot " + files[i][1] +
                             "\n110 move 0 240\n130 move 598 418\n150 shot " + files[i][2] + "\n160 key ESC\n200 shot " +
                             files[i][3] + "\n210 key ESC\n240 key Y\n";
        std::ofstream((dir / "play.script").string()) << script;
        std::string cmd = std::string(VENNOR_EXE) + " --headless --data " + (dir / "data").string() + " --play " +
                          (dir / "play.script").string() + " 2>" + (dir / "err.txt").string();
        int st = std::system(cmd.c_str());
        EXPECT_EQ(st, 0) << readtext((dir / "err.txt").string());
    }
    for (int k = 0; k < 4; k++) EXPECT_TRUE(readtext(files[0][k]) == readtext(files[1][k])) << "shot " << k << " twice the same";
    shot mission = readshot(files[0][0]), open = readshot(files[0][1]), scrolled = readshot(files[0][2]),
         back = readshot(files[0][3]);
    ASSERT_EQ(open.w, 640);
    ASSERT_EQ(scrolled.w, 640);
    ASSERT_EQ(back.w, 640);
    // Player 0's 0x0400 on the 5-6-5 display, as the shot writes it.
    const u8 R = 0, G = 130, B = 0;
    for (int y = 238; y <= 241; y++)
        for (int x = 320; x <= 321; x++) EXPECT_TRUE(open.is(x, y, R, G, B)) << "the leader's bar at " << x << ", " << y;
    EXPECT_FALSE(open.is(320, 242, R, G, B));
    EXPECT_LT(open.brightness(0, 0, 640, 40), mission.brightness(0, 0, 640, 40) / 4) << "the view under the map is dimmed";
    // Every frame on the left border moved the view a cell west and a cell
    // south: the leader's bar four columns further right each time.
    int found = -1;
    for (int x = 324; x < 640; x += 4)
        if (scrolled.is(x, 238, R, G, B) && scrolled.is(x + 1, 241, R, G, B)) found = x;
    EXPECT_GT(found, 324) << "the leader's bar moved right along row 238";
    EXPECT_FALSE(scrolled.is(320, 240, R, G, B));
    EXPECT_GT(back.brightness(0, 0, 640, 400), mission.brightness(0, 0, 640, 400) / 2) << "the mission again, not dimmed";
}
