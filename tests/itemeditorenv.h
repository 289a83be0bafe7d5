#pragma once
// A world for the item editor's tests: plain item records, the pictures the
// editor draws (text box, page arrows, grid diamond), a window that routes
// input by game state, and scripts to answer its boxes and dialogs.
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

// Format 555 or 565. Records all empty; the map editor is the state below.
void startitemeditor(int pixelformat = 565);
// Gives item n a picture of these bytes (through the game's allocator).
void givepicture(int n, const std::vector<u8>& code);
// Plays the script from now on (ending in a quit some time after it).
bool playscript(const std::string& script);
// Writes the script and runs f under it; false when the script ran out
// before f returned (the headless run ends then).
bool underscript(const std::string& script, const std::function<void()>& f);
// A double click at (x, y) in script lines.
std::string doubleclick(int x, int y);
// The file dialog's file row r, double-clicked.
std::string pickfile(int row);
// The pixel the display holds for 0xRRGGBB in the running format.
u16 displaypixel(u32 rgb);
// A raster of the visible screen's size with the bitmap colours placed at
// (0, 1), as the editor draws it, black as 0.
std::vector<u16> screenwithbitmap(int w, int h, const std::function<u32(int, int)>& colour, i32* pitch, i32* rows,
                                  i32* originx, i32* originy);
