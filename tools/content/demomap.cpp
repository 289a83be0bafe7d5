#include "tools/content/demomap.h"

#include <cstdio>
#include <cstring>

#include "tools/content/demomap_land.h"
#include "tools/content/mappainter.h"
#include "tools/content/fileout.h"
#include "tools/content/itemcatalog.h"
#include "world/lebytes.h"

namespace {

constexpr int AREA0 = 70, AREA1 = 170; // the playable square, border wall included

void ground(painter& p) {
    p.land(AREA0, AREA0, AREA1, AREA1, LAND_GRASS);
    u32 s = 7;
    for (int k = 0; k < 40; k++) { // meadow patches
        int cx = AREA0 + 4 + (int)(rnd(s) % 90), cy = AREA0 + 4 + (int)(rnd(s) % 90), r = 2 + (int)(rnd(s) % 4);
        for (int y = cy - r; y <= cy + r; y++)
            for (int x = cx - r; x <= cx + r; x++)
                if (x > AREA0 && x < AREA1 && y > AREA0 && y < AREA1 && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    p.m.land[y * 256 + x] = landtile(LAND_MEADOW, x, y);
    }
    p.land(AREA0 + 1, 140, 104, AREA1 - 1, LAND_FORESTFLOOR); // the south-west woods
    p.land(135, AREA0 + 1, AREA1 - 1, 100, LAND_FORESTFLOOR); // the north-east woods
    p.land(142, 142, 160, 160, LAND_DIRT);                   // the enemy camp
    p.land(78, 78, 98, 96, LAND_ROCK);                        // the ruin's hill
    p.land(150, 108, 162, 122, LAND_WATER);                   // a pond
    p.land(148, 106, 164, 107, LAND_SAND);
    p.land(148, 123, 164, 124, LAND_SAND);
}

void roads(painter& p) {
    p.land(114, 129, 116, AREA1 - 1, LAND_ROAD); // south from the gate
    p.land(116, 150, 141, 152, LAND_ROAD);       // east to the camp
    p.land(88, 97, 90, 116, LAND_ROAD);          // north to the ruin
    p.land(90, 115, 104, 117, LAND_ROAD);        // west from the keep
}

void keep(painter& p) {
    // The leader starts at (115, 117) in the hall, which opens onto the
    // courtyard: nothing tall stands on the cells drawn in front of him.
    p.land(106, 109, 125, 127, LAND_COBBLES);
    p.land(106, 109, 118, 118, LAND_FLAGSTONE); // the hall
    p.land(120, 109, 125, 114, LAND_BOARDS);    // the store room
    p.wallbox(105, 108, 126, 128, ITEM_WALL_STONE);
    p.wallline(119, 109, 119, 115, ITEM_WALL_WOOD); // the store room's walls
    p.wallline(119, 115, 125, 115, ITEM_WALL_WOOD);
    p.opening(115, 128, ITEM_GATE_X_OPEN);       // the south gate
    p.opening(105, 116, ITEM_ARCH_STONE_Y);       // the west arch
    p.opening(119, 112, ITEM_DOORWAY_WOOD_Y);
    p.opening(122, 115, ITEM_DOORWAY_WOOD_X);
    p.item(108, 109, ITEM_TORCH_X_FRAME0);
    p.item(113, 109, ITEM_TORCH_X_FRAME0 + 2);
    p.item(121, 109, ITEM_TORCH_X_FRAME0 + 1);
    p.item(110, 112, ITEM_TABLE_X);
    p.item(110, 111, ITEM_CHAIR_YPLUS);
    p.item(110, 113, ITEM_CHAIR_YMINUS);
    p.item(107, 110, ITEM_SHELF_Y);
    p.item(113, 115, ITEM_BED_X);
    // The tall east and south walls hide what stands a few cells behind
    // them, so the chests keep to the west side of their rooms.
    p.item(121, 110, ITEM_CHEST_X_CLOSED);
    p.item(107, 114, ITEM_CHEST_Y_CLOSED);
    p.item(124, 111, ITEM_CRATES_STACK);
    p.item(122, 113, ITEM_POTION);
    p.item(110, 122, ITEM_WELL);
    p.item(121, 124, ITEM_BRAZIER_FRAME0);
    p.item(109, 126, ITEM_WATER_BARREL);
    p.item(124, 120, ITEM_GOLD);
}

void ruin(painter& p) {
    p.land(80, 80, 96, 94, LAND_DUNGEON);
    p.wallline(80, 80, 96, 80, ITEM_WALL_LOWSTONE);
    p.wallline(80, 80, 80, 94, ITEM_WALL_LOWSTONE);
    p.wallline(96, 80, 96, 86, ITEM_WALL_STONE);
    p.wallline(86, 94, 96, 94, ITEM_WALL_LOWSTONE);
    for (int k = 0; k < 4; k++) p.item(84 + 3 * k, 84, k % 2 ? ITEM_PILLAR_BROKEN : ITEM_PILLAR);
    p.item(88, 82, ITEM_ALTAR);
    p.item(83, 90, ITEM_TOMBSTONE);
    p.item(85, 91, ITEM_TOMBSTONE);
    p.item(90, 90, ITEM_BONES);
    p.item(93, 88, ITEM_CHEST_Y_CLOSED);
    p.item(86, 82, ITEM_BRAZIER_FRAME0 + 1);
    p.item(91, 82, ITEM_GOLD);
}

void camp(painter& p) {
    p.large(147, 146, ITEM_TENT, 2, 2);
    p.large(157, 147, ITEM_TENT, 2, 2);
    p.large(152, 158, ITEM_TENT, 2, 2);
    p.item(151, 151, ITEM_CAMPFIRE_FRAME0);
    p.item(144, 156, ITEM_CRATE);
    p.item(158, 153, ITEM_BARRELS_PAIR);
    p.item(149, 155, ITEM_CHEST_X_CLOSED);
    p.item(155, 150, ITEM_GOLD);
    p.item(146, 143, ITEM_POTION);
    p.wallline(141, 141, 161, 141, ITEM_WALL_FENCE);
    p.wallline(141, 141, 141, 149, ITEM_WALL_FENCE);
}

void woods(painter& p) {
    static const int trees[] = {ITEM_TREE_OAK, ITEM_TREE_OAK2, ITEM_TREE_PINE, ITEM_TREE_PINE2, ITEM_TREE_DEAD};
    u32 s = 99;
    auto plant = [&](int x0, int y0, int x1, int y1, int count) {
        for (int k = 0; k < count; k++) {
            int x = x0 + (int)(rnd(s) % (u32)(x1 - x0)), y = y0 + (int)(rnd(s) % (u32)(y1 - y0));
            int t = trees[rnd(s) % 5];
            if (p.roomfor(x, y, 2, 2) && p.roomfor(x + 1, y + 1, 4, 4)) p.large(x, y, t, 2, 2);
        }
    };
    plant(AREA0 + 3, 142, 103, AREA1 - 2, 90);
    plant(137, AREA0 + 3, AREA1 - 2, 99, 90);
    plant(AREA0 + 3, 100, 100, 139, 14);
    for (int k = 0; k < 70; k++) {
        int x = AREA0 + 2 + (int)(rnd(s) % 96), y = AREA0 + 2 + (int)(rnd(s) % 96);
        if (!p.empty(x, y) || p.m.land[y * 256 + x] == landtile(LAND_ROAD, x, y)) continue;
        int pick = (int)(rnd(s) % 4);
        p.item(x, y, pick == 0 ? ITEM_ROCK_FIRST + (int)(rnd(s) % ITEM_ROCK_COUNT)
                     : pick == 1 ? ITEM_FLOWERS_FIRST + (int)(rnd(s) % ITEM_FLOWERS_COUNT)
                                 : ITEM_BUSH_FIRST + (int)(rnd(s) % ITEM_BUSH_COUNT));
    }
}

// The leader's companions; the mission start stands them in the formation
// beside him, so the cells given here only need to be free.
void party(painter& p) {
    p.unit(0, 3, 117, 117, 1, 0, "Wren");   // a thief: Hide in Shadows
    p.unit(0, 5, 119, 117, 1, 0, "Aldous"); // a cleric: Heal and Raise Dead
    p.unit(0, 2, 121, 117, 1, 0, "Tamsin"); // an archer
}

void enemies(painter& p) {
    // Player 1 holds the camp, player 2 the ruin, player 3 roams the woods.
    p.unit(1, 6, 150, 149, 7);
    p.unit(1, 6, 153, 153, 7);
    p.unit(1, 2, 145, 152, 8);
    p.unit(1, 2, 156, 156, 8);
    p.unit(1, 9, 152, 147, 6);
    p.unit(1, 3, 160, 144, 6);
    p.unit(2, 4, 88, 85, 5);
    p.unit(2, 0, 84, 88, 5);
    p.unit(2, 0, 91, 89, 5);
    p.unit(2, 0, 86, 92, 4);
    p.unit(2, 5, 90, 86, 5);
    p.unit(3, 7, 145, 85, 6);
    p.unit(3, 8, 150, 90, 6);
    p.unit(3, 2, 95, 150, 2);
    p.unit(3, 10, 90, 155, 2);
    p.unit(3, 11, 140, 125, 7);
    p.unit(3, 3, 100, 132, 1, 1); // starts hidden, so the shadow rules have someone to work on
    // A raiding band on the road south of the gate, near enough to the
    // leader's start to come for him at once.
    p.unit(3, 7, 112, 137, 1);
    p.unit(3, 0, 118, 138, 1);
    p.unit(3, 2, 122, 135, 8);
    p.unit(3, 4, 108, 139, 2);
}

} // namespace

bool costspassage(u16 item) {
    return (item >= ITEM_ROCK_FIRST && item < ITEM_ROCK_FIRST + ITEM_ROCK_COUNT) || item == ITEM_BARREL ||
           item == ITEM_BARRELS_PAIR || item == ITEM_CRATE || item == ITEM_CRATES_STACK || item == ITEM_WATER_BARREL ||
           item == ITEM_STUMP || item == ITEM_LOG_X || item == ITEM_LOG_Y ||
           item == ITEM_BENCH_X || item == ITEM_BENCH_Y || item == ITEM_PILLAR_BROKEN;
}

void builddemomap(demomap& m, const unitmaxima* types) {
    m.land.assign(65536, 0);
    m.item.assign(65536, 0);
    m.npcs.assign(129 * 156, 0);
    std::memset(m.header, 0, sizeof m.header);
    painter p{m, std::vector<u8>(65536, 0), types};
    ground(p);
    roads(p);
    p.wallbox(AREA0, AREA0, AREA1, AREA1, ITEM_WALL_HEDGE);
    keep(p);
    ruin(p);
    camp(p);
    woods(p);
    p.setwalls();
    clearchokes(p);
    party(p);
    enemies(p);
    // The leader's start, in the keep's hall; the party forms up eastward
    // from it, two cells apart.
    m.header[0] = 115;
    m.header[4] = 117;
    m.header[8] = 1;
    for (int q = 1; q < 4; q++) {
        m.header[q] = (u8)(q == 1 ? 150 : q == 2 ? 88 : 145);
        m.header[4 + q] = (u8)(q == 1 ? 150 : q == 2 ? 86 : 88);
    }
}

bool readunitmaxima(const GenContext& ctx, unitmaxima* types, std::string& why) {
    for (int n = 0; n < 12; n++) {
        std::string path = data_path(ctx, "units/unit" + std::to_string(n) + ".dat");
        std::FILE* f = std::fopen(path.c_str(), "rb");
        u8 rec[1280];
        bool ok = f && std::fread(rec, 1, sizeof rec, f) == sizeof rec;
        if (f) (void)std::fclose(f); // read only: nothing to lose
        if (!ok) {
            why = "cannot read " + path + " (the units step comes first)";
            return false;
        }
        types[n] = {(i16)getu32(rec + 1056), (i16)getu32(rec + 1060), (i16)rec[1085]};
    }
    return true;
}

bool writemapset(const GenContext& ctx, const std::string& name, const demomap& m, std::string& why) {
    std::vector<u8> main(262144);
    for (int i = 0; i < 65536; i++) {
        putu16(&main[i * 2], m.land[i]);
        putu16(&main[131072 + i * 2], m.item[i]);
    }
    return write_bytes(data_path(ctx, "maps/" + name + ".dat"), main, why) &&
           write_bytes(data_path(ctx, "maps/" + name + ".npc"), m.npcs, why) &&
           write_bytes(data_path(ctx, "maps/" + name + ".map"), std::vector<u8>(m.header, m.header + 128), why);
}

bool gen_demomap(const GenContext& ctx, std::string& why) {
    unitmaxima types[12];
    if (!readunitmaxima(ctx, types, why)) return false;
    demomap m;
    builddemomap(m, types);
    return writemapset(ctx, "map0", m, why);
}
