#pragma once
// The land editor: the 1280 land tiles as pages of six sections of 16, the
// section the map editor's land tools start from, and new sections cut
// from a bitmap. Leaving it writes the tile pictures with a backup.
#include "platform/types.h"

constexpr i32 LANDPAGETILES = 96;
constexpr i32 LANDLASTPAGE = 1184; // the last first tile: 1184 + 95 = 1279
constexpr u8 LANDCREATE = 10;      // the page's result for "Create New Land Section"

extern i32 landfirst;    // first tile of the page, a multiple of 16
extern i32 landselected; // offset of the selected section in the page: 0, 16 .. 80

struct landhitbox {
    i32 x, y; // a 40 x 20 box
};
extern landhitbox landhit[LANDPAGETILES]; // as the page was last drawn

// Returns when the user has left the editor (and the tiles were saved, or
// the user chose to leave without).
u32 runlandeditor();
// The page's first tile for a land number, on the page that holds it.
i32 landpagefor(i32 land);
void drawlandeditor();
void landeditinput(u32 message, u32 wparam, i32 lparam);
