#pragma once
// The unit editor's picture compiler, followed step for step so that the
// files written here are what compiling the bitmap tree in the editor
// gives: file naming, the walk displacement of the frame box, the key
// colour taken from the bitmap's corner and the run-length encoder.
#include <string>
#include <vector>

#include "platform/ddraw.h"
#include "tools/content/canvas.h"

// "fighter_", "archer_", "mage_" or "cleric_": the folder family a set compiles from.
const char* unit_class_prefix(int set);
// "Unit Pics/<class><action>/<facing prefix><NNNN>.bmp" of a frame.
std::string unit_bitmap_name(int set, int action, int facing, int frame);
// The number in the file name of a frame.
int unit_file_number(int action, int frame);
// How far the compiler moves the frame box from its base place.
void unit_box_shift(int action, int facing, int frame, int* dx, int* dy);

platbitmap unit_bitmap_of(const Canvas& c);
// One frame's code from its bitmap; false when it does not encode.
bool compile_unit_frame(const platbitmap& bmp, int action, int facing, int frame, std::vector<u8>* out);

struct UnitSetFiles {
    std::vector<u8> dir;  // 3072 bytes: offsets, then sizes
    std::vector<u8> raw;
};
// The two files of a set from its 384 frames in frame order.
UnitSetFiles assemble_unit_set(const std::vector<std::vector<u8>>& frames);
