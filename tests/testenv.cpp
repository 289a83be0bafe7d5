#include "testenv.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/memory.h"
#include "app/timer.h"
#include "platform/platform.h"
#include "video/display.h"
#include "video/sprite.h"
#include "video/vscreen.h"

std::vector<caughtbox> boxes;
static std::string datadir;

static void catchbox(const char* text, const char* caption) { boxes.push_back({text, caption}); }
static void catchexit(int code) { throw processexit{code}; }

const std::string& testdatadir() { return datadir; }

std::string readtext(const std::string& hostpath) {
    std::ifstream in(hostpath, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void copycursors() {
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(VENNOR_DATA) / "resources" / "CURSORS.bmp", fs::path(datadir) / "resources" / "CURSORS.bmp",
                  fs::copy_options::overwrite_existing);
}

// Leaves no state from an earlier test in the same process.
static void resetgame() {
    plat_exithook = nullptr;
    if (plat_windowexists()) plat_destroywindow();
    if (clockid) plat_timekillevent(clockid);
    clockid = 0;
    releaseobjects();
    closedebuglog();
    for (spriterec& s : sprite) s = spriterec{};
    cleargamestack();
    gamestate = 0;
    boxresult = 255;
    appactive = 0;
    displayok = 0;
    vslocked = 0;
    vsheld = 0;
    memoryused = 0;
    framecount = 0;
    boxes.clear();
}

void starttestplatform(int pixelformat) {
    namespace fs = std::filesystem;
    resetgame();
    if (!datadir.empty()) {
        fs::current_path(fs::path(datadir).parent_path());
        fs::remove_all(datadir);
    }
    char tmpl[] = "/tmp/vennor-test-XXXXXX";
    datadir = mkdtemp(tmpl);
    for (const char* d : {"text", "resources", "bitmaps"}) fs::create_directories(fs::path(datadir) / d);
    platoptions o;
    o.headless = true;
    o.datadir = datadir;
    o.pixelformat = pixelformat;
    std::string err;
    if (!plat_init(o, &err)) std::abort();
    plat_messageboxhook = catchbox;
    plat_exithook = catchexit;
}

void starttestdisplay(int pixelformat) {
    starttestplatform(pixelformat);
    copycursors();
    opendebuglog();
    if (!initdirectdraw()) std::abort();
    clockid = plat_timesetevent(16, 0, timerproc, 0);
    // The mode switch reports itself and the window comes up in front.
    platmsg m;
    while (plat_peekmessage(&m) && m.message != WM_QUIT) {
        plat_getmessage(&m);
        plat_dispatchmessage(&m);
    }
}

void writesolidbmp(const std::string& name, int w, int h, u32 colour) {
    std::filesystem::create_directories(std::filesystem::path(datadir + "/" + name).parent_path());
    writebmp(name, w, h, [colour](int, int) { return colour; });
}

template <typename F> static u32 vscountwhere(F match) {
    lockvs();
    u32 n = 0;
    for (i32 y = -VSTOP; y < VSHEIGHT - VSTOP; y++)
        for (i32 x = -VSLEFT; x < VSWIDTH - VSLEFT; x++) n += match(*vspixel(x, y));
    unlockvs();
    return n;
}

u32 vsinked() { return vscountwhere([](u16 v) { return v != 0; }); }
u32 vscount(u16 colour) { return vscountwhere([colour](u16 v) { return v == colour; }); }
