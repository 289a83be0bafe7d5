#pragma once
// The section grid a large item is cut on: diamonds of the land grid laid
// over the item's bitmap, moved and sized with the keys until Enter.
#include "platform/types.h"

constexpr i32 MAXGRIDSIZE = 8;

// Screen position of grid cell (0, 0) and the grid's columns and rows. The
// position is set from the first bitmap of the program's run and kept.
extern i32 g_xpos, g_ypos, g_xsize, g_ysize;
extern bool gridplaced;

// Runs the grid screen over the bitmap: 1 on Enter, 0 on Escape.
u32 setsections(const char* file);
void setsectionsinput(u32 message, u32 wparam, i32 lparam);
// One frame of the screen, without presenting it.
void drawsectiongrid(const char* file);
