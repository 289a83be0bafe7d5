#pragma once
// The overhead map's drawing: the dimmed window under it, kept in a buffer
// while the map is open, and the whole map as small blocks of colour.
#include "platform/types.h"

constexpr int OHMAPWIDTH = 640;
constexpr int OHMAPHEIGHT = 480;
constexpr u32 OHMAPBYTES = OHMAPWIDTH * OHMAPHEIGHT * 2; // 614400

// Every pixel of the window with its colour fields shifted right by shift.
void darkenwindow(int shift);
// The same into a 640 x 480 buffer, the window left as it is, leaving out
// on each row y the columns [holefrom[y], holeto[y]) when the arrays are given.
void darkenwindowinto(u16* buffer, int shift, const i16* holefrom, const i16* holeto);
// The window to and from a 640 x 480 buffer.
void savewindow(u16* buffer);
void restorewindow(const u16* buffer);
// Every cell of the map around (scx, scy): a 2 x 2 block in the colour of
// its land, then its item (walls two rows taller), then a 2 x 4 bar in the
// colour of the player whose unit stands there. Blocks are cut at the
// window's edges.
void drawminiature();
// Where the miniature puts cell (x, y): the block's left column and its
// lowest row, in window coordinates.
inline i32 ohmapcol(i32 x, i32 y, i32 cx, i32 cy) { return 320 + 2 * (x - cx) - 2 * (y - cy); }
inline i32 ohmaprow(i32 x, i32 y, i32 cx, i32 cy) { return 241 + (x - cx) + (y - cy); }
