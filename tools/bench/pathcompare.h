#pragma once
// The game's path search against the plain reference search (linked lists
// and linear scans): both run every search once, their answers must agree
// to the byte, and the times are summed.
#include "platform/types.h"

// False skips the plain search (vennor_bench --no-compare): the game's
// searches still run, so the world ends as it would, but nothing is checked.
extern bool plaincompare;

struct pathcomparison {
    int searches = 0;
    int differ = 0;
    i64 nodes = 0;
    double fastus = 0, plainus = 0;
};

// One search from (x0, y0) to (x1, y1) with the current searcher, variant
// and in-range rule.
void comparesearch(pathcomparison& c, i32 x0, i32 y0, i32 x1, i32 y1);

// Searches on walled random yards with walls, costly walls, units of every
// side and random light; changes the world.
void compareonrandomyards(pathcomparison& c, int yards, int searchesperyard);

void printcomparison(const char* what, const pathcomparison& c);
