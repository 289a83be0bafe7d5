#pragma once
// The path search written out as plainly as it can be: heap nodes, a sorted
// linked OPEN list, an unsorted CLOSED list, linear scans, a linked stack.
// The game's fast search must give exactly its pathbuf and pathcost.
#include "platform/types.h"

struct referenceresult {
    bool found;
    u8 pathbuf[128];
    i32 pathcost;
    i32 nodes;
};

// Closed nodes improved since the counter was last cleared: the random
// comparisons must reach that case.
extern i32 referenceclosedimprovements;

referenceresult referencefindpath(i32 x0, i32 y0, i32 x1, i32 y1);
