#pragma once
// Which cells around the view centre are on screen, and where: 47 view
// lines of visible view columns, and the 1125 screen squares they list.
#include <cstddef>

#include "platform/types.h"

constexpr int NUMVSY = 47;
constexpr int NUMVSS = 1125;
constexpr int ROWTABLESIZE = 621;

struct vsyrec {
    i16 firstvss;
    u8 firstx;
    u8 numofxs;
};

struct vssrec {
    u32 offset; // y * 768 + x
    i16 x, y;   // anchor: the cell's 40 x 20 box starts at window (x - 60, y - 30)
    u8 column, line;
    i16 dir;
};

extern vsyrec vsy[NUMVSY];
extern vssrec vss[NUMVSS];
extern u32 rowtable[ROWTABLESIZE];

// The row table, both view files and their logs.
// Reads and parses the two tables, and writes their logs; a file missing or
// refused ends the program.
void initviewtables();
// Makes the view lines (NUMVSY x 4 bytes) and the screen squares (NUMVSS x 4
// bytes) the view's when both have their size, the lines number every square
// once and every square lies on the projection's grid. Nullptr when taken;
// else the reason, with the file it blames, and the tables as they were.
const char* parseviewtables(const u8* lines, size_t linesize, const u8* squares, size_t squaresize,
                            const char** blamed = nullptr);
// Why the tables break the projection's rules, or null when they keep them:
// the lines alone (vsytable.dat), the squares numbered by them
// (vsstable.dat), and both.
const char* checkviewlines(const vsyrec* lines);
const char* checkviewsquares(const vssrec* squares);
const char* checkviewtables(const vsyrec* lines, const vssrec* squares);

// The view square of a map point under the mouse: true with the cell and
// the square's index; false when no square lies there.
bool pickcell(i32 mx, i32 my, i32* cellx, i32* celly, int* square);
// The square of view column c on line l, or -1.
int squareof(int c, int l);
// The pick mask: 1 the square to the left, 3 the one above, 0 this one.
u8 pickmask(int row, int col);
