#pragma once
// Contact sheets: a picture's cells blown up over a checker so that the
// colour-keyed (black) parts show as holes. For people, not for the game.
#include <string>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

Canvas contact_sheet(const Canvas& pic, int cell_w, int cell_h, int scale);
// Writes sheet as ctx.sheetdir/name.png; does nothing without a sheet folder.
bool write_sheet(const GenContext& ctx, const std::string& name, const Canvas& sheet, std::string& why);
