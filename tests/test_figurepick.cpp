// A click anywhere on an enemy's figure picks the enemy: every opaque pixel
// of the shipped standing frames, drawn where the map view puts them, is
// run through the cursor picking.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/input.h"
#include "commandworld.h"
#include "game/cursorchoice.h"
#include "game/missionstate.h"
#include "tools/content/unitcompile.h"
#include "tools/content/unitdraw.h"
#include "view/mapview.h"
#include "view/viewpos.h"
#include "world/cells.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/grids.h"
#include "world/viewtables.h"

namespace {

struct Spot {
    int x, y;
};

// The opaque pixels of a frame, relative to its top-left corner.
std::vector<Spot> pixels_of(const std::vector<u8>& f) {
    std::vector<Spot> out;
    u32 at = 0, pos = 0;
    while (at + 3 <= f.size()) {
        pos += (u32)(f[at] | f[at + 1] << 8);
        u32 n = f[at + 2];
        at += 3;
        for (u32 i = 0; i < n; ++i, ++pos, at += 2) out.push_back({(int)(pos % 768), (int)(pos / 768)});
    }
    return out;
}

std::vector<u8> standing_frame(int set, int facing) {
    std::vector<u8> code;
    EXPECT_TRUE(compile_unit_frame(unit_bitmap_of(draw_unit_bitmap(set, 2, facing, 0)), 2, facing, 0, &code));
    return code;
}

// The frames of one set, put where the game keeps the sets it has loaded,
// and taken out again.
struct InstalledSet {
    int set;
    std::vector<std::vector<u8>> codes;
    u32* keptdir;
    std::vector<u32> dir;
    InstalledSet(int s, const std::vector<std::pair<int, std::vector<u8>>>& frames) : set(s) {
        keptdir = unitpicdir;
        dir.assign((size_t)NUMUNITTYPES * 768, 0);
        if (keptdir) std::copy(keptdir, keptdir + dir.size(), dir.begin());
        unitpicdir = dir.data();
        for (const auto& [i, code] : frames) {
            codes.push_back(code);
            unitframe[set][i] = codes.back().data();
            dir[(size_t)set * 768 + UNITFRAMES + i] = (u32)code.size();
        }
        unitpicloaded[set] = 1;
    }
    ~InstalledSet() {
        for (u8*& f : unitframe[set]) f = nullptr;
        unitpicloaded[set] = 0;
        unitpicdir = keptdir;
    }
};

// Where the map view puts the top-left corner of the frame of a unit on (x, y).
Spot frame_corner(i32 x, i32 y) {
    int sq = squareof(x - scx + 20, y - scy + 20);
    EXPECT_GE(sq, 0);
    return {vss[sq].x - 80, vss[sq].y - 90};
}

// How many opaque pixels of the frame pick some other cell than the figure's.
int misses(const std::vector<u8>& frame, i32 x, i32 y, u32 want, std::string* first) {
    Spot c = frame_corner(x, y);
    int missed = 0;
    for (Spot p : pixels_of(frame)) {
        mousex = c.x + p.x;
        mousey = c.y + p.y;
        pickcursor();
        if (cursoroff == want && cursormode == 5) continue;
        if (!missed++)
            *first = "frame pixel (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") picks " +
                     std::to_string((int)(cursoroff % 256)) + "," + std::to_string((int)(cursoroff / 256)) +
                     " mode " + std::to_string(cursormode);
    }
    return missed;
}

}  // namespace

TEST(FigurePick, EveryPixelOfAnEnemyFigurePicksIt) {
    for (int set = 0; set < NUMUNITTYPES; ++set)
        for (int facing = 0; facing < 8; ++facing) {
            startcommandworld();
            placeunit(1, 0, 96, 100);
            int foe = placeunit(0, 1, 103, 103);
            std::vector<u8> frame = standing_frame(set, facing);
            ASSERT_GT(pixels_of(frame).size(), 300u);
            InstalledSet shipped(set, {{unitframeindex(ACTION_STAND, facing, 0), frame}});
            unittype[0]->picno = (u8)set;
            npc[foe]->facing = (u8)(facing + 1);
            npc[foe]->frame = 0;
            std::string first;
            EXPECT_EQ(misses(frame, 103, 103, npc[foe]->mapoff, &first), 0)
                << "set " << set << " facing " << facing << ": " << first;
        }
}

// The leader's feet are on his own cell.
TEST(FigurePick, TheLeadersFeetAreOnHisOwnCell) {
    startcommandworld();
    int leader = placeunit(1, 0, 100, 100);
    std::vector<u8> frame = standing_frame(1, 3);
    int lowest = 0;
    for (Spot p : pixels_of(frame)) lowest = std::max(lowest, p.y);
    Spot c = frame_corner(100, 100);
    mousex = c.x + 40;
    mousey = c.y + lowest - 2;
    pickcursor();
    EXPECT_EQ(cursoroff, npc[leader]->mapoff);
    EXPECT_EQ(cursormode, 11) << "nothing to do on the commanded unit's own bare cell";
}

// The top of a head lies three cells above the figure's own: only the
// picture tells it is there, and only while the player can see the figure;
// his own figures he always knows.
TEST(FigurePick, AHeadCatchesTheMouseOnlyWhileItIsSeen) {
    startcommandworld();
    placeunit(1, 0, 96, 100);
    int foe = placeunit(0, 1, 103, 103);
    std::vector<u8> frame = standing_frame(1, 3);
    InstalledSet shipped(1, {{unitframeindex(ACTION_STAND, 3, 0), frame}});
    unittype[0]->picno = 1;
    npc[foe]->facing = 4;
    npc[foe]->frame = 0;
    Spot top{0, 1000};
    for (Spot p : pixels_of(frame))
        if (p.y < top.y) top = p;
    Spot c = frame_corner(103, 103);
    mousex = c.x + top.x;
    mousey = c.y + top.y + 1;
    pickcursor();
    ASSERT_EQ(cursoroff, npc[foe]->mapoff);
    u32 behind = (u32)cellof(100, 100);
    npc[foe]->hidden = 1;
    pickcursor();
    EXPECT_EQ(cursoroff, behind) << "a hidden figure";
    EXPECT_EQ(cursormode, 1);
    npc[foe]->hidden = 0;
    vistoplayer[0][npc[foe]->mapoff] = 0;
    pickcursor();
    EXPECT_EQ(cursoroff, behind) << "a figure on a cell the player does not see";
    vistoplayer[0][npc[foe]->mapoff] = 1;
    npc[foe]->player = 0;
    pickcursor();
    EXPECT_EQ(cursoroff, npc[foe]->mapoff) << "the player's own figure";
    EXPECT_EQ(cursormode, 7) << "another of the player's units, selected by a click";
    npc[foe]->hidden = 1;
    pickcursor();
    EXPECT_EQ(cursoroff, npc[foe]->mapoff) << "the player knows where his hidden units are";
}
