#pragma once
// The "Unit Pics" bitmap tree the unit editor compiles from, and reading a
// set back from it the way the compiler does.
#include <string>
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

// Writes the 384 bitmaps (in frame order) of a set under the data tree.
bool write_unit_tree(const GenContext& ctx, int set, const std::vector<Canvas>& frames, std::string& why);
// Compiles all 384 frames of a set from the tree under datadir.
bool compile_unit_tree(const std::string& datadir, int set, std::vector<std::vector<u8>>* frames, std::string& why);
