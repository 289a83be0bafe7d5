#pragma once
// The desktop icon: a tower on a shield against the night sky of the main
// menu, painted at any size for the hicolor theme.
#include <string>

#include "tools/content/canvas.h"

// The sizes the install ships, in pixels a side.
constexpr int kIconSizes[] = {32, 64, 128, 256};

// The icon at size x size; shapes are drawn at four times the size and
// averaged down so their edges are smooth even at 32 pixels.
Canvas icon_paint(int size);

// Every size as <dir>/<N>x<N>/apps/<name>.png, the hicolor theme's layout;
// false with why on the first failure.
bool icons_write(const std::string& dir, const std::string& name, std::string& why);
