#pragma once
// First tiles of the terrain sections the demo map uses (16 tiles each).
constexpr int TERRAIN_GRASS = 16 * 3;
constexpr int TERRAIN_MEADOW = 16 * 6;
constexpr int TERRAIN_DIRT = 16 * 10;
constexpr int TERRAIN_ROAD = 16 * 12;
constexpr int TERRAIN_COBBLES = 16 * 13;
constexpr int TERRAIN_FLAGSTONE = 16 * 14;
constexpr int TERRAIN_BOARDS = 16 * 15;
constexpr int TERRAIN_FORESTFLOOR = 16 * 20;
constexpr int TERRAIN_SAND = 16 * 16;
constexpr int TERRAIN_WATER = 16 * 18;
constexpr int TERRAIN_ROCK = 16 * 21;
constexpr int TERRAIN_DUNGEON = 16 * 22;
