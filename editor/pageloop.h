#pragma once
// The screen loop of the land, item and unit editors' pages.
#include "platform/types.h"

// Draws the current page, then pumps messages and repaints whenever none is
// waiting, until the page's input handler sets boxresult; returns that
// result, with boxresult 255 again.
u8 runeditorpage();
