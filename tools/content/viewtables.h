#pragma once
#include <string>

#include "tools/content/gen.h"
#include "world/viewtables.h"

// The view tables of the isometric projection: every view square whose
// 40 x 20 box falls in the map area, or near enough beside or below it that
// figures and tall items standing there reach into it.
void makeviewtables(vsyrec* lines, vssrec* squares);
bool gen_viewtables(const GenContext& ctx, std::string& why);
