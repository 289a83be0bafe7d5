#pragma once
// The contact sheet of all item pictures, each standing on its floor
// diamonds as the map view would place it, large items put back together.
#include "tools/content/canvas.h"
#include "tools/content/itembuild.h"

Canvas item_sheet(const ItemSet& set);
// Replays item n's run-length picture onto c as it is drawn for a cell whose
// box has its top-left corner at (x, y).
void draw_item_at(Canvas& c, const ItemSet& set, int n, int x, int y);
