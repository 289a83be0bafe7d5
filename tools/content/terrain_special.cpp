#include "tools/content/terrain_special.h"

#include <cstdlib>

#include "tools/content/terrain_tile.h"

Tile no_land_tile() {
    const LandCol back{6, 6, 8}, line{88, 88, 96};
    Tile t{};
    for_tile_pixels([&](int n, int px, int py) {
        int first = 0, count = 0;
        tilerow(py, &first, &count);
        bool rim = px == first || px == first + 1 || px == first + count - 1 || px == first + count - 2 ||
                   py == 1 || py == 19;
        bool cross = (py == 10 && std::abs(px - 20) <= 4) || ((px == 19 || px == 20) && std::abs(py - 10) <= 2);
        t[n] = pack555(rim || cross ? line : back, px, py);
    });
    return t;
}

Tile blank_tile() {
    Tile t{};
    for_tile_pixels([&](int n, int px, int py) { t[n] = pack555(LandCol{20, 20, 22}, px, py); });
    return t;
}

Tile void_tile() {
    Tile t{};
    // Edge noise at cell (0, 0) keeps the void joining up with copies of itself.
    for_tile_pixels([&](int n, int px, int py) {
        float u = 0, v = 0;
        tile_to_world(0, 0, px, py, u, v);
        float k = edge_fbm(u, v, 4, 3, 0x0b1du);
        t[n] = pack555(land_mix(LandCol{4, 6, 16}, LandCol{14, 18, 40}, k), px, py);
    });
    return t;
}
