#include "world/viewtables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "platform/usertree.h"
#include "view/viewpos.h"
#include "world/lebytes.h"

vsyrec vsy[NUMVSY];
vssrec vss[NUMVSS];
u32 rowtable[ROWTABLESIZE];

static void parsesquares(const u8* b, vssrec* squares) {
    for (int i = 0; i < NUMVSS; i++) {
        squares[i].x = geti16(&b[i * 4]);
        squares[i].y = geti16(&b[i * 4 + 2]);
        squares[i].dir = 0;
        // An anchor outside the row table is caught by the checks below.
        u32 row = squares[i].y >= 0 && squares[i].y < ROWTABLESIZE ? rowtable[squares[i].y] : 0;
        squares[i].offset = row + (u32)squares[i].x;
    }
}

static void parselines(const u8* b, vsyrec* lines) {
    for (int l = 0; l < NUMVSY; l++) {
        lines[l].firstx = b[l * 4];
        lines[l].numofxs = b[l * 4 + 1];
        lines[l].firstvss = geti16(&b[l * 4 + 2]);
    }
}

// Lines and squares number each other: the lines' counts must add up to
// exactly the square count before a single square is numbered.
static bool numbersquares(const vsyrec* lines, vssrec* squares) {
    int total = 0;
    for (int l = 0; l < NUMVSY; l++) total += lines[l].numofxs;
    if (total != NUMVSS) return false;
    int index = 0;
    for (int l = 0; l < NUMVSY; l++)
        for (int k = 0; k < lines[l].numofxs; k++, index++) {
            squares[index].column = (u8)(lines[l].firstx + k);
            squares[index].line = (u8)l;
        }
    return true;
}

const char* checkviewlines(const vsyrec* lines) {
    int total = 0;
    for (int l = 0; l < NUMVSY; l++) {
        if (lines[l].numofxs && lines[l].firstvss != total) return "a line does not start where the one above ends";
        if (lines[l].firstx + lines[l].numofxs > 256) return "a line runs past the last view column";
        total += lines[l].numofxs;
    }
    if (total != NUMVSS) return "the lines do not list every square";
    return nullptr;
}

const char* checkviewsquares(const vssrec* squares) {
    // One grid: x = x0 + 20 (C - L), y = y0 + 10 (C + L).
    const vssrec& a = squares[0];
    for (int i = 0; i < NUMVSS; i++) {
        const vssrec& s = squares[i];
        if (s.y < 0 || s.y >= ROWTABLESIZE || s.x < 0 || s.x >= 768) return "a square lies off the screen";
        if (s.x - a.x != 20 * ((s.column - a.column) - (s.line - a.line)) ||
            s.y - a.y != 10 * ((s.column - a.column) + (s.line - a.line)))
            return "a square is off the projection's grid";
    }
    return nullptr;
}

const char* checkviewtables(const vsyrec* lines, const vssrec* squares) {
    if (const char* why = checkviewlines(lines)) return why;
    return checkviewsquares(squares);
}

// Each log is written whole through the safe path, so a full disk or a
// failing close is noticed and names its own file.
// A player's tree that cannot be written was told at start; the game plays
// on without these logs then.
static void writelog(const char* gamepath, const char* name, const std::string& text) {
    std::string why;
    if (!plat_safewritefile(gamepath, text.data(), text.size(), &why) && plat_usertreeproblem().empty())
        exitgame(3, name);
}

static void writelogs() {
    char line[160];
    std::string text;
    for (int l = 0; l < NUMVSY; l++) {
        std::snprintf(line, sizeof line, "Vsy line: %d\t  firstx: %d, numofxs: %d, firstvss: %d\n", l, vsy[l].firstx,
                      vsy[l].numofxs, vsy[l].firstvss);
        text += line;
    }
    writelog("text\\vsy.log", "vsy.log", text);
    text.clear();
    for (int i = 0; i < NUMVSS; i++) {
        std::snprintf(line, sizeof line, "Vss: %d\tdir: %d\thomex: %d, homey: %d, homeoff: %u\n", i, vss[i].dir,
                      vss[i].x, vss[i].y, vss[i].offset);
        text += line;
    }
    writelog("text\\vss.log", "vss.log", text);
}

static const char* linesfile = "vsytable.dat";
static const char* squaresfile = "vsstable.dat";

static const char* refuse(const char* file, const char* why, const char** blamed) {
    if (blamed) *blamed = file;
    return why;
}

const char* parseviewtables(const u8* lines, size_t linesize, const u8* squares, size_t squaresize, const char** blamed) {
    if (linesize != NUMVSY * 4) return refuse(linesfile, "vsytable.dat is not four bytes for every view line", blamed);
    if (squaresize != NUMVSS * 4)
        return refuse(squaresfile, "vsstable.dat is not four bytes for every screen square", blamed);
    for (int i = 0; i < ROWTABLESIZE; i++) rowtable[i] = (u32)i * 768;
    static vsyrec newlines[NUMVSY];
    static vssrec newsquares[NUMVSS];
    parsesquares(squares, newsquares);
    parselines(lines, newlines);
    if (!numbersquares(newlines, newsquares)) return refuse(linesfile, "the lines do not list every square", blamed);
    if (const char* why = checkviewlines(newlines)) return refuse(linesfile, why, blamed);
    if (const char* why = checkviewsquares(newsquares)) return refuse(squaresfile, why, blamed);
    std::copy(newlines, newlines + NUMVSY, vsy);
    std::copy(newsquares, newsquares + NUMVSS, vss);
    return nullptr;
}

void initviewtables() {
    std::vector<u8> lines, squares;
    // Each file is named as soon as it is known to be wrong, in the order read.
    if (!plat_readfile("data\\vsstable.dat", &squares, NUMVSS * 4) || squares.size() != NUMVSS * 4)
        exitgame(3, squaresfile);
    if (!plat_readfile("data\\vsytable.dat", &lines, NUMVSY * 4)) exitgame(3, linesfile);
    const char* blamed = nullptr;
    if (const char* why = parseviewtables(lines.data(), lines.size(), squares.data(), squares.size(), &blamed)) {
        debuglog("View tables refused: %s\n", why);
        exitgame(3, blamed);
    }
    writelogs();
}

int squareof(int c, int l) {
    if (l < 0 || l >= NUMVSY || c < vsy[l].firstx || c >= vsy[l].firstx + vsy[l].numofxs) return -1;
    return vsy[l].firstvss - vsy[l].firstx + c;
}

u8 pickmask(int row, int col) {
    int edge = 20 - 2 * row;
    if (col < edge) return 1;
    if (col >= 40 - edge) return 3;
    return 0;
}

bool pickcell(i32 mx, i32 my, i32* cellx, i32* celly, int* square) {
    if (mx < 0 || my < 0 || mx >= 640 || my >= 400) return false;
    i32 b = my / 10, top = b * 10;
    i32 cx = (mx / 40) * 40;
    if (b & 1) cx += (mx / 20) & 1 ? 20 : -20;
    u32 want = (u32)((top + 30) * 768 + cx + 60);
    int found = -1;
    for (int i = 0; i < NUMVSS && found < 0; i++)
        if (vss[i].offset == want) found = i;
    if (found < 0) return false;
    int column = vss[found].column, line = vss[found].line;
    u8 m = pickmask(my - top, mx - cx);
    if (m == 1) column--;
    if (m == 3) line--;
    *cellx = scx + column - 20;
    *celly = scy + line - 20;
    *square = squareof(column, line);
    return true;
}
