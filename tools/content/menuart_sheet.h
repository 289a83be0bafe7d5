#pragma once
// The shell's pictures put together as the game will show them, with mock
// buttons and captions, for people to judge.
#include <string>

#include "tools/content/canvas.h"

bool menuart_sheet(const Canvas& menu, const Canvas& skin, const Canvas& box, Canvas& out, std::string& why);
