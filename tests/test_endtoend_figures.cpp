// The game run headless with the mouse on a figure: the demo's leader walks
// to the store room, a skeleton comes up to him, the game is paused, and
// the mouse goes to the skeleton's feet, waist and head and the leader's.
// Where those are is read from the run itself: the dumped units and view
// centre, the view's square table it logs and the unit pictures it loads.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "playrun.h"
#include "testenv.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readbytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned le32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (unsigned)b[at + 3] << 24;
}

struct dumped {
    int mode = -1, pickx = -1, picky = -1, scx = 0, scy = 0;
    struct unit {
        int player, type, x, y, state, facing, frame;
    };
    std::vector<std::pair<int, unit>> units;
    const unit* slot(int s) const {
        for (const auto& [n, u] : units)
            if (n == s) return &u;
        return nullptr;
    }
};

dumped readdump(const std::string& path) {
    dumped d;
    std::istringstream in(readtext(path));
    std::string line;
    while (std::getline(in, line)) {
        unsigned tick;
        int gs, cur, slot, health, magic;
        unsigned gold, frozen;
        dumped::unit u;
        if (std::sscanf(line.c_str(), "tick %u gamestate %d curnpc %d cursor %d picked %d %d view %d %d", &tick, &gs, &cur,
                        &d.mode, &d.pickx, &d.picky, &d.scx, &d.scy) == 8)
            continue;
        if (std::sscanf(line.c_str(),
                        "npc %d player %d type %d at %d %d state %d health %d magic %d gold %u frozen %u facing %d frame %d",
                        &slot, &u.player, &u.type, &u.x, &u.y, &u.state, &health, &magic, &gold, &frozen, &u.facing,
                        &u.frame) == 12)
            d.units.push_back({slot, u});
    }
    return d;
}

struct point {
    int x, y;
};

// The anchor of the view's middle square (view column and line 20), from
// the logs of the view tables the run wrote.
point middleanchor(const std::string& data) {
    std::istringstream lines(readtext(data + "/text/vsy.log"));
    std::string line;
    int firstx = -1, firstvss = -1;
    for (int l = 0; l <= 20 && std::getline(lines, line); l++) {
        int n, count;
        if (l != 20) continue;
        EXPECT_EQ(std::sscanf(line.c_str(), "Vsy line: %d firstx: %d, numofxs: %d, firstvss: %d", &n, &firstx, &count, &firstvss), 4)
            << line;
    }
    std::istringstream squares(readtext(data + "/text/vss.log"));
    for (int i = 0; std::getline(squares, line); i++) {
        int n, dir, x, y, off;
        if (i == firstvss - firstx + 20 && std::sscanf(line.c_str(), "Vss: %d dir: %d homex: %d, homey: %d, homeoff: %d", &n, &dir, &x, &y, &off) == 5)
            return {x, y};
    }
    ADD_FAILURE() << "no middle square in the logs";
    return {0, 0};
}

// The opaque pixels of the frame a unit stands in, by frame row.
std::vector<std::vector<int>> standingframe(const std::string& data, const dumped::unit& u) {
    Bytes type = readbytes(data + "/units/unit" + std::to_string(u.type) + ".dat");
    int set = type.size() > 1090 ? type[1090] : 0;
    std::string stem = data + "/units/newunitpic" + std::to_string(set);
    Bytes dir = readbytes(stem + ".dat"), raw = readbytes(stem + ".raw");
    std::vector<std::vector<int>> rows(120);
    if (dir.size() != 3072) return rows;
    int i = (2 * 8 + u.facing - 1) * 16 + u.frame;
    size_t at = le32(dir, (size_t)i * 4), end = at + (le32(dir, (size_t)(384 + i) * 4) & 0xFFFF), pos = 0;
    if (end > raw.size()) return rows;
    while (at + 3 <= end) {
        pos += raw[at] | raw[at + 1] << 8;
        size_t n = raw[at + 2];
        at += 3 + 2 * n;
        for (size_t k = 0; k < n; k++, pos++)
            if (pos / 768 < 120) rows[pos / 768].push_back((int)(pos % 768));
    }
    return rows;
}

// The window pixels a standing figure on its cell covers, row by row.
struct figurepixels {
    int top = -1, bottom = -1;
    std::vector<std::vector<point>> rows;
};

figurepixels figureon(const std::string& data, const dumped& d, const dumped::unit& u) {
    point mid = middleanchor(data);
    int rx = u.x - d.scx, ry = u.y - d.scy;
    point corner{mid.x + (rx - ry) * 20 - 80, mid.y + (rx + ry) * 10 - 90};
    std::vector<std::vector<int>> rows = standingframe(data, u);
    figurepixels f;
    f.rows.resize(rows.size());
    for (size_t r = 0; r < rows.size(); r++) {
        for (int c : rows[r]) f.rows[r].push_back({corner.x + c, corner.y + (int)r});
        if (!rows[r].empty()) f.bottom = (int)r, f.top = f.top < 0 ? (int)r : f.top;
    }
    return f;
}

bool covers(const figurepixels& f, point p) {
    for (const auto& row : f.rows)
        for (point q : row)
            if (q.x == p.x && q.y == p.y) return true;
    return false;
}

// Feet, waist and head of a figure: in each row the pixel nearest the
// figure's middle that no figure drawn in front of it covers.
std::vector<point> bodypoints(const figurepixels& f, const figurepixels* front) {
    EXPECT_GE(f.top, 0) << "the figure's frame";
    std::vector<point> out;
    for (int r : {f.bottom - 1, (f.top + f.bottom) / 2, f.top + 2}) {
        point best{-1, -1};
        int middle = 0;
        for (point q : f.rows[(size_t)std::max(r, 0)]) middle += q.x;
        if (!f.rows[(size_t)std::max(r, 0)].empty()) middle /= (int)f.rows[(size_t)std::max(r, 0)].size();
        for (point q : f.rows[(size_t)std::max(r, 0)])
            if ((!front || !covers(*front, q)) && (best.x < 0 || std::abs(q.x - middle) < std::abs(best.x - middle))) best = q;
        EXPECT_GE(best.x, 0) << "row " << r << " shows";
        out.push_back(best);
    }
    return out;
}

const char* prefix = R"(10 move 320 252
20 ldown
22 lup
40 move 580 190
50 ldown
52 lup
250 move 380 210
260 ldown
262 lup
580 key P
)";

}  // namespace

// The skeleton (slot 104) has come up to the leader (slot 1) and stands on
// the cell below his left: the mouse on its feet, waist and head shows the
// melee cursor and picks its cell, even where its head is drawn over the
// leader; on the leader's own feet the pick is his own cell.
TEST(EndToEndFigures, TheMouseOnAFigurePicksItFromFeetToHead) {
    std::string data = freshdataleaderalone("figures");
    std::string base = data + "/../figures";
    run first = play(data, std::string(prefix) + "590 dump " + base + "-paused.txt\n");
    ASSERT_EQ(first.status, 0) << first.err;
    dumped paused = readdump(base + "-paused.txt");
    const dumped::unit* foe = paused.slot(104);
    const dumped::unit* leader = paused.slot(1);
    ASSERT_TRUE(foe && leader);
    ASSERT_EQ(foe->state, 2) << "the skeleton stands";
    ASSERT_NE(foe->player, 0);
    ASSERT_EQ(leader->state, 2);
    // The skeleton stands in front of the leader: its picture covers some of his.
    figurepixels foefigure = figureon(data, paused, *foe), leaderfigure = figureon(data, paused, *leader);
    std::vector<point> at = bodypoints(foefigure, nullptr), own = bodypoints(leaderfigure, &foefigure);
    at.insert(at.end(), own.begin(), own.end());
    static const char* names[] = {"foe-feet", "foe-waist", "foe-head", "leader-feet", "leader-waist", "leader-head"};
    std::string script = prefix;
    for (size_t i = 0; i < at.size(); i++) {
        int t = 600 + 20 * (int)i;
        script += std::to_string(t) + " move " + std::to_string(at[i].x) + " " + std::to_string(at[i].y) + "\n" +
                  std::to_string(t + 10) + " dump " + base + "-" + names[i] + ".txt\n" + std::to_string(t + 11) +
                  " shot " + base + "-" + names[i] + ".png\n";
    }
    std::string again = freshdataleaderalone("figures2");
    run second = play(again, script);
    ASSERT_EQ(second.status, 0) << second.err;
    for (int i = 0; i < 3; i++) {
        dumped d = readdump(base + "-" + names[i] + ".txt");
        SCOPED_TRACE(std::string(names[i]) + " at " + std::to_string(at[(size_t)i].x) + "," + std::to_string(at[(size_t)i].y));
        EXPECT_EQ(d.mode, 5) << "the melee cursor";
        EXPECT_EQ(d.pickx, foe->x);
        EXPECT_EQ(d.picky, foe->y);
    }
    for (int i = 3; i < 6; i++) {
        dumped d = readdump(base + "-" + names[i] + ".txt");
        SCOPED_TRACE(std::string(names[i]) + " at " + std::to_string(at[(size_t)i].x) + "," + std::to_string(at[(size_t)i].y));
        EXPECT_EQ(d.pickx, leader->x) << "the leader's own cell, not the skeleton's beside it";
        EXPECT_EQ(d.picky, leader->y);
        EXPECT_NE(d.mode, 5);
    }
}
