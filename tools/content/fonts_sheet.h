#pragma once
// The fonts' contact sheet: each strip blown up, then sample lines drawn
// the way the game draws text.
#include "tools/content/canvas.h"
#include "tools/content/fonts_strip.h"

// strips holds the seven fonts in order.
Canvas fonts_sheet(const FontStrip* strips);
