#pragma once
// Turns a box of a 16-bit raster into the run-length picture code of items
// and unit frames: per row, runs of pixels other than the left-out colour,
// each as u16 skip (in a 768-pixel raster), u8 count, count pixels. A gap
// too wide for one skip is bridged by runs of no pixels.
#include <vector>

#include "platform/types.h"

constexpr u32 MAXPICTUREBYTES = 32767;

struct encodebox {
    i32 x, y;          // box corner in the raster
    i32 width, height; // at most 255 each
    u16 leftout;       // the colour that is not stored (0, or a unit bitmap's key)
    bool unitcolours;  // store 0x7E17, 0x7E18, 0x7E19 and 0x7E39 as 0x0842
};

// Encodes the box of `raster` (rows of `pitch` pixels, `rows` of them) into
// out. Every pixel taken into a run is set to 0, so boxes that overlap never
// take a pixel twice. False (out emptied) when the box does not lie inside
// the raster or the code would pass 32767 bytes.
bool encodepicture(u16* raster, i32 pitch, i32 rows, const encodebox& box, std::vector<u8>* out);
