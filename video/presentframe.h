#pragma once
#include "platform/ddraw.h"

// Shows the Virtual Screen's window with the overlay and the cursor.
void presentframe();
// After a surface loss: restores the surfaces and reloads the cursor picture.
hresult restoreAll();
// The cursor cell to copy and where, cut at the right and bottom edges.
void cursorrects(i32 x, i32 y, ddrect* src, ddrect* dst);
