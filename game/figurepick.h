#pragma once
// Which unit's picture is under a point of the map view, to the pixel.
#include "platform/types.h"

// The frontmost unit whose frame, as the map view draws it, has an opaque
// pixel at window point (mx, my): its slot and cell, or 0 when no unit is
// drawn there. Units on cells the player does not see and the other
// players' hidden units are not looked at: the player cannot tell them
// there. The search runs over the cells around (cellx, celly), the cell
// picked under the point.
int unitatpoint(i32 mx, i32 my, i32 cellx, i32 celly, i32* unitx, i32* unity);
