#pragma once
#include "platform/types.h"

// The view centre and the selected cell.
extern i32 scx, scy;
extern i32 selectedwx, selectedwy;
