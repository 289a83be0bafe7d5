#pragma once
// What the generated maps are painted with: land by kind, items, walls that
// join their neighbours, and units with their records filled in.
#include <cstring>
#include <vector>

#include "tools/content/demomap.h"
#include "tools/content/demomap_land.h"
#include "tools/content/itemcatalog.h"
#include "world/lebytes.h"

struct painter {
    demomap& m;
    std::vector<u8> wall;   // the wall material standing on each cell, 0 for none
    const unitmaxima* types;
    int nextslot[4] = {2, 33, 65, 97}; // slot 1 is the leader's, made at the mission start

    void land(int x0, int y0, int x1, int y1, landkind k) {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) m.land[y * 256 + x] = landtile(k, x, y);
    }
    void item(int x, int y, int n) { m.item[y * 256 + x] = (u16)n; }
    bool empty(int x, int y) const { return m.item[y * 256 + x] == 0 && wall[y * 256 + x] == 0; }
    // A large item with its first part on (x, y); the others up and left of it.
    void large(int x, int y, int first, int xs, int ys) {
        for (int i = 0; i < ys; i++)
            for (int j = 0; j < xs; j++) item(x - j, y - i, first + i * xs + j);
    }
    bool roomfor(int x, int y, int xs, int ys) const {
        for (int i = 0; i < ys; i++)
            for (int j = 0; j < xs; j++)
                if (!empty(x - j, y - i)) return false;
        return true;
    }
    void wallline(int x0, int y0, int x1, int y1, u8 material) {
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) wall[y * 256 + x] = material;
    }
    void wallbox(int x0, int y0, int x1, int y1, u8 material) {
        wallline(x0, y0, x1, y0, material);
        wallline(x0, y1, x1, y1, material);
        wallline(x0, y0, x0, y1, material);
        wallline(x1, y0, x1, y1, material);
    }
    void opening(int x, int y, int n) {
        wall[y * 256 + x] = 0;
        item(x, y, n);
    }
    // Every wall cell gets the piece that joins the walls of its material
    // standing beside it.
    void setwalls() {
        for (int y = 1; y < 255; y++)
            for (int x = 1; x < 255; x++) {
                u8 w = wall[y * 256 + x];
                if (!w) continue;
                int mask = 0;
                auto joins = [&](int dx, int dy) {
                    u8 o = wall[(y + dy) * 256 + x + dx];
                    u16 it = m.item[(y + dy) * 256 + x + dx];
                    return o == w || (it >= ITEM_ARCH_STONE_X && it <= ITEM_FENCEGATE_Y_OPEN);
                };
                if (joins(1, 0)) mask |= WALL_JOIN_XPLUS;
                if (joins(-1, 0)) mask |= WALL_JOIN_XMINUS;
                if (joins(0, 1)) mask |= WALL_JOIN_YPLUS;
                if (joins(0, -1)) mask |= WALL_JOIN_YMINUS;
                item(x, y, wall_piece(w, mask));
            }
    }
    // A unit stands on the free cell nearest the one asked for.
    void unit(int player, u32 type, int x, int y, u8 facing, u8 hidden = 0, const char* name = nullptr) {
        for (int r = 0; r < 6 && !(empty(x, y) && m.land[y * 256 + x]); r++)
            for (int dy = -r; dy <= r; dy++)
                for (int dx = -r; dx <= r; dx++)
                    if (empty(x + dx, y + dy) && m.land[(y + dy) * 256 + x + dx] && !(empty(x, y) && m.land[y * 256 + x])) {
                        x += dx;
                        y += dy;
                    }
        int slot = nextslot[player]++;
        u8* r = &m.npcs[(size_t)slot * 156];
        std::memset(r, 0, 156);
        putu32(r + 0, (u32)(y * 256 + x));
        putu16(r + 4, (u16)x);
        putu16(r + 6, (u16)y);
        r[8] = facing;
        putu32(r + 12, type);
        putu16(r + 16, (u16)types[type].health);
        putu16(r + 18, (u16)types[type].health);
        putu16(r + 20, (u16)types[type].fatigue);
        putu16(r + 22, (u16)types[type].fatigue);
        r[24] = (u8)player;
        putu16(r + 32, (u16)types[type].magic);
        putu16(r + 34, (u16)types[type].magic);
        r[36] = hidden;
        r[40] = 1;
        if (name) std::strncpy((char*)r + 50, name, 18);
        r[71] = 1;
    }
};

inline u32 rnd(u32& s) {
    s = s * 1103515245u + 12345u;
    return (s >> 16) & 0x7FFF;
}


// Hunters cannot hack through an obstacle that costs passage, so one must
// never stand where it is needed: every such item keeps its eight
// neighbours free land, and a path can always step round it.
inline void clearchokes(painter& p) {
    auto freecell = [&](int x, int y) {
        return p.empty(x, y) && p.m.land[y * 256 + x] != 0 && p.m.land[y * 256 + x] != landtile(LAND_WATER, x, y);
    };
    for (int y = 1; y < 255; y++)
        for (int x = 1; x < 255; x++) {
            if (!costspassage(p.m.item[y * 256 + x])) continue;
            bool clear = true;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if ((dx || dy) && !freecell(x + dx, y + dy)) clear = false;
            if (!clear) p.m.item[y * 256 + x] = 0;
        }
}

