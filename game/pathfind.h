#pragma once
// A* over the map's cells. The search keeps the classic behaviour exactly:
// OPEN is a list ordered by insertion (a new node goes after every node
// whose f is not greater than its own, so the older of equal nodes comes
// first, and an improved node keeps its place), closed nodes that improve
// pass the improvement on to the children they recorded. It is fast
// because each cell finds its node through an index and OPEN's order is
// kept in a balanced tree instead of being walked.
#include "platform/types.h"

constexpr int PATHBUFSIZE = 128;
constexpr int MAXPATHSTEPS = 63;
// The computer's search also gives up after this much work (nodes reached
// and improvements passed on), so that it stays short and comes out the
// same on every machine and under the virtual clock. A hunt starts within
// 24 cells of its quarry; the largest hunt seen in a crowded demo needed
// about 16700, so this leaves it twice over, and bounds what a hunt for a
// quarry out of reach wastes.
constexpr i32 COMPUTERSEARCHWORK = 32768;
// What a step into shadow (light level above 12) costs a thief without a
// light of his own, whatever the step would cost anyone else.
constexpr i32 SHADOWSTEPCOST = 1;

extern i32 goalx, goaly;
extern u32 goaloff;
extern u8 stopinrange;
extern u8 stopadjacent; // with stopinrange: stop next to the goal, whatever the searcher's range
extern u8 pathbuf[PATHBUFSIZE];
extern i32 pathcost;
extern i32 pathnodes; // nodes made by the last search

// Distance in cells from a 48 x 48 table around the first cell; 35 when
// the second lies outside it.
i32 celldistance(i32 x0, i32 y0, i32 x1, i32 y1);
// True with the path's facing codes in pathbuf (9 after the last); false
// with pathbuf all 9. The searcher is curnpc; computerthinking picks the
// computer's time-limited search.
bool findpath(i32 x0, i32 y0, i32 x1, i32 y1);
// Clears the goal, the flags and pathbuf (a mission's start).
void resetpathfinder();
// When set, called at every node either search takes from OPEN: lets a test
// move the clock while a search runs.
extern void (*pathsearchwatch)();
