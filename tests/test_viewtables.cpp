// The view tables as loaded from their files: the limits of the lines, the
// file each fault is blamed on, and the two logs written through the safe
// path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/gamestate.h"
#include "platform/safewrite.h"
#include "testenv.h"
#include "tools/content/viewtables.h"
#include "world/grids.h"
#include "world/lebytes.h"
#include "world/viewtables.h"

namespace {

namespace fs = std::filesystem;

struct tables {
    std::vector<vsyrec> lines = std::vector<vsyrec>(NUMVSY);
    std::vector<vssrec> squares = std::vector<vssrec>(NUMVSS);
    tables() { makeviewtables(lines.data(), squares.data()); }
};

void write(const std::string& name, const std::vector<u8>& bytes) {
    fs::path p = fs::path(testdatadir()) / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

void writefiles(const tables& t) {
    std::vector<u8> vssb(NUMVSS * 4), vsyb(NUMVSY * 4);
    for (int i = 0; i < NUMVSS; i++) {
        putu16(&vssb[i * 4], (u16)t.squares[i].x);
        putu16(&vssb[i * 4 + 2], (u16)t.squares[i].y);
    }
    for (int l = 0; l < NUMVSY; l++) {
        vsyb[l * 4] = t.lines[l].firstx;
        vsyb[l * 4 + 1] = t.lines[l].numofxs;
        putu16(&vsyb[l * 4 + 2], (u16)t.lines[l].firstvss);
    }
    write("data/vsstable.dat", vssb);
    write("data/vsytable.dat", vsyb);
}

// The box text the load ended with, or "(loaded)".
std::string load(const tables& t) {
    starttestdisplay();
    writefiles(t);
    try {
        initviewtables();
    } catch (const processexit&) {
        return boxes.empty() ? "(no box)" : boxes.back().text;
    }
    return "(loaded)";
}

// The last line that shows any squares.
int lastline(const tables& t) {
    int l = NUMVSY - 1;
    while (t.lines[l].numofxs == 0) l--;
    return l;
}

}  // namespace

TEST(ViewTables, ALineMayEndAtTheLastViewColumnButNotPastIt) {
    tables t;
    int l = lastline(t);
    t.lines[l].firstx = (u8)(256 - t.lines[l].numofxs);
    EXPECT_EQ(checkviewlines(t.lines.data()), nullptr);
    t.lines[l].firstx++;
    EXPECT_STREQ(checkviewlines(t.lines.data()), "a line runs past the last view column");
}

TEST(ViewTables, TheLinesMustListExactlyTheSquareCount) {
    tables t;
    EXPECT_EQ(load(t), "(loaded)");
    vssrec last = vss[NUMVSS - 1];
    int first = 0;
    while (t.lines[first].numofxs == 0) first++;
    // One square too many on the first line: every square after it would be
    // numbered one place on, and the last one past the table's end.
    tables over = t;
    over.lines[first].numofxs++;
    for (int l = first + 1; l < NUMVSY; l++) over.lines[l].firstvss++;
    EXPECT_EQ(load(over), "vsytable.dat");
    EXPECT_EQ(vss[NUMVSS - 1].column, last.column) << "refused lines numbered the squares";
    EXPECT_EQ(vss[NUMVSS - 1].line, last.line);
    tables under = t;
    under.lines[lastline(t)].numofxs--;
    EXPECT_EQ(load(under), "vsytable.dat");
}

TEST(ViewTables, EachFaultIsBlamedOnItsOwnFile) {
    tables t;
    tables badline = t;
    badline.lines[30].firstvss++;
    EXPECT_EQ(load(badline), "vsytable.dat");
    tables badsquare = t;
    badsquare.squares[500].x += 20;
    EXPECT_EQ(load(badsquare), "vsstable.dat");
    starttestdisplay();
    writefiles(t);
    write("data/vsytable.dat", std::vector<u8>(NUMVSY * 4 - 1, 0));
    try {
        initviewtables();
        ADD_FAILURE() << "a short vsytable.dat was taken";
    } catch (const processexit&) {
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, "vsytable.dat");
    }
}

// Loading the tables is only that: the screen stack and the grids belong to
// the steps of start-up named for them.
TEST(ViewTables, LoadingTouchesNeitherTheScreenStackNorTheGrids) {
    tables t;
    starttestdisplay();
    writefiles(t);
    cleargamestack();
    pushgamestate(GS_MAINMENU);
    u16* grid = landmap;
    initviewtables();
    EXPECT_EQ(gamestack[0], GS_MAINMENU);
    EXPECT_EQ(landmap, grid);
}

// Both logs are checked up to the close; a failure names the log that failed.
TEST(ViewTables, AFailedLogWriteNamesItsLog) {
    tables t;
    EXPECT_EQ(load(t), "(loaded)");
    EXPECT_EQ(readtext(testdatadir() + "/text/vsy.log").rfind("Vsy line: 0\t  firstx: ", 0), 0u);
    EXPECT_EQ(readtext(testdatadir() + "/text/vss.log").rfind("Vss: 0\tdir: 0\thomex: ", 0), 0u);
    // Count the steps of both writes, then fail the last step of each.
    starttestdisplay();
    writefiles(t);
    plat_safewritefailat(0);
    plat_safewritesteps();
    initviewtables();
    int both = plat_safewritesteps();
    ASSERT_GT(both, 2);
    ASSERT_EQ(both % 2, 0);
    for (int step : {1, both / 2, both / 2 + 1, both}) {
        starttestdisplay();
        writefiles(t);
        plat_safewritefailat(step);
        std::string text = "(loaded)";
        try {
            initviewtables();
        } catch (const processexit&) {
            text = boxes.empty() ? "(no box)" : boxes.back().text;
        }
        plat_safewritefailat(0);
        EXPECT_EQ(text, step <= both / 2 ? "vsy.log" : "vss.log") << "step " << step;
    }
}
