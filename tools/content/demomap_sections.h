#pragma once
// First tiles of the terrain sections the demo map uses (16 tiles each).
constexpr int TERRAIN_GRASS = 16 * 3;
constexpr int TERRAIN_MEADOW = 16 * 5;
constexpr int TERRAIN_DIRT = 16 * 10;
constexpr int TERRAIN_ROAD = 16 * 15;
constexpr int TERRAIN_COBBLES = 16 * 17;
constexpr int TERRAIN_FLAGSTONE = 16 * 20;
constexpr int TERRAIN_BOARDS = 16 * 23;
constexpr int TERRAIN_SAND = 16 * 26;
constexpr int TERRAIN_WATER = 16 * 30;
constexpr int TERRAIN_ROCK = 16 * 35;
constexpr int TERRAIN_FORESTFLOOR = 16 * 38;
constexpr int TERRAIN_DUNGEON = 16 * 44;
