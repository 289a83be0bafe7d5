#pragma once
// What the land editor does to the tile pictures and their file.
#include <string>
#include <vector>

#include "platform/types.h"

constexpr const char* TERRAINFILE = "terrain\\terrain.raw";

// Copies the 16 diamonds of a section from the visible screen, where a
// source bitmap drawn at (0, 1) puts them, into tiles n .. n + 15 (tiles
// past the last are not touched), and gives them their overhead-map colour.
void cutlandsection(i32 n);
// The tile pictures as the file holds them: 5-5-5 whatever the display uses.
void terrainfilebytes(std::vector<u8>* out);
// Writes terrain.raw, and terrain.ra0 from the file it replaces, together or
// not at all; false with the reason.
bool saveterrain(std::string* why);
// Draws a chosen bitmap at (0, 1) over a cleared screen; false (nothing
// drawn) when it cannot be read as a picture.
bool drawlandsource(const char* path);
