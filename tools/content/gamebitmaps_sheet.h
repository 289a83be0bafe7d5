#pragma once
// A contact sheet of the mission screen's pictures: the panel as the game
// fills it in, every sprite enlarged over a checker, and the clouds
// assembled the way the map view puts their pieces together.
#include <string>
#include <vector>

#include "tools/content/gamebitmaps.h"
#include "tools/content/sheet.h"

bool game_bitmaps_sheet(const std::vector<GamePic>& pics, Canvas& out, std::string& why);
