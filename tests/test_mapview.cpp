// The map view: the smooth-movement shift, units behind thin walls, the
// picture of each unit state, floating numbers and clouds, health and stat
// bars, the map's edge, the editor's panel; and two rules of the fight the
// view shows (damage of a type whose maximum is below its minimum, a target
// field naming no slot).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/missile.h"
#include "game/missionstate.h"
#include "sound/dsound.h"
#include "testenv.h"
#include "text/font.h"
#include "video/display.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/smoothmove.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/rle.h"
#include "world/unittype.h"
#include "world/viewtables.h"

static std::vector<itemtyperec> viewitems(NUMITEMTYPES);
static std::vector<unittyperec> viewunits(NUMUNITTYPES);
static std::vector<std::vector<u8>> itemcode(NUMITEMTYPES);
static std::vector<u32> framedir(NUMUNITTYPES * 768);
static std::vector<std::vector<u8>> framecode(UNITFRAMES);
static std::vector<u16> landtile(TILEPIXELS);
static std::vector<u8> fontpics[NUMFONTS];
static std::vector<u16> spritepixels[MAXSPRITES], spritebg[MAXSPRITES];

constexpr int UNITSET = 3; // every unit type's picture set
constexpr int LANDTILE = 5;
constexpr u16 LAND = 0x001F;
constexpr u16 WALL = 0x07E0;
constexpr int WALLITEM = 1;
constexpr u16 FRAMECOLOUR = 0x0010;

// A unit frame's colour names its action, facing and frame.
static u16 unitink(int action, int facing, int frame) { return (u16)((action + 1) << 11 | facing << 5 | (frame + 1)); }
// Remains 4000 + k.
static u16 remainsink(int k) { return (u16)(0xF800 | k << 5 | 1); }
static u16 digitink(int d) { return (u16)(0x8410 + (d << 5)); }
static int digitwidth(int d) { return 5 + d; }

// Run-length code of a picture whose only pixels are a w x h block of one
// colour with its corner at (c0, r0).
static std::vector<u8> blockcode(int c0, int r0, int w, int h, u16 colour) {
    std::vector<u8> out;
    u32 pos = 0;
    for (int r = r0; r < r0 + h; r++) {
        u32 at = (u32)(r * RLEPITCH + c0), skip = at - pos;
        out.insert(out.end(), {(u8)skip, (u8)(skip >> 8), (u8)w});
        for (int i = 0; i < w; i++) out.insert(out.end(), {(u8)colour, (u8)(colour >> 8)});
        pos = at + (u32)w;
    }
    return out;
}

static void makeitem(int n, int w, int h, u16 colour) {
    itemtyperec& t = viewitems[n];
    t.isused = t.isloaded = 1;
    t.picwidth = (u8)w;
    t.picheight = (u8)h;
    itemcode[n] = blockcode(0, 0, w, h, colour);
    t.rawdatasize = (u32)itemcode[n].size();
    itemrawdataptr[n] = itemcode[n].data();
}

static void makesprite(int slot, int w, int h, u16 colour) {
    spritepixels[slot].assign((size_t)w * h, colour);
    spritebg[slot].assign((size_t)w * h, 0);
    spriterec& s = sprite[slot];
    s = spriterec{};
    s.pixels = spritepixels[slot].data();
    s.bgptr = spritebg[slot].data();
    s.width = (i16)w;
    s.height = (i16)h;
    s.inuse = 1;
}

// Every unit frame is a 20 x 15 block at frame columns 30..49 and rows
// 60..74: on screen columns sx - 50 .. sx - 31 and rows sy - 30 .. sy - 16 of
// its cell's anchor. Remains are a 10 x 10 block: columns sx - 45 .. sx - 36,
// rows sy - 20 .. sy - 11. So (sx - 40, sy - 25) shows only a unit frame,
// (sx - 40, sy - 12) only remains.
static void installunits() {
    unitpicdir = framedir.data();
    for (int s = 0; s < NUMUNITTYPES; s++) {
        unitpicloaded[s] = 0;
        for (u8*& f : unitframe[s]) f = nullptr;
    }
    for (int a = 0; a < 3; a++)
        for (int f = 1; f <= 8; f++)
            for (int fr = 0; fr < 16; fr++) {
                int i = unitframeindex(a, f - 1, fr);
                framecode[i] = blockcode(30, 60, 20, 15, unitink(a, f, fr));
                unitframe[UNITSET][i] = framecode[i].data();
                framedir[UNITSET * 768 + UNITFRAMES + i] = (u32)framecode[i].size();
            }
    unitpicloaded[UNITSET] = 1;
    for (int i = 0; i < NUMUNITTYPES; i++) {
        viewunits[i] = unittyperec{};
        viewunits[i].healthmax = 40;
        viewunits[i].movementmax = 50;
        viewunits[i].damagemin = 5;
        viewunits[i].damagemax = 8;
        viewunits[i].rangemax = 1;
        viewunits[i].picno = UNITSET;
        unittype[i] = &viewunits[i];
    }
}

// A headless display, the built view tables, no land, items or units yet,
// the unlit primitives, no panel (game state 0), the view on (100, 100).
static void startview(int pixelformat = 565) {
    starttestdisplay(pixelformat);
    allocgrids();
    namespace fs = std::filesystem;
    fs::create_directories(testdatadir() + "/data");
    for (const char* f : {"vsstable.dat", "vsytable.dat"})
        fs::copy_file(fs::path(VENNOR_DATA) / "data" / f, fs::path(testdatadir()) / "data" / f);
    initviewtables();
    for (int f = 0; f < NUMFONTS; f++) { // every glyph a solid block
        fontpics[f].assign((size_t)fontfiles[f].picwidth * fontfiles[f].height, 7);
        font[f] = {glyphtables[f], fontpics[f].data(), fontfiles[f].height, fontfiles[f].picwidth};
    }
    for (int i = 0; i < NUMITEMTYPES; i++) {
        viewitems[i] = itemtyperec{};
        itemtype[i] = &viewitems[i];
        itemrawdataptr[i] = nullptr;
    }
    for (int k = 0; k < 16; k++) {
        makeitem(4000 + k, 10, 10, remainsink(k));
    }
    for (u16*& t : landrawdataptr) t = nullptr;
    landtile.assign(TILEPIXELS, LAND);
    landrawdataptr[LANDTILE] = landtile.data();
    installunits();
    initnpc();
    clearmissiles();
    cleardamagenumbers();
    clearclouds();
    lighting = 0;
    drawland = drawitems = drawnpcs = 1;
    wallsthrough = viewfrozen = 0;
    fullview = 0;
    viewplayer = 0;
    cursoroff = 0xFFFFFFFF;
    cursortint = 0;
    selshown = 0;
    computerthinking = 0;
    framecolour = FRAMECOLOUR;
    paneltab = 0;
    panelpicture = nullptr; // an earlier test's menu bar would cover the panel's black
    textclamp = 1;
    tickcount = 1000;
    soundenabled = 0;
    curnpc = 1;
    scx = scy = 100;
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
}

static void blank() {
    lockvs();
    std::memset(vsptr, 0, VSBYTES);
    unlockvs();
}

static u16 px(i32 x, i32 y) {
    if (x < -VSLEFT || x >= VSWIDTH - VSLEFT || y < -VSTOP || y >= VSHEIGHT - VSTOP) {
        ADD_FAILURE() << "(" << x << ", " << y << ") is off the surface";
        return 0xDEAD;
    }
    lockvs();
    u16 p = *vspixel(x, y);
    unlockvs();
    return p;
}

// The anchor of a cell's screen square, found in the view tables the way
// the view tables describe it: view column x - scx + 20, line y - scy + 20.
struct anchor {
    i32 x, y;
};
static anchor anchorof(i32 x, i32 y) {
    int c = x - scx + 20, l = y - scy + 20;
    for (const vssrec& s : vss)
        if (s.column == c && s.line == l) return {s.x, s.y};
    ADD_FAILURE() << "cell (" << x << ", " << y << ") has no square";
    return {0, 0};
}

static int put(int player, i32 x, i32 y, u8 state, u8 facing = 3, u8 frame = 5) {
    int s = createnpc(0, x, y, player);
    EXPECT_GT(s, 0);
    npc[s]->state = state;
    npc[s]->facing = facing;
    npc[s]->frame = frame;
    npc[s]->step = 0;
    npcmap[cellof(x, y)] = (u16)s;
    return s;
}

static void clearunits() {
    initnpc();
    std::memset(npcmap, 0, MAPCELLS * 2);
}

// ---- the smooth-movement shift ------------------------------------------

// Pixels (x, y) for facings 1..8 and steps 1..7, as the rules tabulate them.
static const int shifttable[9][7][2] = {
    {},
    {{2, -1}, {5, -2}, {7, -3}, {10, -5}, {12, -6}, {15, -7}, {17, -8}},
    {{5, 0}, {10, 0}, {15, 0}, {20, 0}, {25, 0}, {30, 0}, {35, 0}},
    {{2, 1}, {5, 2}, {7, 3}, {10, 5}, {12, 6}, {15, 7}, {17, 8}},
    {{0, 2}, {0, 5}, {0, 7}, {0, 10}, {0, 12}, {0, 15}, {0, 17}},
    {{-2, 1}, {-5, 2}, {-7, 3}, {-10, 5}, {-12, 6}, {-15, 7}, {-17, 8}},
    {{-5, 0}, {-10, 0}, {-15, 0}, {-20, 0}, {-25, 0}, {-30, 0}, {-35, 0}},
    {{-2, -1}, {-5, -2}, {-7, -3}, {-10, -5}, {-12, -6}, {-15, -7}, {-17, -8}},
    {{0, -2}, {0, -5}, {0, -7}, {0, -10}, {0, -12}, {0, -15}, {0, -17}},
};

TEST(MapView, SmoothShiftIsStepEighthsOfACellInTheFacing) {
    for (int f = 1; f <= 8; f++) {
        for (int s = 1; s <= 7; s++) {
            i32 dx = 99, dy = 99;
            smoothshift(f, s, &dx, &dy);
            EXPECT_EQ(dx, shifttable[f][s - 1][0]) << "facing " << f << " step " << s;
            EXPECT_EQ(dy, shifttable[f][s - 1][1]) << "facing " << f << " step " << s;
        }
        i32 dx = 99, dy = 99;
        smoothshift(f, 0, &dx, &dy);
        EXPECT_EQ(dx, 0) << "a unit on its cell shifts nothing";
        EXPECT_EQ(dy, 0);
    }
    for (int f : {0, 9, 255}) { // no such facing: no table entry is read
        i32 dx = 99, dy = 99;
        smoothshift(f, 4, &dx, &dy);
        EXPECT_EQ(dx, 0);
        EXPECT_EQ(dy, 0);
    }
    startview();
    int u = put(0, 10, 10, NPC_MOVING, 5);
    npc[u]->step = 6;
    i32 dx = 0, dy = 0;
    npcsmoothshift(u, &dx, &dy);
    EXPECT_EQ(dx, -15);
    EXPECT_EQ(dy, 7);
    npcsmoothshift(0, &dx, &dy);
    EXPECT_EQ(dx, 0) << "slot 0 is nobody";
    npcsmoothshift(NPCSLOTS, &dx, &dy);
    EXPECT_EQ(dx, 0);
}

TEST(MapView, AWalkingFollowedUnitShiftsTheWholeWorldButNotThePanel) {
    startview();
    gamestate = GS_COMBAT;
    landmap[cellof(100, 100)] = LANDTILE;
    int leader = put(0, 10, 10, NPC_MOVING); // followed, far off the view
    npc[leader]->health = 20;                // of 40
    int other = put(1, 103, 101, NPC_IDLE, 4, 2);
    anchor land = anchorof(100, 100), unit = anchorof(103, 101);
    struct walk {
        int facing, step;
    } walks[] = {{1, 0}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}, {8, 7}, {3, 3}, {6, 1}};
    for (const walk& w : walks) {
        npc[leader]->facing = (u8)w.facing;
        npc[leader]->step = (i8)w.step;
        int dx = w.step ? shifttable[w.facing][w.step - 1][0] : 0, dy = w.step ? shifttable[w.facing][w.step - 1][1] : 0;
        blank();
        drawmapview();
        // The land tile's diamond: row 10 of its box starts at the box's left
        // edge, row 1 holds columns 18..21.
        i32 bx = land.x - 60 + dx, by = land.y - 30 + dy;
        EXPECT_EQ(px(bx, by + 10), LAND) << "facing " << w.facing << " step " << w.step;
        EXPECT_EQ(px(bx - 1, by + 10), 0) << "facing " << w.facing << " step " << w.step;
        EXPECT_EQ(px(bx + 18, by + 1), LAND) << "facing " << w.facing << " step " << w.step;
        EXPECT_EQ(px(bx + 18, by), 0) << "facing " << w.facing << " step " << w.step;
        // Another unit's frame moves with the land.
        EXPECT_EQ(px(unit.x - 50 + dx, unit.y - 30 + dy), unitink(2, 4, 2));
        EXPECT_EQ(px(unit.x - 51 + dx, unit.y - 30 + dy), 0);
        EXPECT_EQ(px(unit.x - 50 + dx, unit.y - 31 + dy), 0);
        // The panel's health bar sits where it always does: half of 94.
        EXPECT_EQ(px(102, 414), FRAMECOLOUR) << "facing " << w.facing << " step " << w.step;
        EXPECT_EQ(px(101, 414), 0);
        EXPECT_EQ(px(103, 415), 0xC000);
        EXPECT_EQ(px(149, 415), 0xC000);
        EXPECT_EQ(px(150, 415), 0x4000);
    }
    (void)other;
}

// The mission panel is kept as drawn and put back while nothing it was drawn
// from has changed; each thing it is drawn from, changed, draws it afresh,
// and changed back gives the first picture again.
TEST(MapView, TheKeptPanelComesBackOnlyWhileNothingItWasDrawnFromHasChanged) {
    startview();
    gamestate = GS_COMBAT;
    std::vector<u16> bar(PANELWIDTH * PANELHEIGHT);
    for (size_t i = 0; i < bar.size(); i++) bar[i] = (u16)(i * 2654435761u >> 9);
    panelpicture = bar.data();
    int leader = put(0, 100, 100, NPC_IDLE);
    npcrec& l = *npc[leader];
    l.health = 20, l.healthmax = 40, l.fatigue = 7, l.fatiguemax = 30, l.magic = 3, l.magicmax = 9, l.gold = 120;
    for (u8& c : fontpics[3]) c = 5;
    struct shown {
        std::vector<u16> window;
        u16 text[3];
        bool operator==(const shown& o) const { return window == o.window && std::equal(text, text + 3, o.text); }
    };
    auto draw = [] {
        lockvs();
        std::memset(vsptr, 0, VSBYTES);
        unlockvs();
        drawpanel();
        shown s{std::vector<u16>(640 * 480), {textr, textg, textb}};
        for (i32 y = 0; y < 480; y++)
            for (i32 x = 0; x < 640; x++) s.window[y * 640 + x] = px(x, y);
        return s;
    };
    const shown first = draw();
    settextcolor(1, 2, 3);
    EXPECT_TRUE(draw() == first) << "kept and put back, with the text colour its drawing leaves";
    struct change {
        const char* what;
        std::function<void()> make, undo;
    } changes[] = {
        {"tab", [] { paneltab = 1; }, [] { paneltab = 0; }},
        {"gold", [&] { l.gold = 121; }, [&] { l.gold = 120; }},
        {"health", [&] { l.health = 19; }, [&] { l.health = 20; }},
        {"most health", [&] { l.healthmax = 41; }, [&] { l.healthmax = 40; }},
        {"fatigue", [&] { l.fatigue = 8; }, [&] { l.fatigue = 7; }},
        {"most fatigue", [&] { l.fatiguemax = 31; }, [&] { l.fatiguemax = 30; }},
        {"magic", [&] { l.magic = 4; }, [&] { l.magic = 3; }},
        {"most magic", [&] { l.magicmax = 10; }, [&] { l.magicmax = 9; }},
        {"frame colour", [] { framecolour ^= 0x0841; }, [] { framecolour ^= 0x0841; }},
        {"one pixel of the working panel", [&] { bar[5] ^= 0x0101; }, [&] { bar[5] ^= 0x0101; }},
        {"the pictures of font 3", [] { for (u8& c : fontpics[3]) c = 2; }, [] { for (u8& c : fontpics[3]) c = 5; }},
        {"the pictures of font 6", [] { for (u8& c : fontpics[6]) c = 1; }, [] { for (u8& c : fontpics[6]) c = 7; }},
    };
    for (const change& c : changes) {
        c.make();
        EXPECT_FALSE(draw() == first) << c.what << " changed, the panel is drawn again";
        c.undo();
        EXPECT_TRUE(draw() == first) << c.what << " changed back";
    }
    panelpicture = nullptr;
}

// ---- units behind thin walls --------------------------------------------

TEST(MapView, UnitsOnTheThreeCellsBehindAThinWallAreDrawnOverIt) {
    startview();
    makeitem(WALLITEM, 120, 100, WALL); // covers the cells behind it
    viewitems[WALLITEM].iswall = 1;
    itemmap[cellof(100, 100)] = WALLITEM;
    struct behind {
        int dx, dy;
        bool up; // the cell straight up on screen
    } cells[] = {{-1, -1, true}, {0, -1, false}, {-1, 0, false}};
    struct rule {
        u8 state;
        u16 unitonly, remainsonly, remainsonlyup; // expected colours
    } rules[] = {
        {NPC_IDLE, unitink(0, 3, 5), WALL, WALL},         // walking frame, not the standing one
        {NPC_MOVING, unitink(0, 3, 5), WALL, WALL},
        {NPC_ATTACKING, unitink(1, 3, 5), WALL, WALL},
        {NPC_EMPTY, unitink(0, 3, 5), WALL, WALL},
        {NPC_DYING, WALL, remainsink(5), remainsink(5)},   // remains of its frame only
        {NPC_DEAD, unitink(0, 3, 5), WALL, remainsink(5)}, // remains only on the cell up
    };
    for (const behind& b : cells)
        for (const rule& r : rules) {
            clearunits();
            i32 x = 100 + b.dx, y = 100 + b.dy;
            put(1, x, y, r.state, 3, 5);
            anchor a = anchorof(x, y);
            blank();
            drawmapview();
            EXPECT_EQ(px(a.x - 40, a.y - 25), r.unitonly) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 40, a.y - 12), b.up ? r.remainsonlyup : r.remainsonly)
                << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 51, a.y - 25), WALL) << "only the unit's own pixels";
            // Exactly at its own place: the frame's top-left corner and the
            // remains' bottom-left corner.
            u16 remains = b.up ? r.remainsonlyup : r.remainsonly;
            EXPECT_EQ(px(a.x - 50, a.y - 30), r.unitonly) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 50, a.y - 31), WALL) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 45, a.y - 11), remains) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 45, a.y - 10), WALL) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
            EXPECT_EQ(px(a.x - 46, a.y - 12), WALL) << "behind (" << b.dx << ", " << b.dy << ") state " << (int)r.state;
        }
    // Not behind the wall, or a wall that blocks passage, or no wall at all:
    // the picture in front hides the unit.
    clearunits();
    anchor diag = anchorof(101, 99);
    put(1, 101, 99, NPC_IDLE);
    blank();
    drawmapview();
    EXPECT_EQ(px(diag.x - 40, diag.y - 25), WALL) << "the cell up-right of the wall's right neighbour is not behind it";
    for (int thick = 0; thick < 2; thick++) {
        viewitems[WALLITEM].iswall = (u8)thick;
        viewitems[WALLITEM].blockspassage = (u8)thick;
        clearunits();
        anchor a = anchorof(100, 99);
        put(1, 100, 99, NPC_IDLE);
        blank();
        drawmapview();
        EXPECT_EQ(px(a.x - 40, a.y - 25), WALL) << (thick ? "a thick wall" : "an item that is no wall");
    }
    // Items switched off: neither the wall nor the redraw.
    viewitems[WALLITEM].iswall = 1;
    viewitems[WALLITEM].blockspassage = 0;
    drawitems = 0;
    blank();
    drawmapview();
    anchor a = anchorof(100, 99);
    EXPECT_EQ(px(a.x - 40, a.y - 25), unitink(2, 3, 5)) << "its own standing frame, nothing over it";
}

// ---- hiding in the dark and the marks of the fallen ---------------------

// Each channel the mean of the two, rounded down, for the display's layout.
static u16 meanof(u16 a, u16 b) {
    u32 out = 0;
    for (auto [mask, shift] : {std::pair{rmask, rshift}, std::pair{gmask, gshift}, std::pair{bmask, bshift}}) {
        u32 ca = (a & mask) >> shift, cb = (b & mask) >> shift;
        out |= ((ca + cb) / 2) << shift;
    }
    return (u16)out;
}

// The window's pixels around a cell: its frame's whole box.
static std::vector<u16> aroundcell(anchor a) {
    std::vector<u16> v;
    for (i32 y = a.y - 90; y < a.y + 30; y++)
        for (i32 x = a.x - 80; x < a.x; x++) v.push_back(px(x, y));
    return v;
}

static std::vector<u16> drawnaround(anchor a) {
    blank();
    drawmapview();
    return aroundcell(a);
}

TEST(MapView, HiddenUnitsOfTheViewersSideShowHalfThroughAndTheEnemysNotAtAll) {
    for (int format : {565, 555})
        for (u8 lit : {0, 1}) {
            startview(format);
            if (lit) initlighttables();
            lighting = lit;
            for (i32 k = 0; k < MAPCELLS; k++) landmap[k] = LANDTILE;
            std::memset(lightmap, lit ? 9 : 0, MAPCELLS);
            // Ground of two colours under the frame, so a mean cannot pass by chance.
            for (size_t i = 0; i < landtile.size(); i++) landtile[i] = i % 3 ? LAND : (u16)0x4210;
            anchor a = anchorof(100, 100);
            int u = put(0, 100, 100, NPC_IDLE, 6, 9);
            std::string how = std::to_string(format) + (lit ? " lit" : " unlit");
            npc[u]->hidden = 0;
            std::vector<u16> plain = drawnaround(a);
            drawnpcs = 0;
            std::vector<u16> ground = drawnaround(a);
            drawnpcs = 1;
            npc[u]->hidden = 1;
            std::vector<u16> hidden = drawnaround(a);
            int figure = 0, wrong = 0;
            for (size_t i = 0; i < plain.size(); i++) {
                if (plain[i] == ground[i]) {
                    wrong += hidden[i] != ground[i];
                    continue;
                }
                figure++;
                wrong += hidden[i] != meanof(plain[i], ground[i]);
            }
            EXPECT_EQ(figure, 20 * 15) << how;
            EXPECT_EQ(wrong, 0) << how << ": the own hidden unit is the mean of its figure and the ground";
            npc[u]->hidden = 2; // hiding, but lit: seen as ever
            EXPECT_TRUE(drawnaround(a) == plain) << how;
            npc[u]->player = 1;
            npc[u]->hidden = 1;
            EXPECT_TRUE(drawnaround(a) == ground) << how << ": a hidden enemy is not drawn";
            cursoroff = (u32)cellof(100, 100);
            EXPECT_TRUE(drawnaround(a) == ground) << how << ": nor its health bar under the mouse";
            cursoroff = 0xFFFFFFFF;
            npc[u]->hidden = 2;
            EXPECT_TRUE(drawnaround(a) == plain) << how << ": an enemy hiding in light is seen";
            npc[u]->hidden = 0;
            viewplayer = 1; // through the other side's eyes the roles turn
            npc[u]->hidden = 1;
            EXPECT_FALSE(drawnaround(a) == plain) << how;
            EXPECT_FALSE(drawnaround(a) == ground) << how;
            viewplayer = 0;
            for (u16& t : landtile) t = LAND;
        }
}

constexpr int GRAVESPRITE = 62;
constexpr u16 GLOW = 0x07FF;

TEST(MapView, ACellWhereABodyCanBeRaisedGlowsAndItsCountShows) {
    startview();
    for (i32 k = 0; k < MAPCELLS; k++) landmap[k] = LANDTILE;
    makesprite(GRAVESPRITE, 44, 30, GLOW);
    anchor a = anchorof(100, 100);
    i32 cx = a.x - 40, cy = a.y - 20; // the cell's centre
    blank();
    drawmapview();
    ASSERT_EQ(px(cx, cy), LAND);
    u16 seen[17];
    for (u16 v = 0; v <= 16; v++) {
        specialmap[cellof(100, 100)] = v;
        blank();
        drawmapview();
        seen[v] = px(cx, cy);
        u8 alpha = (u8)(3 * (v < 8 ? v : 8));
        EXPECT_EQ(seen[v], v ? blendpixel(LAND, GLOW, alpha) : LAND) << "count " << v;
    }
    for (u16 v = 1; v <= 8; v++) EXPECT_NE(seen[v], seen[v - 1]) << "each step of the count shows, " << v;
    EXPECT_EQ(seen[16], seen[8]) << "past 8 the glow is whole";
    // The glow's box: centred on the cell, its bottom row 9 rows below the centre.
    specialmap[cellof(100, 100)] = 8;
    blank();
    drawmapview();
    EXPECT_NE(px(cx - 22, cy), LAND);
    EXPECT_EQ(px(cx - 23, cy), LAND) << "left of the glow, the land bare";
    EXPECT_NE(px(cx + 21, cy - 21), LAND);
    EXPECT_EQ(px(cx + 22, cy - 21), LAND);
    EXPECT_EQ(px(cx, cy - 22), LAND) << "above the glow";
    EXPECT_EQ(px(cx, cy + 9), LAND) << "below the glow";
    EXPECT_NE(px(cx, cy + 8), LAND);
    // Over the body's remains, under whoever stands there.
    makeitem(4015, 40, 20, remainsink(15));
    itemmap[cellof(100, 100)] = 4015;
    blank();
    drawmapview();
    EXPECT_EQ(px(cx, cy), blendpixel(remainsink(15), GLOW, 24));
    put(1, 100, 100, NPC_IDLE, 6, 9);
    blank();
    drawmapview();
    EXPECT_EQ(px(a.x - 40, a.y - 25), unitink(2, 6, 9)) << "the unit stands over the glow";
    // Another cell keeps its ground.
    anchor b = anchorof(102, 100);
    EXPECT_EQ(px(b.x - 40, b.y - 20), LAND);
    specialmap[cellof(100, 100)] = 0;
}

// ---- the map's edge -----------------------------------------------------

TEST(MapView, CellsOffTheMapDrawNothingAndTheEdgesDoNotBreak) {
    startview();
    for (i32 i = 0; i < MAPCELLS; i++) landmap[i] = LANDTILE;
    const int corners[][2] = {{0, 0}, {255, 255}, {0, 255}, {255, 0}, {3, 128}, {252, 128}};
    for (auto& c : corners) {
        scx = c[0], scy = c[1];
        blank();
        drawmapview();
        int on = 0, off = 0;
        for (const vssrec& s : vss) {
            i32 x = scx + s.column - 20, y = scy + s.line - 20;
            bool onthemap = x >= 0 && x < 256 && y >= 0 && y < 256;
            // Squares in the guard bands, or under a panel that covers them,
            // are left alone: nothing there ever shows.
            i32 px0 = s.x - 40, py0 = s.y - 20;
            bool shows = px0 >= 0 && px0 < 640 && py0 >= 0 && py0 < (panelcovers() ? PANELTOP : 480);
            EXPECT_EQ(px(px0, py0), onthemap && shows ? LAND : 0) << "view on (" << scx << ", " << scy << "), cell (" << x << ", " << y << ")";
            if (shows) (onthemap ? on : off)++;
        }
        EXPECT_GT(on, 100);
        EXPECT_GT(off, 100) << "the view reaches past the edge";
    }
    // Thin walls, units and numbers along every edge: nothing is looked up
    // off the map (the sanitizers watch).
    makeitem(WALLITEM, 40, 20, WALL);
    viewitems[WALLITEM].iswall = 1;
    for (i32 i = 0; i < 256; i++)
        for (i32 cell : {cellof(i, 0), cellof(0, i), cellof(i, 255), cellof(255, i)}) itemmap[cell] = WALLITEM;
    int corner = put(1, 0, 0, NPC_IDLE);
    put(1, 255, 255, NPC_ATTACKING);
    put(1, 0, 255, NPC_DYING);
    startdamagenumber(12, 0, 1);
    startdamagenumber(34, MAPCELLS - 1, 0);
    cursoroff = 0;
    npc[1]->target = (u8)corner;
    for (auto& c : corners) {
        scx = c[0], scy = c[1];
        blank();
        drawmapview();
    }
    scx = scy = 0;
    blank();
    drawmapview();
    anchor a = anchorof(0, 0);
    EXPECT_EQ(px(a.x - 40, a.y - 25), unitink(0, 3, 5)) << "the unit in the corner, drawn again over the walls beside it";
}

// ---- state -> picture ---------------------------------------------------

TEST(MapView, EachUnitStateShowsItsPicture) {
    startview();
    anchor a = anchorof(100, 100);
    int u = put(1, 100, 100, NPC_IDLE, 6, 9);
    struct rule {
        u8 state;
        u16 unitonly, both, remainsonly;
    } rules[] = {
        {NPC_DEAD, 0, remainsink(15), remainsink(15)}, // the last remains whatever the frame
        {NPC_DYING, 0, remainsink(9), remainsink(9)},
        {NPC_IDLE, unitink(2, 6, 9), unitink(2, 6, 9), 0},
        {NPC_MOVING, unitink(0, 6, 9), unitink(0, 6, 9), 0},
        {NPC_ATTACKING, unitink(1, 6, 9), unitink(1, 6, 9), 0},
        {5, unitink(2, 6, 9), unitink(2, 6, 9), 0},
        {NPC_EMPTY, unitink(2, 6, 9), unitink(2, 6, 9), 0},
    };
    for (const rule& r : rules) {
        npc[u]->state = r.state;
        blank();
        drawmapview();
        EXPECT_EQ(px(a.x - 40, a.y - 25), r.unitonly) << "state " << (int)r.state;
        EXPECT_EQ(px(a.x - 40, a.y - 18), r.both) << "state " << (int)r.state;
        EXPECT_EQ(px(a.x - 40, a.y - 12), r.remainsonly) << "state " << (int)r.state;
    }
    // Every facing and frame picks its own picture.
    npc[u]->state = NPC_ATTACKING;
    for (int f = 1; f <= 8; f++)
        for (int fr : {0, 7, 15}) {
            npc[u]->facing = (u8)f;
            npc[u]->frame = (u8)fr;
            blank();
            drawmapview();
            EXPECT_EQ(px(a.x - 40, a.y - 25), unitink(1, f, fr)) << "facing " << f << " frame " << fr;
        }
    // The set is the unit type's picture number, not the type's own number.
    viewunits[0].picno = 7;
    blank();
    drawmapview();
    EXPECT_NE(px(a.x - 40, a.y - 25), unitink(1, 8, 15));
    viewunits[0].picno = UNITSET;
    drawnpcs = 0;
    blank();
    drawmapview();
    EXPECT_EQ(px(a.x - 40, a.y - 25), 0) << "units switched off";
}

// ---- floating numbers ---------------------------------------------------

static void makedigits() {
    for (int d = 0; d < 10; d++) makesprite(10 + d, digitwidth(d), 7, digitink(d));
}

// The pixels inked in a box around a cell's numbers.
static int inkedaround(anchor a) {
    int n = 0;
    for (i32 y = a.y - 120; y < a.y; y++)
        for (i32 x = a.x - 100; x < a.x; x++)
            if (px(x, y)) n++;
    return n;
}

TEST(MapView, NumbersDrawTheirDigitsFromLeftOfTheCellByTheirLength) {
    startview();
    makedigits();
    anchor a = anchorof(100, 100);
    const i32 cell = cellof(100, 100);
    for (int mode : {1, 0})
        for (i32 value : {7, 42, 305, 1234, 9999, 1000, 10}) {
            cleardamagenumbers();
            startdamagenumber(value, cell, mode);
            damagenumber[0].timer = 32; // full strength: the colours come through unmixed
            blank();
            drawmapview();
            std::string digits = std::to_string(value);
            i32 x = a.x - 43 - 4 * (i32)(digits.size() - 1); // 4 further left per digit past the first
            i32 y = mode == 1 ? a.y - 32 - 30 : a.y - 101 + 32;
            int prev = -1, columns = 0;
            for (char ch : digits) {
                int d = ch - '0';
                EXPECT_EQ(px(x, y), digitink(d)) << value << " digit " << d;
                EXPECT_EQ(px(x, y + 6), digitink(d)) << value << " digit " << d;
                EXPECT_EQ(px(x, y - 1), 0) << value;
                EXPECT_EQ(px(x - 1, y), prev < 0 ? 0 : digitink(prev)) << value << " digit " << d;
                columns += prev < 0 ? digitwidth(d) : digitwidth(d) - 2;
                prev = d;
                x += digitwidth(d) - 2;
            }
            EXPECT_EQ(px(x + 2, y), 0) << value << ": nothing right of the last digit";
            EXPECT_EQ(inkedaround(a), columns * 7) << value << ": one sprite per digit and no more";
            EXPECT_EQ(damagenumber[0].timer, 31);
            EXPECT_EQ(damagenumber[0].active, 1);
        }
    for (i32 value : {0, 10000, 123456}) {
        cleardamagenumbers();
        startdamagenumber(value, cell, 1);
        blank();
        drawmapview();
        EXPECT_EQ(inkedaround(a), 0) << value << " draws no digit";
        EXPECT_EQ(damagenumber[0].timer, 29) << "its time runs all the same";
    }
    // The record ends when its time is up.
    damagenumber[0].timer = 1;
    drawmapview();
    EXPECT_EQ(damagenumber[0].active, 0);
}

TEST(MapView, ANumberOrCloudIsDrawnOnlyWhereThisDrawingPlacedIt) {
    startview();
    makedigits();
    makesprite(27, 16, 16, 0xFFFF); // the talk cloud's top-left corner
    const i32 cell = cellof(100, 100);
    int speaker = put(1, 100, 100, NPC_IDLE);
    anchor a = anchorof(100, 100);
    startdamagenumber(5, cell, 1);
    damagenumber[0].timer = 32;
    opencloud(2, speaker, "Help!", 0);
    drawmapview();
    i32 nx = a.x - 43, ny = a.y - 62;
    EXPECT_EQ(px(nx, ny), digitink(5));
    EXPECT_NE(px(a.x - 40, a.y - 108), 0) << "the cloud over the speaker";
    // The view moves away: neither is drawn where it was.
    scx = scy = 200;
    blank();
    drawmapview();
    EXPECT_EQ(px(nx, ny), 0);
    EXPECT_EQ(px(a.x - 40, a.y - 108), 0);
    EXPECT_EQ(damagenumber[0].active, 1);
    EXPECT_EQ(damagenumber[0].timer, 30) << "its time runs on";
    EXPECT_EQ(cloud[2].active, 1);
    damagenumber[0].timer = 1;
    drawmapview();
    EXPECT_EQ(damagenumber[0].active, 0) << "and ends unseen";
    // Back in view, the cloud is drawn again.
    scx = scy = 100;
    blank();
    drawmapview();
    EXPECT_NE(px(a.x - 40, a.y - 108), 0);
}

// A cloud fades in over three drawings, holds until its 400 ticks are up,
// then fades out a step a drawing, never brighter than it was, and closes.
// Over a cell player 0 cannot see it is not drawn, but its time runs on.
TEST(MapView, ACloudFadesInHoldsFadesOutAndIsSeenOnlyOverASeenCell) {
    startview();
    makesprite(27, 16, 16, 0xFFFF);
    int speaker = put(1, 100, 100, NPC_IDLE);
    anchor a = anchorof(100, 100);
    opencloud(2, speaker, "Help!", 0);
    std::vector<int> in, out;
    for (int k = 0; k < 5; k++) {
        drawmapview();
        in.push_back(cloud[2].alpha);
    }
    EXPECT_EQ(in, (std::vector<int>{4, 12, 20, 20, 20}));
    EXPECT_EQ(cloud[2].endtick, tickcount + 400);
    tickcount = cloud[2].endtick;
    while (cloud[2].active && out.size() < 20) {
        drawmapview();
        out.push_back(cloud[2].alpha);
    }
    EXPECT_EQ(out, (std::vector<int>{20, 20, 16, 12, 8, 4, 4})) << "the last drawing closes it";
    EXPECT_EQ(cloud[2].active, 0);
    EXPECT_EQ(npc[speaker]->cloudslot, 0);
    // Unseen: not drawn, yet fading in as before.
    opencloud(2, speaker, "Help!", 0);
    vistoplayer[0][cellof(100, 100)] = 0;
    blank();
    drawmapview();
    drawmapview();
    EXPECT_EQ(px(a.x - 40, a.y - 108), 0);
    EXPECT_EQ(cloud[2].alpha, 12);
    vistoplayer[0][cellof(100, 100)] = 1;
    drawmapview();
    EXPECT_NE(px(a.x - 40, a.y - 108), 0);
}

TEST(MapView, ACloudSlotPastTheRecordsIsIgnored) {
    startview();
    makesprite(27, 16, 16, 0xFFFF);
    int speaker = put(1, 100, 100, NPC_IDLE);
    anchor a = anchorof(100, 100);
    opencloud(7, speaker, "Help!", 0);
    EXPECT_EQ(npc[speaker]->cloudslot, 7);
    drawmapview();
    EXPECT_NE(px(a.x - 40, a.y - 108), 0) << "the last record is a record";
    EXPECT_EQ(cloud[7].x, a.x - 40);
    EXPECT_EQ(cloud[7].y, a.y - 108);
    for (u8 slot : {8, 9, 200, 255}) {
        npc[speaker]->cloudslot = slot;
        cloud[7].x = cloud[7].y = -1;
        blank();
        drawmapview();
        EXPECT_EQ(px(a.x - 40, a.y - 108), 0) << "cloud slot " << (int)slot;
        EXPECT_EQ(cloud[7].x, -1) << "cloud slot " << (int)slot;
        EXPECT_EQ(npc[speaker]->cloudslot, slot);
    }
}

// ---- missiles -----------------------------------------------------------

// A point inside the cell along the map axes, projected to screen pixels
// from the cell's picture corner, truncated toward zero.
static i32 projectx(double fx, double fy, double plus) { return (i32)std::trunc(fx * 0.5 - fy * 0.5 + plus); }
static i32 projecty(double fx, double fy) { return (i32)std::trunc(fx * 0.25 + fy * 0.25); }

// A colour at alpha a in 32nds over black, channel by channel.
static u16 overblack(u16 c, int a) {
    return (u16)(((c >> 11) * a / 32) << 11 | ((c >> 5 & 63) * a / 32) << 5 | (c & 31) * a / 32);
}

TEST(MapView, MissilesAreDrawnAtTheirPlaceInsideTheirCell) {
    startview();
    for (int d = 1; d <= 8; d++) makesprite(64 + d, 6, 4, (u16)(0x2000 * d + 0x1F));
    anchor a = anchorof(100, 100);
    struct shot {
        float fx, fy;
        int dir;
    } shots[] = {{10.6f, 3.0f, 1}, {-7.0f, 30.0f, 4}, {0.0f, 43.0f, 6}, {39.9f, 39.9f, 8}, {20.0f, 20.0f, 3}};
    for (const shot& sh : shots) {
        clearmissiles();
        missilerec& m = missile[5];
        m.isused = 1;
        m.kind = MISSILE_ARROW;
        m.x = 100, m.y = 100;
        m.offx = sh.fx, m.offy = sh.fy;
        m.dir = (u8)sh.dir;
        blank();
        drawmapview();
        u16 ink = (u16)(0x2000 * sh.dir + 0x1F);
        i32 left = a.x - 60 + projectx(sh.fx, sh.fy, 20) - 3, top = a.y - 60 + projecty(sh.fx, sh.fy) - 2;
        EXPECT_EQ(px(left, top), ink) << sh.fx << ", " << sh.fy;
        EXPECT_EQ(px(left + 5, top + 3), ink) << sh.fx << ", " << sh.fy;
        EXPECT_EQ(px(left - 1, top), 0) << sh.fx << ", " << sh.fy;
        EXPECT_EQ(px(left, top - 1), 0) << sh.fx << ", " << sh.fy;
        EXPECT_EQ(px(left + 6, top + 3), 0) << sh.fx << ", " << sh.fy;
        EXPECT_EQ(px(left + 5, top + 4), 0) << sh.fx << ", " << sh.fy;
    }
    // No direction, no arrow; a record not in use or on another cell is
    // not drawn here.
    for (int dir : {0, 9}) {
        missile[5].dir = (u8)dir;
        blank();
        drawmapview();
        EXPECT_EQ(inkedaround(a), 0) << "direction " << dir;
    }
    missile[5].dir = 2;
    missile[5].isused = 0;
    blank();
    drawmapview();
    EXPECT_EQ(inkedaround(a), 0);
    // A magic missile at half strength, its sparks fading with their age,
    // each behind it by its own offset.
    makesprite(8, 8, 8, 0xFFFF);
    makesprite(9, 2, 2, 0xF800);
    clearmissiles();
    missilerec& m = missile[0];
    m.isused = 1;
    m.kind = MISSILE_MAGIC;
    m.x = 100, m.y = 100;
    m.offx = 12.0f, m.offy = 4.0f;
    m.trailactive[1] = 1, m.trailage[1] = 2, m.traildx[1] = 30.0f, m.traildy[1] = -10.0f;
    m.trailactive[3] = 1, m.trailage[3] = 6, m.traildx[3] = -9.0f, m.traildy[3] = 25.0f;
    m.trailactive[2] = 0, m.trailage[2] = 0, m.traildx[2] = 60.0f, m.traildy[2] = 0.0f;
    blank();
    drawmapview();
    i32 cx = a.x - 60 + projectx(12, 4, 20), cy = a.y - 60 + projecty(12, 4);
    EXPECT_EQ(px(cx - 4, cy - 4), overblack(0xFFFF, 16));
    EXPECT_EQ(px(cx + 3, cy + 3), overblack(0xFFFF, 16));
    EXPECT_EQ(px(cx - 5, cy - 4), 0);
    i32 kx = cx - projectx(30, -10, 0), ky = cy - projecty(30, -10);
    EXPECT_EQ(px(kx - 1, ky - 1), overblack(0xF800, 30 - 4 * 2));
    EXPECT_EQ(px(kx - 2, ky - 1), 0);
    kx = cx - projectx(-9, 25, 0), ky = cy - projecty(-9, 25);
    EXPECT_EQ(px(kx - 1, ky - 1), overblack(0xF800, 30 - 4 * 6));
    kx = cx - projectx(60, 0, 0), ky = cy - projecty(60, 0);
    EXPECT_EQ(px(kx - 1, ky - 1), 0) << "a spark not active";
}

// ---- health and stat bars -----------------------------------------------

// Checks a bar drawn at (x, y), w x h inside its frame, with `filled`
// pixels of `full` in each row and the rest `empty`.
static void expectbar(i32 x, i32 y, i32 w, i32 h, i32 filled, u16 full, u16 empty, const std::string& what) {
    for (i32 i = 0; i < w + 2; i++) {
        EXPECT_EQ(px(x + i, y), FRAMECOLOUR) << what << " top " << i;
        EXPECT_EQ(px(x + i, y + h + 1), FRAMECOLOUR) << what << " bottom " << i;
    }
    EXPECT_EQ(px(x - 1, y), 0) << what;
    EXPECT_EQ(px(x + w + 2, y), 0) << what;
    EXPECT_EQ(px(x, y - 1), 0) << what;
    EXPECT_EQ(px(x, y + h + 2), 0) << what;
    for (i32 row = 1; row <= h; row++) {
        EXPECT_EQ(px(x, y + row), FRAMECOLOUR) << what;
        EXPECT_EQ(px(x + w + 1, y + row), FRAMECOLOUR) << what;
        i32 fulls = 0, empties = 0, firstempty = -1;
        for (i32 i = 0; i < w; i++) {
            u16 p = px(x + 1 + i, y + row);
            if (p == full) fulls++;
            else if (p == empty) {
                if (firstempty < 0) firstempty = i;
                empties++;
            }
        }
        EXPECT_EQ(fulls, filled) << what << " row " << row;
        EXPECT_EQ(empties, w - filled) << what << " row " << row;
        if (filled < w) {
            EXPECT_EQ(firstempty, filled) << what << ": the filled part comes first";
        }
    }
}

TEST(MapView, StatBarsFillByValueOverMaximumAndAreEmptyWithoutAMaximum) {
    startview();
    struct bar {
        i32 v, m, filled;
    } bars[] = {{47, 94, 47}, {94, 94, 94}, {500, 94, 94}, {-5, 94, 0}, {0, 94, 0}, {1, 3, 31}, {2, 3, 62},
                {10, 0, 0},   {0, 0, 0},    {10, -5, 0},  {-10, -5, 0}, {32767, -1, 0}};
    for (const bar& b : bars) {
        blank();
        drawstatbar(b.v, b.m, 200, 100, 94, 8, 0x6000, 0);
        expectbar(200, 100, 94, 8, b.filled, 0xC000, 0x4000, std::to_string(b.v) + "/" + std::to_string(b.m));
    }
    // 5-5-5 colours reach the 5-6-5 screen with green doubled; the empty
    // part is each channel less 16, none below 0.
    blank();
    drawstatbar(3, 4, 200, 100, 20, 2, 0x0300 | 0x7C00 | 0x0011, 0); // r 31, g 24, b 17
    expectbar(200, 100, 20, 2, 15, (u16)(31 << 11 | 48 << 5 | 17), (u16)(15 << 11 | 16 << 5 | 1), "colours");
    // A walking unit's bar goes back with it toward the cell it left.
    int u = put(1, 10, 10, NPC_MOVING, 2);
    npc[u]->step = 4; // east: (+20, 0)
    blank();
    drawstatbar(1, 2, 200, 100, 20, 1, 0x6000, u);
    expectbar(180, 100, 20, 1, 10, 0xC000, 0x4000, "walking east");
    npc[u]->facing = 4; // south: (0, +10)
    blank();
    drawstatbar(1, 2, 200, 100, 20, 1, 0x6000, u);
    expectbar(200, 90, 20, 1, 10, 0xC000, 0x4000, "walking south");
}

TEST(MapView, HealthBarsShowOverEnemiesUnderTheMouseAndTheLeadersTarget) {
    startview();
    int leader = put(0, 10, 10, NPC_IDLE); // slot 1, off the view
    ASSERT_EQ(leader, 1);
    int enemy = put(1, 100, 100, NPC_IDLE);
    int friendly = put(0, 104, 100, NPC_IDLE);
    anchor e = anchorof(100, 100), f = anchorof(104, 100);
    npc[enemy]->health = 10;    // a quarter of 40: 5 of 20 pixels
    npc[friendly]->health = 30; // three quarters: 15
    auto hasbar = [](anchor a, i32 up) { return px(a.x - 50, a.y - 78 - up) == FRAMECOLOUR; };
    // Under the mouse.
    cursoroff = (u32)cellof(100, 100);
    blank();
    drawmapview();
    expectbar(e.x - 50, e.y - 78, 20, 1, 5, 0xC000, 0x4000, "enemy under the mouse");
    EXPECT_FALSE(hasbar(f, 0));
    cursoroff = (u32)cellof(104, 100);
    blank();
    drawmapview();
    EXPECT_FALSE(hasbar(f, 0)) << "one's own unit gets none";
    EXPECT_FALSE(hasbar(e, 0)) << "nor one away from the mouse";
    viewplayer = 1;
    blank();
    drawmapview();
    EXPECT_TRUE(hasbar(f, 0)) << "whose unit it is depends on the viewing player";
    expectbar(f.x - 50, f.y - 78, 20, 1, 15, 0xC000, 0x4000, "seen by player 1");
    viewplayer = 0;
    // The leader's target, wherever the mouse is, friend or foe.
    cursoroff = 0xFFFFFFFF;
    npc[1]->target = (u8)friendly;
    blank();
    drawmapview();
    EXPECT_TRUE(hasbar(f, 0));
    EXPECT_FALSE(hasbar(e, 0));
    for (u8 none : {0, 129, 200, 255}) {
        npc[1]->target = none;
        blank();
        drawmapview();
        EXPECT_FALSE(hasbar(f, 0)) << "target " << (int)none;
        EXPECT_FALSE(hasbar(e, 0)) << "target " << (int)none;
    }
    // Raised by the surface of the item on the cell.
    viewitems[9].isused = viewitems[9].isloaded = 1;
    viewitems[9].surfaceheight = 12;
    itemmap[cellof(100, 100)] = 9;
    npc[1]->target = (u8)enemy;
    blank();
    drawmapview();
    EXPECT_FALSE(hasbar(e, 0));
    expectbar(e.x - 50, e.y - 90, 20, 1, 5, 0xC000, 0x4000, "on a raised surface");
    itemmap[cellof(100, 100)] = 0;
    // A walking enemy's bar stays behind with it, its frame at its cell.
    npc[enemy]->state = NPC_MOVING;
    npc[enemy]->facing = 8; // north: (0, -5) at step 2
    npc[enemy]->step = 2;
    blank();
    drawmapview();
    expectbar(e.x - 50, e.y - 78 + 5, 20, 1, 5, 0xC000, 0x4000, "walking north");
    EXPECT_EQ(px(e.x - 40, e.y - 25), unitink(0, 8, 5));
}

// ---- the editor ---------------------------------------------------------

TEST(MapView, InTheEditorTheViewMarksTheSelectionAndThePanelListsTheTools) {
    startview();
    gamestate = GS_EDITMAP;
    maptool = 5;
    // Markers by name: n 47, ne 48, e 49, se 50, s 51, sw 52, w 53, nw 54.
    for (int s = 47; s <= 54; s++) makesprite(s, 4, 4, (u16)(0x1000 * (s - 46) + 0x21));
    pulse = 25; // sprite alpha 32: unmixed
    selshown = 1;
    selx0 = 98, selx1 = 102, sely0 = 99, sely1 = 101;
    viewitems[9].isused = viewitems[9].isloaded = 1;
    viewitems[9].surfaceheight = 6;
    itemmap[cellof(102, 101)] = 9;
    lockvs();
    for (i32 y = 380; y < 500; y++)
        for (i32 x = 0; x < 640; x++) *vspixel(x, y) = 0x1234;
    unlockvs();
    drawmapview();
    struct mark {
        i32 x, y;
        int slot;
        i32 up;
    } marks[] = {{98, 99, 54, 0},  {100, 99, 47, 0},  {102, 99, 48, 0}, {102, 100, 49, 0},
                 {102, 101, 50, 6}, {100, 101, 51, 0}, {98, 101, 52, 0}, {98, 100, 53, 0}};
    for (const mark& m : marks) {
        anchor a = anchorof(m.x, m.y);
        EXPECT_EQ(px(a.x - 60, a.y - 30 - m.up), (u16)(0x1000 * (m.slot - 46) + 0x21)) << "cell " << m.x << ", " << m.y;
    }
    anchor inside = anchorof(100, 100);
    EXPECT_EQ(px(inside.x - 60, inside.y - 30), 0) << "no marker inside the selection";
    // The panel: cleared, then the eight tools in columns of five.
    const u16 white = (u16)(31 << 11 | 62 << 5 | 31), grey = (u16)(12 << 11 | 24 << 5 | 12), red = (u16)(28 << 11 | 8 << 5 | 4);
    for (int t = 0; t < 8; t++) {
        i32 x = t < 5 ? 2 : 122, y = 402 + 16 * (t < 5 ? t : t - 5);
        EXPECT_EQ(px(x, y), t == 5 ? white : grey) << "tool " << t;
        if (t < 5) {
            EXPECT_EQ(px(x - 1, y), 0) << "tool " << t << " starts at its column";
        }
    }
    EXPECT_EQ(px(300, 470), 0) << "the panel is cleared first";
    EXPECT_EQ(px(300, 399), 0x1234) << "above the panel nothing is cleared";
    i32 rightmost = -1;
    for (i32 x = 560; x < 640; x++)
        if (px(x, 450) == red) rightmost = x;
    EXPECT_EQ(rightmost, 639) << "the hint ends at the screen's right edge";
    EXPECT_EQ(textclamp, 1) << "text keeps to its frame again after the view";
    // Without the selection, no markers.
    selshown = 0;
    blank();
    drawmapview();
    anchor corner = anchorof(98, 99);
    EXPECT_EQ(px(corner.x - 60, corner.y - 30), 0);
}

// ---- two rules of the fight the view shows ------------------------------

TEST(MapViewRules, DamageOfATypeWhoseMaximumIsBelowItsMinimumIsTheMinimum) {
    startview();
    resetgamerandom();
    viewunits[5].damagemin = 9;
    viewunits[5].damagemax = 3;
    int victim = put(0, 50, 50, NPC_IDLE);
    int attacker = put(1, 51, 50, NPC_ATTACKING);
    npc[attacker]->unitno = 5;
    npc[attacker]->destx = 50, npc[attacker]->desty = 50, npc[attacker]->destoff = (u16)cellof(50, 50);
    int hits = 0, misses = 0;
    for (int round = 0; round < 60; round++) {
        cleardamagenumbers();
        npc[victim]->health = 1000;
        npc[victim]->state = NPC_IDLE;
        resolveattack(attacker);
        i32 dealt = 1000 - npc[victim]->health;
        if (dealt == 0) {
            misses++;
            continue;
        }
        hits++;
        EXPECT_EQ(dealt, 9) << "round " << round;
        EXPECT_EQ(damagenumber[0].value, 9);
    }
    EXPECT_GT(hits, 10);
    EXPECT_GT(misses, 10);
    viewunits[5].damagemin = viewunits[5].damagemax = 4;
    for (int round = 0; round < 20; round++) {
        npc[victim]->health = 1000;
        resolveattack(attacker);
        EXPECT_TRUE(npc[victim]->health == 1000 || npc[victim]->health == 996) << npc[victim]->health;
    }
}

TEST(MapViewRules, ATargetPastTheLastSlotIsNone) {
    startview();
    int leader = put(0, 50, 50, NPC_IDLE);
    ASSERT_EQ(leader, 1);
    npc[128]->isused = 1; // the last slot, next to the leader
    npc[128]->player = 3;
    npc[128]->x = 51, npc[128]->y = 50, npc[128]->mapoff = (u32)cellof(51, 50);
    npc[128]->state = NPC_IDLE;
    npcmap[cellof(51, 50)] = 128;
    npc[1]->fatigue = 50;
    npc[1]->target = 128;
    npcactivity(1);
    EXPECT_EQ(npc[1]->state, NPC_ATTACKING) << "slot 128 is a unit";
    for (u8 t : {129, 130, 200, 255}) {
        npc[1]->state = NPC_IDLE;
        npc[1]->target = t;
        npcactivity(1);
        EXPECT_EQ(npc[1]->state, NPC_IDLE) << "target " << (int)t;
        // On its way: an arrival looks for its target too.
        npc[1]->state = NPC_MOVING;
        npc[1]->step = 0;
        npcactivity(1);
        EXPECT_NE(npc[1]->state, NPC_ATTACKING) << "target " << (int)t;
    }
}
