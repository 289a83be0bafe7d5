#pragma once
// Clicks on the panel's tab names and on the controls the tab shown puts
// in the box under the gold line.
#include "platform/types.h"

// True when the point is on a tab or a control of the tab shown, which
// has then done its work; false leaves the click to the panel buttons.
bool paneltabpress(i32 x, i32 y);
