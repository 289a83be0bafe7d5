#pragma once
// The item numbers the content generator fills, for anything that places
// items on a map. The numbers are part of the saved map format: once a map
// uses one it must keep meaning the same thing, so add, never renumber.

// A wall piece is its material's first number plus a mask of the map
// directions it joins its neighbours in; mask 0 is a lone post.
constexpr int WALL_JOIN_XPLUS = 1;   // towards map x + 1
constexpr int WALL_JOIN_XMINUS = 2;  // towards map x - 1
constexpr int WALL_JOIN_YPLUS = 4;   // towards map y + 1
constexpr int WALL_JOIN_YMINUS = 8;  // towards map y - 1
constexpr int WALL_PIECES = 16;

constexpr int ITEM_WALL_STONE = 1;      // tall, blocks sight and passage
constexpr int ITEM_WALL_WOOD = 17;      // tall plank wall
constexpr int ITEM_WALL_LOWSTONE = 33;  // knee-high: walls that neither block sight nor passage
constexpr int ITEM_WALL_FENCE = 49;     // wooden rail fence, as low walls
constexpr int ITEM_WALL_HEDGE = 65;     // clipped hedge, blocks like a tall wall

constexpr int wall_piece(int material, int mask) { return material + mask; }

constexpr int ITEM_WALL_X_STRAIGHT = ITEM_WALL_STONE + (WALL_JOIN_XPLUS | WALL_JOIN_XMINUS);
constexpr int ITEM_WALL_Y_STRAIGHT = ITEM_WALL_STONE + (WALL_JOIN_YPLUS | WALL_JOIN_YMINUS);
constexpr int ITEM_WALL_CROSS = ITEM_WALL_STONE + 15;
constexpr int ITEM_WALL_POST = ITEM_WALL_STONE;
constexpr int ITEM_WOODWALL_X_STRAIGHT = ITEM_WALL_WOOD + 3;
constexpr int ITEM_WOODWALL_Y_STRAIGHT = ITEM_WALL_WOOD + 12;
constexpr int ITEM_FENCE_X_STRAIGHT = ITEM_WALL_FENCE + 3;
constexpr int ITEM_FENCE_Y_STRAIGHT = ITEM_WALL_FENCE + 12;

// Openings, each in a wall running along map x ("_X") or map y ("_Y").
constexpr int ITEM_ARCH_STONE_X = 81;
constexpr int ITEM_ARCH_STONE_Y = 82;
constexpr int ITEM_DOORWAY_WOOD_X = 83;
constexpr int ITEM_DOORWAY_WOOD_Y = 84;
constexpr int ITEM_GATE_X_CLOSED = 85;
constexpr int ITEM_GATE_X_OPEN = 86;
constexpr int ITEM_GATE_Y_CLOSED = 87;
constexpr int ITEM_GATE_Y_OPEN = 88;
constexpr int ITEM_FENCEGATE_X_CLOSED = 89;
constexpr int ITEM_FENCEGATE_X_OPEN = 90;
constexpr int ITEM_FENCEGATE_Y_CLOSED = 91;
constexpr int ITEM_FENCEGATE_Y_OPEN = 92;

// Light sources, each a cycle of LIGHT_FRAMES consecutive numbers.
constexpr int LIGHT_FRAMES = 4;
constexpr int ITEM_TORCH_X_FRAME0 = 96;   // on the back edge of a cell, against a wall along x
constexpr int ITEM_TORCH_Y_FRAME0 = 100;  // against a wall along y
constexpr int ITEM_BRAZIER_FRAME0 = 104;
constexpr int ITEM_CAMPFIRE_FRAME0 = 108;
constexpr int ITEM_TORCH_FRAME0 = ITEM_TORCH_X_FRAME0;

// Obstacles that can be hacked through (a pass cost), and plants.
constexpr int ITEM_ROCK_FIRST = 120;  // ITEM_ROCK_COUNT variants
constexpr int ITEM_ROCK_COUNT = 8;
constexpr int ITEM_BARREL = 128;
constexpr int ITEM_BARRELS_PAIR = 129;
constexpr int ITEM_CRATE = 130;
constexpr int ITEM_CRATES_STACK = 131;
constexpr int ITEM_BUSH_FIRST = 132;  // ITEM_BUSH_COUNT variants, passable
constexpr int ITEM_BUSH_COUNT = 8;
constexpr int ITEM_FLOWERS_FIRST = 140;  // ITEM_FLOWERS_COUNT variants, passable
constexpr int ITEM_FLOWERS_COUNT = 4;
constexpr int ITEM_STUMP = 144;
constexpr int ITEM_LOG_X = 145;
constexpr int ITEM_LOG_Y = 146;

// Furniture and fittings.
constexpr int ITEM_TABLE_X = 150;
constexpr int ITEM_TABLE_Y = 151;
constexpr int ITEM_TABLE_ROUND = 152;
constexpr int ITEM_CHAIR_XPLUS = 153;  // the seat faces map x + 1
constexpr int ITEM_CHAIR_XMINUS = 154;
constexpr int ITEM_CHAIR_YPLUS = 155;
constexpr int ITEM_CHAIR_YMINUS = 156;
constexpr int ITEM_STOOL = 157;
constexpr int ITEM_BENCH_X = 158;
constexpr int ITEM_BENCH_Y = 159;
constexpr int ITEM_BED_X = 160;
constexpr int ITEM_BED_Y = 161;
constexpr int ITEM_SHELF_X = 162;  // backed against a wall along x
constexpr int ITEM_SHELF_Y = 163;
constexpr int ITEM_ALTAR = 164;
constexpr int ITEM_RUG_X = 165;
constexpr int ITEM_RUG_Y = 166;
constexpr int ITEM_WATER_BARREL = 167;
constexpr int ITEM_WELL = 168;
constexpr int ITEM_STATUE = 169;
constexpr int ITEM_SIGNPOST = 170;
constexpr int ITEM_PILLAR = 171;
constexpr int ITEM_PILLAR_BROKEN = 172;
constexpr int ITEM_TOMBSTONE = 173;
constexpr int ITEM_BONES = 174;

// Numbers the mission logic knows by heart.
constexpr int ITEM_CHEST_X_CLOSED = 175;  // opening it drops loot on map x + 1
constexpr int ITEM_CHEST_X_OPEN = 176;
constexpr int ITEM_CHEST_Y_CLOSED = 177;  // drops loot on map y + 1
constexpr int ITEM_CHEST_Y_OPEN = 178;
constexpr int ITEM_SACK = 179;
constexpr int ITEM_GOLD = 180;
constexpr int ITEM_POTION = 181;

// Large items: the first section's number; the rest follow row by row.
constexpr int ITEM_TREE_OAK = 200;    // 2 x 2
constexpr int ITEM_TREE_OAK2 = 204;   // 2 x 2
constexpr int ITEM_TREE_PINE = 208;   // 2 x 2
constexpr int ITEM_TREE_PINE2 = 212;  // 2 x 2
constexpr int ITEM_TREE_DEAD = 216;   // 2 x 2
constexpr int ITEM_HOUSE = 220;       // 3 x 3
constexpr int ITEM_COTTAGE = 230;     // 2 x 2
constexpr int ITEM_TOWER = 234;       // 2 x 2
constexpr int ITEM_TENT = 238;        // 2 x 2

// The fall of a unit: frames 0..15, the last one the body left lying.
constexpr int ITEM_REMAINS_FRAME0 = 4000;
constexpr int REMAINS_FRAMES = 16;
constexpr int ITEM_REMAINS_BODY = ITEM_REMAINS_FRAME0 + REMAINS_FRAMES - 1;
// 4016..4020 stay empty, between the remains and the light spell's glow.
constexpr int ITEM_RESERVED_FIRST = 4016;
constexpr int ITEM_RESERVED_LAST = 4020;
// The Light spell cast on an empty cell counts its glow down from the first
// number to the last, which stays on the cell and shines.
constexpr int ITEM_LIGHT_GLOW_FIRST = 4030;
constexpr int ITEM_LIGHT_GLOW_LAST = 4021;
constexpr int LIGHT_GLOW_STEPS = ITEM_LIGHT_GLOW_FIRST - ITEM_LIGHT_GLOW_LAST + 1;
