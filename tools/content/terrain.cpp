#include "tools/content/terrain.h"

#include "tools/content/fileout.h"
#include "tools/content/sheet.h"
#include "tools/content/terrain_sections.h"
#include "tools/content/terrain_sheet.h"
#include "tools/content/terrain_special.h"
#include "tools/content/terrain_tile.h"

// Where tile k of a section lies in its 4 x 4 patch. The map editor lays a
// section with its first tile on the cell under the cursor, the patch's
// corner of largest column and row, and the rest growing up and left in
// square rings: 2 x 2, then 3 x 3, then 4 x 4.
void section_cell(int k, int* cx, int* cy) {
    static const int back[16][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {2, 2}, {1, 2},
                                    {0, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}};
    *cx = kPatch - 1 - back[k][0];
    *cy = kPatch - 1 - back[k][1];
}

std::vector<Tile> draw_terrain() {
    std::vector<Tile> tiles(NUMLANDTYPES);
    for (int s = 0; s < kTerrainSections; ++s) {
        const GroundSection& g = ground_section(s);
        for (int k = 0; k < kSectionTiles; ++k) {
            int cx, cy;
            section_cell(k, &cx, &cy);
            tiles[s * kSectionTiles + k] = paint_tile(g.paint, g.seed, g.tint, cx, cy);
        }
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
