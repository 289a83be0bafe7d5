#pragma once
// The screen loops of the editors' pages and of the screens they open.
#include "platform/types.h"

// Draws the current page, then pumps messages and repaints whenever none is
// waiting, until the page's input handler sets boxresult; returns that
// result, with boxresult 255 again.
u8 runeditorpage();

// Pumps messages, calling draw and presenting whenever none is waiting,
// until an input handler sets boxresult; returns that result, with
// boxresult 255 again.
u8 runeditorloop(void (*draw)());
