#pragma once
// The twelve unit types and the twelve unit picture sets, units/unit*.dat
// and units/newunitpic*.{dat,raw}, with the "Unit Pics" bitmap tree of the
// sets the unit editor compiles from its own folders (1, 2, 4 and 5).
#include <string>
#include <vector>

#include "platform/types.h"
#include "tools/content/gen.h"

bool gen_units(const GenContext& ctx, std::string& why);

// The steps of gen_units, for callers that want part of the work.
bool gen_unit_set(const GenContext& ctx, int set, std::string& why);
bool unit_set_from_tree(int set);  // true for the sets compiled from bitmap files
// One row per action and facing, sixteen frames across, over mid grey.
bool write_unit_sheet(const GenContext& ctx, int set, const std::vector<std::vector<u8>>& frames, std::string& why);
