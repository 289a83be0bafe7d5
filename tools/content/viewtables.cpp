#include "tools/content/viewtables.h"

#include <vector>

#include "tools/content/fileout.h"
#include "world/lebytes.h"

// The view centre (column 20, line 20) has its box at window (300, 190),
// the middle of the 640 x 400 map area; one view column moves a box 20 right
// and 10 down, one view line 20 left and 10 down.
static i32 boxx(int c, int l) { return 300 + 20 * (c - l); }
static i32 boxy(int c, int l) { return -210 + 10 * (c + l); }

// 40 pixels beside the area and 180 below it: room for the tallest figures,
// and still inside the Virtual Screen's guard bands.
static bool wanted(int c, int l) {
    i32 x = boxx(c, l), y = boxy(c, l);
    return x + 40 > -40 && x < 680 && y + 20 > -20 && y < 580;
}

void makeviewtables(vsyrec* lines, vssrec* squares) {
    int index = 0;
    for (int l = 0; l < NUMVSY; l++) {
        lines[l] = {0, 0, 0};
        for (int c = 0; c < 256; c++) {
            if (!wanted(c, l)) continue;
            if (lines[l].numofxs == 0) {
                lines[l].firstx = (u8)c;
                lines[l].firstvss = (i16)index;
            }
            lines[l].numofxs++;
            if (index < NUMVSS) squares[index] = {0, (i16)(boxx(c, l) + 60), (i16)(boxy(c, l) + 30), (u8)c, (u8)l, 0};
            index++;
        }
        if (lines[l].numofxs == 0) lines[l].firstvss = (i16)index;
    }
}

bool gen_viewtables(const GenContext& ctx, std::string& why) {
    std::vector<vsyrec> lines(NUMVSY);
    std::vector<vssrec> squares(NUMVSS);
    makeviewtables(lines.data(), squares.data());
    if (const char* bad = checkviewtables(lines.data(), squares.data())) {
        why = std::string("view tables: ") + bad;
        return false;
    }
    std::vector<u8> vssbytes(NUMVSS * 4), vsybytes(NUMVSY * 4);
    for (int i = 0; i < NUMVSS; i++) {
        putu16(&vssbytes[i * 4], (u16)squares[i].x);
        putu16(&vssbytes[i * 4 + 2], (u16)squares[i].y);
    }
    for (int l = 0; l < NUMVSY; l++) {
        vsybytes[l * 4] = lines[l].firstx;
        vsybytes[l * 4 + 1] = lines[l].numofxs;
        putu16(&vsybytes[l * 4 + 2], (u16)lines[l].firstvss);
    }
    return write_bytes(data_path(ctx, "data/vsstable.dat"), vssbytes, why) &&
           write_bytes(data_path(ctx, "data/vsytable.dat"), vsybytes, why);
}
