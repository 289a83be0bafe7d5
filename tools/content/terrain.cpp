#include "tools/content/terrain.h"

#include "tools/content/fileout.h"
#include "tools/content/sheet.h"
#include "tools/content/terrain_sections.h"
#include "tools/content/terrain_sheet.h"
#include "tools/content/terrain_special.h"
#include "tools/content/terrain_tile.h"

std::vector<Tile> draw_terrain() {
    std::vector<Tile> tiles(NUMLANDTYPES);
    for (int s = 0; s < kTerrainSections; ++s) {
        const GroundSection& g = ground_section(s);
        for (int k = 0; k < kSectionTiles; ++k)
            tiles[s * kSectionTiles + k] = paint_tile(g.paint, g.seed, g.tint, k % kPatch, k / kPatch);
    }
    tiles[kNoLandTile] = no_land_tile();
    tiles[kBlankTile] = blank_tile();
    tiles[kVoidTile] = void_tile();
    return tiles;
}

std::vector<u8> terrain_bytes(const std::vector<Tile>& tiles) {
    std::vector<u8> out;
    out.reserve(tiles.size() * TILEBYTES);
    for (const Tile& t : tiles)
        for (u16 p : t) {
            out.push_back(static_cast<u8>(p & 0xff));
            out.push_back(static_cast<u8>(p >> 8));
        }
    return out;
}

bool gen_terrain(const GenContext& ctx, std::string& why) {
    std::vector<Tile> tiles = draw_terrain();
    if (!make_dirs(data_path(ctx, "terrain"), why)) return false;
    if (!write_bytes(data_path(ctx, "terrain/terrain.raw"), terrain_bytes(tiles), why)) return false;
    return write_sheet(ctx, "terrain", terrain_sheet(tiles), why);
}
