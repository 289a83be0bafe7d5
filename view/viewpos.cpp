#include "view/viewpos.h"

i32 scx = 0, scy = 0;
i32 selectedwx = 0, selectedwy = 0;
