#pragma once
// The land tiles, terrain/terrain.raw: NUMLANDTYPES diamonds of TILEPIXELS
// 5-5-5 pixels each, row by row as tilerow lays them out. Tiles come in
// sections of 16, each section one ground drawn as a 4 x 4 patch of cells
// (section_cell says which tile is which cell) that also wraps.
#include <array>
#include <string>
#include <vector>

#include "tools/content/gen.h"
#include "world/itemtype.h"

constexpr int kSectionTiles = 16;
constexpr int kTerrainSections = NUMLANDTYPES / kSectionTiles;  // 80
constexpr int kNoLandTile = 0;  // the editor's mark for a cell without land
constexpr int kBlankTile = 1;
constexpr int kVoidTile = 2;     // what a mission shows where a map has no land
constexpr int kFloorTile = NUMLANDTYPES - 1;  // the unit editor's neutral floor

using Tile = std::array<u16, TILEPIXELS>;

// The patch column and row of tile k (0..15) of a section.
void section_cell(int k, int* cx, int* cy);
std::vector<Tile> draw_terrain();
std::vector<u8> terrain_bytes(const std::vector<Tile>& tiles);
bool gen_terrain(const GenContext& ctx, std::string& why);
