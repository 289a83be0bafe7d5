#pragma once
// The program's cursor picture, resources/CURSORS.bmp: 32 x 32 cells, eight
// across and sixteen down, black where nothing is drawn.
#include <string>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

constexpr int kCursorsW = 256;
constexpr int kCursorsH = 512;

Canvas draw_cursors();
bool gen_cursors(const GenContext& ctx, std::string& why);
