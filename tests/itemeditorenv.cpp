#include "itemeditorenv.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/windowproc.h"
#include "editor/filedialog.h"
#include "editor/itemeditor.h"
#include "editor/mapeditor.h"
#include "editor/setsections.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/scriptplayer.h"
#include "testenv.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "world/itemtype.h"

namespace fs = std::filesystem;

static std::vector<itemtyperec> records(NUMITEMTYPES);

void startitemeditor(int format) {
    starttestdisplay(format);
    fs::create_directories(testdatadir() + "/bitmaps/editor");
    fs::create_directories(testdatadir() + "/items");
    fs::copy_file(fs::path(VENNOR_DATA) / "bitmaps" / "textbox.bmp", fs::path(testdatadir()) / "bitmaps" / "textbox.bmp");
    writebmp("bitmaps/editor/updown.bmp", 20, 40, [](int, int y) { return y < 20 ? 0x8080FFu : 0xFF8080u; });
    // The land diamond: row r of the 40 x 20 box holds the tile's row.
    writebmp("bitmaps/testland.bmp", 40, 20, [](int x, int y) {
        int first = y <= 10 ? 20 - 2 * y : 2 * (y - 10), width = y <= 10 ? 4 * y : 4 * (20 - y);
        return y > 0 && x >= first && x < first + width ? 0x30E060u : 0u;
    });
    for (int i = 0; i < NUMITEMTYPES; i++) {
        records[i] = itemtyperec{};
        itemtype[i] = &records[i];
        itemrawdataptr[i] = nullptr;
    }
    cleargamestack();
    gamestate = GS_EDITMAP;
    boxresult = 255;
    currentitem = 0;
    itemfirst = itemselected = 0;
    gridplaced = false;
    g_xsize = g_ysize = 1;
    reopenfiledir = 0;
    lastfiledir.clear();
    chosenpath.clear();
    fullview = 0;
    waitingforlmbup = 0;
    platq_reset(); // an earlier script's end leaves its quit behind
    if (!plat_windowexists()) plat_createwindow("Vennor", windowproc);
    for (platmsg m; plat_peekmessage(&m);) {
        plat_getmessage(&m);
        plat_dispatchmessage(&m);
    }
    appactive = 1;
    memoryused = 0;
}

void givepicture(int n, const std::vector<u8>& code) {
    itemtype[n]->rawdatasize = (u32)code.size();
    itemrawdataptr[n] = (u8*)gamealloc(code.size(), "test");
    std::memcpy(itemrawdataptr[n], code.data(), code.size());
}

bool playscript(const std::string& script) {
    std::string path = testdatadir() + "/item.script", err;
    // Ticks counted from now; the run ends well after the script's last
    // event, not on the first frame after it, so a box answered last still
    // returns its answer.
    std::istringstream in(script);
    std::ofstream out(path);
    u32 now = plat_ticks();
    for (std::string line; std::getline(in, line);) {
        size_t space = line.find(' ');
        if (line.empty() || space == std::string::npos) continue;
        out << now + (u32)std::stoul(line.substr(0, space)) << line.substr(space) << "\n";
    }
    out << now + 3000 << " quit\n";
    out.close();
    platq_reset();
    return scriptplayer_open(path, "", true, &err);
}

bool underscript(const std::string& script, const std::function<void()>& f) {
    if (!playscript(script)) return false;
    bool finished = true;
    try {
        f();
    } catch (const processexit&) {
        finished = false;
    }
    platq_reset();
    return finished;
}

std::string doubleclick(int x, int y) {
    std::string at = std::to_string(x) + " " + std::to_string(y);
    return "0 move " + at + "\n0 ldown\n0 lup\n0 ldown\n0 lup\n";
}

std::string pickfile(int row) { return doubleclick(330, 125 + 14 * row); }

u16 displaypixel(u32 rgb) {
    u32 r = rgb >> 16 & 255, g = rgb >> 8 & 255, b = rgb & 255;
    if (pixelformat == 1) return (u16)((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
    return (u16)((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

std::vector<u16> screenwithbitmap(int w, int h, const std::function<u32(int, int)>& colour, i32* pitch, i32* rows,
                                  i32* originx, i32* originy) {
    *pitch = VSWIDTH;
    *rows = VSHEIGHT;
    *originx = VSLEFT;
    *originy = VSTOP;
    std::vector<u16> raster((size_t)VSWIDTH * VSHEIGHT, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) raster[(size_t)(VSTOP + 1 + y) * VSWIDTH + VSLEFT + x] = displaypixel(colour(x, y));
    return raster;
}
