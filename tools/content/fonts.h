#pragma once
// The seven game fonts, fonts/*.pcx, with their contact sheet fonts.png.
#include <string>

#include "tools/content/gen.h"

bool gen_fonts(const GenContext& ctx, std::string& why);
